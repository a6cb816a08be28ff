#include "album/album_document.h"

#include "album/size_tables.h"
#include "common/general_routines.h"
#include "platform/numeric.h"

#include <algorithm>
#include <utility>

namespace lumoria {

namespace {

// The photo turns a quarter when that fits more frames; on a tie it stays upright.
bool deveGirar(std::int32_t W, std::int32_t H, std::int32_t w, std::int32_t h)
{
    const std::int64_t emPe = Trunc(static_cast<long double>(H) / h) * Trunc(static_cast<long double>(W) / w);
    const std::int64_t deitada = Trunc(static_cast<long double>(H) / w) * Trunc(static_cast<long double>(W) / h);
    return deitada > emPe;
}

PageLegend legendaPara(std::int32_t n, const SizeListSelection& listas)
{
    PageLegend l;
    l.frames = n;
    if (n == 0) {
        l.colour = PageLegend::kDarkRed;
        l.caption = QStringLiteral("Não Cabe Sequer Uma");
    } else {
        l.colour = PageLegend::kCl3DDkShadow;
        l.caption = n == 1 ? QStringLiteral("Uma Foto Por Folha") : QString::number(n) + QStringLiteral(" Fotos Por Folha");
    }
    l.hint = QStringLiteral("Página a Ser Impressa") + QuebrasDeLinha(1) +
             QStringLiteral("Arraste Fotos Sobre Ela ou Clique Para Editar") + QuebrasDeLinha(2) +
             QStringLiteral("Papel ") + paperListText(listas.paperItem) + QuebrasDeLinha(1) +
             QStringLiteral("Fotos ") + photoListText(listas.photoItem) + QStringLiteral(" cm");
    return l;
}

// The paper and photo sizes the lists give for a page; false when one of them has no size.
bool tamanhosParaMontar(const SizeListSelection& listas, const TPagina& pagina, std::int32_t& W, std::int32_t& H,
                        std::int32_t& w, std::int32_t& h)
{
    PegarLarguraAlturaDaPaginaConfigurada(listas.paperItem, W, H);
    // A photo list without selection means a page of a type the list does not offer (a job file's
    // custom size): lay it out with its custom size.
    const int itemFoto = listas.photoItem < 0 ? kCustomPhotoType : listas.photoItem;
    photoSizeForItem(itemFoto, listas.paperItem, pagina, w, h);
    return W > 0 && H > 0 && w > 0 && h > 0;
}

} // namespace

SizeListSelection listSelectionShowing(const TPagina& pagina)
{
    SizeListSelection s;
    s.paperItem = pagina.TipoDoPapel >= 0 && pagina.TipoDoPapel < kPaperTypeCount ? pagina.TipoDoPapel : -1;
    s.photoItem = pagina.TipoDaFoto >= 0 && pagina.TipoDaFoto < kPhotoListItemCount ? pagina.TipoDaFoto : -1;
    return s;
}

AlbumDocument::AlbumDocument() { replaceAlbum(); }

void AlbumDocument::replaceAlbum()
{
    m_album = std::make_unique<TAlbum>(*this);
    m_album->Paginas.push_back(std::make_unique<TPagina>());
    m_currentPage = 0;
    m_frameUnderMouse = -1;
    ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
}

SizeListSelection AlbumDocument::sizeListSelection()
{
    return m_sizeLists ? m_sizeLists() : listSelectionShowing(currentPage());
}

void AlbumDocument::PegarLarguraAlturaDasFotosConfigurada(std::int32_t& largura, std::int32_t& altura)
{
    const SizeListSelection listas = sizeListSelection();
    photoSizeForItem(listas.photoItem, listas.paperItem, currentPage(), largura, altura);
}

JobFileSizes AlbumDocument::jobFileSizes()
{
    const SizeListSelection listas = sizeListSelection();
    JobFileSizes t;
    PegarLarguraAlturaDaPaginaConfigurada(listas.paperItem, t.larguraPapel, t.alturaPapel);
    photoSizeForItem(listas.photoItem, listas.paperItem, currentPage(), t.larguraFoto, t.alturaFoto);
    return t;
}

void AlbumDocument::GravarEmArquivo(const QString& nomeDoArquivo)
{
    m_album->GravarEmArquivo(nomeDoArquivo, m_currentPage, jobFileSizes());
}

void AlbumDocument::showInSizeLists(const SizeListSelection& listas)
{
    if (m_sizeListWriter)
        m_sizeListWriter(listas);
}

void AlbumDocument::startOverWithDefaultPage(bool lembrar)
{
    replaceAlbum();
    // The default page is laid out with its own types, not with what the lists showed before.
    const SizeListSelection listas = listSelectionShowing(currentPage());
    showInSizeLists(listas);
    CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(lembrar, listas);
}

bool AlbumDocument::LerAlbum(const QString& nomeDoArquivo, const std::function<void()>& informarFalha)
{
    m_modified = false;
    m_frameUnderMouse = -1;
    if (m_album->LerDeArquivo(nomeDoArquivo)) {
        showInSizeLists(listSelectionShowing(currentPage()));
        return true;
    }
    if (informarFalha)
        informarFalha();
    startOverWithDefaultPage(true);
    return false;
}

void AlbumDocument::CriarNovoAlbumComUmaPaginaESemFotos()
{
    m_modified = false;
    startOverWithDefaultPage(false);
}

void AlbumDocument::ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga() { m_nomes.fill(QString()); }

void AlbumDocument::relayoutCurrentPage(bool lembrar)
{
    CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(lembrar);
}

const PageLegend&
AlbumDocument::CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(bool Lembrar)
{
    return CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(Lembrar,
                                                                                              sizeListSelection());
}

const PageLegend& AlbumDocument::CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(
    bool Lembrar, const SizeListSelection& listas)
{
    TPagina& pagina = currentPage();
    if (Lembrar) {
        const int n = std::min(kRememberedNames, pagina.frameCount());
        for (int j = 0; j < n; ++j)
            m_nomes[static_cast<std::size_t>(j)] = pagina.Fotos[static_cast<std::size_t>(j)].NomeDoArquivo;
    }

    std::int32_t W = 0, H = 0, w = 0, h = 0;
    // Without a usable paper or photo size the page stays as it is.
    if (tamanhosParaMontar(listas, pagina, W, H, w, h)) {
        if (deveGirar(W, H, w, h))
            std::swap(w, h);
        pagina.MontarMolduras(W, H, w, h);
        if (Lembrar) {
            const int n = std::min(kRememberedNames, pagina.frameCount());
            for (int j = 0; j < n; ++j)
                pagina.Fotos[static_cast<std::size_t>(j)].NomeDoArquivo = m_nomes[static_cast<std::size_t>(j)];
        }
    }

    m_frameUnderMouse = -1;
    return mostrarLegenda(pagina.frameCount(), listas);
}

bool AlbumDocument::podeMontar(const SizeListSelection& listas)
{
    std::int32_t W = 0, H = 0, w = 0, h = 0;
    return tamanhosParaMontar(listas, currentPage(), W, H, w, h);
}

const PageLegend& AlbumDocument::AtualizarLegenda()
{
    return mostrarLegenda(currentPage().frameCount(), sizeListSelection());
}

const PageLegend& AlbumDocument::mostrarLegenda(std::int32_t molduras, const SizeListSelection& listas)
{
    m_legenda = legendaPara(molduras, listas);
    if (m_legendListener)
        m_legendListener(m_legenda);
    return m_legenda;
}

void AlbumDocument::SetarFotoNaPaginaAtual(std::int32_t j, std::uint8_t ajuste, const QString& nome)
{
    m_desfazer.EmpilharDesfazer(*m_album, m_currentPage, j);
    TFoto& foto = currentPage().Foto(j);
    foto.NomeDoArquivo = nome;
    foto.Ajuste = ajuste;
    m_modified = true;
}

DesfazerAplicado AlbumDocument::Desfazer()
{
    const DesfazerAplicado feito = m_desfazer.DesempilharDesfazer(*m_album);
    if (feito.moldura >= 0 && feito.pagina != m_currentPage) {
        m_currentPage = feito.pagina;
        ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
    }
    return feito;
}

} // namespace lumoria
