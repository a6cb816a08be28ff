// Layout of a page: the grid of frames, its centring, the hit test.
#include "album/album_model.h"
#include "album/busy_scope.h"

#include "platform/failure.h"
#include "platform/numeric.h"

#include <algorithm>
#include <atomic>

namespace lumoria {

std::uint64_t TPagina::novaIdentidade()
{
    static std::atomic<std::uint64_t> seguinte{1};
    return seguinte++;
}

TPagina::TPagina(const TPagina& other)
    : Left(other.Left), Top(other.Top), Right(other.Right), Bottom(other.Bottom), Fotos(other.Fotos),
      TipoDoPapel(other.TipoDoPapel), TipoDaFoto(other.TipoDaFoto),
      TamanhoPersonalizado1(other.TamanhoPersonalizado1), TamanhoPersonalizado2(other.TamanhoPersonalizado2)
{
}

TPagina& TPagina::operator=(const TPagina& other)
{
    const std::uint64_t propria = m_identidade;
    if (this != &other) {
        Left = other.Left;
        Top = other.Top;
        Right = other.Right;
        Bottom = other.Bottom;
        Fotos = other.Fotos;
        TipoDoPapel = other.TipoDoPapel;
        TipoDaFoto = other.TipoDaFoto;
        TamanhoPersonalizado1 = other.TamanhoPersonalizado1;
        TamanhoPersonalizado2 = other.TamanhoPersonalizado2;
    }
    m_identidade = propria;
    return *this;
}

TFoto& TPagina::Foto(int j)
{
    if (j < 0 || j >= frameCount())
        throw ListIndexError(j);
    return Fotos[static_cast<std::size_t>(j)];
}

const TFoto& TPagina::Foto(int j) const { return const_cast<TPagina*>(this)->Foto(j); }

namespace {

// How many w-wide frames fit across W; none for a size that is not positive.
std::int64_t quantasCabem(std::int32_t total, std::int32_t parte)
{
    if (parte <= 0 || total <= 0)
        return 0;
    return Trunc(static_cast<long double>(total) / parte);
}

} // namespace

std::int32_t TPagina::MontarMolduras(std::int32_t larguraPapel, std::int32_t alturaPapel,
                                     std::int32_t larguraFoto, std::int32_t alturaFoto)
{
    BusyScope ocupado;
    Fotos.clear();
    Left = 0;
    Top = 0;
    Right = larguraPapel;
    Bottom = alturaPapel;

    const std::int64_t colunas = quantasCabem(larguraPapel, larguraFoto);
    const std::int64_t linhas = quantasCabem(alturaPapel, alturaFoto);
    Fotos.reserve(static_cast<std::size_t>(colunas * linhas));
    for (std::int64_t r = 0; r < linhas; ++r) {
        for (std::int64_t c = 0; c < colunas; ++c) {
            TFoto f;
            f.Left = ToInt32(c * larguraFoto);
            f.Top = ToInt32(r * alturaFoto);
            f.Right = ToInt32(std::int64_t{f.Left} + larguraFoto);
            f.Bottom = ToInt32(std::int64_t{f.Top} + alturaFoto);
            Fotos.push_back(std::move(f));
        }
    }
    CentralizarMolduras();
    return frameCount();
}

int TPagina::MolduraNoPonto(std::int32_t x, std::int32_t y) const
{
    for (int j = 0; j < frameCount(); ++j) {
        const TFoto& f = Fotos[static_cast<std::size_t>(j)];
        if (f.Left <= x && x <= f.Right && f.Top <= y && y <= f.Bottom)
            return j;
    }
    return -1;
}

Rect TPagina::PegarRetanguloDasMolduras() const
{
    Rect r{Right, Bottom, Left, Top};
    for (const TFoto& f : Fotos) {
        r.Left = std::min(r.Left, f.Left);
        r.Top = std::min(r.Top, f.Top);
        r.Right = std::max(r.Right, f.Right);
        r.Bottom = std::max(r.Bottom, f.Bottom);
    }
    return r;
}

void TPagina::DeslocarMolduras(std::int32_t dx, std::int32_t dy)
{
    for (TFoto& f : Fotos) {
        f.Left = ToInt32(std::int64_t{f.Left} + dx);
        f.Right = ToInt32(std::int64_t{f.Right} + dx);
        f.Top = ToInt32(std::int64_t{f.Top} + dy);
        f.Bottom = ToInt32(std::int64_t{f.Bottom} + dy);
    }
}

void TPagina::CentralizarMolduras()
{
    const Rect b = PegarRetanguloDasMolduras();
    const std::int64_t livreX = std::int64_t{Right} + b.Left - b.Right;
    const std::int64_t livreY = std::int64_t{Bottom} + b.Top - b.Bottom;
    DeslocarMolduras(RoundToInt32(livreX / 2.0L), RoundToInt32(livreY / 2.0L));
}

} // namespace lumoria
