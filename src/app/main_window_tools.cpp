// Opening the tool windows from the main window: the print preview behind its printer check and the
// photo analysis.
#include "app/main_window.h"

#include "album/printer_geometry.h"
#include "common/general_routines.h"
#include "common/message_box.h"
#include "printing/photo_analysis_window.h"
#include "printing/print_preview.h"

#include <memory>

namespace lumoria {

void TfrmPrincipal::MostrarPrevisaoDeImpressao()
{
    const int antes = PaginaAtual();
    {
        const auto previsao = std::make_unique<TfrmImprimirPrevisaoImpressaoFotos>(m_documento, *this, this);
        previsao->ShowModal(mainWindowState());
    }
    // The preview's page buttons move the current page; only then is the page view redrawn.
    if (PaginaAtual() != antes)
        redrawPage();
}

void TfrmPrincipal::spdPrevisaoImpressaoClick()
{
    if (ExisteImpressoraInstalada()) {
        MostrarPrevisaoDeImpressao();
        return;
    }
    CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("Para Prever a Impressão Há Necessidade") +
                       QuebrasDeLinha(1) + QStringLiteral("De Instalar Pelo Menos Uma Impressora") + QuebrasDeLinha(1) +
                       QStringLiteral("Neste Computador.") + QuebrasDeLinha(2) +
                       QStringLiteral("Não Há Nenhuma Impressora Instalada!"),
                   QStringLiteral("Necessidade De Instalar Impressora e Seus Drivers"), QString(), QStringLiteral("Sim"),
                   false);
}

void TfrmPrincipal::AnalisarFotos(const QString& arquivo)
{
    // Owned by no window and made anew each time: nothing of it survives to the next opening.
    TfrmAnalisarFotos janela(m_documento);
    janela.SetarArquivoEMolduraDaFoto(arquivo, PaginaAtual(), MolduraSobOMouse());
    janela.ShowModal();
}

} // namespace lumoria
