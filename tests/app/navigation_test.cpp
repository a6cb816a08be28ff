// Moving between pages with the buttons and the keys, and the page-control window.
#include "main_window_fixture.h"

#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>

#include "app/page_control_window.h"
#include "common/modal_helper.h"
#include "platform/ui/caption_panel.h"

namespace lumoria::test {
namespace {

class Navigation : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    }
    // A key pressed and let go over the page, as the operator types it.
    void Tecla(Qt::Key tecla)
    {
        QTest::keyClick(janela->imgPaginaCentral, tecla);
        QApplication::processEvents();
    }
    QString Numero() const { return janela->lblNumeroDaPagina->text(); }
};

TEST_F(Navigation, TheFourMovesAndTheirKeysAndAMoveThatDoesNotApplyDoesNotRedraw)
{
    struct Caso {
        int de;
        Qt::Key tecla;
        TFancyButton* TfrmPrincipal::*botao;
        int para;
    } casos[] = {
        {2, Qt::Key_Home, &TfrmPrincipal::spdPaginaInicial, 0},
        {2, Qt::Key_PageUp, &TfrmPrincipal::spdPaginaAnterior, 1},
        {0, Qt::Key_PageUp, &TfrmPrincipal::spdPaginaAnterior, 0},
        {0, Qt::Key_Home, &TfrmPrincipal::spdPaginaInicial, 0},
        {1, Qt::Key_PageDown, &TfrmPrincipal::spdPaginaSeguinte, 2},
        {3, Qt::Key_PageDown, &TfrmPrincipal::spdPaginaSeguinte, 3},
        {0, Qt::Key_End, &TfrmPrincipal::spdPaginaFinal, 3},
        {3, Qt::Key_End, &TfrmPrincipal::spdPaginaFinal, 3},
    };
    Paginas(4, 0);
    for (const Caso& c : casos) {
        for (bool porTecla : {false, true}) {
            janela->Documento().setCurrentPageIndex(c.de);
            Redesenhar();
            // The label is the refresh's first step: only a move that applies rewrites it.
            janela->lblNumeroDaPagina->setText(QStringLiteral("marca"));
            if (porTecla)
                Tecla(c.tecla);
            else
                Clicar(janela.get()->*c.botao);
            EXPECT_EQ(janela->PaginaAtual(), c.para) << c.de << " key " << porTecla;
            EXPECT_EQ(Numero(), c.de == c.para ? QStringLiteral("marca") : QStringLiteral("%1 de 4").arg(c.para + 1))
                << c.de << " key " << porTecla;
        }
    }
}

TEST_F(Navigation, AnAutoRepeatedPageDownMovesOnePage)
{
    Paginas(5, 0);
    const auto enviar = [&](QEvent::Type tipo, bool repetida) {
        QKeyEvent evento(tipo, Qt::Key_PageDown, Qt::NoModifier, QString(), repetida);
        QApplication::sendEvent(janela->imgPaginaCentral, &evento);
    };
    enviar(QEvent::KeyPress, false);
    for (int i = 0; i < 4; ++i) {
        enviar(QEvent::KeyRelease, true);
        enviar(QEvent::KeyPress, true);
    }
    EXPECT_EQ(janela->PaginaAtual(), 0);
    enviar(QEvent::KeyRelease, false);
    EXPECT_EQ(janela->PaginaAtual(), 1);
}

TEST_F(Navigation, PageKeysMoveThePageAndNeverAFocusedSizeList)
{
    const struct {
        QComboBox* TfrmPrincipal::*lista;
        Qt::Key tecla;
        int para;
    } casos[] = {
        {&TfrmPrincipal::cbxDimensaoDoPapel, Qt::Key_PageDown, 2}, {&TfrmPrincipal::cbxDimensaoDoPapel, Qt::Key_PageUp, 0},
        {&TfrmPrincipal::cbxDimensaoDoPapel, Qt::Key_End, 3},      {&TfrmPrincipal::cbxDimensaoDoPapel, Qt::Key_Home, 0},
        {&TfrmPrincipal::cbxDimensaoDaFoto, Qt::Key_PageDown, 2},  {&TfrmPrincipal::cbxDimensaoDaFoto, Qt::Key_PageUp, 0},
        {&TfrmPrincipal::cbxDimensaoDaFoto, Qt::Key_End, 3},       {&TfrmPrincipal::cbxDimensaoDaFoto, Qt::Key_Home, 0},
    };
    Paginas(4, 1);
    for (int i = 0; i < 4; ++i) {
        // Page 1 on 10 x 15 paper with 5 x 7 photos: the lists' middle items, so a key can move either way.
        janela->Pagina(i).TipoDoPapel = i == 1 ? 2 : 0;
        janela->Pagina(i).TipoDaFoto = i == 1 ? 4 : 3;
    }
    for (const auto& c : casos) {
        janela->Documento().setCurrentPageIndex(1);
        Redesenhar();
        janela->Documento().setModified(false);
        QComboBox* lista = janela.get()->*c.lista;
        lista->setFocus();
        ASSERT_TRUE(lista->hasFocus());
        QTest::keyClick(lista, c.tecla);
        QApplication::processEvents();
        EXPECT_EQ(janela->PaginaAtual(), c.para) << lista->objectName().toStdString() << " " << c.tecla;
        EXPECT_EQ(janela->Pagina(1).TipoDoPapel, 2) << c.tecla;
        EXPECT_EQ(janela->Pagina(1).TipoDaFoto, 4) << c.tecla;
        EXPECT_EQ(janela->Pagina(c.para).TipoDoPapel, c.para == 1 ? 2 : 0) << c.tecla;
        EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), janela->Pagina(c.para).TipoDoPapel) << c.tecla;
        EXPECT_EQ(janela->cbxDimensaoDaFoto->currentIndex(), janela->Pagina(c.para).TipoDaFoto) << c.tecla;
        EXPECT_FALSE(janela->Modificado()) << c.tecla;
    }
}

TEST_F(Navigation, EachMoveForgetsTheNamesRememberedOnTheOldPage)
{
    const struct {
        int de;
        Qt::Key tecla;
        int para;
    } casos[] = {{0, Qt::Key_PageDown, 1}, {0, Qt::Key_End, 1}, {1, Qt::Key_PageUp, 0}, {1, Qt::Key_Home, 0}};
    for (const auto& c : casos) {
        janela->CriarNovoAlbumComUmaPaginaESemFotos();
        Paginas(2, c.para);
        AlbumDocument& doc = janela->Documento();
        // The new page holds one frame; the old one is laid out afresh.
        doc.currentPage().TipoDaFoto = 0;
        doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(false, {0, 0});
        doc.setCurrentPageIndex(c.de);
        // Four photos on the old page, three of them then kept only by the buffer.
        doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true, {0, 3});
        ASSERT_EQ(doc.currentPage().frameCount(), 4);
        for (int j = 0; j < 4; ++j)
            doc.currentPage().Foto(j).NomeDoArquivo = QStringLiteral("/fotos/%1.jpg").arg(j);
        doc.currentPage().TipoDaFoto = 0;
        doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true, {0, 0});
        Tecla(c.tecla);
        ASSERT_EQ(janela->PaginaAtual(), c.para);
        ASSERT_EQ(doc.currentPage().frameCount(), 1);
        doc.currentPage().TipoDaFoto = 3;
        doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true, {0, 3});
        for (int j = 0; j < doc.currentPage().frameCount(); ++j)
            EXPECT_TRUE(doc.currentPage().Foto(j).NomeDoArquivo.isEmpty()) << c.de << " " << j;
    }
}

// Opens the page-control window with the button and runs what to do on it.
void AbrirControle(TfrmPrincipal& janela, std::function<void(TfrmControlarPaginas*)> fazer)
{
    bool visto = false;
    WhenModal([&](QWidget* w) {
        auto* janelaDePaginas = As<TfrmControlarPaginas>(w);
        ASSERT_NE(janelaDePaginas, nullptr);
        visto = true;
        fazer(janelaDePaginas);
    });
    Clicar(janela.spdPaginas);
    EXPECT_TRUE(visto);
}

TEST_F(Navigation, PageControlInsertsAndDeletesAndSairChangesNothing)
{
    const QString foto = FotoDeTeste(QStringLiteral("p.bmp"), 8, 8, Qt::red);
    struct Caso {
        int paginas, atual;
        TFancyButton* TfrmControlarPaginas::*botao;
        QString rotulo;
        int paginasDepois;
        QString numero;
        int paginaDaFoto; // where the photo of the page shown before ends, -1 deleted
    } casos[] = {
        {4, 2, &TfrmControlarPaginas::spdInserirPaginaAntes, QStringLiteral("Página Atual: 3 de 4"), 5, QStringLiteral("3 de 5"), 3},
        {3, 0, &TfrmControlarPaginas::spdInserirPaginaDepois, QStringLiteral("Página Atual: 1 de 3"), 4, QStringLiteral("2 de 4"), 0},
        {3, 0, &TfrmControlarPaginas::spdEliminarPagina, QStringLiteral("Página Atual: 1 de 3"), 2, QStringLiteral("1 de 2"), -1},
        {3, 2, &TfrmControlarPaginas::spdEliminarPagina, QStringLiteral("Página Atual: 3 de 3"), 2, QStringLiteral("2 de 2"), -1},
        // One page: delete is disabled, and Sair changes nothing, not even the page view.
        {1, 0, &TfrmControlarPaginas::spdSair, QStringLiteral("Página Atual: 1 de 1"), 1, QStringLiteral("marca"), 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.rotulo.toStdString() + " -> " + c.numero.toStdString());
        janela->CriarNovoAlbumComUmaPaginaESemFotos();
        Paginas(c.paginas, c.atual);
        janela->SetarFotoNaPaginaAtual(0, kFitStretch, foto);
        janela->Documento().setModified(false);
        janela->lblNumeroDaPagina->setText(QStringLiteral("marca"));
        QString rotulo;
        AbrirControle(*janela, [&](TfrmControlarPaginas* w) {
            rotulo = w->lblNumeroDaPagina->text();
            EXPECT_EQ(w->spdEliminarPagina->isEnabled(), c.paginas > 1);
            EXPECT_EQ(w->windowTitle(), QStringLiteral("Controle de Páginas"));
            EXPECT_EQ(w->size(), QSize(584, 235));
            Clicar(w->*c.botao);
        });
        EXPECT_EQ(rotulo, c.rotulo);
        ASSERT_EQ(janela->Album().pageCount(), c.paginasDepois);
        EXPECT_EQ(Numero(), c.numero);
        for (int p = 0; p < c.paginasDepois; ++p)
            EXPECT_EQ(janela->Foto(p, 0).NomeDoArquivo.isEmpty(), p != c.paginaDaFoto) << p;
        EXPECT_EQ(janela->Modificado(), c.paginasDepois != c.paginas);
    }
}

TEST_F(Navigation, TheLegendFollowsThePageShown)
{
    // Page 0 of four frames (A4, 9 x 12) and page 1 of one (A4, 18 x 27); each case starts with the
    // legend of the other page than the one it ends on.
    const QString legenda4 = QStringLiteral("4 Fotos Por Folha");
    const QString legenda1 = QStringLiteral("Uma Foto Por Folha");
    auto montar = [&] {
        janela->CriarNovoAlbumComUmaPaginaESemFotos();
        Paginas(2, 1);
        janela->Documento().currentPage().TipoDaFoto = 0;
        janela->Documento().CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(false, {0, 0});
        ASSERT_EQ(janela->Pagina(1).frameCount(), 1);
        ASSERT_EQ(janela->Pagina(0).frameCount(), 4);
        ASSERT_EQ(janela->pnlLegendaQtdFotos->caption(), legenda1);
    };
    const QString trabalho = home() + QStringLiteral("/legenda.pvo");
    const QString foto = FotoDeTeste(QStringLiteral("legenda.bmp"), 8, 8, Qt::red);
    const struct {
        const char* nome;
        std::function<void()> fazer;
        int pagina;
        QString legenda;
    } casos[] = {
        {"Home", [&] { Tecla(Qt::Key_Home); }, 0, legenda4},
        {"first page button", [&] { Clicar(janela->spdPaginaInicial); }, 0, legenda4},
        {"PageDown from page 0",
         [&] {
             janela->Documento().setCurrentPageIndex(0);
             janela->Documento().CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(false, {0, 3});
             Tecla(Qt::Key_PageDown);
         },
         1, legenda1},
        {"undo of a placement on page 0",
         [&] {
             janela->Documento().setCurrentPageIndex(0);
             janela->Documento().SetarFotoNaPaginaAtual(2, kFitStretch, foto);
             janela->Documento().setCurrentPageIndex(1);
             janela->spdDesfazerClick();
         },
         0, legenda4},
        {"page control deleting page 1",
         [&] {
             AbrirControle(*janela, [](TfrmControlarPaginas* w) { Clicar(w->spdEliminarPagina); });
         },
         0, legenda4},
        {"reading a job saved on its page 1",
         [&] {
             QFile::remove(trabalho);
             ASSERT_TRUE(janela->GravarAlbumEmFormatoProprietarioPVO(trabalho));
             janela->Documento().setCurrentPageIndex(0);
             janela->Documento().CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(false, {0, 3});
             janela->LerAlbum(trabalho);
         },
         1, legenda1},
    };
    for (const auto& c : casos) {
        montar();
        c.fazer();
        EXPECT_EQ(janela->PaginaAtual(), c.pagina) << c.nome;
        EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), c.legenda) << c.nome;
    }
}

} // namespace
} // namespace lumoria::test
