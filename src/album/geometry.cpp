#include "album/geometry.h"

#include "platform/numeric.h"

namespace lumoria {

std::int32_t MapearCoordenada(std::int32_t a0, std::int32_t a1, std::int32_t v, std::int32_t b0, std::int32_t b1)
{
    if (a1 == a0)
        return b0;
    // Each difference needs 33 bits, so the product is taken in long double rather than 64-bit integers.
    const long double produto =
        static_cast<long double>(std::int64_t{b1} - b0) * static_cast<long double>(std::int64_t{v} - a0);
    return RoundToInt32(produto / (std::int64_t{a1} - a0) + b0);
}

Point MapearPontoEntreRetangulos(const Rect& de, const Point& ponto, const Rect& para)
{
    return {MapearCoordenada(de.Left, de.Right, ponto.X, para.Left, para.Right),
            MapearCoordenada(de.Top, de.Bottom, ponto.Y, para.Top, para.Bottom)};
}

Rect MapearRetanguloEntreRetangulos(const Rect& de, const Rect& retangulo, const Rect& para)
{
    const Point a = MapearPontoEntreRetangulos(de, {retangulo.Left, retangulo.Top}, para);
    const Point b = MapearPontoEntreRetangulos(de, {retangulo.Right, retangulo.Bottom}, para);
    return {a.X, a.Y, b.X, b.Y};
}

} // namespace lumoria
