// Moving between the pages of the job (buttons and keys) and the page-control window.
#include "app/main_window.h"

#include "app/page_control_window.h"

namespace lumoria {

void TfrmPrincipal::IrParaAPagina(int indice)
{
    m_documento.setCurrentPageIndex(indice);
    m_documento.ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
    AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
}

void TfrmPrincipal::spdPaginaInicialClick()
{
    if (PaginaAtual() != 0)
        IrParaAPagina(0);
}

void TfrmPrincipal::spdPaginaAnteriorClick()
{
    if (PaginaAtual() > 0)
        IrParaAPagina(PaginaAtual() - 1);
}

void TfrmPrincipal::spdPaginaSeguinteClick()
{
    if (PaginaAtual() < Album().pageCount() - 1)
        IrParaAPagina(PaginaAtual() + 1);
}

void TfrmPrincipal::spdPaginaFinalClick()
{
    if (PaginaAtual() != Album().pageCount() - 1)
        IrParaAPagina(Album().pageCount() - 1);
}

bool TfrmPrincipal::EhTeclaDePagina(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home;
}

bool TfrmPrincipal::FormKeyUp(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        spdPaginaAnteriorClick();
        return true;
    case Qt::Key_PageDown:
        spdPaginaSeguinteClick();
        return true;
    case Qt::Key_End:
        spdPaginaFinalClick();
        return true;
    case Qt::Key_Home:
        spdPaginaInicialClick();
        return true;
    default:
        return false;
    }
}

void TfrmPrincipal::spdPaginasClick() { ControlarInserirEliminarPaginas(); }

void TfrmPrincipal::ControlarInserirEliminarPaginas()
{
    const int antes = Album().pageCount();
    {
        TfrmControlarPaginas janela(m_documento);
        janela.ShowModal();
    }
    if (Album().pageCount() != antes) {
        AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
        m_documento.setModified(true);
    }
}

} // namespace lumoria
