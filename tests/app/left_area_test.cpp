// The left area: the footer's photo count, the thumbnails' size, the drag picture, drops on the page
// and the insertion of many photos across new pages.
#include "main_window_fixture.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

#include "album/image_cache.h"
#include "app/drag_object.h"
#include "common/modal_helper.h"
#include "components/thumbnail_list.h"
#include "editing/photo_editor.h"
#include "platform/graphics/parallel.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/owner_drawn_menu.h"
#include "platform/ui/shell_list_view.h"
#include "support/picture_files.h"

namespace lumoria::test {
namespace {

class LeftArea : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepararConfiguracoes(false);
        janela = NovaJanela();
    }

    // A folder of n pictures of w x h named f00.bmp, f01.bmp, ...
    QString PastaComFotos(const QString& nome, int n, int w = 16, int h = 12)
    {
        const QString pasta = freshFolder(nome);
        for (int i = 0; i < n; ++i)
            writeFile(pasta + QStringLiteral("/f%1.bmp").arg(i, 2, 10, QLatin1Char('0')),
                      BmpBytes(SolidImage(w, h, QColor(20 * i % 255, 90, 160)), 24));
        return pasta;
    }

    void MostrarPasta(const QString& pasta)
    {
        janela->sheImagens->setRootFolder(pasta);
        janela->AtualizarMiniaturasDasFotosDeUmaPasta();
        janela->thuImagens->grab();
        janela->thuImagens->WaitForPictures();
    }

    // Selects the thumbnails of these names (the last one becomes the caret).
    void Selecionar(const QStringList& nomes)
    {
        TThumbnailList* lista = janela->thuImagens;
        lista->ClearSelection();
        for (int i = 0; i < lista->Thumbnails().Count(); ++i)
            if (nomes.contains(lista->Thumbnails()[i]->Caption())) {
                lista->SetSelected(i, true);
                lista->SetItemIndex(i);
            }
    }

    QString Caminho(const QString& pasta, int i) { return pasta + QStringLiteral("/f%1.bmp").arg(i, 2, 10, QLatin1Char('0')); }
    // The file of the k-th thumbnail (the list keeps the file system's order).
    QString NaLista(int k) { return janela->thuImagens->Thumbnails()[k]->Filename(); }

    // A drag of the caret thumbnail dropped on the page at a point, with the events a drag gives.
    void SoltarNaPagina(QPoint ponto)
    {
        std::unique_ptr<TControleArrastado> objeto(janela->thuImagensStartDrag());
        QWidget* alvo = janela->imgPaginaCentral;
        QDragEnterEvent entrada(ponto, Qt::CopyAction, objeto.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(alvo, &entrada);
        EXPECT_TRUE(entrada.isAccepted());
        QDragMoveEvent movimento(ponto, Qt::CopyAction, objeto.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(alvo, &movimento);
        QDropEvent soltura(QPointF(ponto), Qt::CopyAction, objeto.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(alvo, &soltura);
        EXPECT_TRUE(soltura.isAccepted());
        QApplication::processEvents();
    }

    std::unique_ptr<TfrmPrincipal> janela;
};

TEST_F(LeftArea, TheFooterCountsThePhotosOfTheSevenMasks)
{
    struct Caso {
        QStringList arquivos;
        QString rodape;
    } casos[] = {
        {{}, QStringLiteral("Esta Pasta Não Contém Fotos")},
        {{QStringLiteral("a.JPG"), QStringLiteral(".oculta.jpg"), QStringLiteral("b.png")}, QStringLiteral("Contém Uma Foto")},
        {{QStringLiteral("a.bmp"), QStringLiteral("b.jpeg"), QStringLiteral("c.Gif")}, QStringLiteral("Contém 3 Fotos")},
    };
    int n = 0;
    for (const Caso& c : casos) {
        const QString pasta = freshFolder(QStringLiteral("contagem%1").arg(n++));
        for (const QString& a : c.arquivos)
            writeFile(pasta + QLatin1Char('/') + a, "x");
        QDir().mkpath(pasta + QStringLiteral("/sub.jpg"));
        MostrarPasta(pasta);
        EXPECT_EQ(janela->pnlImagensRodape->caption(), c.rodape) << n;
    }
}

TEST_F(LeftArea, AFolderThatIsGoneLeavesTheListEmptyAndAsksForAFolder)
{
    const QString pasta = PastaComFotos(QStringLiteral("some"), 2);
    MostrarPasta(pasta);
    ASSERT_EQ(janela->thuImagens->Count(), 3 - 1);
    QDir(pasta).removeRecursively();
    janela->AtualizarMiniaturasDasFotosDeUmaPasta();
    EXPECT_EQ(janela->pnlImagensRodape->caption(), QStringLiteral("Selecione Pasta Com Fotos"));
    EXPECT_EQ(janela->thuImagens->Count(), 0);
}

TEST_F(LeftArea, BackShowsTheFolderAboveAndItsPhotos)
{
    const QString pasta = PastaComFotos(QStringLiteral("acima"), 1);
    QDir().mkpath(pasta + QStringLiteral("/dentro"));
    MostrarPasta(pasta + QStringLiteral("/dentro"));
    EXPECT_EQ(janela->pnlImagensRodape->caption(), QStringLiteral("Esta Pasta Não Contém Fotos"));
    QTest::mouseClick(janela->btnVoltarDiretorio, Qt::LeftButton, {}, janela->btnVoltarDiretorio->rect().center());
    EXPECT_EQ(janela->sheImagens->rootFolder(), pasta);
    EXPECT_EQ(janela->pnlImagensRodape->caption(), QStringLiteral("Contém Uma Foto"));
    EXPECT_EQ(janela->btnVoltarDiretorio->geometry(), QRect(181, 0, 40, 186));
}

TEST_F(LeftArea, AListTwoHundredTwentyWideGetsThumbnailsOfSeventyThree)
{
    MostrarPasta(PastaComFotos(QStringLiteral("tamanho"), 1));
    EXPECT_EQ(janela->thuImagens->width(), 220);
    EXPECT_EQ(janela->thuImagens->ThumbnailSize(), 73);
}

TEST_F(LeftArea, StartUpShowsThePhotosOfTheStartFolder)
{
    const QString inicio = platform::ShellListView::startFolder();
    QDir().mkpath(inicio);
    const QStringList nomes = {QStringLiteral("inicio-a.bmp"), QStringLiteral("inicio-b.bmp")};
    for (const QString& nome : nomes)
        writeFile(inicio + QLatin1Char('/') + nome, BmpBytes(SolidImage(8, 6, Qt::blue), 24));
    janela.reset();
    janela = NovaJanela();
    for (const QString& nome : nomes)
        QFile::remove(inicio + QLatin1Char('/') + nome);
    EXPECT_EQ(janela->pnlImagensRodape->caption(), QStringLiteral("Contém 2 Fotos"));
    EXPECT_EQ(janela->thuImagens->Count(), 2);
    EXPECT_EQ(janela->thuImagens->ThumbnailSize(), 73);
    EXPECT_EQ(janela->thuImagens->Columns(), 3);
}

TEST_F(LeftArea, TheDragPictureFitsTheThumbnailSquare)
{
    const QString pasta = freshFolder(QStringLiteral("arrasto"));
    writeFile(pasta + QStringLiteral("/largo.bmp"), BmpBytes(SolidImage(400, 300, Qt::red), 24));
    writeFile(pasta + QStringLiteral("/alto.bmp"), BmpBytes(SolidImage(300, 400, Qt::red), 24));
    writeFile(pasta + QStringLiteral("/quebrado.jpg"), "nada");
    MostrarPasta(pasta);
    struct Caso {
        QString nome;
        QSize tamanho;
        QColor cor;
    } casos[] = {{QStringLiteral("largo.bmp"), QSize(73, 55), Qt::red},
                 {QStringLiteral("alto.bmp"), QSize(55, 73), Qt::red},
                 {QStringLiteral("quebrado.jpg"), QSize(73, 73), QColor(128, 128, 128)}};
    for (const Caso& c : casos) {
        Selecionar({c.nome});
        std::unique_ptr<TControleArrastado> objeto(janela->thuImagensStartDrag());
        const QImage imagem = objeto->GetDragImages();
        EXPECT_EQ(imagem.size(), c.tamanho) << c.nome.toStdString();
        EXPECT_TRUE(Near(imagem.pixelColor(imagem.width() / 2, imagem.height() / 2), c.cor, 24)) << c.nome.toStdString();
        EXPECT_EQ(objeto->HotSpot(), QPoint(0, 0));
    }
}

TEST_F(LeftArea, APressOnASelectedThumbnailDragsAndTheDragFreesItsPicture)
{
    MostrarPasta(PastaComFotos(QStringLiteral("solta"), 2));
    const QRect celula = janela->thuImagens->ItemRect(0).translated(-janela->thuImagens->viewport()->pos());
    QTest::mouseClick(janela->thuImagens->viewport(), Qt::LeftButton, {}, celula.center());
    EXPECT_EQ(janela->thuImagens->SelCount(), 1);
    EXPECT_EQ(janela->thuImagens->ItemIndex(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TControleArrastado::Vivos(), 0);
}

TEST_F(LeftArea, ADropOnAFrameSetsItsPhotoKeepingItsFitMode)
{
    const QString pasta = PastaComFotos(QStringLiteral("soltura"), 3);
    MostrarPasta(pasta);
    janela->SetarFotoNaPaginaAtual(1, kFitCut, Caminho(pasta, 0));
    janela->Documento().setModified(false);
    Selecionar({QStringLiteral("f02.bmp")});
    SoltarNaPagina(CentroDaMoldura(*janela, 1));
    EXPECT_EQ(janela->Foto(0, 1).NomeDoArquivo, Caminho(pasta, 2));
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, kFitCut);
    EXPECT_TRUE(janela->Modificado());
    EXPECT_EQ(janela->Backups()[0].Moldura, 1);
    EXPECT_EQ(janela->MolduraSobOMouse(), 1);
}

TEST_F(LeftArea, ADropOnAGapChangesNothing)
{
    MostrarPasta(PastaComFotos(QStringLiteral("vao"), 2));
    Selecionar({QStringLiteral("f00.bmp")});
    janela->Documento().setModified(false);
    SoltarNaPagina(PixelDoMilimetro(*janela, 1, 1));
    for (int j = 0; j < janela->Pagina(0).frameCount(); ++j)
        EXPECT_TRUE(janela->Foto(0, j).NomeDoArquivo.isEmpty());
    EXPECT_FALSE(janela->Modificado());
    EXPECT_LT(janela->Backups()[0].Moldura, 0);
}

TEST_F(LeftArea, ADropWithTwoSelectedAsksToInsertThemEvenOutsideEveryFrame)
{
    MostrarPasta(PastaComFotos(QStringLiteral("duas"), 3));
    Selecionar({QStringLiteral("f00.bmp"), QStringLiteral("f01.bmp")});
    Atendente atendente;
    atendente.respostas = {7};
    SoltarNaPagina(PixelDoMilimetro(*janela, 1, 1));
    QTest::qWait(100);
    ASSERT_EQ(atendente.caixas.size(), 1);
    EXPECT_EQ(atendente.caixas[0].titulo, QStringLiteral("Confirmação Para Inserir Fotos Selecionadas Na Impressão"));
    EXPECT_EQ(atendente.caixas[0].texto,
              QStringLiteral("Lumoria v1.0\r\n\r\nHá 2 Foto(s) Selecionada(s) Nesta Pasta.\r\n\r\n"
                             "Se Você Prosseguir, Estas Fotos Serão Inseridas\r\nNo Papel a Imprimir a Partir Da "
                             "Página Atual.\r\n\r\nCaso Seja Necessário, Novas Páginas Serão Incluídas\r\nDe Forma a "
                             "Comportar Todas As Fotos.\r\n\r\nVocê Desejar Inserir As Fotos Selecionadas?"));
    EXPECT_EQ(atendente.caixas[0].botao1, QStringLiteral("Sim"));
    EXPECT_EQ(atendente.caixas[0].botao2, QStringLiteral("Não"));
    EXPECT_TRUE(janela->Foto(0, 0).NomeDoArquivo.isEmpty());
}

TEST_F(LeftArea, TenPhotosFromTheLastPageOfFourFramesAddPagesOfFourAndTwo)
{
    const QString pasta = PastaComFotos(QStringLiteral("dez"), 10);
    MostrarPasta(pasta);
    ASSERT_EQ(janela->Pagina(0).frameCount(), 4);
    janela->thuImagens->SelectAll();
    Atendente atendente;
    atendente.respostas = {6, 6};
    janela->mniInserirTodasSelecionadasClick();
    ASSERT_EQ(janela->Album().pageCount(), 3);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(janela->Foto(k / 4, k % 4).NomeDoArquivo, NaLista(k)) << k;
    EXPECT_EQ(janela->Pagina(2).frameCount(), 4);
    EXPECT_TRUE(janela->Foto(2, 2).NomeDoArquivo.isEmpty());
    EXPECT_EQ(janela->PaginaAtual(), 2);
    EXPECT_TRUE(janela->Modificado());
    EXPECT_TRUE(janela->isVisible());
    ASSERT_EQ(atendente.caixas.size(), 2);
    EXPECT_EQ(atendente.caixas[1].titulo, QStringLiteral("Informando Sobre Inserção de Páginas Adicionais"));
    EXPECT_EQ(atendente.caixas[1].texto,
              QStringLiteral("Lumoria v1.0\r\n\r\nForam Inseridas As 10 Foto(s) Selecionadas.\r\n\r\n"
                             "Para Isto Foi Necessário Incluir Também Mais\r\n2 Página(s) Adicionais."));
    EXPECT_EQ(atendente.caixas[1].botao2, QString());
    EXPECT_EQ(atendente.inesperadas, 0);
    // Ten placements, ten undo records.
    for (int k = 0; k < 10; ++k)
        EXPECT_GE(janela->Backups()[std::size_t(k)].Moldura, 0);
    EXPECT_LT(janela->Backups()[10].Moldura, 0);
}

TEST_F(LeftArea, TheInsertionHandlesEventsWhileEachBatchOfPhotosIsRead)
{
    // Each photo read ahead waits until the GUI thread has handled an event posted meanwhile: the
    // progress window repaints and answers while a batch is read, not only between photos.
    const QString pasta = PastaComFotos(QStringLiteral("lotes"), 2 * platform::PixelThreads() + 1);
    MostrarPasta(pasta);
    janela->thuImagens->SelectAll();
    std::atomic<int> lidas{0};
    std::atomic<int> atendidas{0};
    DefinirAoLerAntecipado([&] {
        ++lidas;
        auto tratado = std::make_shared<std::promise<void>>();
        std::future<void> feito = tratado->get_future();
        QMetaObject::invokeMethod(qApp, [tratado] { tratado->set_value(); }, Qt::QueuedConnection);
        // A bound only against a GUI thread that never comes back to its events.
        if (feito.wait_for(std::chrono::seconds(10)) == std::future_status::ready)
            ++atendidas;
    });
    Atendente atendente;
    atendente.respostas = {6, 6};
    janela->mniInserirTodasSelecionadasClick();
    DefinirAoLerAntecipado({});
    EXPECT_EQ(lidas, 2 * platform::PixelThreads() + 1);
    EXPECT_EQ(atendidas, lidas);
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, NaLista(0));
}

TEST_F(LeftArea, PagesAddedFromTheFirstOfThreeComeBeforeTheOldSecondPage)
{
    const QString pasta = PastaComFotos(QStringLiteral("seis"), 6);
    MostrarPasta(pasta);
    janela->Album().InserirPaginaDepois(0);
    janela->SetarFotoNaPaginaAtual(0, kFitStretch, Caminho(pasta, 0));
    janela->Album().InserirPaginaDepois(1);
    janela->Documento().setCurrentPageIndex(0);
    janela->AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
    janela->thuImagens->SelectAll();
    Atendente atendente;
    atendente.respostas = {6, 6};
    janela->mniInserirTodasSelecionadasClick();
    ASSERT_EQ(janela->Album().pageCount(), 4);
    EXPECT_EQ(janela->Foto(1, 1).NomeDoArquivo, NaLista(5));
    EXPECT_EQ(janela->Foto(2, 0).NomeDoArquivo, Caminho(pasta, 0));
    EXPECT_EQ(janela->PaginaAtual(), 1);
}

TEST_F(LeftArea, FourPhotosOnAPageOfFourAddNoPageAndNoClosingBox)
{
    MostrarPasta(PastaComFotos(QStringLiteral("quatro"), 4));
    janela->thuImagens->SelectAll();
    Atendente atendente;
    atendente.respostas = {6};
    janela->mniInserirTodasSelecionadasClick();
    EXPECT_EQ(janela->Album().pageCount(), 1);
    EXPECT_EQ(atendente.caixas.size(), 1);
    EXPECT_EQ(atendente.inesperadas, 0);
}

TEST_F(LeftArea, AnInsertionOnAPageWithoutFramesIsRefused)
{
    MostrarPasta(PastaComFotos(QStringLiteral("semlugar"), 3));
    EscolherNaLista(janela->cbxDimensaoDoPapel, 2);
    EscolherNaLista(janela->cbxDimensaoDaFoto, 0);
    ASSERT_EQ(janela->Pagina(0).frameCount(), 0);
    janela->thuImagens->SelectAll();
    Atendente atendente;
    atendente.respostas = {6};
    janela->mniInserirTodasSelecionadasClick();
    EXPECT_EQ(janela->Album().pageCount(), 1);
    ASSERT_EQ(atendente.caixas.size(), 1);
    EXPECT_EQ(atendente.caixas[0].texto, QStringLiteral("Lumoria v1.0\r\n\r\nNão Cabe Sequer Uma Foto Nesta Página."));
    EXPECT_EQ(atendente.caixas[0].botao2, QString());
}

TEST_F(LeftArea, ADoubleClickOpensTheCaretThumbnailInThePhotoEditorAndChangesNoFrame)
{
    const QString pasta = PastaComFotos(QStringLiteral("editar"), 2);
    MostrarPasta(pasta);
    QString titulo;
    WhenModal([&](QWidget* w) {
        if (auto* editor = qobject_cast<TfrmEditarFotosEfeitos*>(w)) {
            titulo = editor->windowTitle();
            editor->close();
        }
    });
    const QRect celula = janela->thuImagens->ItemRect(1).translated(-janela->thuImagens->viewport()->pos());
    QTest::mouseDClick(janela->thuImagens->viewport(), Qt::LeftButton, {}, celula.center());
    EXPECT_EQ(titulo, QStringLiteral("Editor de Fotos e Efeitos - ") + NaLista(1));
    EXPECT_FALSE(janela->Modificado());
}

TEST_F(LeftArea, TheThumbnailMenuEnablesBySelection)
{
    MostrarPasta(PastaComFotos(QStringLiteral("menu"), 3));
    janela->thuImagens->ClearSelection();
    janela->mnmMenuFotoNaMiniaturaPopup();
    EXPECT_FALSE(janela->mniInserirTodasSelecionadas->isEnabled());
    EXPECT_TRUE(janela->mniSelecionarTodasMiniaturas->isEnabled());
    EXPECT_FALSE(janela->mniSelecionarNenhumaMiniatura->isEnabled());
    janela->mniSelecionarTodasMiniaturasClick();
    EXPECT_EQ(janela->thuImagens->SelCount(), 3);
    janela->mnmMenuFotoNaMiniaturaPopup();
    EXPECT_TRUE(janela->mniInserirTodasSelecionadas->isEnabled());
    EXPECT_FALSE(janela->mniSelecionarTodasMiniaturas->isEnabled());
    janela->mniSelecionarNenhumaMiniaturaClick();
    EXPECT_EQ(janela->thuImagens->SelCount(), 0);

    // The right button opens it over the list.
    const QRect celula = janela->thuImagens->ItemRect(0).translated(-janela->thuImagens->viewport()->pos());
    QTest::mouseClick(janela->thuImagens->viewport(), Qt::RightButton, {}, celula.center());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), static_cast<QWidget*>(janela->mnmMenuFotoNaMiniatura));
    janela->mnmMenuFotoNaMiniatura->close();
    int largura = 0, altura = 0;
    janela->DesenharItemDeMenuOnMeasure(janela->mniInserirTodasSelecionadas, largura, altura);
    EXPECT_EQ(QSize(largura, altura), QSize(280, 20));
}

TEST_F(LeftArea, TheRightButtonOpensTheMenuWithoutTouchingTheSelection)
{
    MostrarPasta(PastaComFotos(QStringLiteral("direito"), 3));
    Selecionar({NaLista(0).section(QLatin1Char('/'), -1), NaLista(1).section(QLatin1Char('/'), -1)});
    const QRect celula = janela->thuImagens->ItemRect(2).translated(-janela->thuImagens->viewport()->pos());
    QTest::mouseClick(janela->thuImagens->viewport(), Qt::RightButton, {}, celula.center());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), static_cast<QWidget*>(janela->mnmMenuFotoNaMiniatura));
    EXPECT_EQ(janela->thuImagens->SelCount(), 2);
    EXPECT_FALSE(janela->thuImagens->Selected(2));
    EXPECT_EQ(janela->thuImagens->ItemIndex(), 1);
    EXPECT_TRUE(janela->mniInserirTodasSelecionadas->isEnabled());
    janela->mnmMenuFotoNaMiniatura->close();
}

} // namespace
} // namespace lumoria::test
