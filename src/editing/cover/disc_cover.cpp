#include "editing/cover/disc_cover.h"

#include "imaging/filled_ellipse.h"
#include "imaging/transparent_overlay.h"
#include "platform/numeric.h"

#include <algorithm>

namespace lumoria {

using platform::Bitmap;

GeometriaDaCapaDeCD CalcularGeometriaDaCapaDeCD(int largura, int altura, int porcentual, int passosHorizontais,
                                                int passosVerticais)
{
    const int dx = kPixelsPorPassoDeDeslocamento * passosHorizontais;
    const int dy = kPixelsPorPassoDeDeslocamento * passosVerticais;
    const int d = RoundToInt32((long double)(std::int64_t(porcentual) * std::min(largura, altura)) / 100);
    const int h = RoundToInt32((long double)d * 3.25L / 12);
    const auto caixa = [&](int diametro) {
        const int esquerda = RoundToInt32((long double)(largura - diametro) / 2) + dx;
        const int topo = RoundToInt32((long double)(altura - diametro) / 2) + dy;
        return Rect{esquerda, topo, esquerda + diametro, topo + diametro};
    };
    return GeometriaDaCapaDeCD{caixa(d), caixa(h)};
}

int LimiteDoDeslocamento(int lado)
{
    return RoundToInt32((long double)lado * 0.5L / kPixelsPorPassoDeDeslocamento);
}

void AplicarCapaDeCDEmBitmap(Bitmap& foto, int porcentual, int passosHorizontais, int passosVerticais)
{
    if (foto.Empty())
        return;
    const GeometriaDaCapaDeCD g =
        CalcularGeometriaDaCapaDeCD(foto.Width(), foto.Height(), porcentual, passosHorizontais, passosVerticais);
    // A new bitmap is white; black on the ring is the see-through colour of the overlay.
    Bitmap mascara(foto.Width(), foto.Height());
    PreencherElipse(mascara, g.disco, Qt::black);
    PreencherElipse(mascara, g.furo, Qt::white);
    DesenharBitmapTransparenteSobreOutro(foto.GetCanvas(), mascara, 0, 0, Qt::black);
}

} // namespace lumoria
