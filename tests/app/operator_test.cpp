// What an operator met: the file dialogs leave nothing behind and start with their name selected, and
// they start in a folder of the user's even without a documents folder.
#include "main_window_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>

#include "platform/ui/file_dialog.h"
#include "support/unexpected_boxes.h"

namespace lumoria::test {
namespace {

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
    EXPECT_FALSE(primeiro.lista && primeiro.lista->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && (w->windowFlags() & Qt::Popup) == Qt::Popup) << w->metaObject()->className();
    EXPECT_TRUE(QFileInfo::exists(pasta + QStringLiteral("/trabalho.pvo")));

    // The next opening shows the last name selected: what is typed replaces it.
    Digitador segundo;
    segundo.digitar = pasta + QStringLiteral("/outro");
    segundo.Responder();
    Clicar(janela->spdGravarTrabalho);
    EXPECT_FALSE(segundo.textoInicial.isEmpty());
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

using SizeLists = JanelaPrincipal;

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
    EXPECT_EQ(pagina.TipoDoPapel, 0);
    EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 0);
    EXPECT_EQ(janela->cbxDimensaoDaFoto->currentIndex(), -1);

    // With a size it is laid out on the new paper, and the list shows it.
    pagina.TamanhoPersonalizado1 = 80;
    pagina.TamanhoPersonalizado2 = 60;
    EscolherNaLista(janela->cbxDimensaoDoPapel, 2);
    EXPECT_NE(pagina.Right, larguraAntes);
    EXPECT_EQ(pagina.TipoDoPapel, 2);
    EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 2);
}

TEST_F(SizeLists, ListsSetFromCodeLayNothingOutAgain)
{
    // A hand-made page whose types differ from what the lists show: its frames and names must
    // stay exactly as they are when the program sets the lists.
    TPagina& pagina = janela->Pagina(0);
    pagina.Fotos.resize(2);
    pagina.Fotos[0] = TFoto{3, 4, 50, 60, 1, FotoDeTeste(QStringLiteral("um.bmp"), 20, 16, Qt::red)};
    pagina.Fotos[1] = TFoto{70, 80, 200, 290, 2, FotoDeTeste(QStringLiteral("dois.bmp"), 20, 16, Qt::blue)};
    pagina.TipoDoPapel = 1;
    pagina.TipoDaFoto = 5;
    const auto molduras = [&] {
        QStringList r;
        for (const TFoto& f : pagina.Fotos)
            r << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(f.Left).arg(f.Top).arg(f.Right).arg(f.Bottom).arg(f.Ajuste).arg(f.NomeDoArquivo);
        return r;
    };
    const QStringList antes = molduras();
    Redesenhar();
    EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 1);
    EXPECT_EQ(janela->cbxDimensaoDaFoto->currentIndex(), 5);
    EXPECT_EQ(molduras(), antes);
    janela->cbxDimensaoDoPapel->setCurrentIndex(2);
    QApplication::processEvents();
    EXPECT_EQ(molduras(), antes);
    janela->cbxDimensaoDaFoto->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(molduras(), antes);
    EXPECT_EQ(pagina.TipoDoPapel, 1);
    EXPECT_EQ(pagina.TipoDaFoto, 5);
}

TEST(MissingPhotos, OneBoxCountsThemAndNamesTheFirstBeforeThePageShows)
{
    PrepararConfiguracoes(false);
    const QString pasta = freshFolder(QStringLiteral("ausentes"));
    const QString presente = FotoDeTeste(QStringLiteral("presente.bmp"), 20, 16, Qt::green);
    const QString arquivo = pasta + QStringLiteral("/cartao.pvo");
    {
        auto janela = NovaJanela();
        janela->Documento().Album().InserirPaginaDepois(0);
        const QString cartao = QStringLiteral("/media/cartao/DCIM/");
        janela->Foto(0, 0).NomeDoArquivo = cartao + QStringLiteral("a.jpg");
        janela->Foto(0, 1).NomeDoArquivo = presente;
        janela->Foto(0, 2).NomeDoArquivo = cartao + QStringLiteral("b.jpg");
        janela->Foto(0, 3).NomeDoArquivo = cartao + QStringLiteral("a.jpg"); // the same photo twice
        janela->Foto(1, 0).NomeDoArquivo = cartao + QStringLiteral("c.jpg");
        janela->Foto(1, 1).NomeDoArquivo = cartao + QStringLiteral("d.jpg");
        janela->Documento().GravarEmArquivo(arquivo);
    }

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
    for (int j = 0; j < 4; ++j)
        janela->Foto(0, j).NomeDoArquivo = j == 1 ? presente : QString();
    janela->Documento().Album().EliminarPagina(1);
    janela->Documento().GravarEmArquivo(arquivo);
    janela->Documento().setModified(false);
    EXPECT_TRUE(ClicarRespondendo(janela->spdLerTrabalho, {}, {arquivo}).isEmpty());
}

} // namespace
} // namespace lumoria::test
