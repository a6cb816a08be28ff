// The preview window: caption, printer memo, the page panel's size and place, zoom, page buttons and
// keys, the border options and the printer set-up.
#include "preview_fixture.h"

#include "common/modal_helper.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QScreen>
#include <QScrollBar>

namespace lumoria::test {
namespace {

using Preview = PreviewTest;

TEST_F(Preview, CaptionCountsEveryFrameOfEveryPageEmptyOnesToo)
{
    Paginas({PageWithFrames(210, 297, {{0, 0, 100, 100}, {100, 0, 200, 100}, {0, 100, 100, 200}, {100, 100, 200, 200}}),
             PageWithFrames(210, 297, {}),
             PageWithFrames(100, 150, {{0, 0, 100, 150}})});
    documento.Foto(0, 1).NomeDoArquivo = WriteJpeg(QStringLiteral("c.jpg"), SolidImage(40, 30, Qt::red));
    Abrir();
    EXPECT_EQ(previa->windowTitle(), QStringLiteral("Previsão de Impressão, 3 Página(s), 5 Foto(s)"));
}

TEST_F(Preview, MemoListsThePrinterInFifteenLinesWithTheLocalesSeparators)
{
    Abrir();
    // A4 at 100 dpi: 827 x 1169 dots; printable 777 x 1079 from (20, 40).
    const QStringList esperadas = {
        QStringLiteral("Características do Hardware:"), QStringLiteral("Impressora Teste"), QString(),
        QStringLiteral("Tecnologia: Raster Printer"), QStringLiteral("Resolução Horizon.: 100 dpi"),
        QStringLiteral("Resolução Vertical: 100 dpi"), QStringLiteral("Largura do Papel: 210,0 mm"),
        QStringLiteral("Altura do Papel: 297,0 mm"), QString(), QStringLiteral("Largura Útil: 197,4 mm"),
        QStringLiteral("Altura Útil: 274,1 mm"), QStringLiteral("Borda Esquerda: 5,1 mm"),
        QStringLiteral("Borda Superior: 10,2 mm"), QStringLiteral("Borda Direita: 7,6 mm"),
        QStringLiteral("Borda Inferior: 12,7 mm")};
    EXPECT_EQ(LinhasDoMemo(), esperadas);
    EXPECT_EQ(previa->memImpressora->textCursor().position(), 0);
    EXPECT_FALSE(previa->memImpressora->textCursor().hasSelection());
    EXPECT_TRUE(previa->memImpressora->isReadOnly());
}

struct Encaixe {
    int largura, altura;       // page in mm
    QRect painel;              // at zoom 100
};

class PanelPlace : public PreviewTest, public ::testing::WithParamInterface<Encaixe> {};

TEST_P(PanelPlace, PageTakesNinetyFivePerCentOfTheScrollBoxAndIsCentred)
{
    const Encaixe e = GetParam();
    Paginas({PageWithFrames(e.largura, e.altura, {})});
    Abrir();
    previa->scbPrevisao->resize(560, 450);
    previa->AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
    EXPECT_EQ(previa->pnlPrevisao->geometry(), e.painel);
    EXPECT_EQ(previa->imgPrevisao->geometry(), QRect(QPoint(0, 0), e.painel.size()));
    EXPECT_EQ(previa->imgPrevisao->bitmap().Width(), e.painel.width());
    EXPECT_EQ(previa->imgPrevisao->bitmap().Height(), e.painel.height());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PanelPlace,
    ::testing::Values(Encaixe{210, 297, QRect(128, 11, 303, 428)},  // too tall at 532 wide: 95 % of the height
                      Encaixe{100, 150, QRect(138, 11, 285, 428)},
                      Encaixe{297, 210, QRect(14, 37, 532, 376)},  // fits at 95 % of the width
                      Encaixe{100, 180, QRect(161, 11, 238, 428)}));

TEST_F(Preview, ZoomStretchesThePictureDrawnAtFullSizeAndOverflowStartsAtTheCorner)
{
    PaginasA4(1);
    Abrir();
    previa->scbPrevisao->resize(560, 450);
    previa->AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();

    previa->trbZoom->setValue(30);
    EXPECT_EQ(previa->pnlPrevisao->geometry(), QRect(234, 161, 91, 128));
    EXPECT_EQ(previa->imgPrevisao->size(), QSize(91, 128));
    EXPECT_EQ(previa->imgPrevisao->bitmap().Width(), 303); // not redrawn

    previa->trbZoom->setValue(300);
    QApplication::processEvents();
    EXPECT_EQ(previa->pnlPrevisao->geometry(), QRect(0, 0, 909, 1284));
    EXPECT_GT(previa->scbPrevisao->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(previa->scbPrevisao->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(previa->imgPrevisao->bitmap().Height(), 428);

    Clicar(previa->spdAjustarAltura);
    EXPECT_EQ(previa->trbZoom->value(), 100);
    EXPECT_EQ(previa->pnlPrevisao->geometry(), QRect(128, 11, 303, 428));
}

TEST_F(Preview, ResizingTheWindowPutsTheZoomBackAndLaysOutAgain)
{
    PaginasA4(1);
    Abrir();
    previa->trbZoom->setValue(200);
    previa->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(previa->trbZoom->value(), 100);
    // Scroll box 680 x 622: 646 wide would be too tall, so 591 high and 418 wide.
    EXPECT_EQ(previa->scbPrevisao->size(), QSize(680, 622));
    EXPECT_EQ(previa->pnlPrevisao->geometry(), QRect(131, 16, 418, 591));
}

TEST_F(Preview, WindowKeepsItsColumnStripAndMinimumSize)
{
    Abrir();
    EXPECT_EQ(previa->minimumSize() + (previa->frameGeometry().size() - previa->size()), QSize(790, 590));
    EXPECT_EQ(previa->memImpressora->x(), previa->width() - 220 + 8);
    EXPECT_EQ(previa->scbPrevisao->geometry(), QRect(0, 0, previa->width() - 220, previa->height() - 78));
    EXPECT_LT(previa->spdConfigurar->y(), previa->spdImprimir->y());
    EXPECT_LT(previa->spdImprimir->y(), previa->spdSair->y());
    EXPECT_GE(previa->spdPaginaInicial->y(), previa->height() - 78);
    EXPECT_LT(previa->spdPaginaInicial->y(), previa->trbZoom->y());
    EXPECT_EQ(previa->spdSair->toolTip(), QStringLiteral("Sair da Previsão de Impressão"));
    EXPECT_EQ(previa->trbZoom->minimum(), 30);
    EXPECT_EQ(previa->trbZoom->maximum(), 300);
    EXPECT_EQ(previa->trbZoom->tickInterval(), 30);
}

// Also run on an 800 x 600 screen (tests/CMakeLists.txt): the smallest the program accepts.
TEST_F(Preview, OuterSizeFitsTheScreenWithTheTitleBar)
{
    Abrir();
    EXPECT_EQ(previa->frameGeometry().size(), QSize(790, 590));
    previa->showMaximized();
    QApplication::processEvents();
    const QRect tela = previa->screen()->availableGeometry();
    EXPECT_TRUE(tela.contains(previa->frameGeometry())) << previa->frameGeometry().width() << " x " << previa->frameGeometry().height();
    for (QWidget* w : {static_cast<QWidget*>(previa->spdSair), static_cast<QWidget*>(previa->trbZoom),
                       static_cast<QWidget*>(previa->spdAjustarAltura)}) {
        const QRect naTela(w->mapToGlobal(QPoint(0, 0)), w->size());
        EXPECT_TRUE(tela.contains(naTela)) << naTela.bottom();
        EXPECT_TRUE(previa->rect().contains(QRect(w->mapTo(previa.get(), QPoint(0, 0)), w->size())));
    }
}

void Soltar(QWidget* alvo, int tecla, bool repeticao = false)
{
    QKeyEvent pressao(QEvent::KeyPress, tecla, Qt::NoModifier, QString(), repeticao);
    QApplication::sendEvent(alvo, &pressao);
    QKeyEvent soltura(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(), repeticao);
    QApplication::sendEvent(alvo, &soltura);
}

TEST_F(Preview, PageButtonsMoveTheDocumentsPageOnlyWhenTheyCan)
{
    PaginasA4(3);
    Abrir();
    EXPECT_EQ(previa->lblNumeroDaPagina->text(), QStringLiteral("1 de 3"));
    EXPECT_TRUE(previa->spdPaginaInicial->isVisible());

    // A button that moves the page puts the zoom back; on the first page the first and previous
    // buttons do nothing, on the last page the next and last ones, the zoom included.
    const struct {
        TFancyButton* botao;
        int zoomAntes; // 0: as it is
        int pagina, zoom;
    } cliques[] = {{previa->spdPaginaInicial, 150, 0, 150}, {previa->spdPaginaAnterior, 0, 0, 150},
                   {previa->spdPaginaSeguinte, 0, 1, 100}, {previa->spdPaginaFinal, 0, 2, 100},
                   {previa->spdPaginaSeguinte, 60, 2, 60},  {previa->spdPaginaFinal, 0, 2, 60},
                   {previa->spdPaginaAnterior, 0, 1, 100},  {previa->spdPaginaInicial, 0, 0, 100}};
    for (const auto& c : cliques) {
        SCOPED_TRACE(testing::Message() << "click " << &c - cliques << ", to page " << c.pagina);
        if (c.zoomAntes)
            previa->trbZoom->setValue(c.zoomAntes);
        Clicar(c.botao);
        EXPECT_EQ(documento.currentPageIndex(), c.pagina);
        EXPECT_EQ(previa->trbZoom->value(), c.zoom);
        EXPECT_EQ(previa->lblNumeroDaPagina->text(), QStringLiteral("%1 de 3").arg(c.pagina + 1));
    }
    EXPECT_EQ(host.redesenhos, 0); // the main window redraws after the preview, not during it
}

TEST_F(Preview, PageKeysActOnReleaseAndNoControlSeesThem)
{
    PaginasA4(3);
    Abrir();
    previa->trbZoom->setFocus();
    QWidget* foco = previa->trbZoom;

    // An auto-repeated key does nothing; the track bar never takes the keys.
    const struct {
        int tecla;
        bool repeticao;
        int pagina;
    } teclas[] = {{Qt::Key_PageDown, false, 1}, {Qt::Key_End, false, 2},   {Qt::Key_PageDown, false, 2}, {Qt::Key_PageUp, false, 1},
                  {Qt::Key_PageUp, true, 1},    {Qt::Key_Home, false, 0}, {Qt::Key_PageUp, false, 0}};
    for (const auto& t : teclas) {
        Soltar(foco, t.tecla, t.repeticao);
        EXPECT_EQ(documento.currentPageIndex(), t.pagina) << QKeySequence(t.tecla).toString().toStdString() << " " << t.repeticao;
        EXPECT_EQ(previa->trbZoom->value(), 100);
    }
    // Other keys reach the control.
    Soltar(foco, Qt::Key_Right);
    EXPECT_NE(previa->trbZoom->value(), 100);
}

TEST_F(Preview, OnlyPageShowsNoPageControlsAndKeysChangeNothing)
{
    PaginasA4(1);
    Abrir();
    for (QWidget* w : {static_cast<QWidget*>(previa->lblNumeroDaPagina), static_cast<QWidget*>(previa->spdPaginaInicial),
                       static_cast<QWidget*>(previa->spdPaginaAnterior), static_cast<QWidget*>(previa->spdPaginaSeguinte),
                       static_cast<QWidget*>(previa->spdPaginaFinal)})
        EXPECT_FALSE(w->isVisible());
    previa->trbZoom->setValue(120);
    for (int tecla : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End})
        Soltar(previa.get(), tecla);
    EXPECT_EQ(documento.currentPageIndex(), 0);
    EXPECT_EQ(previa->trbZoom->value(), 120);
}

bool HaVermelho(const QImage& imagem, int x0, int x1, int y)
{
    for (int x = std::max(0, x0); x <= std::min(imagem.width() - 1, x1); ++x) {
        const QColor c = imagem.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
            return true;
    }
    return false;
}

TEST_F(Preview, BorderOptionsGoTogetherAndChangeTheDrawing)
{
    Paginas({PageWithFrames(210, 297, {Rect{60, 88, 150, 208}})});
    documento.Foto(0, 0).NomeDoArquivo = WriteBmp(QStringLiteral("verde.bmp"), SolidImage(90, 120, QColor(0, 200, 0)));
    Abrir();
    previa->scbPrevisao->resize(560, 450);
    previa->AtualizarPainelPrevisaoComPaginaAtualEDemaisAspectosVisuais();
    EXPECT_FALSE(previa->cbxMostrarPrevisaoDeBordas->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(previa->cbxAjustarBordas), static_cast<QWidget*>(previa->lblAjustarBordas),
                       static_cast<QWidget*>(previa->lblAjustarBordasLegenda)})
        EXPECT_FALSE(w->isEnabled());
    const int meio = 214;
    // As on screen: no red outline of the printable area.
    EXPECT_FALSE(HaVermelho(previa->imgPrevisao->bitmap().Image(), 0, 20, meio));

    Clicar(previa->lblMostrarPrevisaoDeBordas);
    EXPECT_TRUE(previa->cbxMostrarPrevisaoDeBordas->isChecked());
    EXPECT_TRUE(previa->cbxAjustarBordas->isEnabled());
    EXPECT_TRUE(previa->lblAjustarBordasLegenda->isEnabled());
    // The printable area's left edge: 20 of 827 dots, 7 of 303 pixels.
    const QImage comBordas = previa->imgPrevisao->bitmap().Image();
    EXPECT_TRUE(HaVermelho(comBordas, 5, 9, meio));
    // The frame starts at 60 mm = 86 pixels, moved by the offset of 7.
    EXPECT_TRUE(Near(comBordas.pixelColor(95, meio), QColor(0, 200, 0)));
    EXPECT_EQ(comBordas.pixelColor(90, meio), QColor(Qt::white));

    previa->trbZoom->setValue(200);
    Clicar(previa->lblAjustarBordas);
    EXPECT_TRUE(previa->cbxAjustarBordas->isChecked());
    EXPECT_EQ(previa->trbZoom->value(), 100);
    // The frame block now starts at the printable corner.
    const QImage alinhada = previa->imgPrevisao->bitmap().Image();
    EXPECT_TRUE(Near(alinhada.pixelColor(12, 20), QColor(0, 200, 0)));

    Clicar(previa->lblMostrarPrevisaoDeBordas);
    EXPECT_FALSE(previa->cbxMostrarPrevisaoDeBordas->isChecked());
    EXPECT_FALSE(previa->cbxAjustarBordas->isChecked());
    EXPECT_FALSE(previa->cbxAjustarBordas->isEnabled());
    EXPECT_FALSE(previa->lblAjustarBordas->isEnabled());
    EXPECT_FALSE(HaVermelho(previa->imgPrevisao->bitmap().Image(), 0, 20, meio));
}

TEST_F(Preview, PrinterSetUpRereadsThePrinterOnlyWhenAccepted)
{
    Abrir();
    platform::PrinterDeviceValues carta = A4(100, 0, 0, 0, 0);
    carta.physicalWidth = carta.clip.Right = 850;
    carta.physicalHeight = carta.clip.Bottom = 1100;
    impressoras->pageSetupAnswer = [&] {
        impressora->setDeviceValues(carta);
        return false;
    };
    previa->trbZoom->setValue(70);
    Clicar(previa->spdConfigurar);
    EXPECT_EQ(impressoras->pageSetupRuns, 1);
    EXPECT_EQ(LinhasDoMemo().value(6), QStringLiteral("Largura do Papel: 210,0 mm"));
    EXPECT_EQ(previa->trbZoom->value(), 70);

    // Accepted, the letter paper (215.9 x 279.4 mm) is listed in whole millimetres.
    impressoras->pageSetupAnswer = [] { return true; };
    Clicar(previa->spdConfigurar);
    EXPECT_EQ(LinhasDoMemo().value(6), QStringLiteral("Largura do Papel: 216,0 mm"));
    EXPECT_EQ(LinhasDoMemo().value(7), QStringLiteral("Altura do Papel: 279,0 mm"));
    EXPECT_EQ(previa->trbZoom->value(), 100);
}

TEST_F(Preview, SairClosesTheModalWindowInTheStateItWasGiven)
{
    PaginasA4(2);
    previa = std::make_unique<TfrmImprimirPrevisaoImpressaoFotos>(documento, host);
    bool maximizada = false;
    WhenModal([&](QWidget*) {
        maximizada = previa->isMaximized();
        Clicar(previa->spdPaginaSeguinte);
        Clicar(previa->spdSair);
    });
    previa->ShowModal(Qt::WindowMaximized);
    EXPECT_TRUE(maximizada);
    EXPECT_FALSE(previa->isVisible());
    EXPECT_EQ(documento.currentPageIndex(), 1);
}

} // namespace
} // namespace lumoria::test
