#include "editing/cover/disc_cover.h"

#include "imaging/filled_ellipse.h"
#include "platform/numeric.h"

#include <algorithm>
#include <cstring>

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
    // The mask's white parts are painted straight into the photo row by row: a slider move then costs
    // less than one copy of the picture. White is all bytes 0xFF in the 24- and 32-bit formats.
    QImage& imagem = foto.PaintableImage();
    const int w = imagem.width();
    const int bytes = imagem.depth() / 8;
    const auto branquear = [&](uchar* linha, int x0, int x1) {
        x0 = std::clamp(x0, 0, w);
        x1 = std::clamp(x1, 0, w);
        if (x0 < x1)
            std::memset(linha + std::size_t(x0) * bytes, 0xFF, std::size_t(x1 - x0) * bytes);
    };
    for (int y = 0; y < imagem.height(); ++y) {
        uchar* linha = imagem.scanLine(y);
        int d0 = 0, d1 = 0;
        if (!FaixaDaElipseNaLinha(g.disco, y, &d0, &d1)) {
            branquear(linha, 0, w);
            continue;
        }
        branquear(linha, 0, d0);
        branquear(linha, d1, w);
        int h0 = 0, h1 = 0;
        if (FaixaDaElipseNaLinha(g.furo, y, &h0, &h1))
            branquear(linha, h0, h1);
    }
}

} // namespace lumoria
