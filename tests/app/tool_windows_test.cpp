// The tool windows the main window opens: the analysis from the frame menu on the frame under the
// mouse; the print preview from "Previsão" in the main window's state (or the box when no printer is
// installed), whose page buttons leave the main window on the page last shown; and the install
// switches handed over at start-up, which end the program without its main window.
#include "main_window_fixture.h"

#include <QComboBox>
#include <QLabel>

#include "app/program.h"
#include "common/modal_helper.h"
#include "platform/printing/fixed_printer.h"
#include "printing/photo_analysis_window.h"
#include "printing/print_preview.h"
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

// A printer system of one printer, "Teste": A4 at 100 dots per inch.
std::unique_ptr<platform::FixedPrinterSystem> UmaImpressoraA4()
{
    platform::PrinterDeviceValues v;
    v.dpiX = v.dpiY = 100;
    v.physicalWidth = v.clip.Right = 827;
    v.physicalHeight = v.clip.Bottom = 1169;
    auto sistema = std::make_unique<platform::FixedPrinterSystem>();
    sistema->addPrinter(QStringLiteral("Teste"), v);
    return sistema;
}

TEST(PreviewCommand, WithoutAPrinterABoxSaysOneMustBeInstalledAndNoPreviewOpens)
{
    PrepararConfiguracoes(false);
    platform::ScopedPrinterSystem semImpressora(std::make_unique<platform::FixedPrinterSystem>());
    auto janela = NovaJanela();
    ASSERT_TRUE(janela->spdPrevisaoImpressao->isEnabled());
    EXPECT_EQ(ClicarRespondendo(janela->spdPrevisaoImpressao, {6}),
              QList<CaixaVista>{Caixa(QStringLiteral("Necessidade De Instalar Impressora e Seus Drivers"),
                                      janela->TituloDoAplicativo()
                                          + QStringLiteral("\r\n\r\nPara Prever a Impressão Há Necessidade\r\nDe Instalar "
                                                           "Pelo Menos Uma Impressora\r\nNeste Computador.\r\n\r\n"
                                                           "Não Há Nenhuma Impressora Instalada!"))});
}

// The preview opens in the main window's state; closing it leaves the main window on the page last
// shown, redrawn only when that page is another.
TEST(PreviewCommand, ThePreviewOpensLikeTheMainWindowAndLeavesItOnThePageLastShown)
{
    using Botao = TFancyButton* TfrmImprimirPrevisaoImpressaoFotos::*;
    const struct {
        bool maximizada;
        QList<Botao> botoes;
        int pagina;
        QString numero;
    } casos[] = {
        {true, {&TfrmImprimirPrevisaoImpressaoFotos::spdPaginaSeguinte, &TfrmImprimirPrevisaoImpressaoFotos::spdPaginaSeguinte}, 2,
         QStringLiteral("3 de 3")},
        {false, {&TfrmImprimirPrevisaoImpressaoFotos::spdPaginaSeguinte, &TfrmImprimirPrevisaoImpressaoFotos::spdPaginaAnterior}, 0,
         QStringLiteral("1 de 3")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.numero.toStdString());
        PrepararConfiguracoes(c.maximizada);
        platform::ScopedPrinterSystem impressoras(UmaImpressoraA4());
        auto janela = NovaJanela();
        ASSERT_EQ(janela->isMaximized(), c.maximizada);
        Paginas(*janela, 3, 0);
        ASSERT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("1 de 3"));
        bool maximizada = !c.maximizada;
        QString titulo;
        WhenModal([&](QWidget* modal) {
            auto* previa = As<TfrmImprimirPrevisaoImpressaoFotos>(modal);
            ASSERT_NE(previa, nullptr);
            maximizada = previa->isMaximized();
            titulo = previa->windowTitle();
            for (Botao b : c.botoes)
                Clicar(previa->*b);
            // A change in the model that only a redraw shows: the size lists follow the page drawn.
            janela->Pagina(0).TipoDoPapel = 2;
            Clicar(previa->spdSair);
        });
        Clicar(janela->spdPrevisaoImpressao);
        EXPECT_EQ(maximizada, c.maximizada);
        EXPECT_TRUE(titulo.startsWith(QStringLiteral("Previsão de Impressão, 3 Página(s), ")));
        EXPECT_EQ(janela->PaginaAtual(), c.pagina);
        EXPECT_EQ(janela->lblNumeroDaPagina->text(), c.numero);
        EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 0);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

} // namespace
} // namespace lumoria::test
