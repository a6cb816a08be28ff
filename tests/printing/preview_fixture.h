#pragma once
// What the preview tests share: a document of hand-made pages, a host in place of the main window
// that notes what it is asked, a test printer system and the preview made on them. Message boxes are
// answered by the main window tests' attendant.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLocale>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "album/album_document.h"
#include "album/document_host.h"
#include "app/main_window_fixture.h"
#include "common/message_window.h"
#include "components/fancy_button.h"
#include "platform/graphics/bitmap.h"
#include "platform/numeric.h"
#include "platform/printing/fixed_printer.h"
#include "platform/ui/panel.h"
#include "platform/ui/picture_control.h"
#include "printing/print_preview.h"
#include "support/draw_support.h"
#include "support/page_builder.h"
#include "support/picture_files.h"

namespace lumoria::test {

// The main window as a tool window sees it: a plain window, and a list of what was asked.
class HostDeTeste : public DocumentHost {
public:
    HostDeTeste() { principal.show(); }
    void redrawPage() override { ++redesenhos; }
    void hideMainWindow() override
    {
        eventos << QStringLiteral("esconder principal");
        principal.hide();
    }
    void showMainWindow() override
    {
        eventos << QStringLiteral("mostrar principal");
        principal.show();
        if (aoMostrar)
            aoMostrar();
    }
    Qt::WindowStates mainWindowState() const override { return estado; }

    QWidget principal;
    QStringList eventos;
    int redesenhos = 0;
    std::function<void()> aoMostrar; // runs when the main window is shown again
    Qt::WindowStates estado = Qt::WindowNoState;
};

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The operator's locale: comma decimals, full-stop thousands.
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        auto sistema = std::make_unique<platform::FixedPrinterSystem>();
        impressoras = sistema.get();
        impressora = &sistema->addPrinter(QStringLiteral("Impressora Teste on LPT1:"), A4(100, 20, 40, 30, 50));
        escopo = std::make_unique<platform::ScopedPrinterSystem>(std::move(sistema));
        documento.CriarNovoAlbumComUmaPaginaESemFotos();
    }

    void TearDown() override
    {
        previa.reset();
        escopo.reset();
        QLocale::setDefault(QLocale::system());
    }

    // Replaces the album's pages by these; page 0 becomes current.
    void Paginas(const std::vector<TPagina>& paginas)
    {
        TAlbum& album = documento.Album();
        album.removeAllPages();
        for (const TPagina& p : paginas)
            album.Paginas.push_back(std::make_unique<TPagina>(p));
        documento.setCurrentPageIndex(0);
    }

    // n A4 pages of one 90 x 120 frame each, empty.
    void PaginasA4(int n) { Paginas(std::vector<TPagina>(std::size_t(n), PageWithFrames(210, 297, {Rect{60, 88, 150, 208}}))); }

    // The preview, made and shown (not modally).
    TfrmImprimirPrevisaoImpressaoFotos& Abrir()
    {
        previa = std::make_unique<TfrmImprimirPrevisaoImpressaoFotos>(documento, host);
        previa->show();
        QApplication::processEvents();
        return *previa;
    }

    static void Clicar(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

    QStringList LinhasDoMemo() const { return previa->memImpressora->toPlainText().split(QLatin1Char('\n')); }

    AlbumDocument documento;
    HostDeTeste host;
    platform::FixedPrinterSystem* impressoras = nullptr;
    platform::FixedPrinter* impressora = nullptr;
    std::unique_ptr<platform::ScopedPrinterSystem> escopo;
    std::unique_ptr<TfrmImprimirPrevisaoImpressaoFotos> previa;
};

} // namespace lumoria::test
