// One copy at a time, with the built program as the first copy: a second copy is refused with the
// failure box and never enters its message loop, a killed copy does not block the next start, and
// a normal run goes through the message loop to the confirmed exit.
#include "main_window_fixture.h"

#include <QFile>
#include <QProcess>

#include "app/program.h"
#include "common/app_identity.h"
#include "common/failure_messages.h"
#include "editing/cover/cover_editor.h"
#include "platform/system/single_instance.h"
#include "platform/ui/dispatch.h"

#include "../common/box_capture.h"

namespace lumoria::test {
namespace {

QString Programa() { return QStringLiteral(LUMORIA_PROGRAM); }

// A job file of one default page, for starting a copy without the splash and its wait.
QString TrabalhoSimples()
{
    const QString arquivo = home() + QStringLiteral("/simples.pvo");
    AlbumDocument documento;
    documento.CriarNovoAlbumComUmaPaginaESemFotos();
    documento.GravarEmArquivo(arquivo);
    return arquivo;
}

// Whether another process holds the program's single-copy lock now.
bool OutraCopiaEmExecucao()
{
    platform::SingleInstanceLock sonda;
    return sonda.tryAcquire(TituloDoAplicativo()) == platform::SingleInstanceLock::Result::HeldElsewhere;
}

class SingleCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(Programa())) << Programa().toStdString();
        PrepararConfiguracoes(false);
        trabalho = TrabalhoSimples();
        m_anterior = platform::setFailureHandler(appAplicacaoException);
    }
    void TearDown() override
    {
        if (primeira.state() != QProcess::NotRunning) {
            primeira.kill();
            primeira.waitForFinished(5000);
        }
        platform::setFailureHandler(m_anterior);
        platform::clearTerminationRequest();
    }
    // Starts the built program as the first copy and waits until it holds the lock.
    void IniciarPrimeiraCopia()
    {
        primeira.setProgram(Programa());
        primeira.setArguments({trabalho});
        primeira.start();
        ASSERT_TRUE(primeira.waitForStarted(5000));
        QTest::qWaitFor([this] { return OutraCopiaEmExecucao() || primeira.state() != QProcess::Running; }, 15000);
        ASSERT_TRUE(OutraCopiaEmExecucao()) << primeira.readAllStandardError().toStdString();
    }

    QString trabalho;
    QProcess primeira;

private:
    platform::FailureHandler m_anterior;
};

TEST_F(SingleCopy, ASecondCopyIsRefusedWithoutEnteringItsMessageLoopAndTheFirstKeepsItsLock)
{
    IniciarPrimeiraCopia();
    {
        BoxCapture caixas;
        TfrmPrincipal segunda;
        ASSERT_EQ(caixas.boxes.size(), 1);
        EXPECT_TRUE(caixas.boxes[0].texto.contains(QStringLiteral("Este Programa Já Está Em Execução.")));
        EXPECT_TRUE(caixas.boxes[0].erro);
        EXPECT_TRUE(platform::terminationRequested());
        // The refused copy wrote no cursor files and read no job.
        EXPECT_FALSE(segunda.ArquivosDeCursoresGravados());
    }
    EXPECT_TRUE(OutraCopiaEmExecucao()) << "the running copy's lock survives the refused one";

    // The program's main block: the refusal ends it before its loop.
    platform::clearTerminationRequest();
    BoxCapture caixas;
    bool lacoExecutado = false;
    QObject guarda; // ends a loop that should not have run
    QTimer::singleShot(5000, &guarda, [&lacoExecutado] {
        lacoExecutado = true;
        QCoreApplication::exit(99);
    });
    EXPECT_EQ(ExecutarLumoria({trabalho}), 0);
    EXPECT_FALSE(lacoExecutado);
    EXPECT_EQ(caixas.boxes.size(), 1);
    EXPECT_EQ(primeira.state(), QProcess::Running);
}

TEST_F(SingleCopy, AKilledCopyDoesNotBlockTheNextStart)
{
    IniciarPrimeiraCopia();
    primeira.kill(); // no shut-down code runs
    ASSERT_TRUE(primeira.waitForFinished(5000));
    BoxCapture caixas;
    TfrmPrincipal proxima;
    EXPECT_TRUE(caixas.boxes.isEmpty());
    EXPECT_FALSE(platform::terminationRequested());
    EXPECT_TRUE(proxima.ArquivosDeCursoresGravados());
}

TEST_F(SingleCopy, ANormalRunGoesThroughTheLoopToTheConfirmedExit)
{
    AtendenteCom atendente({6}); // the exit question
    // Once the window shows (the loop follows at once), it is closed.
    QTimer fechar;
    int capasOcultas = -1;
    QObject::connect(&fechar, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* janela = qobject_cast<TfrmPrincipal*>(w); janela && janela->isVisible()) {
                fechar.stop();
                // Start-up keeps one cover editor window, hidden, for the whole run.
                capasOcultas = 0;
                for (QWidget* c : QApplication::topLevelWidgets())
                    if (auto* capa = qobject_cast<TfrmEditarFotosTrabalhos*>(c))
                        capasOcultas += capa->isVisible() ? 100 : 1;
                janela->close();
            }
    });
    fechar.start(10);
    QObject guarda;
    QTimer::singleShot(60000, &guarda, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(ExecutarLumoria({trabalho}), 0);
    EXPECT_EQ(capasOcultas, 1);
    EXPECT_EQ(atendente.caixas, QList<CaixaVista>{Caixa(QStringLiteral("Confirmação Para Saída"),
                                                        TituloDoAplicativo() + QStringLiteral("\r\n\r\nVocê Deseja Sair Deste Aplicativo?"),
                                                        "Sim", "Não")});
    EXPECT_FALSE(QFile::exists(PastaDoAplicativo() + QStringLiteral("c_esperar.ani")));
    // The lock went with the window.
    platform::SingleInstanceLock sonda;
    EXPECT_EQ(sonda.tryAcquire(TituloDoAplicativo()), platform::SingleInstanceLock::Result::Acquired);
}

} // namespace
} // namespace lumoria::test
