// The photo analysis opened from the frame menu.
#include "app/main_window.h"

#include "printing/photo_analysis_window.h"

namespace lumoria {

void TfrmPrincipal::AnalisarFotos(const QString& arquivo)
{
    // Owned by no window and made anew each time: nothing of it survives to the next opening.
    TfrmAnalisarFotos janela(m_documento);
    janela.SetarArquivoEMolduraDaFoto(arquivo, PaginaAtual(), MolduraSobOMouse());
    janela.ShowModal();
}

} // namespace lumoria
