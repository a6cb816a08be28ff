// The "Previsão" button: the box when no printer is installed, and the preview opened in the main
// window's state, whose page buttons leave the main window on the page last shown.
#include "main_window_fixture.h"

#include <QComboBox>
#include <QLabel>

#include "common/modal_helper.h"
#include "platform/printing/fixed_printer.h"
#include "printing/print_preview.h"

namespace lumoria::test {
namespace {

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

TEST(PreviewCommand, ThePreviewOpensMaximisedLikeTheMainWindowAndMovesItsPage)
{
    PrepararConfiguracoes(true);
    platform::ScopedPrinterSystem impressoras(UmaImpressoraA4());
    auto janela = NovaJanela();
    ASSERT_TRUE(janela->isMaximized());
    janela->Album().InserirPaginaDepois(0);
    janela->Album().InserirPaginaDepois(1);
    janela->Documento().setCurrentPageIndex(0);
    janela->AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
    ASSERT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("1 de 3"));

    bool maximizada = false;
    QString titulo;
    WhenModal([&](QWidget* modal) {
        auto* previa = As<TfrmImprimirPrevisaoImpressaoFotos>(modal);
        ASSERT_NE(previa, nullptr);
        maximizada = previa->isMaximized();
        titulo = previa->windowTitle();
        Clicar(previa->spdPaginaSeguinte);
        Clicar(previa->spdPaginaSeguinte);
        Clicar(previa->spdSair);
    });
    Clicar(janela->spdPrevisaoImpressao);

    EXPECT_TRUE(maximizada);
    EXPECT_TRUE(titulo.startsWith(QStringLiteral("Previsão de Impressão, 3 Página(s), ")));
    EXPECT_EQ(janela->PaginaAtual(), 2);
    EXPECT_EQ(janela->lblNumeroDaPagina->text(), QStringLiteral("3 de 3"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(PreviewCommand, ClosingOnThePageItOpenedWithDoesNotRedrawThePageView)
{
    PrepararConfiguracoes(false);
    platform::ScopedPrinterSystem impressoras(UmaImpressoraA4());
    auto janela = NovaJanela();
    janela->Album().InserirPaginaDepois(0);
    janela->Documento().setCurrentPageIndex(0);
    janela->AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
    ASSERT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 0);

    // A change in the model that only a redraw shows: the size lists follow the page when it is drawn.
    WhenModal([&](QWidget* modal) {
        auto* previa = As<TfrmImprimirPrevisaoImpressaoFotos>(modal);
        ASSERT_NE(previa, nullptr);
        Clicar(previa->spdPaginaSeguinte);
        Clicar(previa->spdPaginaAnterior); // back on the page it opened with
        janela->Pagina(0).TipoDoPapel = 2;
        Clicar(previa->spdSair);
    });
    Clicar(janela->spdPrevisaoImpressao);
    EXPECT_EQ(janela->PaginaAtual(), 0);
    EXPECT_EQ(janela->cbxDimensaoDoPapel->currentIndex(), 0);
}

} // namespace
} // namespace lumoria::test
