// The left area: the footer's photo count, the thumbnails' size, the drag picture, drops on the page
// and the insertion of many photos across new pages.
#include "main_window_fixture.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QIcon>
#include <QTimer>
#include <QCloseEvent>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

#include "album/image_cache.h"
#include "app/drag_object.h"
#include "common/modal_helper.h"
#include "common/small_dialogs.h"
#include "components/thumbnail_list.h"
#include "editing/photo_editor.h"
#include "platform/graphics/parallel.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/owner_drawn_menu.h"
#include "platform/ui/shell_list_view.h"
#include "platform/ui/status_bar.h"
#include "support/picture_files.h"

#include <iostream>

namespace lumoria::test {
namespace {

class LeftArea : public JanelaPrincipal {
protected:
    // A folder of n pictures of w x h named f00.bmp, f01.bmp, ...
    QString PastaComFotos(const QString& nome, int n, int w = 16, int h = 12)
    {
        const QString pasta = freshFolder(nome);
        for (int i = 0; i < n; ++i)
            writeFile(Caminho(pasta, i), BmpBytes(SolidImage(w, h, QColor(20 * i % 255, 90, 160)), 24));
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
    // The middle of the k-th thumbnail's cell on the list's viewport.
    QPoint Celula(int k) { return janela->thuImagens->ItemRect(k).translated(-janela->thuImagens->viewport()->pos()).center(); }
    // Selects every thumbnail and runs the multiple insertion; returns its boxes, answered as given.
    QList<CaixaVista> InserirTodas(const QList<int>& respostas)
    {
        janela->thuImagens->SelectAll();
        return Respondendo(respostas, [this] { janela->mniInserirTodasSelecionadasClick(); });
    }
    // The file of the k-th thumbnail.
    QString NaLista(int k) { return janela->thuImagens->Thumbnails()[k]->Filename(); }

    // The entries the shell list shows, once it shows n of them.
    static QStringList NomesNaLista(const platform::ShellListView* lista, int n)
    {
        const auto linhas = [lista] { return lista->model()->rowCount(lista->rootIndex()); };
        EXPECT_TRUE(QTest::qWaitFor([&] { return linhas() == n; }, 5000));
        QStringList nomes;
        for (int r = 0; r < linhas(); ++r)
            nomes << lista->model()->index(r, 0, lista->rootIndex()).data().toString();
        return nomes;
    }

    // A drag of the caret thumbnail dropped on the page at a point, with the events a drag gives.
    void SoltarNaPagina(QPoint ponto)
    {
        std::unique_ptr<TControleArrastado> objeto(janela->thuImagensStartDrag());
        EXPECT_TRUE(Soltar(janela->imgPaginaCentral, ponto, objeto.get()));
    }
};

TEST_F(LeftArea, TheFooterCountsThePhotosOfTheSevenMasksOrAsksForAFolderThatIsGone)
{
    struct Caso {
        QStringList arquivos;
        bool apagada; // the folder removed after it was shown
        QString rodape;
    } casos[] = {
        {{}, false, QStringLiteral("Esta Pasta Não Contém Fotos")},
        {{QStringLiteral("a.JPG"), QStringLiteral(".oculta.jpg"), QStringLiteral("b.png")}, false, QStringLiteral("Contém Uma Foto")},
        {{QStringLiteral("a.bmp"), QStringLiteral("b.jpeg"), QStringLiteral("c.Gif")}, false, QStringLiteral("Contém 3 Fotos")},
        {{QStringLiteral("a.bmp"), QStringLiteral("b.jpeg")}, true, QStringLiteral("Selecione Pasta Com Fotos")},
    };
    int n = 0;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.rodape.toStdString());
        const QString pasta = freshFolder(QStringLiteral("contagem%1").arg(n++));
        for (const QString& a : c.arquivos)
            writeFile(pasta + QLatin1Char('/') + a, "x");
        QDir().mkpath(pasta + QStringLiteral("/sub.jpg"));
        MostrarPasta(pasta);
        if (c.apagada) {
            ASSERT_GT(janela->thuImagens->Count(), 0);
            QDir(pasta).removeRecursively();
            janela->AtualizarMiniaturasDasFotosDeUmaPasta();
            EXPECT_EQ(janela->thuImagens->Count(), 0);
        }
        EXPECT_EQ(janela->pnlImagensRodape->caption(), c.rodape);
    }
}

TEST_F(LeftArea, BackShowsTheFolderAboveAndItsPhotos)
{
    const QString pasta = PastaComFotos(QStringLiteral("acima"), 1);
    QDir().mkpath(pasta + QStringLiteral("/dentro"));
    MostrarPasta(pasta + QStringLiteral("/dentro"));
    EXPECT_EQ(janela->pnlImagensRodape->caption(), QStringLiteral("Esta Pasta Não Contém Fotos"));
    Clicar(janela->btnVoltarDiretorio);
    EXPECT_EQ(janela->sheImagens->rootFolder(), pasta);
    EXPECT_EQ(janela->pnlImagensRodape->caption(), QStringLiteral("Contém Uma Foto"));
    EXPECT_EQ(janela->btnVoltarDiretorio->geometry(), QRect(181, 0, 40, 186));
}

TEST_F(LeftArea, SixThumbnailsStandInRowsOfThreeInListOrder)
{
    // As the program starts on this screen: maximised, photos of six colours.
    janela.reset();
    PrepararConfiguracoes(true);
    janela = NovaJanela();
    const QRect tela = QGuiApplication::primaryScreen()->geometry();
    std::cout << "screen " << tela.width() << "x" << tela.height() << std::endl;
    const QColor cores[] = {Qt::red, Qt::green, Qt::yellow, Qt::cyan, Qt::magenta, Qt::blue};
    const QString pasta = freshFolder(QStringLiteral("seis"));
    for (int i = 0; i < 6; ++i)
        writeFile(pasta + QStringLiteral("/cor%1.bmp").arg(i), BmpBytes(SolidImage(30, 30, cores[i]), 24));
    MostrarPasta(pasta);
    TThumbnailList* lista = janela->thuImagens;
    ASSERT_EQ(lista->Count(), 6);
    const QImage imagem = lista->grab().toImage();
    const QRect c0 = lista->ItemRect(0);
    for (int i = 0; i < 6; ++i) {
        const QRect c = lista->ItemRect(i);
        EXPECT_EQ(c.topLeft(), c0.topLeft() + QPoint((i % 3) * c0.width(), (i / 3) * c0.height())) << i;
        EXPECT_LE(c.right(), lista->viewport()->geometry().right()) << i;
        // The cell shows its own item's photo (its file's colour).
        const int n = lista->Thumbnails()[i]->Filename().right(5).left(1).toInt();
        EXPECT_TRUE(Parecida(imagem.pixelColor(c.center()), cores[n])) << i;
    }
}

TEST(LeftAreaScreens, SixThumbnailsStandInRowsOfThreeOnAFullHdScreen)
{
    // The screen is fixed when the program starts: the same check runs in a program of its own.
    const QString config = freshFolder(QStringLiteral("tela-fhd")) + QStringLiteral("/tela.json");
    writeFile(config, R"({"screens":[{"name":"s","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1}]})");
    QProcess filho;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
    ambiente.insert(QStringLiteral("LUMORIA_TEST_KEEP_PLATFORM"), QStringLiteral("1"));
    filho.setProcessEnvironment(ambiente);
    filho.setProcessChannelMode(QProcess::MergedChannels);
    filho.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=LeftArea.SixThumbnailsStandInRowsOfThreeInListOrder")});
    ASSERT_TRUE(filho.waitForFinished(120000));
    const QString saida = QString::fromLocal8Bit(filho.readAll());
    EXPECT_EQ(filho.exitCode(), 0) << saida.toStdString();
    EXPECT_TRUE(saida.contains(QStringLiteral("screen 1920x1080"))) << saida.toStdString();
    EXPECT_TRUE(saida.contains(QStringLiteral("[  PASSED  ] 1 test"))) << saida.toStdString();
}

TEST_F(LeftArea, TheShellListShowsTheIconThemesFolderAndPictureIcons)
{
    // The theme's own 16 x 16 pictures, as the setup installs them (adwaita-icon-theme).
    const auto doTema = [](const QString& nome) {
        const QString arquivo = QStandardPaths::locate(QStandardPaths::GenericDataLocation, "icons/Adwaita/16x16/" + nome);
        EXPECT_FALSE(arquivo.isEmpty()) << "adwaita-icon-theme is not installed";
        return QImage(arquivo).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage pastaEsperada = doTema(QStringLiteral("places/folder.png"));
    const QImage fotoEsperada = doTema(QStringLiteral("mimetypes/image-x-generic.png"));

    const QString pasta = freshFolder(QStringLiteral("icones"));
    QDir().mkpath(pasta + QStringLiteral("/Viagem"));
    writeFile(pasta + QStringLiteral("/praia.jpg"), BmpBytes(SolidImage(4, 4, Qt::red), 24));
    writeFile(pasta + QStringLiteral("/mapa.BMP"), BmpBytes(SolidImage(4, 4, Qt::red), 24));
    janela->sheImagens->setRootFolder(pasta);
    // The list shows the file model through its name order.
    auto* ordem = qobject_cast<QSortFilterProxyModel*>(janela->sheImagens->model());
    ASSERT_NE(ordem, nullptr);
    auto* modelo = qobject_cast<QFileSystemModel*>(ordem->sourceModel());
    ASSERT_NE(modelo, nullptr);
    const auto icone = [&](const QString& nome) {
        const QIcon i = modelo->data(modelo->index(pasta + QLatin1Char('/') + nome), Qt::DecorationRole).value<QIcon>();
        return i.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    // The list learns the entries' icons in the background.
    const bool iguais = QTest::qWaitFor([&] {
        return icone(QStringLiteral("Viagem")) == pastaEsperada && icone(QStringLiteral("praia.jpg")) == fotoEsperada
               && icone(QStringLiteral("mapa.BMP")) == fotoEsperada;
    }, 10000);
    EXPECT_TRUE(iguais);
    EXPECT_NE(pastaEsperada, fotoEsperada);
}

// The folder list reads its start folder once the window has been painted: the window shows no
// later for it, and the entries arrive as they always do, a moment after.
TEST_F(LeftArea, StartUpShowsThePhotosOfTheStartFolderAndListsItOnceTheWindowIsPainted)
{
    const QString inicio = platform::ShellListView::startFolder();
    QDir().mkpath(inicio + QStringLiteral("/Viagens"));
    const QStringList nomes = {QStringLiteral("lista-b.bmp"), QStringLiteral("Lista-a.bmp")};
    for (const QString& nome : nomes)
        writeFile(inicio + QLatin1Char('/') + nome, BmpBytes(SolidImage(8, 6, Qt::blue), 24));
    janela.reset();
    auto nova = std::make_unique<TfrmPrincipal>();
    EXPECT_EQ(nova->sheImagens->model(), nullptr) << "read before the window is on the screen";
    EXPECT_EQ(nova->sheImagens->rootFolder(), QDir(inicio).absolutePath());
    EXPECT_EQ(nova->thuImagens->Count(), 2) << "the thumbnails do not wait for the list";
    nova->show();
    QTRY_VERIFY(nova->sheImagens->model() != nullptr);
    const QStringList lista = NomesNaLista(nova->sheImagens, 3);
    QDir(inicio + QStringLiteral("/Viagens")).removeRecursively();
    for (const QString& nome : nomes)
        QFile::remove(inicio + QLatin1Char('/') + nome);
    EXPECT_EQ(lista, (QStringList{QStringLiteral("Viagens"), QStringLiteral("Lista-a.bmp"), QStringLiteral("lista-b.bmp")}));
    EXPECT_EQ(nova->sheImagens->selectedPath(), QString());
    EXPECT_EQ(nova->pnlImagensRodape->caption(), QStringLiteral("Contém 2 Fotos"));
    // A list 220 wide gets thumbnails of 73, three a row.
    EXPECT_EQ((QList<int>{nova->thuImagens->width(), nova->thuImagens->ThumbnailSize(), nova->thuImagens->Columns()}),
              (QList<int>{220, 73, 3}));
}

TEST_F(LeftArea, TheDragPictureFitsTheThumbnailSquare)
{
    const QString pasta = freshFolder(QStringLiteral("arrasto"));
    const auto bmp = [](int w, int h) { return BmpBytes(SolidImage(w, h, Qt::red), 24); };
    struct Caso {
        QString nome;
        QByteArray bytes;
        QSize tamanho;
        QColor cor;
    } casos[] = {{QStringLiteral("largo.bmp"), bmp(400, 300), QSize(73, 55), Qt::red},
                 {QStringLiteral("alto.bmp"), bmp(300, 400), QSize(55, 73), Qt::red},
                 {QStringLiteral("quebrado.jpg"), "nada", QSize(73, 73), QColor(128, 128, 128)},
                 // Pictures so thin that their side would round to no pixel keep one.
                 {QStringLiteral("fio.bmp"), bmp(400, 1), QSize(73, 1), Qt::red},
                 {QStringLiteral("poste.bmp"), bmp(1, 400), QSize(1, 73), Qt::red}};
    for (const Caso& c : casos)
        writeFile(pasta + QLatin1Char('/') + c.nome, c.bytes);
    MostrarPasta(pasta);
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
    QTest::mouseClick(janela->thuImagens->viewport(), Qt::LeftButton, {}, Celula(0));
    EXPECT_EQ(janela->thuImagens->SelCount(), 1);
    EXPECT_EQ(janela->thuImagens->ItemIndex(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TControleArrastado::Vivos(), 0);
}

TEST_F(LeftArea, TheStatusBarFollowsTheFrameUnderTheMouseAtOnce)
{
    const QString pasta = PastaComFotos(QStringLiteral("estado"), 2);
    MostrarPasta(pasta);
    const QString vazia = QStringLiteral("<<< Moldura Vazia e Disponível >>>");
    const QString trabalho = home() + QStringLiteral("/estado.pvo");
    janela->SetarFotoNaPaginaAtual(0, kFitStretch, Caminho(pasta, 1));
    ASSERT_TRUE(janela->GravarAlbumEmFormatoProprietarioPVO(trabalho));
    const struct {
        const char* nome;
        QString antes; // frame 0 before
        std::function<void()> fazer;
        QString depois;
    } casos[] = {
        {"a drop", QString(),
         [&] {
             Selecionar({QStringLiteral("f00.bmp")});
             SoltarNaPagina(CentroDaMoldura(*janela, 0));
         },
         Caminho(pasta, 0)},
        {"an editor's file put in the frame", QString(),
         [&] { janela->SetarFotoNaPaginaAtual(0, kFitStretch, Caminho(pasta, 1)); }, Caminho(pasta, 1)},
        {"Novo", Caminho(pasta, 0), [&] { janela->spdNovoTrabalhoClick(); }, vazia},
        {"reading a job", QString(), [&] { janela->LerAlbum(trabalho); }, Caminho(pasta, 1)},
    };
    for (const auto& c : casos) {
        janela->CriarNovoAlbumComUmaPaginaESemFotos();
        Redesenhar();
        if (!c.antes.isEmpty())
            janela->Foto(0, 0).NomeDoArquivo = c.antes;
        janela->Documento().setModified(false);
        MoverSobreAPagina(*janela, CentroDaMoldura(*janela, 0));
        ASSERT_EQ(janela->stbEstado->panelText(2), c.antes.isEmpty() ? vazia : c.antes) << c.nome;
        c.fazer();
        EXPECT_EQ(janela->stbEstado->panelText(2), c.depois) << c.nome;
        EXPECT_EQ(janela->MolduraSobOMouse(), 0) << c.nome;
    }
}

// A drop on a frame sets its photo and keeps its fit mode; on a gap it changes nothing, and with
// two photos selected it asks to insert them (answered no).
TEST_F(LeftArea, ADropOnAFrameSetsItsPhotoAndOnAGapAsksToInsertTheSelectedOnes)
{
    const QString pasta = PastaComFotos(QStringLiteral("soltura"), 3);
    MostrarPasta(pasta);
    const QString pergunta = QStringLiteral(
        "Lumoria v1.0\r\n\r\nHá 2 Foto(s) Selecionada(s) Nesta Pasta.\r\n\r\nSe Você Prosseguir, Estas Fotos Serão "
        "Inseridas\r\nNo Papel a Imprimir a Partir Da Página Atual.\r\n\r\nCaso Seja Necessário, Novas Páginas Serão "
        "Incluídas\r\nDe Forma a Comportar Todas As Fotos.\r\n\r\nVocê Desejar Inserir As Fotos Selecionadas?");
    const struct {
        QStringList selecionadas;
        int moldura; // where it is dropped, -1 the margin
        QList<CaixaVista> caixas;
        QStringList molduras, registros; // the page's frames and the top undo record after it
    } casos[] = {
        {{"f00.bmp"}, -1, {}, QStringList(4, "0 "), {"-"}},
        {{"f00.bmp", "f01.bmp"}, -1,
         {Caixa(QStringLiteral("Confirmação Para Inserir Fotos Selecionadas Na Impressão"), pergunta, "Sim", "Não")},
         QStringList(4, "0 "), {"-"}},
        // Frame 1 holds f00 in mode 2.
        {{"f02.bmp"}, 1, {}, {"0 ", "2 " + Caminho(pasta, 2), "0 ", "0 "}, {"1 2 " + Caminho(pasta, 0)}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.selecionadas.join(' ').toStdString() + " on frame " + std::to_string(c.moldura));
        if (c.moldura >= 0)
            janela->SetarFotoNaPaginaAtual(c.moldura, kFitCut, Caminho(pasta, 0));
        janela->Documento().setModified(false);
        Selecionar(c.selecionadas);
        AtendenteCom atendente({7});
        SoltarNaPagina(c.moldura < 0 ? PixelDoMilimetro(*janela, 1, 1) : CentroDaMoldura(*janela, c.moldura));
        // The question comes once the drop is over.
        EXPECT_TRUE(QTest::qWaitFor([&] { return atendente.caixas.size() >= c.caixas.size(); }, 60000));
        EXPECT_EQ(atendente.caixas, c.caixas);
        EXPECT_EQ(Molduras(*janela, 0), c.molduras);
        EXPECT_EQ(janela->Modificado(), c.moldura >= 0);
        EXPECT_EQ(Registros(*janela, 1), c.registros);
        EXPECT_EQ(janela->MolduraSobOMouse(), c.moldura);
    }
}

TEST_F(LeftArea, TenPhotosFromTheLastPageOfFourFramesAddPagesOfFourAndTwo)
{
    const QString pasta = PastaComFotos(QStringLiteral("dez"), 10);
    MostrarPasta(pasta);
    ASSERT_EQ(janela->Pagina(0).frameCount(), 4);
    janela->Foto(0, 1).Ajuste = 2;
    janela->Foto(0, 3).Ajuste = 1;
    const QList<CaixaVista> caixas = InserirTodas({6, 6});
    ASSERT_EQ(Paginacao(*janela), std::tuple(3, 2, QStringLiteral("3 de 3")));
    // Photo k in frame k; the frames filled keep their fit modes, the new pages' frames start in mode 0.
    EXPECT_EQ(Molduras(*janela, 0), (QStringList{"0 " + NaLista(0), "2 " + NaLista(1), "0 " + NaLista(2), "1 " + NaLista(3)}));
    EXPECT_EQ(Molduras(*janela, 1), (QStringList{"0 " + NaLista(4), "0 " + NaLista(5), "0 " + NaLista(6), "0 " + NaLista(7)}));
    EXPECT_EQ(Molduras(*janela, 2), (QStringList{"0 " + NaLista(8), "0 " + NaLista(9), "0 ", "0 "}));
    EXPECT_TRUE(janela->Modificado());
    ASSERT_EQ(caixas.size(), 2);
    EXPECT_EQ(caixas[1],
              Caixa(QStringLiteral("Informando Sobre Inserção de Páginas Adicionais"),
                    QStringLiteral("Lumoria v1.0\r\n\r\nForam Inseridas As 10 Foto(s) Selecionadas.\r\n\r\n"
                                   "Para Isto Foi Necessário Incluir Também Mais\r\n2 Página(s) Adicionais.")));
    // Ten placements, ten undo records, the newest first, each with the mode its frame had.
    EXPECT_EQ(Registros(*janela, 11),
              (QStringList{"1 0 ", "0 0 ", "3 0 ", "2 0 ", "1 0 ", "0 0 ", "3 1 ", "2 0 ", "1 2 ", "0 0 ", "-"}));
}

TEST_F(LeftArea, ACardWrittenOutOfOrderIsListedShownAndInsertedByName)
{
    // Written in a shuffled order: the shell list (folders first), the thumbnails and the frames
    // filled by a multiple insertion all take the names' order, digits as numbers, case ignored.
    const QString pasta = freshFolder(QStringLiteral("cartao"));
    const QStringList embaralhados = {QStringLiteral("IMG_10.bmp"), QStringLiteral("img_2.bmp"), QStringLiteral("IMG_0003.bmp"),
                                      QStringLiteral("IMG_1.bmp")};
    for (const QString& nome : embaralhados)
        writeFile(pasta + QLatin1Char('/') + nome, BmpBytes(SolidImage(16, 12, QColor(20, 90, 160)), 24));
    QDir().mkpath(pasta + QStringLiteral("/zeta"));
    const QStringList ordem = {QStringLiteral("IMG_1.bmp"), QStringLiteral("img_2.bmp"), QStringLiteral("IMG_0003.bmp"),
                               QStringLiteral("IMG_10.bmp")};
    MostrarPasta(pasta);

    QStringList miniaturas;
    for (int k = 0; k < janela->thuImagens->Thumbnails().Count(); ++k)
        miniaturas << janela->thuImagens->Thumbnails()[k]->Caption();
    EXPECT_EQ(miniaturas, ordem);

    EXPECT_EQ(NomesNaLista(janela->sheImagens, 5), QStringList{QStringLiteral("zeta")} + ordem);

    // Four photos on a page of four: no page added, and no closing box after the question.
    EXPECT_EQ(InserirTodas({6}).size(), 1);
    EXPECT_EQ(janela->Album().pageCount(), 1);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(janela->Foto(0, k).NomeDoArquivo, pasta + QLatin1Char('/') + ordem[k]) << k;
}

TEST_F(LeftArea, TheProgressWindowCannotBeClosedWhileTheInsertionRuns)
{
    MostrarPasta(PastaComFotos(QStringLiteral("fechar"), 6));
    // The close box pressed at every step of the insertion.
    int tentativas = 0, fechadas = 0;
    bool principalVisivel = false;
    QTimer fechar;
    fechar.setInterval(0);
    QObject::connect(&fechar, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progresso = qobject_cast<TfrmDialogoProgresso*>(w); progresso && progresso->isVisible()) {
                ++tentativas;
                QCloseEvent fechamento;
                QApplication::sendEvent(progresso, &fechamento);
                fechadas += fechamento.isAccepted() || !progresso->isVisible();
                principalVisivel = principalVisivel || janela->isVisible();
            }
    });
    fechar.start();
    InserirTodas({6, 6});
    fechar.stop();
    EXPECT_GT(tentativas, 0);
    EXPECT_EQ(fechadas, 0);
    EXPECT_FALSE(principalVisivel); // hidden while the work runs
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(janela->Foto(1, 1).NomeDoArquivo, NaLista(5));
}

TEST_F(LeftArea, TheInsertionHandlesEventsWhileEachBatchOfPhotosIsRead)
{
    // Each photo read ahead waits until the GUI thread has handled an event posted meanwhile: the
    // progress window repaints and answers while a batch is read, not only between photos.
    const QString pasta = PastaComFotos(QStringLiteral("lotes"), 2 * platform::PixelThreads() + 1);
    MostrarPasta(pasta);
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
    InserirTodas({6, 6});
    DefinirAoLerAntecipado({});
    EXPECT_EQ(lidas, 2 * platform::PixelThreads() + 1);
    EXPECT_EQ(atendidas, lidas);
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, NaLista(0));
}

TEST_F(LeftArea, PagesAddedFromTheFirstOfThreeComeBeforeTheOldSecondPage)
{
    const QString pasta = PastaComFotos(QStringLiteral("seis"), 6);
    MostrarPasta(pasta);
    Paginas(3, 1);
    janela->SetarFotoNaPaginaAtual(0, kFitStretch, Caminho(pasta, 0));
    janela->Documento().setCurrentPageIndex(0);
    Redesenhar();
    InserirTodas({6, 6});
    ASSERT_EQ(Paginacao(*janela), std::tuple(4, 1, QStringLiteral("2 de 4")));
    EXPECT_EQ(janela->Foto(1, 1).NomeDoArquivo, NaLista(5));
    EXPECT_EQ(janela->Foto(2, 0).NomeDoArquivo, Caminho(pasta, 0));
}

TEST_F(LeftArea, AnInsertionOnAPageWithoutFramesIsRefused)
{
    MostrarPasta(PastaComFotos(QStringLiteral("semlugar"), 3));
    EscolherNaLista(janela->cbxDimensaoDoPapel, 2);
    EscolherNaLista(janela->cbxDimensaoDaFoto, 0);
    ASSERT_EQ(janela->Pagina(0).frameCount(), 0);
    EXPECT_EQ(InserirTodas({6}), QList<CaixaVista>{Caixa(QStringLiteral("Confirmação Para Inserir Fotos Selecionadas Na Impressão"),
                                                         QStringLiteral("Lumoria v1.0\r\n\r\nNão Cabe Sequer Uma Foto Nesta Página."))});
    EXPECT_EQ(janela->Album().pageCount(), 1);
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
    QTest::mouseDClick(janela->thuImagens->viewport(), Qt::LeftButton, {}, Celula(1));
    EXPECT_EQ(titulo, QStringLiteral("Editor de Fotos e Efeitos - ") + NaLista(1));
    EXPECT_FALSE(janela->Modificado());
}

TEST_F(LeftArea, TheThumbnailMenuEnablesBySelectionAndTheRightButtonOpensItKeepingTheSelection)
{
    MostrarPasta(PastaComFotos(QStringLiteral("menu"), 3));
    // Insert the selected, select all, select none.
    const auto habilitados = [this] {
        return QList<bool>{janela->mniInserirTodasSelecionadas->isEnabled(), janela->mniSelecionarTodasMiniaturas->isEnabled(),
                           janela->mniSelecionarNenhumaMiniatura->isEnabled()};
    };
    janela->thuImagens->ClearSelection();
    janela->mnmMenuFotoNaMiniaturaPopup();
    EXPECT_EQ(habilitados(), (QList<bool>{false, true, false}));
    janela->mniSelecionarTodasMiniaturasClick();
    EXPECT_EQ(janela->thuImagens->SelCount(), 3);
    janela->mnmMenuFotoNaMiniaturaPopup();
    EXPECT_EQ(habilitados(), (QList<bool>{true, false, true}));
    janela->mniSelecionarNenhumaMiniaturaClick();
    EXPECT_EQ(janela->thuImagens->SelCount(), 0);
    QTest::mouseClick(janela->thuImagens->viewport(), Qt::RightButton, {}, Celula(0));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), static_cast<QWidget*>(janela->mnmMenuFotoNaMiniatura));
    janela->mnmMenuFotoNaMiniatura->close();

    // The right button opens it over the list without touching the selection; one photo selected
    // is enough for every item.
    Selecionar({QStringLiteral("f01.bmp")});
    QTest::mouseClick(janela->thuImagens->viewport(), Qt::RightButton, {}, Celula(2));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), static_cast<QWidget*>(janela->mnmMenuFotoNaMiniatura));
    EXPECT_EQ(janela->thuImagens->SelCount(), 1);
    EXPECT_FALSE(janela->thuImagens->Selected(2));
    EXPECT_EQ(janela->thuImagens->ItemIndex(), 1);
    EXPECT_EQ(habilitados(), (QList<bool>{true, true, true}));
    janela->mnmMenuFotoNaMiniatura->close();
    EXPECT_EQ(MedidaDoItem(*janela, janela->mniInserirTodasSelecionadas), QSize(280, 20));
}

} // namespace
} // namespace lumoria::test
