#pragma once
// What the main window tests share: a window made and shown as the program makes it, an attendant
// that answers the modal windows it opens (message boxes and file dialogs) from the event loop and
// keeps what they showed, and conversions between the page's millimetres and the page picture.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "album/geometry.h"
#include "app/main_window.h"
#include "common/general_routines.h"
#include "common/qstring_printer.h"
#include "platform/graphics/bitmap.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/termination.h"
#include "support/modal_attendant.h" // with the Qt Test and widget headers the attendant needs
#include "support/picture_files.h"
#include "support/test_files.h"

namespace lumoria::test {

inline bool operator==(const CaixaVista& a, const CaixaVista& b)
{
    return a.texto == b.texto && a.titulo == b.titulo && a.botao1 == b.botao1 && a.botao2 == b.botao2;
}
inline void PrintTo(const CaixaVista& c, std::ostream* os)
{
    using ::testing::PrintToString;
    *os << "{" << PrintToString(c.titulo) << ", " << PrintToString(c.texto) << ", " << PrintToString(c.botao1) << ", "
        << PrintToString(c.botao2) << "}";
}

// Settings that keep the welcome tip from showing (it is tested on its own) and start the window
// with the given state.
void PrepararConfiguracoes(bool maximizada = true, int contador = 3);

// A main window made as the program makes it, shown, with the events of its showing processed.
std::unique_ptr<TfrmPrincipal> NovaJanela(const QStringList& argumentos = {});

// The point of the page picture over a point of the current page in millimetres, and back.
QPoint PixelDoMilimetro(TfrmPrincipal& janela, int x, int y);
// The centre of a frame of the current page on the page picture.
QPoint CentroDaMoldura(TfrmPrincipal& janela, int j);

// Moves the mouse over the page picture at a point.
void MoverSobreAPagina(TfrmPrincipal& janela, QPoint ponto);
// A left click on a frame of the page: the frame menu opens. Returns the menu shown, or null.
QMenu* AbrirMenuDaMoldura(TfrmPrincipal& janela, int j);
// Chooses an item of the open frame menu (or of its fit submenu) by clicking it.
void EscolherNoMenu(TfrmPrincipal& janela, QAction* item);

// Drags the data onto a widget and drops it at a point, with the events a drag gives (the drag must
// be accepted); returns whether the drop was.
bool Soltar(QWidget* alvo, QPoint ponto, const QMimeData* dados);

// Chooses an item of a size list as the operator does: the list opens and the item is clicked.
void EscolherNaLista(QComboBox* lista, int item);

// The colour the page view shows in the middle of a frame of the current page.
inline QColor CorNaMoldura(TfrmPrincipal& janela, int j)
{
    return janela.imgPaginaCentral->grab().toImage().pixelColor(CentroDaMoldura(janela, j));
}
// Colours within the distance the image cache's JPEG copies may shift them.
inline bool Parecida(const QColor& a, const QColor& b) { return Near(a, b, 16); }

// The size the window measures for one of its owner-drawn menu items.
inline QSize MedidaDoItem(TfrmPrincipal& janela, QAction* item)
{
    int largura = 0, altura = 0;
    janela.DesenharItemDeMenuOnMeasure(item, largura, altura);
    return QSize(largura, altura);
}

// A picture file of one colour, written with Qt.
QString FotoDeTeste(const QString& nome, int largura, int altura, QColor cor);

// A left click in the middle of a control.
inline void Clicar(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

// The top n undo records as "frame mode file", an empty record as "-".
QStringList Registros(const TfrmPrincipal& janela, int n);

// A box as the attendant keeps it: title, text and the buttons shown (the second one empty when hidden).
inline CaixaVista Caixa(const QString& titulo, const QString& texto, const QString& botao1 = QStringLiteral("Sim"),
                        const QString& botao2 = QString())
{
    return CaixaVista{texto, titulo, botao1, botao2};
}

// An attendant given its answers at once: the boxes' (6, 7 or 2) and the file dialogs' paths.
struct AtendenteCom : Atendente {
    explicit AtendenteCom(const QList<int>& r, const QStringList& a = {})
    {
        respostas = r;
        arquivos = a;
    }
};

// Runs an action, or clicks a control, with an attendant answering what it opens; returns the boxes shown.
inline QList<CaixaVista> Respondendo(const QList<int>& respostas, const std::function<void()>& acao,
                                     const QStringList& arquivos = {})
{
    AtendenteCom atendente(respostas, arquivos);
    acao();
    return atendente.caixas;
}
inline QList<CaixaVista> ClicarRespondendo(QWidget* w, const QList<int>& respostas, const QStringList& arquivos = {})
{
    return Respondendo(respostas, [w] { Clicar(w); }, arquivos);
}

// A job of n pages (new pages after the first) showing page i.
void Paginas(TfrmPrincipal& janela, int n, int i);

// The job's page count, its current page and the navigation row's label.
std::tuple<int, int, QString> Paginacao(TfrmPrincipal& janela);

// The frames of page i as "fit-mode file".
QStringList Molduras(TfrmPrincipal& janela, int i);

// The main window of most tests: made as the program makes it, not maximised.
class JanelaPrincipal : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepararConfiguracoes(false);
        janela = NovaJanela();
    }
    void Paginas(int n, int i) { lumoria::test::Paginas(*janela, n, i); }
    void Redesenhar() { janela->AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais(); }
    // Opens the menu of frame j with a click and chooses one of its items.
    void EscolherNaMoldura(int j, QAction* item)
    {
        ASSERT_NE(AbrirMenuDaMoldura(*janela, j), nullptr);
        EscolherNoMenu(*janela, item);
    }

    std::unique_ptr<TfrmPrincipal> janela;
};

} // namespace lumoria::test
