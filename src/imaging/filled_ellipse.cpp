#include "imaging/filled_ellipse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace lumoria {

namespace {

// With a = width, b = height and the centre at (L + R) / 2, the pixel centre x + 0.5 is inside when
// (2x + 1 - L - R)^2 * b^2 + (2y + 1 - T - B)^2 * a^2 <= a^2 * b^2, in 128-bit integers: the products
// pass 64 bits once the sides pass 2^15.
bool Dentro(std::int64_t ex, std::int64_t ey, std::int64_t a2, std::int64_t b2)
{
    using Wide = __int128;
    return Wide(ex) * ex * b2 + Wide(ey) * ey * a2 <= Wide(a2) * b2;
}

} // namespace

bool FaixaDaElipseNaLinha(const Rect& caixa, int y, int* inicio, int* fim)
{
    const std::int64_t a = std::int64_t(caixa.Right) - caixa.Left;
    const std::int64_t b = std::int64_t(caixa.Bottom) - caixa.Top;
    if (a <= 0 || b <= 0 || y < caixa.Top || y >= caixa.Bottom)
        return false;
    const std::int64_t a2 = a * a, b2 = b * b;
    const std::int64_t somaX = std::int64_t(caixa.Left) + caixa.Right;
    const std::int64_t ey = 2 * std::int64_t(y) + 1 - caixa.Top - caixa.Bottom;
    if (ey * ey > b2)
        return false;
    // Half-width estimate in units of 2x, then settled by the exact test on either side.
    const long double meia = (long double)a * std::sqrt(std::max(0.0L, 1.0L - (long double)(ey * ey) / b2));
    std::int64_t x = std::int64_t(std::floor(((long double)somaX + meia - 1) / 2));
    while (x >= caixa.Left && !Dentro(2 * x + 1 - somaX, ey, a2, b2) && 2 * x + 1 > somaX)
        --x;
    while (x + 1 < caixa.Right && Dentro(2 * (x + 1) + 1 - somaX, ey, a2, b2))
        ++x;
    if (!Dentro(2 * x + 1 - somaX, ey, a2, b2))
        return false;
    // Symmetric about the centre: the last column inside is x, the first is L + R - 1 - x.
    *inicio = int(somaX - 1 - x);
    *fim = int(x + 1);
    return true;
}

void PreencherElipse(platform::Bitmap& bitmap, const Rect& caixa, QColor cor)
{
    QImage& imagem = bitmap.PaintableImage();
    const int w = imagem.width();
    const int h = imagem.height();
    const int primeira = std::max(0, caixa.Top);
    const int ultima = std::min(h, caixa.Bottom);
    const int bytes = imagem.depth() / 8;
    const QRgb rgb = cor.rgb();
    const uchar bgr[3] = {uchar(qBlue(rgb)), uchar(qGreen(rgb)), uchar(qRed(rgb))};
    for (int y = primeira; y < ultima; ++y) {
        int x0 = 0, x1 = 0;
        if (!FaixaDaElipseNaLinha(caixa, y, &x0, &x1))
            continue;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, w);
        if (x0 >= x1)
            continue;
        uchar* linha = imagem.scanLine(y);
        if (bytes == 4) {
            std::fill(reinterpret_cast<QRgb*>(linha) + x0, reinterpret_cast<QRgb*>(linha) + x1, rgb | 0xFF000000u);
        } else {
            for (int x = x0; x < x1; ++x)
                std::memcpy(linha + 3 * x, bgr, 3);
        }
    }
}

} // namespace lumoria
