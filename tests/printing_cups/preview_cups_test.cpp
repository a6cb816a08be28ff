// The preview on the CUPS queue "PDF" under a Brazilian locale: its printer memo, and printing pages 2
// to 3 of 5 through Qt's print dialog, with and without "Ajustar às Bordas", checked on the PDF
// that cups-pdf writes.
#include "cups_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "album/album_document.h"
#include "album/document_host.h"
#include "common/app_identity.h"
#include "common/qstring_printer.h"
#include "components/fancy_button.h"
#include "platform/printing/qt_printer.h"
#include "printing/print_preview.h"
#include "support/page_builder.h"

namespace lumoria::test::cups {
namespace {

class Host : public DocumentHost {
public:
    void redrawPage() override {}
    void hideMainWindow() override {}
    void showMainWindow() override {}
    Qt::WindowStates mainWindowState() const override { return Qt::WindowNoState; }
};

const QColor kCores[] = {kGreen, kBlue, kYellow, kCyan, kMagenta};

class PreviewOnCups : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
            GTEST_SKIP() << "no CUPS queue named \"PDF\" (scripts/start-cups.sh adds it)";
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        ASSERT_TRUE(printerSystem().selectPrinter(QStringLiteral("PDF")));
        impressora = dynamic_cast<QtPrinter*>(&printerSystem().currentPrinter());
        ASSERT_NE(impressora, nullptr);
        impressora->qprinter().setPageSize(QPageSize(QPageSize::A4));
        impressora->qprinter().setPageOrientation(QPageLayout::Portrait);
        documento.CriarNovoAlbumComUmaPaginaESemFotos();
        TAlbum& album = documento.Album();
        album.removeAllPages();
        for (int i = 0; i < 5; ++i) {
            album.Paginas.push_back(std::make_unique<TPagina>(test::PageWithFrames(210, 297, {Rect{60, 88, 150, 208}})));
            album.Foto(i, 0).NomeDoArquivo =
                test::WriteJpeg(QStringLiteral("cups-pagina%1.jpg").arg(i), test::SolidImage(90, 120, kCores[i]));
        }
        documento.setCurrentPageIndex(0);
    }

    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // Prints through the print dialog, choosing pages de to ate in it; returns the PDF written.
    QString Imprimir(TfrmImprimirPrevisaoImpressaoFotos& previa, int de, int ate)
    {
        bool escolheu = false;
        QTimer vigia;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            auto* dialogo = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialogo || escolheu)
                return;
            escolheu = true;
            auto* intervalo = dialogo->findChild<QRadioButton*>(QStringLiteral("printRange"));
            auto* inicio = dialogo->findChild<QSpinBox*>(QStringLiteral("from"));
            auto* fim = dialogo->findChild<QSpinBox*>(QStringLiteral("to"));
            if (intervalo && inicio && fim) {
                intervalo->setChecked(true);
                fim->setValue(ate);
                inicio->setValue(de);
                dialogo->accept();
            } else {
                ADD_FAILURE() << "the print dialog has no page range fields";
                dialogo->reject();
            }
        });
        vigia.start(20);
        // Printing at the queue's 1200 dpi is what the program does; 150 keeps the test light.
        impressora->qprinter().setResolution(kPrinterDpi);
        const int anterior = LastJobId();
        QTest::mouseClick(previa.spdImprimir, Qt::LeftButton, {}, previa.spdImprimir->rect().center());
        vigia.stop();
        EXPECT_TRUE(escolheu);
        QString prefixo = TituloDoAplicativo();
        prefixo.replace(QLatin1Char(' '), QLatin1Char('_'));
        return WaitForJobPdf(TituloDoAplicativo(), anterior, prefixo);
    }

    AlbumDocument documento;
    Host host;
    QtPrinter* impressora = nullptr;
};

TEST_F(PreviewOnCups, MemoListsTheQueueInFifteenLines)
{
    TfrmImprimirPrevisaoImpressaoFotos previa(documento, host);
    const QStringList esperadas = {
        QStringLiteral("Características do Hardware:"), QStringLiteral("Pdf"), QString(),
        QStringLiteral("Tecnologia: Raster Printer"), QStringLiteral("Resolução Horizon.: 1.200 dpi"),
        QStringLiteral("Resolução Vertical: 1.200 dpi"), QStringLiteral("Largura do Papel: 210,0 mm"),
        QStringLiteral("Altura do Papel: 297,0 mm"), QString(), QStringLiteral("Largura Útil: 209,9 mm"),
        QStringLiteral("Altura Útil: 297,0 mm"), QStringLiteral("Borda Esquerda: 0,0 mm"),
        QStringLiteral("Borda Superior: 0,0 mm"), QStringLiteral("Borda Direita: 0,0 mm"),
        QStringLiteral("Borda Inferior: 0,0 mm")};
    EXPECT_EQ(previa.memImpressora->toPlainText().split(QLatin1Char('\n')), esperadas);
}

TEST_F(PreviewOnCups, PagesTwoToThreeOfFiveGiveTwoPdfPagesWithFramesAndMarksInPlace)
{
    TfrmImprimirPrevisaoImpressaoFotos previa(documento, host);
    previa.show();
    const QString pdf = Imprimir(previa, 2, 3);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << OutputFolder().toStdString();
    EXPECT_EQ(PageCount(pdf), 2);
    const QList<QImage> folhas = Rasterise(pdf, QStringLiteral("previa"));
    ASSERT_EQ(folhas.size(), 2);
    const Placement at{impressora->deviceValues()};
    const TPagina& pagina = documento.Pagina(1);
    ExpectFrame(folhas[0], at, at.Frame(pagina, pagina.Fotos[0]), kCores[1]);
    ExpectFrame(folhas[1], at, at.Frame(pagina, pagina.Fotos[0]), kCores[2]);
    QFile::remove(pdf);
}

TEST_F(PreviewOnCups, AlignedWithThePrintableCornerTheFrameStartsAtTheSheetsCorner)
{
    TfrmImprimirPrevisaoImpressaoFotos previa(documento, host);
    previa.show();
    previa.cbxMostrarPrevisaoDeBordas->setChecked(true);
    previa.cbxAjustarBordas->setChecked(true);
    const QString pdf = Imprimir(previa, 1, 1);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << OutputFolder().toStdString();
    EXPECT_EQ(PageCount(pdf), 1);
    const QList<QImage> folhas = Rasterise(pdf, QStringLiteral("alinhada"));
    ASSERT_EQ(folhas.size(), 1);
    const QImage& folha = folhas[0];
    const Placement at{impressora->deviceValues()};
    const TPagina& pagina = documento.Pagina(0);
    Rect r = at.Frame(pagina, pagina.Fotos[0]);
    r = Rect{0, 0, r.Right - r.Left, r.Bottom - r.Top};
    // The photo fills the corner; the marks run from its right and bottom edges to the sheet's edges.
    EXPECT_TRUE(Near(folha.pixelColor(at.X(r.Right / 2), at.Y(r.Bottom / 2)), kCores[0], 40));
    EXPECT_TRUE(Near(folha.pixelColor(3, 3), kCores[0], 40));
    const int abaixo = at.Y((r.Bottom + at.device.physicalHeight) / 2);
    EXPECT_TRUE(RedNear(folha, at.X(r.Right), abaixo));
    EXPECT_FALSE(RedNear(folha, at.X(r.Right / 2), abaixo));
    const int aDireita = at.X((r.Right + at.device.physicalWidth) / 2);
    EXPECT_TRUE(RedNear(folha, aDireita, at.Y(r.Bottom)));
    EXPECT_EQ(folha.pixelColor(aDireita, at.Y(r.Bottom / 2)), QColor(Qt::white));
    QFile::remove(pdf);
}

} // namespace
} // namespace lumoria::test::cups
