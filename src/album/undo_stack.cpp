#include "album/undo_stack.h"

#include "album/album_model.h"

#include <algorithm>

namespace lumoria {

void UndoStack::EmpilharDesfazer(const TAlbum& album, int pagina, std::int32_t j)
{
    const TPagina& p = album.Pagina(pagina);
    const TFoto& foto = p.Foto(j);
    std::move_backward(m_registros.begin(), m_registros.end() - 1, m_registros.end());
    m_registros[0] = RegistroDeDesfazer{j, foto.Ajuste, foto.NomeDoArquivo, p.Identidade()};
}

DesfazerAplicado UndoStack::DesempilharDesfazer(TAlbum& album)
{
    while (m_registros[0].Moldura >= 0) {
        const RegistroDeDesfazer registro = m_registros[0];
        std::move(m_registros.begin() + 1, m_registros.end(), m_registros.begin());
        m_registros.back() = RegistroDeDesfazer{};

        int indice = -1;
        for (int i = 0; i < album.pageCount(); ++i)
            if (album.Paginas[static_cast<std::size_t>(i)]->Identidade() == registro.Pagina) {
                indice = i;
                break;
            }
        if (indice < 0 || registro.Moldura >= album.Pagina(indice).frameCount())
            continue;
        TFoto& foto = album.Pagina(indice).Foto(registro.Moldura);
        foto.Ajuste = registro.Ajuste;
        foto.NomeDoArquivo = registro.NomeDoArquivo;
        return {registro.Moldura, indice};
    }
    return {};
}

} // namespace lumoria
