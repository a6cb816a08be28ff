// Start-up and shut-down through the window: the caption, the state it starts in, the cursor files,
// the welcome tip of the first three runs, the exit question and the guide button.
#include "main_window_fixture.h"

#include <QDir>
#include <QFile>

#include "album/page_drawing_steps.h"
#include "app/settings.h"
#include "common/custom_cursors.h"
#include "common/modal_helper.h"
#include "common/failure_messages.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/caption_panel.h"
#include "platform/ui/splitter.h"
#include "platform/ui/status_bar.h"

#include "../common/box_capture.h"

namespace lumoria::test {
namespace {

// The box trims the text, so the blank that ends the third run's line does not show.
const QString kUltimaLinhaDaDica[] = {QStringLiteral("Ser Apresentada Em Mais 2 Execuções."),
                                      QStringLiteral("Ser Apresentada Em Mais Uma Execução."),
                                      QStringLiteral("Ser Apresentada a Partir de Agora.")};

Configuracoes ConfiguracoesGravadas()
{
    Configuracoes c;
    platform::SettingsStore store = userSettingsStore();
    c.EntrarMaximizada = store.readInteger(kChaveDeConfiguracoes, kValorEntrarMaximizada).value_or(-1) != 0;
    c.ContadorDeUtilizacoes = store.readInteger(kChaveDeConfiguracoes, kValorContadorDeUtilizacoes).value_or(-1);
    return c;
}

TEST(Startup, CaptionAddressAndTheStateTheSettingsAskFor)
{
    PrepararConfiguracoes(true);
    auto janela = NovaJanela();
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Lumoria v1.0 (Build: 1.0.0.0)"));
    EXPECT_EQ(janela->TituloDoAplicativo(), QStringLiteral("Lumoria v1.0"));
    EXPECT_EQ(janela->stbEstado->panelText(0), QStringLiteral("www.lumoria.com.br"));
    EXPECT_TRUE(janela->isMaximized());
    EXPECT_FALSE(janela->Modificado());
    EXPECT_EQ(janela->pnlLegendaQtdFotos->caption(), QStringLiteral("4 Fotos Por Folha"));
    janela.reset();

    PrepararConfiguracoes(false);
    janela = NovaJanela();
    EXPECT_FALSE(janela->isMaximized());
    EXPECT_EQ(janela->frameGeometry(), QRect(112, 84, 800, 600)) << "centred on the 1024 x 768 screen";
    // The program's folder keeps its letter case.
    EXPECT_EQ(janela->PastaDoAplicativo(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    // The file dialogs are made when first used, in the user's documents.
    EXPECT_EQ(janela->opdFoto, nullptr);
    EXPECT_EQ(janela->svdTrabalho, nullptr);
    EXPECT_EQ(janela->opdTrabalho, nullptr);
    janela->GarantirDialogos();
    for (QFileDialog* d : {janela->opdFoto, janela->svdTrabalho, janela->opdTrabalho})
        EXPECT_EQ(QDir(d->directory()).absolutePath(), QDir(home() + QStringLiteral("/Documents")).absolutePath());
}

// Showing the window may change its size twice (the pending size, then the frame's): the page is
// drawn once, at the size it ends with, before the window is painted.
TEST(Startup, ShowingTheWindowDrawsThePageOnceAtItsFinalSize)
{
    PrepararConfiguracoes(false);
    auto janela = std::make_unique<TfrmPrincipal>();
    const int antes = desenho::EscalasDaFotoVazia();
    janela->show();
    // One scaled placeholder for each size of frame on the page as it ends.
    QList<QSize> tamanhos;
    for (int j = 0; j < janela->Pagina(0).frameCount(); ++j) {
        const TFoto& f = janela->Foto(0, j);
        const QSize t = QRect(PixelDoMilimetro(*janela, f.Left, f.Top), PixelDoMilimetro(*janela, f.Right, f.Bottom)).size()
                        - QSize(1, 1);
        if (!tamanhos.contains(t))
            tamanhos << t;
    }
    EXPECT_EQ(desenho::EscalasDaFotoVazia() - antes, tamanhos.size());
    EXPECT_EQ(janela->imgPaginaCentral->bitmap().Width(), janela->imgPaginaCentral->width());
    EXPECT_EQ(janela->imgPaginaCentral->bitmap().Height(), janela->imgPaginaCentral->height());
    // The page stands where the window's final size puts it.
    EXPECT_EQ(janela->frameGeometry().size(), QSize(800, 600));
}

TEST(Startup, AProgramFolderThatCannotBeWrittenSendsTheCursorsToTheRuntimeFolder)
{
    // Nobody, not even the superuser, creates files in /proc.
    const QString pasta = PastaParaOsCursores(QStringLiteral("/proc/"));
    EXPECT_EQ(pasta, home() + QStringLiteral("/runtime/lumoria/"));
    EXPECT_TRUE(QDir(pasta).exists());
    EXPECT_EQ(PastaParaOsCursores(home() + QStringLiteral("/")), home() + QStringLiteral("/"));
}

TEST(Startup, TheWelcomeTipShowsOnTheFirstThreeRunsEndedByTheOperator)
{
    PrepararConfiguracoes(false, 0);
    {
        // A run not ended by the operator does not count.
        AtendenteCom atendente({6});
        auto janela = NovaJanela();
        ASSERT_TRUE(QTest::qWaitFor([&] { return atendente.caixas.size() == 1; }, 60000));
        EXPECT_TRUE(atendente.caixas[0].texto.endsWith(kUltimaLinhaDaDica[0]));
    }
    EXPECT_EQ(ConfiguracoesGravadas().ContadorDeUtilizacoes, 0);
    for (int execucao = 1; execucao <= 4; ++execucao) {
        SCOPED_TRACE(execucao);
        AtendenteCom atendente({6, 6}); // the tip, then the exit question
        auto janela = NovaJanela();
        if (execucao <= 3) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return atendente.caixas.size() == 1; }, 60000));
            EXPECT_EQ(atendente.caixas[0].titulo, QStringLiteral("Mensagem de Boas Vindas e Dica Para Aplicação de Fotos"));
            EXPECT_TRUE(atendente.caixas[0].texto.startsWith(QStringLiteral("Lumoria v1.0\r\nBem Vindo!\r\n\r\n")));
            EXPECT_TRUE(atendente.caixas[0].texto.endsWith(
                QStringLiteral("Esta Mensagem Deixará De\r\n") + kUltimaLinhaDaDica[execucao - 1]));
            EXPECT_EQ(atendente.caixas[0].botao2, QString());
        } else {
            EXPECT_TRUE(atendente.caixas.isEmpty());
        }
        // Showing the window again in the same run neither counts nor shows.
        janela->hide();
        janela->show();
        QTest::qWait(20);
        EXPECT_EQ(atendente.caixas.size(), execucao <= 3 ? 1 : 0);
        janela->close();
        QApplication::processEvents();
        EXPECT_EQ(ConfiguracoesGravadas().ContadorDeUtilizacoes, execucao);
    }
}

TEST(Startup, TheExitQuestionKeepsTheWindowAndItsCursorFilesUnlessConfirmed)
{
    PrepararConfiguracoes(true);
    auto janela = NovaJanela();
    // The cursor files are written at start beside the program (the test program's folder can be written).
    ASSERT_TRUE(janela->ArquivosDeCursoresGravados());
    const QString pasta = janela->PastaDosCursores();
    EXPECT_EQ(pasta, janela->PastaDoAplicativo());
    const auto cursores = [&](bool existem) {
        for (const CursorAnimado& c : kCursoresAnimados)
            EXPECT_EQ(QFile::exists(pasta + QLatin1String(c.arquivo)), existem) << c.arquivo;
    };
    cursores(true);
    EXPECT_TRUE(platform::isCursorRegistered(crEsperar));
    EXPECT_EQ(platform::controlCursor(janela->spdSair), crNormal);
    EXPECT_EQ(platform::controlCursor(janela->splImagens), crDivHorizontal);
    const CaixaVista pergunta = Caixa(QStringLiteral("Confirmação Para Saída"),
                                      QStringLiteral("Lumoria v1.0\r\n\r\nVocê Deseja Sair Deste Aplicativo?"), "Sim", "Não");
    const auto fechar = [&] {
        janela->close();
        QApplication::processEvents();
    };
    // Esc on the exit button's question, the close box on the window's.
    EXPECT_EQ(ClicarRespondendo(janela->spdSair, {7}), QList<CaixaVista>{pergunta});
    EXPECT_EQ(Respondendo({2}, fechar), QList<CaixaVista>{pergunta});
    EXPECT_TRUE(janela->isVisible()) << "Esc and the close box keep the window";
    cursores(true);

    janela->SetarFotoNaPaginaAtual(0, 0, FotoDeTeste(QStringLiteral("saida.bmp"), 10, 10, Qt::gray));
    janela->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(Respondendo({6}, fechar),
              QList<CaixaVista>{Caixa(QStringLiteral("Confirmação Para Saída"),
                                      QStringLiteral("Lumoria v1.0\r\n\r\nHá Modificações Neste Trabalho Que Ainda Não\r\n"
                                                     "Foram Gravadas. Estas Modificações Serão Perdidas\r\n"
                                                     "Se o Trabalho Não For Gravado Em Disco.\r\n\r\nVocê Deseja Sair "
                                                     "Deste Aplicativo?"),
                                      "Sim", "Não")});
    EXPECT_FALSE(janela->isVisible());
    cursores(false);
    // The state at the exit is kept for the next start.
    EXPECT_FALSE(ConfiguracoesGravadas().EntrarMaximizada);
}

TEST(Startup, TheExitButtonHidesTheAuthorBox)
{
    PrepararConfiguracoes(false);
    auto janela = NovaJanela();
    QString titulo;
    WhenModal(
        [&titulo](QWidget* w) {
            titulo = w->windowTitle();
            w->close();
        },
        [](QWidget* w) { return qobject_cast<TfrmDialogoComImagem*>(w) != nullptr; });
    const QPoint centro = janela->spdSair->rect().center();
    QTest::mouseClick(janela->spdSair, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, centro);
    EXPECT_EQ(titulo, QString()) << "without Alt nothing shows";
    QTest::mouseClick(janela->spdSair, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier,
                      centro);
    EXPECT_EQ(titulo, QStringLiteral("Autor Deste Programa"));
    EXPECT_TRUE(janela->isVisible()) << "the right button does not close the window";
}

TEST(Startup, TheGuideButtonWarnsWhenTheGuideIsMissing)
{
    PrepararConfiguracoes(false);
    auto janela = NovaJanela();
    ASSERT_FALSE(QFile::exists(janela->PastaDoAplicativo() + QStringLiteral("manual/index.html")));
    const platform::FailureHandler anterior = platform::setFailureHandler(appAplicacaoException);
    BoxCapture caixas;
    QTest::mouseClick(janela->spdGuia, Qt::LeftButton, {}, janela->spdGuia->rect().center());
    platform::setFailureHandler(anterior);
    ASSERT_EQ(caixas.boxes.size(), 1);
    EXPECT_TRUE(caixas.boxes[0].texto.contains(QStringLiteral("Guia Eletrônico")));
    EXPECT_FALSE(caixas.boxes[0].erro);
    EXPECT_FALSE(platform::terminationRequested());
}

} // namespace
} // namespace lumoria::test
