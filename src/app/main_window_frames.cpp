// Photo placement on the page shown and the undo stack.
#include "app/main_window.h"

#include "album/page_view_fill.h"
#include "common/general_routines.h"
#include "common/message_box.h"
#include "platform/graphics/canvas.h"
#include "platform/ui/picture_control.h"

namespace lumoria {

using namespace platform;

void TfrmPrincipal::SetarFotoNaPaginaAtual(std::int32_t j, std::uint8_t ajuste, const QString& nome)
{
    m_documento.SetarFotoNaPaginaAtual(j, ajuste, nome);
    DesenharMolduraNaTela(j);
    MostrarMolduraNaBarraDeEstado();
}

void TfrmPrincipal::spdDesfazerClick()
{
    const int paginaAntes = PaginaAtual();
    const DesfazerAplicado feito = m_documento.Desfazer();
    if (feito.moldura >= 0) {
        if (PaginaAtual() != paginaAntes)
            AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
        else
            DesenharMolduraNaTela(feito.moldura);
        MostrarMolduraNaBarraDeEstado();
        return;
    }
    CaixaDeDialogo(m_tituloDoAplicativo + QuebrasDeLinha(2) + QStringLiteral("A Função Desfazer Armazena As Últimas ") +
                       QString::number(kTamanhoDaPilhaDeDesfazer) + QuebrasDeLinha(1) +
                       QStringLiteral("Operações de Troca Ou Edição de Fotos,") + QuebrasDeLinha(1) +
                       QStringLiteral("Incluindo Mudanças No Seu Ajustamento") + QuebrasDeLinha(1) +
                       QStringLiteral("Às Molduras.") + QuebrasDeLinha(2) +
                       QStringLiteral("Não Há Operações a Desfazer."),
                   QStringLiteral("Não Há Operações a Desfazer."), QString(), QStringLiteral("Sim"), false);
}

void TfrmPrincipal::DesenharMolduraNaTela(std::int32_t j)
{
    m_preenchimento->Esquecer(j);
    m_documento.currentPage().DesenharFoto(imgPaginaCentral->canvas(), j);
    imgPaginaCentral->update();
}

} // namespace lumoria
