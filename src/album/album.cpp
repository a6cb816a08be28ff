// The album's pages: access, the frame count, insertion and removal.
#include "album/album_model.h"

#include "platform/failure.h"
#include "platform/numeric.h"

namespace lumoria {

TPagina& TAlbum::Pagina(int i)
{
    if (i < 0 || i >= pageCount())
        throw ListIndexError(i);
    return *Paginas[static_cast<std::size_t>(i)];
}

const TPagina& TAlbum::Pagina(int i) const { return const_cast<TAlbum*>(this)->Pagina(i); }

std::int32_t TAlbum::ContarFotos(int primeira, int ultima) const
{
    const int n = pageCount();
    if (primeira < 0 || primeira > n - 1)
        primeira = 0;
    if (ultima < 0 || ultima > n - 1)
        ultima = n - 1;
    std::int64_t total = 0;
    for (int i = primeira; i <= ultima; ++i)
        total += Pagina(i).frameCount();
    return ToInt32(total);
}

void TAlbum::inserirPagina(int modelo, int posicao)
{
    const TPagina& origem = Pagina(modelo);
    auto nova = std::make_unique<TPagina>();
    nova->TipoDoPapel = origem.TipoDoPapel;
    nova->TipoDaFoto = origem.TipoDaFoto;
    nova->TamanhoPersonalizado1 = origem.TamanhoPersonalizado1;
    nova->TamanhoPersonalizado2 = origem.TamanhoPersonalizado2;
    Paginas.insert(Paginas.begin() + posicao, std::move(nova));
    m_dono.setCurrentPageIndex(posicao);
    // Another page is shown now: the names remembered for the old one must not land on it.
    m_dono.ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
    m_dono.relayoutCurrentPage(false);
}

void TAlbum::InserirPaginaAntes(int i) { inserirPagina(i, i); }

void TAlbum::InserirPaginaDepois(int i) { inserirPagina(i, i + 1); }

void TAlbum::EliminarPagina(int i)
{
    Pagina(i); // a bad index fails before anything changes
    Paginas.erase(Paginas.begin() + i);
    if (i <= m_dono.currentPageIndex()) {
        m_dono.setCurrentPageIndex(i - 1 < 0 ? 0 : i - 1);
        m_dono.ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
    }
}

void TAlbum::removeAllPages()
{
    Paginas.clear();
    m_dono.ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
}

} // namespace lumoria
