#include "imaging/rotate_bitmap.h"

#include <QImage>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/failure.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/parallel.h"
#include "platform/numeric.h"

namespace lumoria {

using platform::Bitmap;

long double AnguloDentroDeUmaVolta(long double angulo)
{
    long double inteira = 0;
    const long double a = std::modf(angulo / 360.0L, &inteira) * 360.0L;
    // The fixed-point centre corrections exist only for 0, 90, -90 and 180; the other two quarter
    // turns would come out one pixel off with a background line.
    if (a == 270.0L)
        return -90.0L;
    if (a == -270.0L)
        return 90.0L;
    return a;
}

GiroFixo CalcularGiro(long double angulo, QSize origem)
{
    GiroFixo g;
    g.a = AnguloDentroDeUmaVolta(angulo);
    const long double theta = -g.a * std::numbers::pi_v<long double> / 180.0L;
    g.C = TruncToInt32(std::cos(theta) * 65536.0L);
    g.S = TruncToInt32(std::sin(theta) * 65536.0L);
    const std::int64_t w = origem.width();
    const std::int64_t h = origem.height();
    const std::int64_t c = std::llabs(g.C);
    const std::int64_t s = std::llabs(g.S);
    g.tamanho = QSize(int(std::min<std::int64_t>((c * w + s * h) >> 16, 1 << 20)),
                      int(std::min<std::int64_t>((s * w + c * h) >> 16, 1 << 20)));
    return g;
}

Bitmap RotateBitmap(const Bitmap& origem, platform::ColorRef fundo, long double angulo)
{
    const int W = origem.Width();
    const int H = origem.Height();
    const GiroFixo g = CalcularGiro(angulo, QSize(W, H));
    const int NW = g.tamanho.width();
    const int NH = g.tamanho.height();
    if (std::int64_t(W) + H >= 65536 || NW > 32767 || NH > 32767)
        throw InvalidPicture("Bitmap image is too large to be rotated");
    Bitmap resultado;
    if (NW <= 0 || NH <= 0) {
        resultado.SetImage(QImage(), platform::PixelFormat::Bits32);
        return resultado;
    }

    const bool semCorrecaoX = !(g.a == 0.0L || g.a == -90.0L);
    const bool semCorrecaoY = !(g.a == 0.0L || g.a == 90.0L);
    const int cx = (NW >> 1) - ((NW % 2 == 0 && !semCorrecaoX) ? 1 : 0);
    const int cy = (NH >> 1) - ((NH % 2 == 0 && !semCorrecaoY) ? 1 : 0);
    const int meioW = W >> 1;
    const int meioH = H >> 1;

    QImage fonte = origem.Image();
    if (fonte.format() != QImage::Format_RGB32 && fonte.format() != QImage::Format_ARGB32)
        fonte = fonte.convertToFormat(QImage::Format_RGB32);
    QImage destino = platform::AllocateImage(NW, NH, QImage::Format_RGB32);
    const QRgb cor = platform::toRgb(fundo) | 0xFF000000u;
    const std::int64_t C = g.C;
    const std::int64_t S = g.S;
    const uchar* fonteBits = fonte.constBits();
    const qsizetype fonteLinha = fonte.bytesPerLine();
    uchar* destinoBits = destino.bits();
    const qsizetype destinoLinha = destino.bytesPerLine();

    // Row t from the top is the destination row walked with yy = cy - t; along it xx runs from
    // cx - NW + 1 at the left to cx at the right. Source rows are counted from the bottom.
    auto linha = [&](int t) {
        const std::int64_t yy = cy - t;
        const std::int64_t xx0 = std::int64_t(cx) - NW + 1;
        std::int64_t u = xx0 * C - yy * S;
        std::int64_t v = xx0 * S + yy * C;
        auto* saida = reinterpret_cast<QRgb*>(destinoBits + destinoLinha * t);
        for (int c = 0; c < NW; ++c, u += C, v += S) {
            const std::int64_t sx = (u >> 16) + meioW;
            const std::int64_t sy = (v >> 16) + meioH;
            if (std::uint64_t(sx) < std::uint64_t(W) && std::uint64_t(sy) < std::uint64_t(H))
                saida[c] = reinterpret_cast<const QRgb*>(fonteBits + fonteLinha * (H - 1 - sy))[sx];
            else
                saida[c] = cor;
        }
    };
    constexpr int kLinhasPorParte = 32;
    const int partes = (NH + kLinhasPorParte - 1) / kLinhasPorParte;
    platform::ParallelFor(partes, [&](int p) {
        const int fim = std::min(NH, (p + 1) * kLinhasPorParte);
        for (int t = p * kLinhasPorParte; t < fim; ++t)
            linha(t);
    });
    resultado.SetImage(std::move(destino), platform::PixelFormat::Bits32);
    return resultado;
}

void RotatePoints(Point* pontos, int ultimo, float sx, float, float, float sy, float dx, float dy)
{
    for (int i = 0; i <= ultimo; ++i) {
        pontos[i].X = RoundToInt32(pontos[i].X * static_cast<long double>(sx) + dx);
        pontos[i].Y = RoundToInt32(pontos[i].Y * static_cast<long double>(sy) + dy);
    }
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t p = std::int64_t(a) * b;
    const std::int64_t q = std::llabs(p);
    const std::int64_t d = std::llabs(std::int64_t(c));
    std::int64_t r = (q + d / 2) / d;
    if ((p < 0) != (c < 0))
        r = -r;
    return ToInt32(r);
}

} // namespace lumoria
