// The job commands of the window: save with its questions and messages, read, new job, the
// unsaved-changes question, job files dropped on the window or named on the command line, the
// read-failure path for broken and hostile files, the box for missing photos, and the file dialogs
// as an operator meets them.
#include "main_window_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include "album/job_file_test_support.h"
#include "album/page_view_fill.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/file_dialog.h"
#include "support/picture_files.h"
#include "support/unexpected_boxes.h"

namespace lumoria::test {
namespace {

const QString kTitulo = QStringLiteral("Lumoria v1.0");
const CaixaVista kCaixaErroDeLeitura =
    Caixa(QStringLiteral("Erro de Leitura"),
          kTitulo + QStringLiteral("\r\n\r\nOcorreu Erro de Leitura Deste Arquivo.\r\nO Formato Não Foi Reconhecido."));
const CaixaVista kCaixaGravado = Caixa(
    QStringLiteral("Gravação Concluída"),
    kTitulo + QStringLiteral("\r\n\r\nArquivo Gravado Com Sucesso!\r\n\r\nEste Software Não Grava As Fotos, Mas\r\n"
                             "Apenas Os Seus Nomes e Posições.\r\n\r\nAssim, Para Leitura Posterior, As Fotos Deverão\r\n"
                             "Estar Nos Mesmos Arquivos e Pastas Originais."));
const CaixaVista kCaixaJaExiste = Caixa(QStringLiteral("Arquivo Já Existente"),
                                        kTitulo + QStringLiteral("\r\n\r\nJá Existe Um Arquivo Gravado\r\nCom Este Mesmo Nome!\r\n\r\n"
                                                                 "Você Deseja Gravar Sobre o Existente?"),
                                        "Sim", "Não");
const CaixaVista kCaixaAlteracoes = Caixa(
    QStringLiteral("Pedindo Confirmação Para Prosseguir"),
    kTitulo + QStringLiteral("\r\n\r\nHá Modificações Neste Trabalho Que Ainda Não\r\nForam Gravadas. Estas Modificações "
                             "Serão Perdidas\r\nSe Ele Não For Gravado Em Disco.\r\n\r\nDeseja Prosseguir Mesmo Assim?"),
    QStringLiteral("Sim"), QStringLiteral("Não"));

using jobfiletest::JobText;
using jobfiletest::PageText;

// An A4 page of four 9 x 12 frames, as the program lays it out, frame 0 holding a photo in a fit mode.
PageText PaginaA4(const QString& foto0 = QString(), int ajuste0 = 0)
{
    return {0, 3, 80, 60, {0, 0, 210, 297},
            {{15, 28, 105, 148, ajuste0, foto0.toUtf8()}, {105, 28, 195, 148, 0, {}}, {15, 148, 105, 268, 0, {}},
             {105, 148, 195, 268, 0, {}}}};
}
// A page of 1 x 2147483647 mm: no view can map it onto its pixels.
const PageText kPaginaGigante{0, 3, 80, 60, {0, 0, 1, 2147483647}, {}};

QByteArray TextoDoTrabalho(const std::vector<PageText>& paginas, int atual) { return JobText{paginas, atual, {}}.bytes(); }

class JobCommands : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        pasta = freshFolder(QStringLiteral("trabalhos"));
        JanelaPrincipal::SetUp();
        for (int i = 0; i < 3; ++i)
            fotos << FotoDeTeste(QStringLiteral("job%1.bmp").arg(i), 20, 16, QColor(0, 60 * i, 0));
    }
    // Drops the files on the window; returns the boxes shown, answered as given.
    QList<CaixaVista> Soltar(const QStringList& arquivos, const QList<int>& respostas = {})
    {
        AtendenteCom atendente(respostas);
        QMimeData dados;
        QList<QUrl> urls;
        for (const QString& a : arquivos)
            urls << QUrl::fromLocalFile(a);
        dados.setUrls(urls);
        lumoria::test::Soltar(janela.get(), janela->rect().center(), &dados);
        return atendente.caixas;
    }
    void ConferirPaginaPadrao()
    {
        EXPECT_EQ(Paginacao(*janela), std::tuple(1, 0, QStringLiteral("1 de 1")));
        // The page's paper and photo types and frames, and the items the lists show.
        const TPagina& p = janela->Pagina(0);
        EXPECT_EQ((QList<int>{p.TipoDoPapel, p.TipoDaFoto, p.frameCount(), janela->cbxDimensaoDoPapel->currentIndex(),
                              janela->cbxDimensaoDaFoto->currentIndex()}),
                  (QList<int>{0, 3, 4, 0, 3}));
        EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("4 Fotos Por Folha"));
        EXPECT_FALSE(janela->Modificado());
        EXPECT_EQ(Registros(*janela, 1), QStringList{"-"});
    }

    QString pasta;
    QStringList fotos;
};

TEST_F(JobCommands, AJobSavedOnPageTwoOfThreeReopensOnPageTwo)
{
    janela->SetarFotoNaPaginaAtual(0, 1, fotos[0]);
    Paginas(3, 1);
    janela->SetarFotoNaPaginaAtual(3, 2, fotos[1]);
    ASSERT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("2 de 3"));

    const QString arquivo = pasta + QStringLiteral("/festa.pvo");
    EXPECT_EQ(ClicarRespondendo(janela->spdGravarTrabalho, {6}, {arquivo}), QList<CaixaVista>{kCaixaGravado});
    EXPECT_EQ(janela->svdTrabalho->windowTitle(), QStringLiteral("Gravar o Trabalho"));
    EXPECT_FALSE(janela->Modificado());
    EXPECT_EQ(readFile(arquivo).split('\n').mid(jobfiletest::kPageCountLine, 4),
              (QList<QByteArray>{"3\r", "\r", "Actual Page Index\r", "1\r"}));

    Clicar(janela->spdNovoTrabalho); // nothing unsaved: no question
    ASSERT_EQ(janela->Album().pageCount(), 1);

    EXPECT_TRUE(ClicarRespondendo(janela->spdLerTrabalho, {}, {arquivo}).isEmpty());
    EXPECT_EQ(janela->opdTrabalho->windowTitle(), QStringLiteral("Ler Um Trabalho Gravado"));
    EXPECT_EQ(Paginacao(*janela), std::tuple(3, 1, QStringLiteral("2 de 3")));
    EXPECT_EQ(Molduras(*janela, 0), (QStringList{"1 " + fotos[0], "0 ", "0 ", "0 "}));
    EXPECT_EQ(Molduras(*janela, 1), (QStringList{"0 ", "0 ", "0 ", "2 " + fotos[1]}));
    EXPECT_FALSE(janela->Modificado());
    EXPECT_EQ(Registros(*janela, 1), QStringList{"-"}) << "a job read replaces the album: no undo into it";
}

TEST_F(JobCommands, OverwritingAsksFirst)
{
    const QString arquivo = pasta + QStringLiteral("/antigo.pvo");
    writeFile(arquivo, "conteudo antigo");
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[0]);
    EXPECT_EQ(ClicarRespondendo(janela->spdGravarTrabalho, {7}, {arquivo}), QList<CaixaVista>{kCaixaJaExiste});
    EXPECT_EQ(readFile(arquivo), QByteArray("conteudo antigo"));
    EXPECT_TRUE(janela->Modificado());
    EXPECT_EQ(ClicarRespondendo(janela->spdGravarTrabalho, {6, 6}, {arquivo}), (QList<CaixaVista>{kCaixaJaExiste, kCaixaGravado}));
    EXPECT_TRUE(readFile(arquivo).startsWith("Name:\r\nLumoria\r\n"));
    EXPECT_FALSE(janela->Modificado());
}

TEST_F(JobCommands, AFailedWriteKeepsTheOldFileAndTheModifiedFlag)
{
    // A folder stands where the file would go: the new file cannot replace it.
    const QString arquivo = pasta + QStringLiteral("/ocupado.pvo");
    writeFile(arquivo + QStringLiteral("/dentro.txt"), "fica");
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[0]);
    {
        AtendenteCom atendente({6, 6});
        EXPECT_FALSE(janela->GravarAlbumEmFormatoProprietarioPVO(arquivo));
        ASSERT_EQ(atendente.caixas.size(), 2);
        EXPECT_EQ(atendente.caixas[1].titulo, QStringLiteral("Erro de Gravação"));
        EXPECT_TRUE(atendente.caixas[1].texto.startsWith(kTitulo + QStringLiteral("\r\n\r\nO Trabalho Não Foi Gravado")));
    }
    EXPECT_EQ(readFile(arquivo + QStringLiteral("/dentro.txt")), QByteArray("fica"));
    EXPECT_TRUE(janela->Modificado());
    EXPECT_FALSE(platform::terminationRequested()) << "the program goes on";

    // A photo path with a line break is refused before anything is written.
    janela->Foto(0, 1).NomeDoArquivo = QStringLiteral("/fotos/duas\nlinhas.jpg");
    const QString outro = pasta + QStringLiteral("/novo.pvo");
    const QList<CaixaVista> caixas = ClicarRespondendo(janela->spdGravarTrabalho, {6}, {outro});
    ASSERT_EQ(caixas.size(), 1);
    EXPECT_EQ(caixas[0].titulo, QStringLiteral("Erro de Gravação"));
    EXPECT_TRUE(caixas[0].texto.contains(QStringLiteral("Quebra de Linha")));
    EXPECT_FALSE(QFile::exists(outro));
    EXPECT_TRUE(janela->Modificado());
}

TEST_F(JobCommands, UnsavedChangesAreGuardedByAQuestion)
{
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[0]);
    EXPECT_EQ(ClicarRespondendo(janela->spdNovoTrabalho, {7}), QList<CaixaVista>{kCaixaAlteracoes});
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, fotos[0]);
    EXPECT_TRUE(janela->Modificado());
    EXPECT_EQ(ClicarRespondendo(janela->spdLerTrabalho, {2}).size(), 1); // closed: no
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, fotos[0]);

    EscolherNaLista(janela->cbxDimensaoDoPapel, 2);
    EXPECT_EQ(ClicarRespondendo(janela->spdNovoTrabalho, {6}).size(), 1);
    ConferirPaginaPadrao();
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, QString());
}

TEST_F(JobCommands, BrokenAndHostileFilesGiveTheReadFailureAndADefaultPage)
{
    using namespace jobfiletest;
    const JobText valido{{PaginaA4(fotos[0], 1), PaginaA4()}, 1, {}};
    auto trocar = [&valido](int linha, const QByteArray& por) {
        JobText t = valido;
        t.lines[linha] = por;
        return t.bytes();
    };
    const PageText vastidao{0, 3, 80, 60, {0, 0, 210, 297}, {{-2147483647 - 1, 10, 2147483647, 100, 0, {}}}};
    const QList<std::pair<const char*, QByteArray>> casos = {
        {"empty", QByteArray()},
        {"not a job", "uma lista de compras\r\npao\r\nleite\r\n"},
        {"no pages", trocar(kPageCountLine, "0")},
        {"page beyond the pages", trocar(kCurrentPageLine, "2")},
        {"negative page", trocar(kCurrentPageLine, "-1")},
        {"paper type 3", trocar(kPage0 + kPaperType, "          3")},
        {"photo type 8", trocar(kPage0 + kPhotoType, "          8")},
        {"fit mode 3", trocar(kPage0 + kFrame0 + kFrameFit, "                    3")},
        {"page width 0", trocar(kPage0 + kPageRight, "          0")},
        {"cut short", valido.bytes().left(valido.bytes().size() / 2)},
        {"a word for a number", trocar(kPageCountLine, "tres")},
        {"huge page count", trocar(kPageCountLine, "2147483647")},
        // Sizes no view can map onto its pixels.
        {"page 1 x 2147483647 mm", TextoDoTrabalho({kPaginaGigante}, 0)},
        {"frame over the whole range", TextoDoTrabalho({vastidao}, 0)},
    };
    for (const auto& [nome, conteudo] : casos) {
        SCOPED_TRACE(nome);
        const QString arquivo = pasta + QStringLiteral("/ruim.pvo");
        writeFile(arquivo, conteudo);
        EscolherNaLista(janela->cbxDimensaoDoPapel, 2); // the default page is not laid out with these
        janela->SetarFotoNaPaginaAtual(0, 0, fotos[1]);
        EXPECT_EQ(ClicarRespondendo(janela->spdLerTrabalho, {6, 6}, {arquivo}), (QList<CaixaVista>{kCaixaAlteracoes, kCaixaErroDeLeitura}));
        ConferirPaginaPadrao();
    }
    // The valid file itself reads.
    writeFile(pasta + QStringLiteral("/bom.pvo"), valido.bytes());
    EXPECT_TRUE(ClicarRespondendo(janela->spdLerTrabalho, {}, {pasta + QStringLiteral("/bom.pvo")}).isEmpty());
    EXPECT_EQ(Paginacao(*janela), std::tuple(2, 1, QStringLiteral("2 de 2")));
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, fotos[0]);
}

TEST_F(JobCommands, AJobFileDroppedOnTheWindowOpens)
{
    // A path far beyond 500 characters.
    QString fundo = pasta;
    while (fundo.size() < 600)
        fundo += QStringLiteral("/uma pasta com nome comprido de verdade");
    const QString arquivo = fundo + QStringLiteral("/trabalho.PVO");
    writeFile(arquivo, TextoDoTrabalho({PaginaA4(), PaginaA4(fotos[2], 2), PaginaA4()}, 1));
    janela->SetarFotoNaPaginaAtual(0, 0, fotos[0]);
    janela->Documento().setModified(false);

    // Other files are ignored without a word.
    EXPECT_TRUE(Soltar({fotos[1]}).isEmpty());
    EXPECT_EQ(janela->Album().pageCount(), 1);

    EXPECT_TRUE(Soltar({arquivo, fotos[1]}).isEmpty());
    EXPECT_EQ(Paginacao(*janela), std::tuple(3, 1, QStringLiteral("2 de 3")));
    EXPECT_EQ(janela->Foto(1, 0).NomeDoArquivo, fotos[2]);
    EXPECT_EQ(Registros(*janela, 1), QStringList{"-"});
    EXPECT_TRUE(Parecida(CorNaMoldura(*janela, 0), QColor(0, 120, 0)));

    // With unsaved changes the drop asks first.
    janela->SetarFotoNaPaginaAtual(1, 0, fotos[0]);
    EXPECT_EQ(Soltar({arquivo}, {7}), QList<CaixaVista>{kCaixaAlteracoes});
    EXPECT_EQ(janela->Foto(1, 1).NomeDoArquivo, fotos[0]);
}

TEST(JobArgument, AJobNamedOnTheCommandLineShowsItsFramesAtOnceAndItsPhotosWhenTheyArrive)
{
    PrepararConfiguracoes(false);
    const QString foto = WriteJpeg(QStringLiteral("inicio.jpg"), SolidImage(1200, 900, QColor(200, 30, 30)), 90);
    const QString arquivo = freshFolder(QStringLiteral("argumento")) + QStringLiteral("/com espaco.pvo");
    writeFile(arquivo, TextoDoTrabalho({PaginaA4(), PaginaA4(foto)}, 1));
    auto janela = std::make_unique<TfrmPrincipal>(QStringList{arquivo});
    EXPECT_EQ(Paginacao(*janela), std::tuple(2, 1, QStringLiteral("2 de 2")));
    // The window is not shown yet: its frames are drawn, the photo is still being read.
    EXPECT_TRUE(janela->PreenchimentoDaPagina().Pendente());
    const QImage antes = janela->imgPaginaCentral->bitmap().Image();
    EXPECT_EQ(antes.pixelColor(CentroDaMoldura(*janela, 0)), QColor(Qt::white));
    EXPECT_NE(antes.pixelColor(CentroDaMoldura(*janela, 1)), QColor(Qt::white)); // the placeholder
    janela->show();
    QApplication::processEvents();
    janela->PreenchimentoDaPagina().Esperar();
    EXPECT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("2 de 2"));
    // The page was shown before the window: its title and footer still stand at their places.
    EXPECT_EQ(janela->lblPaginaCentralTitulo->y(), 0);
    EXPECT_EQ(janela->lblPaginaCentralRodape->y(), janela->height() - 19 - 19);
    EXPECT_TRUE(Parecida(CorNaMoldura(*janela, 0), QColor(200, 30, 30)));
    EXPECT_EQ(janela->Foto(1, 0).NomeDoArquivo, foto);
    EXPECT_FALSE(janela->Modificado());

    // A file that cannot be read, or whose page no view could draw: the failure box, and the
    // program goes on with a new album.
    for (const QByteArray& conteudo : {QByteArray("nada disso"), TextoDoTrabalho({kPaginaGigante}, 0)}) {
        writeFile(arquivo, conteudo);
        janela.reset();
        AtendenteCom atendente({6});
        janela = std::make_unique<TfrmPrincipal>(QStringList{arquivo});
        janela->show();
        QApplication::processEvents();
        EXPECT_EQ(atendente.caixas, QList<CaixaVista>{kCaixaErroDeLeitura});
        EXPECT_EQ(janela->Album().pageCount(), 1);
        EXPECT_FALSE(platform::terminationRequested());
    }
}

// Answers the next file dialog as an operator who types a name: what the name field held and
// whether it was all selected are kept, the list of suggestions is opened as typing opens it, and
// Enter accepts.
struct Digitador {
    QString digitar;
    QString textoInicial;
    bool tudoSelecionado = false;
    bool listaAberta = false;
    QPointer<QWidget> lista;

    void Responder()
    {
        QTimer::singleShot(20, [this] {
            auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialogo) {
                Responder();
                return;
            }
            MarkAnswered(dialogo);
            QLineEdit* campo = platform::fileDialogNameField(*dialogo);
            ASSERT_NE(campo, nullptr);
            // The dialog puts the last name in its field once it shows: wait for it to be there.
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialogo));
            QApplication::processEvents();
            textoInicial = campo->text();
            tudoSelecionado = !campo->text().isEmpty() && campo->selectedText() == campo->text();
            if (campo->hasSelectedText())
                campo->del();
            // Typed letter by letter: the suggestions open once the folder is read.
            QTest::keyClicks(campo, digitar);
            ASSERT_EQ(campo->text(), digitar);
            QCompleter* c = campo->completer();
            ASSERT_NE(c, nullptr);
            lista = c->popup();
            for (int k = 0; k < 100 && !(lista && lista->isVisible()); ++k) {
                QTest::keyClick(campo, Qt::Key_Backspace);
                QTest::keyClicks(campo, digitar.right(1));
                QTest::qWait(20);
            }
            listaAberta = lista && lista->isVisible();
            QTest::keyClick(lista && lista->isVisible() ? static_cast<QWidget*>(lista) : campo, Qt::Key_Return);
            // The first Enter may only close the suggestions; the operator presses it again.
            if (dialogo->isVisible())
                QTest::keyClick(campo, Qt::Key_Return);
        });
    }
};

TEST(FileDialogs, LeaveNoSuggestionListBehindAndStartWithTheNameSelected)
{
    PrepararConfiguracoes(false);
    auto janela = NovaJanela();
    const QString pasta = freshFolder(QStringLiteral("dialogos"));
    writeFile(pasta + QStringLiteral("/trabalho antigo.pvo"), "x");

    AtendenteCom atendente({6, 6}); // the success notes
    atendente.deixarDialogosDeArquivo = true;
    Digitador primeiro;
    primeiro.digitar = pasta + QStringLiteral("/trabalho");
    primeiro.Responder();
    Clicar(janela->spdGravarTrabalho);
    ASSERT_TRUE(primeiro.listaAberta);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && (w->windowFlags() & Qt::Popup) == Qt::Popup) << w->metaObject()->className();
    EXPECT_TRUE(QFileInfo::exists(pasta + QStringLiteral("/trabalho.pvo")));

    // The next opening shows the last name selected: what is typed replaces it.
    Digitador segundo;
    segundo.digitar = pasta + QStringLiteral("/outro");
    segundo.Responder();
    Clicar(janela->spdGravarTrabalho);
    EXPECT_TRUE(segundo.tudoSelecionado) << segundo.textoInicial.toStdString();
    EXPECT_TRUE(QFileInfo::exists(pasta + QStringLiteral("/outro.pvo")));
}

TEST(FileDialogs, StartInTheHomeFolderWhenThereIsNoDocumentsFolder)
{
    PrepararConfiguracoes(false);
    const QString documentos = QDir::homePath() + QStringLiteral("/Documents");
    QDir(documentos).removeRecursively();
    auto janela = NovaJanela();
    janela->GarantirDialogos();
    EXPECT_EQ(QDir(janela->svdTrabalho->directory()).absolutePath(), QDir::homePath());
    EXPECT_EQ(QDir(janela->opdTrabalho->directory()).absolutePath(), QDir::homePath());
    EXPECT_NE(QDir::homePath(), QDir::currentPath());
}

TEST(MissingPhotos, OneBoxCountsThemAndNamesTheFirstBeforeThePageShows)
{
    PrepararConfiguracoes(false);
    const QString pasta = freshFolder(QStringLiteral("ausentes"));
    const QString presente = FotoDeTeste(QStringLiteral("presente.bmp"), 20, 16, Qt::green);
    const QString arquivo = pasta + QStringLiteral("/cartao.pvo");
    const QString cartao = QStringLiteral("/media/cartao/DCIM/");
    PageText primeira = PaginaA4(cartao + QStringLiteral("a.jpg"));
    primeira.frames[1].name = presente.toUtf8();
    primeira.frames[2].name = (cartao + QStringLiteral("b.jpg")).toUtf8();
    primeira.frames[3].name = (cartao + QStringLiteral("a.jpg")).toUtf8(); // the same photo twice
    PageText segunda = PaginaA4(cartao + QStringLiteral("c.jpg"));
    segunda.frames[1].name = (cartao + QStringLiteral("d.jpg")).toUtf8();
    writeFile(arquivo, TextoDoTrabalho({primeira, segunda}, 0));

    AtendenteCom atendente({6});
    auto janela = std::make_unique<TfrmPrincipal>(QStringList{arquivo});
    EXPECT_EQ(atendente.caixas,
              QList<CaixaVista>{Caixa(QStringLiteral("Fotos Não Encontradas"),
                                      QStringLiteral("Lumoria v1.0\r\n\r\n4 Fotos Deste Trabalho Não Foram Encontradas:\r\n\r\n"
                                                     "/media/cartao/DCIM/a.jpg\r\n/media/cartao/DCIM/b.jpg\r\n"
                                                     "/media/cartao/DCIM/c.jpg\r\n...\r\n\r\n"
                                                     "Elas Aparecerão Como Molduras Vazias e Seus Nomes\r\n"
                                                     "Serão Perdidos Se o Trabalho For Gravado Assim.\r\n\r\n"
                                                     "Recoloque As Fotos (Cartão de Memória, Pendrive...)\r\nAntes de Continuar."))});
    EXPECT_EQ(janela->Album().pageCount(), 2);

    // Through the button, and with every photo in place no box comes.
    PageText completa = PaginaA4();
    completa.frames[1].name = presente.toUtf8();
    writeFile(arquivo, TextoDoTrabalho({completa}, 0));
    janela->Documento().setModified(false);
    EXPECT_TRUE(ClicarRespondendo(janela->spdLerTrabalho, {}, {arquivo}).isEmpty());
}

} // namespace
} // namespace lumoria::test
