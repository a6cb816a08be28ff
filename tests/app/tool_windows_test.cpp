// The analysis opened from the frame menu on the frame under the mouse, and the install switches
// handed over at start-up, which end the program without its main window.
#include "main_window_fixture.h"


#include "app/program.h"
#include "common/modal_helper.h"
#include "printing/photo_analysis_window.h"
#include "support/brazilian_locale.h"

namespace lumoria::test {
namespace {

class AnaliseNoMenu : public JanelaPrincipal {
protected:
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    // Chooses "Analisar Foto e Moldura" on frame j; returns what the analysis window showed.
    QStringList Analisar(int j, QString* titulo = nullptr)
    {
        QStringList linhas;
        WhenModal([&](QWidget* w) {
            auto* analise = qobject_cast<TfrmAnalisarFotos*>(w);
            if (!analise) {
                w->close();
                return;
            }
            linhas = analise->Linhas();
            if (titulo)
                *titulo = analise->windowTitle();
            Clicar(analise->spdSair);
        });
        if (!AbrirMenuDaMoldura(*janela, j))
            return {QStringLiteral("<no menu>")};
        EXPECT_TRUE(janela->mniAnalisarEstaFoto->isEnabled());
        EscolherNoMenu(*janela, janela->mniAnalisarEstaFoto);
        return linhas;
    }

    LocalidadeBrasileira localidade;
};

TEST_F(AnaliseNoMenu, AnalysesThePhotoOfTheFrameUnderTheMouseAndChangesNothing)
{
    const QString foto = FotoDeTeste(QStringLiteral("analise-3072.jpg"), 3072, 2048, Qt::darkCyan);
    janela->SetarFotoNaPaginaAtual(1, kFitInside, foto);
    const QStringList pilha = Registros(*janela, TfrmPrincipal::kTamanhoDaPilhaDeDesfazer);
    janela->Documento().setModified(false);
    const TFoto antes = janela->Foto(0, 1);

    QString titulo;
    const QStringList linhas = Analisar(1, &titulo);
    ASSERT_EQ(linhas.size(), 11);
    EXPECT_EQ(titulo, "Analisador de Fotos - " + foto);
    EXPECT_EQ(linhas[0], "Dimensões da Foto: 2048 x 3072 Pixels");
    const TFoto& f = janela->Foto(0, 1);
    EXPECT_EQ(linhas[1], QStringLiteral("Dimensões da Impressão: %1 x %2 Centímetros")
                             .arg(FormatarNumero(0, 0, std::min(f.Right - f.Left, f.Bottom - f.Top) / 10.0L))
                             .arg(FormatarNumero(0, 0, std::max(f.Right - f.Left, f.Bottom - f.Top) / 10.0L)));
    EXPECT_EQ(linhas[5], "Ajuste Da Foto Na Moldura: Proporcional, Por Dentro, Fazendo Bordas");

    EXPECT_EQ(janela->Foto(0, 1).NomeDoArquivo, antes.NomeDoArquivo);
    EXPECT_EQ(janela->Foto(0, 1).Ajuste, antes.Ajuste);
    EXPECT_EQ(Registros(*janela, TfrmPrincipal::kTamanhoDaPilhaDeDesfazer), pilha);
    EXPECT_FALSE(janela->Modificado());
}

TEST_F(AnaliseNoMenu, APhotoThatIsNotAPictureLeavesTheProgramRunning)
{
    const QString foto = home() + QStringLiteral("/fotos/analise-quebrada.jpg");
    writeFile(foto, "nao e uma foto");
    janela->SetarFotoNaPaginaAtual(0, kFitStretch, foto);
    const QStringList linhas = Analisar(0);
    EXPECT_EQ(linhas.value(0), "Não Foi Possível Analisar Esta Foto.");
    EXPECT_FALSE(platform::terminationRequested());
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(janela->Foto(0, 0).NomeDoArquivo, foto);
}

class ChaveDeInstalacao : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::clearTerminationRequest();
        PrepararConfiguracoes(false);
    }
    void TearDown() override { platform::clearTerminationRequest(); }
};

TEST_F(ChaveDeInstalacao, ASwitchRunsItsModeAndEndsWithoutTheMainWindowOrTheMessageLoop)
{
    const struct {
        QStringList argumentos;
        const char* titulo;
    } casos[] = {{{"<INSTALAR>"}, "Confirmação de Instalação"},
                 {{"\"<icones>\""}, "Confirmação de Instalação"},
                 {{" <Desinstalar> "}, "Confirmação de Desinstalação"}};
    const QString executaveis = home() + QStringLiteral("/.local/bin");
    QDir(executaveis).removeRecursively();
    for (const auto& c : casos) {
        platform::clearTerminationRequest();
        AtendenteCom atendente({7});
        TfrmPrincipal janela(c.argumentos);
        ASSERT_EQ(atendente.caixas.size(), 1);
        EXPECT_EQ(atendente.caixas[0].titulo, QString::fromUtf8(c.titulo));
        EXPECT_EQ(atendente.inesperadas, 0);
        EXPECT_TRUE(platform::terminationRequested());
        EXPECT_TRUE(janela.isHidden());
        EXPECT_EQ(janela.size(), QSize(1, 1));
        // Start-up stopped before the single copy and the cursor files.
        EXPECT_FALSE(janela.ArquivosDeCursoresGravados());
    }
    EXPECT_FALSE(QFileInfo::exists(executaveis)) << "declining creates not even a folder";

    // The program's main block ends without entering its message loop.
    platform::clearTerminationRequest();
    EXPECT_EQ(Respondendo({7}, [] { EXPECT_EQ(ExecutarLumoria({QStringLiteral("<DESINSTALAR>")}), 0); }).size(), 1);
}

TEST_F(ChaveDeInstalacao, AnyOtherArgumentIsAJobFile)
{
    AtendenteCom atendente({6});
    auto janela = NovaJanela({QStringLiteral("<INSTALAR>"), QStringLiteral("agora")});
    EXPECT_FALSE(platform::terminationRequested());
    EXPECT_TRUE(janela->isVisible());
    // The argument was read as a job file, which does not exist: the job's failure box.
    ASSERT_EQ(atendente.caixas.size(), 1);
    EXPECT_NE(atendente.caixas[0].titulo, "Confirmação de Instalação");
}

} // namespace
} // namespace lumoria::test
