#include "imaging/bitmap_effects.h"

#include "imaging/filled_ellipse.h"
#include "imaging/pixel_rows.h"
#include "imaging/progress_steps.h"
#include "platform/graphics/parallel.h"
#include "platform/numeric.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace lumoria {

using platform::Bitmap;
using platform::PixelFormat;
using pixels::ClampByte;
using steps::Outer;

namespace {

// Trunc(0.2989 R + 0.5866 G + 0.1145 B) in extended precision. The exact value is
// (2989 R + 5866 G + 1145 B) / 10000, at least 0.0001 from an integer unless it is one: only then can
// the extended sum fall below it, so only then is it computed that way.
int Luminance(int r, int g, int b)
{
    const int n = 2989 * r + 5866 * g + 1145 * b;
    if (n % 10000 != 0)
        return n / 10000;
    return int(Trunc(0.2989L * r + 0.5866L * g + 0.1145L * b));
}

// A read-only view of a bitmap with direct rows: palette bitmaps are read from a 24-bit copy.
struct DirectSource {
    Bitmap copy;
    const Bitmap* bitmap;
    int bpp;
    explicit DirectSource(const Bitmap& source) : bitmap(&source)
    {
        if (source.Format() == PixelFormat::Bits1 || source.Format() == PixelFormat::Bits8) {
            copy = source;
            copy.SetPixelFormat(PixelFormat::Bits24);
            bitmap = &copy;
        }
        bpp = pixels::BytesPerPixel(*bitmap);
    }
};

// The sepia colour depends only on the channel sum: one table over the 766 sums.
struct SepiaTable {
    std::uint8_t red[766], green[766], grey[766];
    explicit SepiaTable(std::int64_t depth)
    {
        for (int sum = 0; sum < 766; ++sum) {
            const std::int64_t g = sum / 3;
            red[sum] = ClampByte(g + 2 * depth);
            green[sum] = ClampByte(g + depth);
            grey[sum] = std::uint8_t(g);
        }
    }
};

void SepiaRows(Bitmap& bitmap, int bpp, const SepiaTable& t, int x0, int x1, int y0, int y1)
{
    pixels::ForEachPixel(bitmap, bpp, x0, x1, y0, y1, [&](std::uint8_t* p) {
        const int sum = p[0] + p[1] + p[2];
        p[2] = t.red[sum];
        p[1] = t.green[sum];
        p[0] = t.grey[sum];
    });
}

} // namespace

void ColocarBitmapEmSepia(EditorProgress& progresso, int profundidade, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int bpp = pixels::PrepareDirect(bitmap);
    const SepiaTable table(profundidade);
    progresso.LigarBarraDeProgresso(0, 0, bitmap.Height());
    steps::RunIndependentSteps(bitmap, bitmap.Width(), bitmap.Height(), Outer::Rows, progresso,
                               [&](int x0, int x1, int y0, int y1) {
                                   SepiaRows(bitmap, bpp, table, x0, x1, y0, y1);
                               });
    progresso.DesligarBarraDeProgresso();
}

void ColocarBitmapEmSepia_Rapido_24Bits(EditorProgress& progresso, int profundidade, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const SepiaTable table(profundidade);
    progresso.LigarBarraDeProgresso(0, 0, bitmap.Height());
    bitmap.SetPixelFormat(PixelFormat::Bits24);
    steps::RunIndependentSteps(bitmap, bitmap.Width(), bitmap.Height(), Outer::Rows, progresso,
                               [&](int x0, int x1, int y0, int y1) {
                                   SepiaRows(bitmap, 3, table, x0, x1, y0, y1);
                               });
    bitmap.SetPixelFormat(PixelFormat::Bits32);
    progresso.DesligarBarraDeProgresso();
}

void ColocarBitmapEmSpray(EditorProgress& progresso, RandomSource& aleatorio, int quantidade, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int bpp = pixels::PrepareDirect(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    // Amounts past 2^30 would overflow the offsets; they move no pixel anyway.
    const int amount = std::clamp(quantidade, 0, 1 << 30);
    progresso.LigarBarraDeProgresso(0, 0, w - 1);
    aleatorio.Randomize();
    std::vector<std::uint8_t*> rows(h);
    for (int y = 0; y < h; ++y)
        rows[y] = bitmap.ScanLine(y);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            const int r = aleatorio.Random(amount);
            const int sx = x + r - aleatorio.Random(2 * r);
            const int sy = y + r - aleatorio.Random(2 * r);
            if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                std::memcpy(rows[y] + std::size_t(x) * bpp, rows[sy] + std::size_t(sx) * bpp, 3);
        }
        if (!steps::Done(progresso, x))
            break;
    }
    progresso.DesligarBarraDeProgresso();
}

void ColocarBitmapEmPretoBranco(EditorProgress& progresso, std::uint8_t limite, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int bpp = pixels::PrepareDirect(bitmap);
    progresso.LigarBarraDeProgresso(0, 0, bitmap.Width());
    // White when the truncated luminance passes the threshold: the exact sum is above the next
    // integer's numerator, or equal to it and the extended sum does not fall below.
    const int next = 10000 * (int(limite) + 1);
    steps::RunIndependentSteps(bitmap, bitmap.Width(), bitmap.Height(), Outer::Columns, progresso,
                               [&](int x0, int x1, int y0, int y1) {
                                   pixels::ForEachPixel(bitmap, bpp, x0, x1, y0, y1, [&](std::uint8_t* p) {
                                       const int n = 2989 * p[2] + 5866 * p[1] + 1145 * p[0];
                                       const bool white =
                                           n > next || (n == next && Luminance(p[2], p[1], p[0]) > limite);
                                       const std::uint8_t v = white ? 255 : 0;
                                       p[0] = p[1] = p[2] = v;
                                   });
                               });
    progresso.DesligarBarraDeProgresso();
}

void ColocarBitmapEmDistribuicaoDePixels(EditorProgress& progresso, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int bpp = pixels::PrepareDirect(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    progresso.LigarBarraDeProgresso(0, 0, w);
    // Error columns indexed by row + 1 (index 0 stands for row -1), as tall as the picture.
    std::vector<int> current(std::size_t(h) + 3, 0);
    std::vector<int> next(std::size_t(h) + 3, 0);
    std::vector<std::uint8_t*> rows(h);
    for (int y = 0; y < h; ++y)
        rows[y] = bitmap.ScanLine(y);
    for (int x = 0; x < w; ++x) {
        current.swap(next);
        std::fill(next.begin(), next.end(), 0);
        for (int y = 0; y < h; ++y) {
            std::uint8_t* p = rows[y] + std::size_t(x) * bpp;
            int v = Luminance(p[2], p[1], p[0]) + current[y + 1];
            if (v > 255) {
                std::memset(p, 255, 3);
                v -= 255;
            } else {
                std::memset(p, 0, 3);
            }
            const int q = v / 4;
            current[y + 2] += q;
            next[y] += q;
            next[y + 1] += q;
            next[y + 2] += v - 3 * q;
        }
        if (!steps::Done(progresso, x))
            break;
    }
    progresso.DesligarBarraDeProgresso();
}

void ColocarBitmapEmPinturaImpressionista(EditorProgress& progresso, RandomSource& aleatorio, int raioX, int raioY,
                                          int amostras, int pinceladas, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int bpp = pixels::PrepareDirect(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const int samples = std::max(1, amostras);
    // Radii past 2^29 would overflow the sample offsets; such ellipses cover any picture anyway.
    raioX = std::clamp(raioX, -(1 << 29), 1 << 29);
    raioY = std::clamp(raioY, -(1 << 29), 1 << 29);
    progresso.LigarBarraDeProgresso(0, 0, pinceladas);
    const Bitmap& pixels = bitmap;
    for (int i = 0; i <= pinceladas; ++i) {
        const int cx = aleatorio.Random(w);
        const int cy = aleatorio.Random(h);
        std::int64_t sr = 0, sg = 0, sb = 0;
        for (int s = 0; s < samples; ++s) {
            const int sy = cy - raioY + aleatorio.Random(2 * raioY + 1);
            const int sx = cx - raioX + aleatorio.Random(2 * raioX + 1);
            if (sx >= 0 && sx < w && sy >= 0 && sy < h) {
                const std::uint8_t* p = pixels.ScanLine(sy) + std::size_t(sx) * bpp;
                sr += p[2];
                sg += p[1];
                sb += p[0];
            } else {
                sr += 255;
                sg += 255;
                sb += 255;
            }
        }
        // The painter's ellipse leans down and misses the top row of small boxes: exact pixels instead.
        const QColor colour(int(sr / samples), int(sg / samples), int(sb / samples));
        PreencherElipse(bitmap, Rect{cx - raioX, cy - raioY, cx + raioX, cy + raioY}, colour);
        if (!steps::Done(progresso, i))
            break;
    }
    progresso.DesligarBarraDeProgresso();
}

void ColocarBitmapEmDeformacaoSenoidal(EditorProgress& progresso, int periodo, int amplitude, const Bitmap& origem,
                                       Bitmap& destino)
{
    if (periodo == 0 || origem.Empty())
        return;
    const bool same = &origem == &destino;
    const DirectSource source(origem);
    const int w = origem.Width();
    const int h = origem.Height();
    if (!same)
        destino.SetSize(w, h);
    const int bpp = pixels::PrepareDirect(destino);
    const float f = float(1.0L / periodo);
    // The offsets depend on the row alone (across) and on the column alone (down).
    std::vector<std::int64_t> across(h);
    std::vector<std::int64_t> down(w);
    for (int y = 0; y < h; ++y)
        across[y] = Round(std::sin((long double)y * f) * amplitude);
    for (int x = 0; x < w; ++x)
        down[x] = Round(std::cos((long double)x * f) * amplitude);
    const Bitmap& from = same ? destino : *source.bitmap;
    const int fromBpp = same ? bpp : source.bpp;
    auto warp = [&](int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            std::uint8_t* out = destino.ScanLine(y);
            for (int x = x0; x < x1; ++x) {
                const std::int64_t sx = x + across[y];
                const std::int64_t sy = y + down[x];
                std::uint8_t* p = out + std::size_t(x) * bpp;
                if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                    std::memcpy(p, from.ScanLine(sy) + std::size_t(sx) * fromBpp, 3);
                else
                    std::memset(p, 0, 3);
            }
        }
    };
    progresso.LigarBarraDeProgresso(0, 0, w);
    if (same) {
        // Warping a bitmap onto itself reads pixels already moved: one column at a time, in order.
        for (int x = 0; x < w; ++x) {
            warp(x, x + 1, 0, h);
            if (!steps::Done(progresso, x))
                break;
        }
    } else {
        steps::RunIndependentSteps(destino, w, h, Outer::Columns, progresso, warp);
    }
    progresso.DesligarBarraDeProgresso();
}

void ColocarBitmapEmAntiAliasing(EditorProgress& progresso, int quantidade, Bitmap& bitmap)
{
    const std::int64_t divisor = std::int64_t(quantidade) + 50;
    if (bitmap.Empty() || divisor == 0)
        return;
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    progresso.LigarBarraDeProgresso(0, 0, h - 1);
    bitmap.SetPixelFormat(PixelFormat::Bits24);
    // Round((N - C) x 50 / (amount + 50) + C) for every centre C and difference N - C.
    std::vector<std::uint8_t> moved(256 * 511);
    for (int c = 0; c < 256; ++c)
        for (int d = -255; d <= 255; ++d)
            moved[std::size_t(c) * 511 + std::size_t(d + 255)] =
                ClampByte(Round((long double)(d * 50) / divisor + c));
    std::vector<std::uint8_t*> rows(h);
    for (int y = 0; y < h; ++y)
        rows[y] = bitmap.ScanLine(y);
    auto pull = [&](std::uint8_t* n, const std::uint8_t* c) {
        if (n[0] == c[0] && n[1] == c[1] && n[2] == c[2])
            return;
        for (int k = 0; k < 3; ++k)
            n[k] = moved[std::size_t(c[k]) * 511 + std::size_t(n[k] - c[k] + 255)];
    };
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = rows[y];
        std::uint8_t* above = rows[y == 0 ? h - 1 : y - 1];
        std::uint8_t* below = rows[y == h - 1 ? 0 : y + 1];
        for (int x = 1; x < w; ++x) {
            std::uint8_t c[3];
            std::memcpy(c, row + 3 * x, 3);
            pull(row + 3 * (x - 1), c);
            pull(row + 3 * (x == w - 1 ? 0 : x + 1), c);
            pull(above + 3 * x, c);
            pull(below + 3 * x, c);
        }
        if (!steps::Done(progresso, y))
            break;
    }
    progresso.DesligarBarraDeProgresso();
}

void ColorCarBitmapEmAcentuacaoFiltroSharper(EditorProgress& progresso, int quantidade, Bitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    progresso.LigarBarraDeProgresso(0, 0, h - 1);
    bitmap.SetPixelFormat(PixelFormat::Bits24);
    Bitmap work = bitmap;
    pixels::Detach(work);
    const std::int64_t corner = -std::int64_t(quantidade);
    const std::int64_t centre = 4 * std::int64_t(quantidade) + 128;
    const Bitmap& source = bitmap;
    // Row 0 and column 0 count as outside, the last row and column as inside.
    auto inside = [&](int x, int y) { return x >= 1 && x <= w - 1 && y >= 1 && y <= h - 1; };
    steps::RunIndependentSteps(work, w, h, Outer::Rows, progresso, [&](int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* own = source.ScanLine(y);
            std::uint8_t* out = work.ScanLine(y);
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t* c = own + 3 * x;
                const std::uint8_t* corners[4];
                int k = 0;
                for (int dy : {-1, 1})
                    for (int dx : {-1, 1})
                        corners[k++] = inside(x + dx, y + dy) ? source.ScanLine(y + dy) + 3 * (x + dx) : c;
                for (int ch = 0; ch < 3; ++ch) {
                    const std::int64_t sum = centre * c[ch]
                        + corner * (corners[0][ch] + corners[1][ch] + corners[2][ch] + corners[3][ch]);
                    out[3 * x + ch] = ClampByte(sum / 128);
                }
            }
        }
    });
    bitmap = work;
    progresso.DesligarBarraDeProgresso();
}

void MisturarDoisBitmapsRetornandoResultadoNoSegundo(EditorProgress& progresso, int modo, const Bitmap& primeiro,
                                                     Bitmap& segundo)
{
    if (primeiro.Empty() || segundo.Empty())
        return;
    const DirectSource first(primeiro);
    const int bpp = pixels::PrepareDirect(segundo);
    const int firstWidth = primeiro.Width();
    const int w = std::min(firstWidth, segundo.Width());
    const int h = std::min(primeiro.Height(), segundo.Height());
    progresso.LigarBarraDeProgresso(0, 0, firstWidth - 1);
    // first x w + second x (1 - w) is exactly second + (first - second) x a / d with the integers
    // below, so per column one table over the difference gives the rounded offset. The value is at
    // least 1 / (2 d) from a half unless it is one: only then is the extended sum rounded.
    struct Weights {
        std::int64_t a, d;
        long double w;
    };
    std::vector<Weights> weights(w);
    for (int x = 0; x < w; ++x) {
        if (modo == 1)
            weights[x] = {x, firstWidth, (long double)x / firstWidth};
        else if (modo == 2)
            weights[x] = {firstWidth - x, firstWidth, 1 - (long double)x / firstWidth};
        else
            weights[x] = {1, 2, 0.5L};
    }
    constexpr std::int16_t kHalf = INT16_MIN;
    const bool oneTable = modo != 1 && modo != 2;
    std::vector<std::int16_t> offsets(std::size_t(oneTable ? 1 : w) * 511);
    platform::ParallelFor(oneTable ? 1 : w, [&](int x) {
        const Weights& k = weights[x];
        const double inverse = 1.0 / double(k.d);
        std::int16_t* table = offsets.data() + std::size_t(x) * 511;
        for (int diff = -255; diff <= 255; ++diff) {
            const std::int64_t n = diff * k.a;
            // The floor of n / d through the reciprocal, put right should the product miss.
            std::int64_t q = std::int64_t(std::floor(double(n) * inverse));
            if (q * k.d > n)
                --q;
            else if ((q + 1) * k.d <= n)
                ++q;
            const std::int64_t twice = 2 * (n - q * k.d);
            table[diff + 255] = twice < k.d ? std::int16_t(q) : twice > k.d ? std::int16_t(q + 1) : kHalf;
        }
    });
    auto blend = [&](auto firstBpp, auto secondBpp, int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* a = first.bitmap->ScanLine(y) + std::size_t(x0) * firstBpp;
            std::uint8_t* b = segundo.ScanLine(y) + std::size_t(x0) * secondBpp;
            for (int x = x0; x < x1; ++x, a += firstBpp, b += secondBpp) {
                const std::int16_t* table = offsets.data() + (oneTable ? 0 : std::size_t(x) * 511) + 255;
                for (int c = 0; c < 3; ++c) {
                    const std::int16_t offset = table[a[c] - b[c]];
                    if (offset != kHalf) {
                        b[c] = std::uint8_t(b[c] + offset);
                    } else if (oneTable) {
                        const int q = (a[c] + b[c]) >> 1; // halves are exact here: to even
                        b[c] = std::uint8_t(q + (q & 1));
                    } else {
                        const Weights& k = weights[x];
                        b[c] = ClampByte(Round(a[c] * k.w + b[c] * (1 - k.w)));
                    }
                }
            }
        }
    };
    steps::RunIndependentSteps(segundo, w, h, Outer::Columns, progresso, [&](int x0, int x1, int y0, int y1) {
        pixels::WithPixelSize(first.bpp, [&](auto firstBpp) {
            pixels::WithPixelSize(bpp, [&](auto secondBpp) { blend(firstBpp, secondBpp, x0, x1, y0, y1); });
        });
    });
    progresso.DesligarBarraDeProgresso();
}

std::int32_t ArredondarMeioParaCima(double valor)
{
    const std::int32_t t = TruncToInt32(valor);
    return valor - t >= 0.5 ? t + 1 : t;
}

namespace {

struct Span {
    int first;
    int last;
};

// The boxes of one axis: the step in single precision, each end the previous end plus the step,
// limited to the last pixel; both ends clamped to the source, a start past its end taking the end.
std::vector<Span> BoxesOf(int source, int target)
{
    std::vector<Span> spans(target);
    const float step = float(source) / float(target);
    float end = 0;
    for (int i = 0; i < target; ++i) {
        const float start = end;
        end = start + step;
        if (end >= float(source))
            end = float(source - 1);
        int first = std::clamp(ArredondarMeioParaCima(start), 0, source - 1);
        const int last = std::clamp(ArredondarMeioParaCima(end), 0, source - 1);
        if (first > last)
            first = last;
        spans[i] = {first, last};
    }
    return spans;
}

} // namespace

void ColocarBitmapEmNovasDimensoes(const Bitmap& origem, Bitmap& destino, int novaLargura, int novaAltura)
{
    if (novaLargura <= 0 || novaAltura <= 0 || origem.Empty())
        return;
    const Bitmap original = origem; // the destination may be the source
    const DirectSource source(original);
    destino.SetSize(novaLargura, novaAltura);
    const int bpp = pixels::PrepareDirect(destino);
    const std::vector<Span> rows = BoxesOf(original.Height(), novaAltura);
    const std::vector<Span> cols = BoxesOf(original.Width(), novaLargura);
    pixels::Detach(destino);
    platform::ParallelFor(novaAltura, [&](int yd) {
        std::uint8_t* out = destino.ScanLine(yd);
        for (int xd = 0; xd < novaLargura; ++xd) {
            std::int64_t sum[3] = {0, 0, 0};
            for (int y = rows[yd].first; y <= rows[yd].last; ++y) {
                const std::uint8_t* p = source.bitmap->ScanLine(y) + std::size_t(cols[xd].first) * source.bpp;
                for (int x = cols[xd].first; x <= cols[xd].last; ++x, p += source.bpp) {
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                }
            }
            const double count = double(rows[yd].last - rows[yd].first + 1) * (cols[xd].last - cols[xd].first + 1);
            for (int c = 0; c < 3; ++c)
                out[std::size_t(xd) * bpp + c] = ClampByte(ArredondarMeioParaCima(double(sum[c]) / count));
        }
    });
}

} // namespace lumoria
