// Photo placement on the page shown and the undo stack.
#include "app/main_window.h"

#include <algorithm>

#include "common/general_routines.h"
#include "common/message_box.h"
#include "platform/graphics/canvas.h"
#include "platform/ui/picture_control.h"

namespace lumoria {

using namespace platform;

void TfrmPrincipal::SetarFotoNaPaginaAtual(std::int32_t j, std::uint8_t ajuste, const QString& nome)
{
    EmpilharDesfazer(j);
    TFoto& foto = m_documento.currentPage().Foto(j);
    foto.NomeDoArquivo = nome;
    foto.Ajuste = ajuste;
    DesenharMolduraNaTela(j);
    m_documento.setModified(true);
}

void TfrmPrincipal::EmpilharDesfazer(std::int32_t j)
{
    TPagina& pagina = m_documento.currentPage();
    const TFoto& foto = pagina.Foto(j);
    std::move_backward(m_backups.begin(), m_backups.end() - 1, m_backups.end());
    m_backups[0] = RegistroDeDesfazer{j, foto.Ajuste, foto.NomeDoArquivo, pagina.Identidade()};
}

std::int32_t TfrmPrincipal::DesempilharDesfazer()
{
    while (m_backups[0].Moldura >= 0) {
        const RegistroDeDesfazer registro = m_backups[0];
        std::move(m_backups.begin() + 1, m_backups.end(), m_backups.begin());
        m_backups.back() = RegistroDeDesfazer{};

        // The record goes back onto its own page, never onto the page that happens to be shown;
        // a record whose page or frame is gone is dropped and the next one is tried.
        TAlbum& album = Album();
        int indice = -1;
        for (int i = 0; i < album.pageCount(); ++i)
            if (album.Paginas[static_cast<std::size_t>(i)]->Identidade() == registro.Pagina) {
                indice = i;
                break;
            }
        if (indice < 0 || registro.Moldura >= album.Pagina(indice).frameCount())
            continue;
        if (indice != PaginaAtual()) {
            m_documento.setCurrentPageIndex(indice);
            m_documento.ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
        }
        TFoto& foto = album.Pagina(indice).Foto(registro.Moldura);
        foto.Ajuste = registro.Ajuste;
        foto.NomeDoArquivo = registro.NomeDoArquivo;
        return registro.Moldura;
    }
    return -1;
}

void TfrmPrincipal::ZerarBackups() { m_backups.fill(RegistroDeDesfazer{}); }

void TfrmPrincipal::spdDesfazerClick()
{
    const int paginaAntes = PaginaAtual();
    const std::int32_t k = DesempilharDesfazer();
    if (k >= 0) {
        if (PaginaAtual() != paginaAntes)
            AtualizarPainelCentralComPaginaAtualEDemaisAspectosVisuais();
        else
            DesenharMolduraNaTela(k);
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
    m_documento.currentPage().DesenharFoto(imgPaginaCentral->canvas(), j);
    imgPaginaCentral->update();
}

} // namespace lumoria
