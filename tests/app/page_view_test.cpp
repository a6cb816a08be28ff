// The main window's areas, the page view's size and place, the navigation row, the frame under the
// mouse with its status text, the owner-drawn status panel and the two size lists.
#include "main_window_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QScreen>

#include "platform/ui/caption_panel.h"
#include "platform/ui/colors.h"
#include "platform/ui/splitter.h"
#include "platform/ui/status_bar.h"

namespace lumoria::test {
namespace {

using platform::toQColor;

class PageView : public JanelaPrincipal {
protected:
    void Redimensionar(int largura, int altura)
    {
        janela->showNormal();
        janela->resize(largura, altura);
        QApplication::processEvents();
        ASSERT_EQ(janela->size(), QSize(largura, altura));
    }
};

TEST_F(PageView, AreasStandWhereTheDesignPutsThem)
{
    Redimensionar(920, 768);
    // The smallest size is the outer one, with the title bar and borders.
    EXPECT_EQ(janela->minimumSize() + (janela->frameGeometry().size() - janela->size()), QSize(800, 600));
    EXPECT_EQ(janela->stbEstado->geometry(), QRect(0, 768 - 19, 920, 19));
    EXPECT_EQ(janela->pnlImagens->geometry(), QRect(0, 0, 220, 768 - 19));
    EXPECT_EQ(janela->pnlControles->geometry(), QRect(920 - 200, 0, 200, 768 - 19));
    // The thumbnail area's top, splitter and footer, then the page's title and footer.
    EXPECT_EQ((QList<int>{janela->pnlImagensSuperior->height(), janela->splImagens->height(), janela->pnlImagensRodape->height(),
                          janela->lblPaginaCentralTitulo->height(), janela->lblPaginaCentralRodape->height()}),
              (QList<int>{186, 3, 19, 23, 19}));
    EXPECT_EQ(janela->pnlImagensRodape->y(), 768 - 19 - 19);

    EXPECT_EQ((QList<QColor>{janela->pnlImagensTitulo->color(), janela->pnlImagensRodape->color(),
                             janela->splImagens->palette().color(QPalette::Window)}),
              QList<QColor>(3, QColor(191, 0, 0)));
    EXPECT_EQ((QStringList{janela->pnlImagensTitulo->caption(), janela->lblPaginaCentralTitulo->caption(),
                           janela->lblPaginaCentralRodape->caption(), janela->lblControlesTitulos->caption()}),
              (QStringList{"Imagens e Fotos", "Papel a Imprimir", "Arraste As Fotos Sobre o Papel", "Controles"}));
    EXPECT_EQ(janela->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_EQ(janela->pnlPaginaCentral->color(), QColor(255, 255, 255));
    EXPECT_EQ(janela->font().family(), QStringLiteral("Verdana"));
    EXPECT_TRUE(janela->font().bold());

    ASSERT_EQ(janela->stbEstado->panelCount(), 4);
    const platform::StatusBar* barra = janela->stbEstado;
    EXPECT_EQ((QList<int>{barra->panelWidth(0), barra->panelWidth(1), barra->panelWidth(2), barra->panelWidth(3)}),
              (QList<int>{200, 120, 380, 50}));
    EXPECT_TRUE(janela->stbEstado->panelOwnerDrawn(0));
    EXPECT_FALSE(janela->stbEstado->panelOwnerDrawn(2));

    EXPECT_EQ(janela->spdDesfazer->Caption(), QStringLiteral("Desfazer"));
    EXPECT_EQ(janela->spdDesfazer->toolTip(), QStringLiteral("Desfazer Operação De Troca Ou Edição De Foto Anterior"));
    EXPECT_EQ(janela->spdEditarFotosTextosETrabalhos->Caption(), QStringLiteral("Capa CD && DVD"));
    for (TFancyButton* b : {janela->spdNovoTrabalho, janela->spdPaginas, janela->spdPrevisaoImpressao})
        EXPECT_TRUE(b->isEnabled()) << b->Caption().toStdString();
    QList<int> topos;
    for (TFancyButton* b : {janela->spdPaginas, janela->spdDesfazer, janela->spdEditarFotosEfeitos,
                            janela->spdEditarFotosTextosETrabalhos, janela->spdPrevisaoImpressao,
                            janela->spdNovoTrabalho, janela->spdGravarTrabalho, janela->spdLerTrabalho,
                            janela->spdGuia, janela->spdSair})
        topos.append(b->y());
    // Each below the one before.
    EXPECT_EQ(std::adjacent_find(topos.begin(), topos.end(), std::greater_equal<>()), topos.end());
}

TEST_F(PageView, A4TakesNinetyFivePerCentOfTheWidthOrOfTheHeightWhereItIsTooHigh)
{
    const struct {
        int alturaDaJanela, alturaLivre;
        QRect pagina;
    } casos[] = {
        // Free width 920 - 220 - 200 = 500: W = 475, H = Round(297 * 475 / 210) = 672.
        {768, 679, QRect(220 + 12, 23, 475, 672)},
        // Free height 597: H = Round(567.15) = 567, W = Round(210 * 567 / 297) = Round(400.9) = 401, at
        // Trunc((500 - 401) / 2) = 49.
        {686, 597, QRect(220 + 49, 23, 401, 567)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.alturaDaJanela);
        Redimensionar(920, c.alturaDaJanela);
        ASSERT_EQ(janela->spdPaginaInicial->y() - 23, c.alturaLivre) << "from the title to the navigation row";
        EXPECT_EQ(janela->pnlPaginaCentral->geometry(), c.pagina);
        EXPECT_EQ(janela->imgPaginaCentral->geometry(), QRect(QPoint(0, 0), c.pagina.size()));
        EXPECT_EQ(QSize(janela->imgPaginaCentral->bitmap().Width(), janela->imgPaginaCentral->bitmap().Height()),
                  c.pagina.size());
        EXPECT_EQ(janela->lblPaginaCentralTitulo->geometry(), QRect(c.pagina.x(), 0, c.pagina.width(), 23));
        // The footer stands level with the thumbnail footer.
        EXPECT_EQ(janela->lblPaginaCentralRodape->geometry(),
                  QRect(c.pagina.x(), c.alturaDaJanela - 38, c.pagina.width(), 19));
    }
}

// One page hides the navigation row and ignores the page keys; a second shows the row, whose
// controls stand at their twentieths of the page.
TEST_F(PageView, TheNavigationRowShowsForASecondPageAtItsTwentiethsOfThePage)
{
    Redimensionar(922, 768);
    const QList<QWidget*> linha{janela->spdPaginaInicial, janela->spdPaginaAnterior, janela->lblNumeroDaPagina,
                                janela->spdPaginaSeguinte, janela->spdPaginaFinal};
    for (QWidget* w : linha)
        EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("1 de 1"));
    for (Qt::Key k : {Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown})
        QTest::keyClick(janela->imgPaginaCentral, k);
    EXPECT_EQ(janela->PaginaAtual(), 0);

    Paginas(2, 1);
    QList<int> esquerdas;
    for (QWidget* w : linha) {
        EXPECT_TRUE(w->isVisible());
        esquerdas << w->x();
    }
    EXPECT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("2 de 2"));
    // Free width 502: the panel is 477 wide at 220 + Trunc(12.5) = 232. Controls 24 wide, the label 100:
    // Round(232 + 477 * k / 20 - width / 2) of 291.55, 339.25, 420.5 (half to even), 577.75 and 625.45.
    EXPECT_EQ(esquerdas, (QList<int>{292, 339, 420, 578, 625}));
    EXPECT_EQ(janela->spdPaginaInicial->size(), QSize(24, 24));
    EXPECT_EQ(janela->spdPaginaInicial->toolTip(), QStringLiteral("Ia à Página Inicial"));
    EXPECT_EQ(janela->spdPaginaSeguinte->toolTip(), QStringLiteral("Ia Página Seguinte"));
}

TEST_F(PageView, ThePageIsDrawnOnThePictureAndTheStatusTextTellsTheFrameUnderTheMouse)
{
    const QString longa = home() + QStringLiteral("/Fotos Da Festa De Aniversario/Noite Com Os Amigos/Mesa Principal/"
                                                  "foto_numero_um.jpg");
    const QString foto = FotoDeTeste(QStringLiteral("azul.bmp"), 40, 30, Qt::blue);
    janela->SetarFotoNaPaginaAtual(1, 0, foto);
    janela->Foto(0, 2).NomeDoArquivo = longa; // a path the status bar must shorten

    ASSERT_LT(AbreviarCaminho(longa, 60).size(), longa.size());
    const struct {
        int moldura;
        QString texto;
    } casos[] = {{0, QStringLiteral("<<< Moldura Vazia e Disponível >>>")}, {1, foto}, {2, AbreviarCaminho(longa, 60)}};
    for (const auto& c : casos) {
        MoverSobreAPagina(*janela, CentroDaMoldura(*janela, c.moldura));
        EXPECT_EQ(janela->MolduraSobOMouse(), c.moldura);
        EXPECT_EQ(janela->stbEstado->panelText(2), c.texto) << c.moldura;
    }

    // A4 with 9 x 12: frames from (15, 28) to (195, 268) mm; the margin stays white and is a gap, an
    // empty frame shows the empty-frame picture.
    const QPoint margem = PixelDoMilimetro(*janela, 5, 5);
    EXPECT_EQ(janela->imgPaginaCentral->grab().toImage().pixelColor(margem), QColor(255, 255, 255));
    EXPECT_NE(CorNaMoldura(*janela, 0), QColor(255, 255, 255));
    MoverSobreAPagina(*janela, margem);
    EXPECT_EQ(janela->MolduraSobOMouse(), -1);
    const platform::StatusBar* barra = janela->stbEstado;
    EXPECT_EQ((QStringList{barra->panelText(1), barra->panelText(2), barra->panelText(3)}), QStringList(3, QString()));
}

TEST_F(PageView, StatusPanelZeroShowsTheAddressCentredInDarkGrey)
{
    EXPECT_EQ(janela->stbEstado->panelText(0), QStringLiteral("www.lumoria.com.br"));
    const QImage barra = janela->stbEstado->grab().toImage();
    const QColor escuro = toQColor(platform::cl3DDkShadow);
    int esquerda = barra.width(), direita = -1, topo = barra.height();
    for (int y = 0; y < barra.height(); ++y)
        for (int x = 0; x < barra.width(); ++x)
            if (barra.pixelColor(x, y) == escuro) {
                esquerda = std::min(esquerda, x);
                direita = std::max(direita, x);
                topo = std::min(topo, y);
            }
    ASSERT_GE(direita, 0) << "no text in the panel's colour";
    QFont fonte = janela->stbEstado->font();
    fonte.setPointSize(10);
    fonte.setBold(true);
    const QFontMetrics medidas(fonte);
    const int w = medidas.horizontalAdvance(QStringLiteral("www.lumoria.com.br"));
    const int x = (200 - w) / 2;
    EXPECT_GE(esquerda, x);
    EXPECT_LE(direita, x + w);
    // Written at Trunc((19 - h) / 2) + 2 from the bar's top.
    EXPECT_GE(topo, (19 - medidas.height()) / 2 + 2);
}

TEST_F(PageView, SizeListsRelayOutAndShowTheLegend)
{
    Redimensionar(800, 600);
    QComboBox* papel = janela->cbxDimensaoDoPapel;
    QComboBox* foto = janela->cbxDimensaoDaFoto;
    EXPECT_EQ(papel->count(), 3);
    EXPECT_EQ(papel->itemText(0), QStringLiteral("A4, 210 x 297 mm"));
    EXPECT_EQ(foto->count(), 7);
    EXPECT_EQ(foto->itemText(6), QStringLiteral("2 x 2"));
    EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("4 Fotos Por Folha"));
    EXPECT_EQ(janela->pnlLegendaQtdFotos->color(), toQColor(platform::cl3DDkShadow));
    EXPECT_FALSE(janela->pnlLegendaQtdFotos->font().bold());

    EscolherNaLista(papel, 1); // 10 x 18 paper, 9 x 12 photos: one upright
    EXPECT_EQ(janela->Pagina(0).TipoDoPapel, 1);
    EXPECT_EQ(papel->currentIndex(), 1);
    EXPECT_EQ(janela->Pagina(0).frameCount(), 1);
    EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("Uma Foto Por Folha"));
    // At 800 x 600 the page has 380 x 511, so the 100 x 180 page takes 95 % of the height.
    EXPECT_EQ(janela->pnlPaginaCentral->size(), QSize(269, 485));
    EXPECT_EQ(janela->imgPaginaCentral->toolTip(),
              QStringLiteral("Página a Ser Impressa\r\nArraste Fotos Sobre Ela ou Clique Para Editar\r\n\r\n"
                             "Papel 10 x 18, 100 x 180 mm\r\nFotos 9 x 12 cm"));
    EXPECT_EQ(janela->pnlPaginaCentral->toolTip(), janela->imgPaginaCentral->toolTip());

    EscolherNaLista(foto, 0); // 18 x 27 does not fit on 10 x 18
    EXPECT_EQ(janela->Pagina(0).TipoDaFoto, 0);
    EXPECT_EQ(janela->Pagina(0).frameCount(), 0);
    EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("Não Cabe Sequer Uma"));
    EXPECT_EQ(janela->pnlLegendaQtdFotos->color(), QColor(191, 0, 0));

    EscolherNaLista(papel, 0);
    EscolherNaLista(foto, 6); // 2 x 2 on A4: 10 by 14
    EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("140 Fotos Por Folha"));
    EXPECT_EQ(janela->pnlLegendaQtdFotos->color(), toQColor(platform::cl3DDkShadow));
    EXPECT_EQ(foto->currentIndex(), 6);
    // A4 at 800 x 600 just fits at 95 % of the width: H = Round(297 * 361 / 210) = 511.
    EXPECT_EQ(janela->pnlPaginaCentral->size(), QSize(361, 511));
    EXPECT_TRUE(janela->Modificado()); // the page's types and frames go into the job file
}

TEST_F(PageView, SizeListsKeepPhotosByFrameIndexAndIgnoreTheItemAlreadyChosen)
{
    const QString a = FotoDeTeste(QStringLiteral("a.bmp"), 30, 20, Qt::red);
    const QString b = FotoDeTeste(QStringLiteral("b.bmp"), 30, 20, Qt::green);
    janela->SetarFotoNaPaginaAtual(0, 2, a);
    janela->SetarFotoNaPaginaAtual(3, 1, b);
    janela->Documento().setModified(false);
    const QStringList pilha = Registros(*janela, 3);

    // The item already chosen: no relayout, so the fit modes stay and the job is unchanged.
    EscolherNaLista(janela->cbxDimensaoDaFoto, 3);
    EXPECT_EQ(Molduras(*janela, 0), (QStringList{"2 " + a, "0 ", "0 ", "1 " + b}));
    EXPECT_FALSE(janela->Modificado());

    EscolherNaLista(janela->cbxDimensaoDaFoto, 0); // 18 x 27 on A4: one frame
    EXPECT_EQ(Molduras(*janela, 0), QStringList{"0 " + a});
    // Back to four frames: the photos come back by index, their fit modes are not remembered.
    EscolherNaLista(janela->cbxDimensaoDaFoto, 3);
    EXPECT_EQ(Molduras(*janela, 0), (QStringList{"0 " + a, "0 ", "0 ", "0 " + b}));
    EXPECT_TRUE(janela->Modificado());
    EXPECT_EQ(Registros(*janela, 3), pilha);
}

TEST_F(PageView, AChoiceThatLaysThePageOutAsBeforeIsKept)
{
    // Pairs of photo sizes of which neither fits the paper: the page has no frame either way.
    const struct {
        int papel, de, para;
    } casos[] = {{1, 0, 1}, {1, 1, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto& c : casos) {
        EscolherNaLista(janela->cbxDimensaoDoPapel, c.papel);
        EscolherNaLista(janela->cbxDimensaoDaFoto, c.de);
        ASSERT_EQ(janela->Pagina(0).frameCount(), 0);
        janela->Documento().setModified(false);
        EscolherNaLista(janela->cbxDimensaoDaFoto, c.para);
        EXPECT_EQ(janela->Pagina(0).TipoDaFoto, c.para) << c.papel << " " << c.de;
        EXPECT_EQ(janela->cbxDimensaoDaFoto->currentIndex(), c.para) << c.papel << " " << c.de;
        EXPECT_EQ(janela->Pagina(0).TipoDoPapel, c.papel);
        EXPECT_EQ(janela->Pagina(0).frameCount(), 0);
        EXPECT_TRUE(janela->Modificado()) << c.papel << " " << c.de;
    }
}

// Also run on an 800 x 600 screen (tests/CMakeLists.txt): the smallest the program accepts, which
// it advises against.
TEST(OuterSize, TheMainWindowFitsTheScreenWithItsTitleBar)
{
    for (bool maximizada : {false, true}) {
        PrepararConfiguracoes(maximizada);
        AtendenteCom atendente({6});
        auto janela = NovaJanela();
        ASSERT_EQ(janela->isMaximized(), maximizada);
        const QRect tela = janela->screen()->availableGeometry();
        if (!maximizada) {
            EXPECT_EQ(janela->frameGeometry().size(), QSize(800, 600));
        }
        EXPECT_TRUE(tela.contains(janela->frameGeometry())) << maximizada;
        const QRect barra(janela->stbEstado->mapToGlobal(QPoint(0, 0)), janela->stbEstado->size());
        EXPECT_TRUE(tela.contains(barra)) << maximizada << " " << barra.bottom();
        EXPECT_EQ(janela->stbEstado->geometry().bottom(), janela->rect().bottom()) << maximizada;
    }
}

using SizeLists = PageView;

TEST_F(SizeLists, AlwaysShowThePagesRealTypes)
{
    TPagina& pagina = janela->Pagina(0);
    // The page's own size, which the photo list does not offer, and which has no size: no paper
    // chosen can lay it out, and the page stays as it was.
    pagina.TipoDaFoto = 7;
    pagina.TamanhoPersonalizado1 = 0;
    pagina.TamanhoPersonalizado2 = 0;
    Redesenhar();
    ASSERT_EQ(janela->cbxDimensaoDaFoto->currentIndex(), -1);
    const std::int32_t larguraAntes = pagina.Right;
    const int molduras = pagina.frameCount();
    EscolherNaLista(janela->cbxDimensaoDoPapel, 2);
    ASSERT_EQ(pagina.Right, larguraAntes);
    ASSERT_EQ(pagina.frameCount(), molduras);
    // The page's paper type and the items the two lists show.
    const auto tipos = [&] {
        return QList<int>{pagina.TipoDoPapel, janela->cbxDimensaoDoPapel->currentIndex(), janela->cbxDimensaoDaFoto->currentIndex()};
    };
    EXPECT_EQ(tipos(), (QList<int>{0, 0, -1}));

    // With a size it is laid out on the new paper, and the list shows it.
    pagina.TamanhoPersonalizado1 = 80;
    pagina.TamanhoPersonalizado2 = 60;
    EscolherNaLista(janela->cbxDimensaoDoPapel, 2);
    EXPECT_NE(pagina.Right, larguraAntes);
    EXPECT_EQ(tipos(), (QList<int>{2, 2, -1}));
}

TEST_F(SizeLists, ListsSetFromCodeLayNothingOutAndACustomSizeShowsNoSelection)
{
    // A hand-made page whose types differ from what the lists show: its frames and names must
    // stay exactly as they are when the program sets the lists.
    TPagina& pagina = janela->Pagina(0);
    pagina.Fotos.resize(2);
    pagina.Fotos[0] = TFoto{3, 4, 50, 60, 1, FotoDeTeste(QStringLiteral("um.bmp"), 20, 16, Qt::red)};
    pagina.Fotos[1] = TFoto{70, 80, 200, 290, 2, FotoDeTeste(QStringLiteral("dois.bmp"), 20, 16, Qt::blue)};
    pagina.TipoDoPapel = 1;
    pagina.TipoDaFoto = 5;
    // The page's types, then each frame.
    const auto molduras = [&] {
        QStringList r{QStringLiteral("%1 %2").arg(pagina.TipoDoPapel).arg(pagina.TipoDaFoto)};
        for (const TFoto& f : pagina.Fotos)
            r << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(f.Left).arg(f.Top).arg(f.Right).arg(f.Bottom).arg(f.Ajuste).arg(f.NomeDoArquivo);
        return r;
    };
    const QStringList antes = molduras();
    Redesenhar();
    EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 1);
    EXPECT_EQ(janela->cbxDimensaoDaFoto->currentIndex(), 5);
    EXPECT_EQ(molduras(), antes);
    for (const auto& [lista, item] : {std::pair{janela->cbxDimensaoDoPapel, 2}, std::pair{janela->cbxDimensaoDaFoto, 0}}) {
        lista->setCurrentIndex(item);
        QApplication::processEvents();
        EXPECT_EQ(molduras(), antes) << "item " << item;
    }

    // A page of the custom size shows no photo item, and its legend stays; any choice in the photo
    // list then acts.
    janela->CriarNovoAlbumComUmaPaginaESemFotos();
    janela->Album().InserirPaginaDepois(0);
    janela->Pagina(1).TipoDoPapel = 2;
    janela->Pagina(1).TipoDaFoto = 7;
    Redesenhar();
    EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 2);
    EXPECT_EQ(janela->cbxDimensaoDaFoto->currentIndex(), -1);
    EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("4 Fotos Por Folha"));
    EscolherNaLista(janela->cbxDimensaoDaFoto, 2); // 10 x 15 on 10 x 15 paper
    EXPECT_EQ(janela->Pagina(1).TipoDaFoto, 2);
    EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("Uma Foto Por Folha"));
}

// The open size lists write in black whatever the desktop's colours (here white text).
TEST_F(SizeLists, TheOpenListsWriteInBlack)
{
    const QPalette antes = QApplication::palette();
    QPalette escura = antes;
    escura.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(escura);
    for (QComboBox* lista : {janela->cbxDimensaoDoPapel, janela->cbxDimensaoDaFoto}) {
        lista->showPopup();
        QApplication::processEvents();
        EXPECT_EQ(lista->view()->palette().color(QPalette::Text), QColor(Qt::black));
        lista->hidePopup();
    }
    QApplication::setPalette(antes);
}

} // namespace
} // namespace lumoria::test

