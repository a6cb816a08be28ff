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

platform::PrinterDeviceValues A4A100Pontos()
{
    platform::PrinterDeviceValues v;
    v.dpiX = v.dpiY = 100;
    v.physicalWidth = v.clip.Right = 827;
    v.physicalHeight = v.clip.Bottom = 1169;
    return v;
}

void Clicar(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

TEST(PreviewCommand, WithoutAPrinterABoxSaysOneMustBeInstalledAndNoPreviewOpens)
{
    PrepararConfiguracoes(false);
    platform::ScopedPrinterSystem semImpressora(std::make_unique<platform::FixedPrinterSystem>());
    auto janela = NovaJanela();
    ASSERT_TRUE(janela->spdPrevisaoImpressao->isEnabled());
    Atendente atendente;
    atendente.respostas = {6};
    Clicar(janela->spdPrevisaoImpressao);
    ASSERT_EQ(atendente.caixas.size(), 1);
    EXPECT_EQ(atendente.caixas[0].titulo, QStringLiteral("Necessidade De Instalar Impressora e Seus Drivers"));
    EXPECT_EQ(atendente.caixas[0].texto,
              janela->TituloDoAplicativo() +
                  QStringLiteral("\r\n\r\nPara Prever a Impressão Há Necessidade\r\nDe Instalar Pelo Menos Uma "
                                 "Impressora\r\nNeste Computador.\r\n\r\nNão Há Nenhuma Impressora Instalada!"));
    EXPECT_EQ(atendente.caixas[0].botao1, QStringLiteral("Sim"));
    EXPECT_TRUE(atendente.caixas[0].botao2.isEmpty());
    EXPECT_EQ(atendente.inesperadas, 0);
}

TEST(PreviewCommand, ThePreviewOpensMaximisedLikeTheMainWindowAndMovesItsPage)
{
    PrepararConfiguracoes(true);
    auto sistema = std::make_unique<platform::FixedPrinterSystem>();
    sistema->addPrinter(QStringLiteral("Teste"), A4A100Pontos());
    platform::ScopedPrinterSystem impressoras(std::move(sistema));
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
    auto sistema = std::make_unique<platform::FixedPrinterSystem>();
    sistema->addPrinter(QStringLiteral("Teste"), A4A100Pontos());
    platform::ScopedPrinterSystem impressoras(std::move(sistema));
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
