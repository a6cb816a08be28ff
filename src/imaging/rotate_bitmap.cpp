#include "imaging/rotate_bitmap.h"

#include <QImage>

#include <emmintrin.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

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
    // Every sum is 64-bit, so pictures beyond the 16-bit sizes turn as well; the bound only keeps the
    // size an int (such a result is refused when it is allocated).
    g.tamanho = QSize(int(std::min<std::int64_t>((c * w + s * h) >> 16, 1 << 30)),
                      int(std::min<std::int64_t>((s * w + c * h) >> 16, 1 << 30)));
    // The corrections make 0 an exact copy and 90, -90 and 180 exact permutations.
    const int NW = g.tamanho.width();
    const int NH = g.tamanho.height();
    g.cx = (NW >> 1) - ((NW % 2 == 0 && (g.a == 0.0L || g.a == -90.0L)) ? 1 : 0);
    g.cy = (NH >> 1) - ((NH % 2 == 0 && (g.a == 0.0L || g.a == 90.0L)) ? 1 : 0);
    return g;
}

Bitmap RotateBitmap(const Bitmap& origem, platform::ColorRef fundo, long double angulo)
{
    const int W = origem.Width();
    const int H = origem.Height();
    const GiroFixo g = CalcularGiro(angulo, QSize(W, H));
    const int NW = g.tamanho.width();
    const int NH = g.tamanho.height();
    Bitmap resultado;
    if (NW <= 0 || NH <= 0) {
        resultado.SetImage(QImage(), platform::PixelFormat::Bits32);
        return resultado;
    }

    const int cx = g.cx;
    const int cy = g.cy;
    const int meioW = W >> 1;
    const int meioH = H >> 1;

    QImage fonte = origem.Image();
    if (fonte.format() != QImage::Format_RGB32 && fonte.format() != QImage::Format_ARGB32)
        fonte = fonte.convertToFormat(QImage::Format_RGB32);
    QImage destino = platform::AllocateRecycledImage(NW, NH, QImage::Format_RGB32);
    const QRgb cor = platform::toRgb(fundo) | 0xFF000000u;
    const std::int64_t C = g.C;
    const std::int64_t S = g.S;
    const uchar* fonteBits = fonte.constBits();
    const qsizetype fonteLinha = fonte.bytesPerLine();
    uchar* destinoBits = destino.bits();
    const qsizetype destinoLinha = destino.bytesPerLine();

    // Source rows by their number counted from the bottom.
    std::vector<const QRgb*> linhasDaFonte(static_cast<std::size_t>(H));
    for (int sy = 0; sy < H; ++sy)
        linhasDaFonte[std::size_t(sy)] = reinterpret_cast<const QRgb*>(fonteBits + fonteLinha * (H - 1 - sy));

    // Row t from the top is the destination row walked with yy = cy - t; along it xx runs from
    // cx - NW + 1 at the left to cx at the right. The source centre is folded into the fixed-point
    // sums (adding whole units before the shift is the same as after it). Along a row sx and sy each
    // move one way only, so the pixels that fall inside the source form one run, found by bisection;
    // the run is copied without tests and the rest takes the fill colour.
    auto linha = [&](int t) {
        const std::int64_t yy = cy - t;
        const std::int64_t xx0 = std::int64_t(cx) - NW + 1;
        const std::int64_t u0 = xx0 * C - yy * S + (std::int64_t(meioW) << 16);
        const std::int64_t v0 = xx0 * S + yy * C + (std::int64_t(meioH) << 16);
        auto dentro = [&](std::int64_t c) {
            const std::int64_t sx = (u0 + c * C) >> 16;
            const std::int64_t sy = (v0 + c * S) >> 16;
            return std::uint64_t(sx) < std::uint64_t(W) && std::uint64_t(sy) < std::uint64_t(H);
        };
        auto* saida = reinterpret_cast<QRgb*>(destinoBits + destinoLinha * t);
        // The run, when there is one, contains a point where both coordinates are inside; it is
        // looked for as the place nearest the middle of the source along the row.
        std::int64_t inicio = NW;
        std::int64_t fim = NW;
        {
            // A pixel inside: step through the row in strides, then refine to the run's ends.
            std::int64_t achado = -1;
            const std::int64_t passo = std::max<std::int64_t>(1, std::min<std::int64_t>(W, H) / 2);
            for (std::int64_t c = 0; c < NW && achado < 0; c += passo)
                if (dentro(c))
                    achado = c;
            if (achado < 0)
                for (std::int64_t c = 0; c < NW && achado < 0; ++c)
                    if (dentro(c))
                        achado = c;
            if (achado >= 0) {
                std::int64_t lo = -1, hi = achado; // dentro(hi), !dentro(lo) or lo before the row
                while (hi - lo > 1) {
                    const std::int64_t m = (lo + hi) / 2;
                    (dentro(m) ? hi : lo) = m;
                }
                inicio = hi;
                lo = achado;
                hi = NW; // dentro(lo), !dentro(hi) or hi past the row
                while (hi - lo > 1) {
                    const std::int64_t m = (lo + hi) / 2;
                    (dentro(m) ? lo : hi) = m;
                }
                fim = hi;
            }
        }
        // The result is not read again here: it is written past the caches, four pixels at a time
        // once the row is aligned, so that writing it does not first read it in.
        std::int64_t u = u0;
        std::int64_t v = v0;
        auto pixel = [&](std::int64_t c) {
            const QRgb p = (c >= inicio && c < fim) ? linhasDaFonte[std::size_t(v >> 16)][u >> 16] : cor;
            u += C;
            v += S;
            return p;
        };
        std::int64_t c = 0;
        for (; c < NW && (reinterpret_cast<std::uintptr_t>(saida + c) & 15) != 0; ++c)
            saida[c] = pixel(c);
        for (; c + 4 <= NW; c += 4) {
            const QRgb p0 = pixel(c);
            const QRgb p1 = pixel(c + 1);
            const QRgb p2 = pixel(c + 2);
            const QRgb p3 = pixel(c + 3);
            _mm_stream_si128(reinterpret_cast<__m128i*>(saida + c),
                             _mm_set_epi32(int(p3), int(p2), int(p1), int(p0)));
        }
        for (; c < NW; ++c)
            saida[c] = pixel(c);
    };
    constexpr int kLinhasPorParte = 8;
    const int partes = (NH + kLinhasPorParte - 1) / kLinhasPorParte;
    platform::ParallelFor(partes, [&](int p) {
        const int fim = std::min(NH, (p + 1) * kLinhasPorParte);
        for (int t = p * kLinhasPorParte; t < fim; ++t)
            linha(t);
        _mm_sfence();
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
