#include "imaging/effect_filters.h"

#include "imaging/pixel_rows.h"
#include "platform/graphics/parallel.h"
#include "platform/numeric.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

namespace lumoria {

using platform::Bitmap;
using platform::ParallelFor;
using platform::PixelFormat;
using pixels::ClampByte;

namespace {

void To24(Bitmap& bitmap)
{
    bitmap.SetPixelFormat(PixelFormat::Bits24);
}

// Splits [0, count) into about one band per pixel thread (at least minRows each).
struct Bands {
    int count;
    int size;
    Bands(int total, int minRows = 16)
    {
        const int threads = platform::PixelThreads();
        size = std::max(minRows, (total + threads - 1) / std::max(1, threads));
        count = total <= 0 ? 0 : (total + size - 1) / size;
    }
};

} // namespace

void SplitBlurBitmap(Bitmap& bitmap, int distance)
{
    if (distance <= 0 || bitmap.Empty())
        return;
    To24(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const std::int64_t n = distance;
    // Row y reads only rows y - n, y and y + n, so each class of rows modulo n is a chain of its own;
    // within a chain the rows go top to bottom as in one pass.
    const int chains = int(std::min<std::int64_t>(n, h));
    pixels::Detach(bitmap);
    ParallelFor(chains, [&](int chain) {
        for (std::int64_t y = chain; y < h; y += n) {
            std::uint8_t* row = bitmap.ScanLine(int(y));
            const std::uint8_t* up = y - n >= 0 ? bitmap.ScanLine(int(y - n)) : row;
            const std::uint8_t* down = y + n < h ? bitmap.ScanLine(int(y + n)) : row;
            for (std::int64_t x = 0; x < w; ++x) {
                const std::int64_t l = 3 * (x - n >= 0 ? x - n : x);
                const std::int64_t r = 3 * (x + n < w ? x + n : x);
                for (int c = 0; c < 3; ++c)
                    row[3 * x + c] = std::uint8_t((up[l + c] + down[l + c] + up[r + c] + down[r + c]) >> 2);
            }
        }
    });
}

namespace {

void EmbossRow(std::uint8_t* row, const std::uint8_t* below, int w)
{
    for (int x = 0; x <= w - 4; ++x)
        for (int c = 0; c < 3; ++c)
            row[3 * x + c] = std::uint8_t((row[3 * x + c] + (255 - below[3 * (x + 3) + c])) >> 1);
    for (int x = std::max(0, w - 3); x <= w - 1; ++x)
        for (int c = 0; c < 3; ++c)
            row[3 * x + c] = std::uint8_t((row[3 * x + c] + (255 - below[3 * x + c])) >> 1);
}

} // namespace

void EmbossBitmap(Bitmap& bitmap)
{
    if (bitmap.Empty() || bitmap.Height() < 2)
        return;
    To24(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const std::size_t rowBytes = std::size_t(w) * 3;
    // Rows 0 .. h - 2 each read the unembossed row below: every band keeps a copy of the row after it,
    // which the next band changes meanwhile.
    const Bands bands(h - 1);
    std::vector<std::vector<std::uint8_t>> after(bands.count);
    for (int b = 0; b < bands.count; ++b) {
        const int next = std::min(h - 1, (b + 1) * bands.size);
        after[b].assign(bitmap.ScanLine(next), bitmap.ScanLine(next) + rowBytes);
    }
    ParallelFor(bands.count, [&](int b) {
        const int first = b * bands.size;
        const int last = std::min(h - 2, first + bands.size - 1);
        for (int y = first; y <= last; ++y) {
            const std::uint8_t* below = y == last ? after[b].data() : bitmap.ScanLine(y + 1);
            EmbossRow(bitmap.ScanLine(y), below, w);
        }
    });
    // The last row has no row below: it takes the embossed row above.
    EmbossRow(bitmap.ScanLine(h - 1), bitmap.ScanLine(h - 2), w);
}

void MosaicBitmap(Bitmap& bitmap, int block)
{
    if (block < 1 || bitmap.Empty())
        return;
    To24(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const std::size_t rowBytes = std::size_t(w) * 3;
    const int bandCount = (h - 1) / block + 1;
    pixels::Detach(bitmap);
    ParallelFor(bandCount, [&](int band) {
        const std::int64_t top = std::int64_t(band) * block;
        std::uint8_t* first = bitmap.ScanLine(int(top));
        for (std::int64_t bx = 0; bx < w; bx += block) {
            const std::int64_t end = std::min<std::int64_t>(w, bx + block);
            for (std::int64_t x = bx + 1; x < end; ++x)
                std::memcpy(first + 3 * x, first + 3 * bx, 3);
        }
        for (int y = int(top) + 1; y < std::min<std::int64_t>(h, top + block); ++y)
            std::memcpy(bitmap.ScanLine(y), first, rowBytes);
    });
}

void AntiAliasBitmap(Bitmap& bitmap, int x1, int y1, int x2, int y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    x1 = std::max(1, x1);
    y1 = std::max(1, y1);
    x2 = std::min(w - 2, x2);
    y2 = std::min(h - 2, y2);
    To24(bitmap);
    for (int y = y1; y <= y2; ++y) {
        const std::uint8_t* up = bitmap.ScanLine(y - 1);
        std::uint8_t* row = bitmap.ScanLine(y);
        const std::uint8_t* down = bitmap.ScanLine(y + 1);
        for (int x = x1; x <= x2; ++x) {
            const int i = 3 * x;
            for (int c = 0; c < 3; ++c)
                row[i + c] = std::uint8_t((up[i + c] + down[i + c] + row[i - 3 + c] + row[i + 3 + c]) >> 2);
        }
    }
}

namespace {

// A fixed 6 x 6 x 6 colour cube: equal colours always get equal indices, and no dithering.
std::uint8_t CubeIndex(const std::uint8_t* bgr)
{
    return std::uint8_t((bgr[2] / 43) * 36 + (bgr[1] / 43) * 6 + bgr[0] / 43);
}

} // namespace

void TraceBitmap(Bitmap& bitmap, int intensity)
{
    if (bitmap.Empty())
        return;
    To24(bitmap);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    std::vector<std::uint8_t> t(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        std::uint8_t* out = t.data() + std::size_t(y) * w;
        for (int x = 0; x < w; ++x)
            out[x] = CubeIndex(row + 3 * x);
    }
    std::vector<std::uint8_t*> rows(h);
    for (int y = 0; y < h; ++y)
        rows[y] = bitmap.ScanLine(y);
    auto index = [&](int x, int y) { return t[std::size_t(y) * w + x]; };
    auto mark = [&](int x, int y) { std::memset(rows[y] + 3 * x, 0, 3); };
    bool found = false;
    std::uint8_t reference = 0;
    // The line goes on the side of the edge whose colour is not the reference one.
    auto edge = [&](int x, int y, int nx, int ny) {
        const std::uint8_t own = index(x, y);
        const std::uint8_t other = index(nx, ny);
        if (other == own)
            return;
        if (!found) {
            reference = other;
            found = true;
            mark(x, y);
        } else if (own != reference) {
            mark(x, y);
        } else {
            mark(nx, ny);
        }
    };
    for (int pass = 1; pass <= intensity; ++pass) {
        for (int y = 0; y <= h - 2; ++y)
            for (int x = 0; x <= w - 3; ++x) {
                edge(x, y, x + 1, y);
                edge(x, y, x, y + 1);
            }
        if (pass > 1) {
            for (int y = h - 1; y >= 1; --y)
                for (int x = w - 1; x >= 2; --x) {
                    edge(x, y, x - 1, y);
                    edge(x, y, x, y - 1);
                }
        }
    }
}

void ResampleBitmap(const Bitmap& source, Bitmap& destination)
{
    const int wd = destination.Width();
    const int hd = destination.Height();
    To24(destination);
    if (source.Empty() || wd <= 0 || hd <= 0)
        return;
    Bitmap converted;
    const Bitmap* s = &source;
    if (source.Format() != PixelFormat::Bits24) {
        converted = source;
        To24(converted);
        s = &converted;
    }
    const std::int64_t ws = s->Width();
    const std::int64_t hs = s->Height();
    const std::int64_t xstep = ((ws - 1) << 15) / wd;
    const std::int64_t ystep = ((hs - 1) << 15) / hd;
    pixels::Detach(destination);
    ParallelFor(hd, [&](int yd) {
        const std::int64_t sy = ystep * yd;
        const int iy = int(sy >> 15);
        const std::int64_t fy = sy & 0x7FFF;
        const std::uint8_t* row1 = s->ScanLine(iy);
        const std::uint8_t* row2 = hs > 1 ? s->ScanLine(iy + 1) : row1;
        std::uint8_t* out = destination.ScanLine(yd);
        std::int64_t sx = 0;
        for (int xd = 0; xd < wd; ++xd, sx += xstep) {
            const std::int64_t ix = sx >> 15;
            const std::int64_t fx = sx & 0x7FFF;
            const std::int64_t wtr = (fx * (32768 - fy)) >> 15;
            const std::int64_t wtl = (32768 - fy) - wtr;
            const std::int64_t wbr = (fx * fy) >> 15;
            const std::int64_t wbl = fy - wbr;
            // A one-pixel-wide source has no column ix + 1; its weight is 0 there anyway.
            const std::int64_t l = 3 * ix;
            const std::int64_t r = ws > 1 ? 3 * (ix + 1) : l;
            for (int c = 0; c < 3; ++c)
                out[3 * xd + c] = std::uint8_t(
                    (row1[l + c] * wtl + row1[r + c] * wtr + row2[l + c] * wbl + row2[r + c] * wbr) >> 15);
        }
    });
}

TileLayout TileLayoutFor(int value, int width, int height)
{
    TileLayout layout;
    if (value <= 0) {
        layout.value = 0;
        return layout;
    }
    layout.value = value;
    if (width > 0 && height > 0) {
        layout.tileHeight = std::max(10, height / value);
        layout.tileWidth = std::max(10, width / value);
        if (layout.tileHeight == 10 && layout.tileWidth == 10)
            layout.value = std::max(width, height) / 10;
    }
    return layout;
}

void TileBitmap(const Bitmap& source, Bitmap& bitmap, int tileWidth, int tileHeight)
{
    if (bitmap.Empty() || tileWidth <= 0 || tileHeight <= 0)
        return;
    To24(bitmap);
    Bitmap tile(tileWidth, tileHeight, PixelFormat::Bits24);
    ResampleBitmap(source, tile);
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    for (int r = 0; std::int64_t(r) * tileHeight <= h; ++r) {
        const int top = r * tileHeight;
        for (int c = 0; std::int64_t(c) * tileWidth <= w; ++c) {
            const int left = c * tileWidth;
            const int cols = std::min(tileWidth, w - left);
            for (int y = 0; y < tileHeight && top + y < h && cols > 0; ++y)
                std::memcpy(bitmap.ScanLine(top + y) + 3 * std::size_t(left), tile.ScanLine(y), 3 * std::size_t(cols));
        }
    }
}

platform::Bitmap ColorNoiseLayer(int width, int height, int amount, RandomSource& random)
{
    Bitmap layer(width, height, PixelFormat::Bits24);
    const int half = amount / 2;
    for (int y = 0; y < layer.Height(); ++y) {
        std::uint8_t* row = layer.ScanLine(y);
        for (int x = 0; x < layer.Width(); ++x) {
            row[3 * x + 2] = ClampByte(random.Random(amount) - half);
            row[3 * x + 1] = ClampByte(random.Random(amount) - half);
            row[3 * x + 0] = ClampByte(random.Random(amount) - half);
        }
    }
    return layer;
}

platform::Bitmap MonoNoiseLayer(int width, int height, int amount, RandomSource& random)
{
    Bitmap layer(width, height, PixelFormat::Bits24);
    const int half = amount / 2;
    for (int y = 0; y < layer.Height(); ++y) {
        std::uint8_t* row = layer.ScanLine(y);
        for (int x = 0; x < layer.Width(); ++x)
            std::memset(row + 3 * x, ClampByte(random.Random(amount) - half), 3);
    }
    return layer;
}

namespace {

// Round(0.3 R + 0.59 G + 0.11 B) in extended precision. The exact value is (30 R + 59 G + 11 B) / 100,
// which is at least 0.01 away from a half unless it is one: only then can the extended sum fall on
// either side, so only then is it computed that way.
std::uint8_t GreyOf(int r, int g, int b)
{
    const int n = 30 * r + 59 * g + 11 * b;
    const int rest = n % 100;
    if (rest != 50)
        return std::uint8_t(n / 100 + (rest > 50 ? 1 : 0));
    return std::uint8_t(Round(0.3L * r + 0.59L * g + 0.11L * b));
}

} // namespace

void ApplyColourEffects(const Bitmap& source, const Bitmap* noise, const ColourEffects& e, Bitmap& display)
{
    const int w = source.Width();
    const int h = source.Height();
    if (display.Format() != PixelFormat::Bits24 || display.Width() != w || display.Height() != h) {
        display = Bitmap(w, h, PixelFormat::Bits24);
    }
    if (w <= 0 || h <= 0)
        return;
    if (noise && (noise->Width() != w || noise->Height() != h || noise->Format() != PixelFormat::Bits24))
        noise = nullptr;
    const std::size_t rowBytes = std::size_t(w) * 3;
    pixels::Detach(display);

    const bool identity = e.posterize == 0 && e.solorize == 0 && e.contrast == 0 && e.lightness == 0
        && e.darkness == 0 && e.brightness == 0 && e.splitlight == 0 && !e.grayScale && e.saturation == 0
        && !e.invert && !noise;
    if (identity) {
        ParallelFor(h, [&](int y) { std::memcpy(display.ScanLine(y), source.ScanLine(y), rowBytes); });
        return;
    }

    // Steps 1 to 5 depend on the channel alone: one table from the channel (after solarising) to the
    // sum that the noise joins before the clamp. Products are 64-bit: the upper ranges are open.
    std::array<std::int64_t, 256> base{};
    for (int i = 0; i < 256; ++i) {
        std::int64_t x = i;
        if (e.posterize != 0)
            x = Round((long double)i / e.posterize) * e.posterize;
        std::int64_t contrast = 0;
        if (e.contrast != 0) {
            contrast = (std::llabs(127 - x) * e.contrast) / 255;
            if (x <= 127)
                contrast = -contrast;
        }
        const std::int64_t lightness = e.lightness != 0 ? ((255 - x) * e.lightness) / 255 : 0;
        const std::int64_t darkness = e.darkness != 0 ? -((x * e.darkness) / 255) : 0;
        base[i] = x + contrast + lightness + darkness + e.brightness;
    }
    // The sine is taken in extended precision and its product stored as a double: 85 lands on
    // 127.5 plus a hair (128), where an all-double sine falls a hair below it (127).
    std::array<std::uint8_t, 256> split{};
    for (int i = 0; i < 256; ++i) {
        int x = i;
        for (int k = 0; k < e.splitlight; ++k) {
            const double product = double(std::sin((long double)x / 255 * std::numbers::pi_v<long double> / 2) * 255);
            x = int(Round(product));
        }
        split[i] = std::uint8_t(x);
    }
    const bool solarise = e.posterize == 0 && e.solorize != 0;
    const std::int64_t saturation = std::int64_t(e.saturation) + 255;

    ParallelFor(h, [&](int y) {
        const std::uint8_t* in = source.ScanLine(y);
        const std::uint8_t* n = noise ? noise->ScanLine(y) : nullptr;
        std::uint8_t* out = display.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            int b = in[3 * x];
            int g = in[3 * x + 1];
            int r = in[3 * x + 2];
            if (solarise && (r + g + b) / 3 > 255 - e.solorize) {
                r = 255 - r;
                g = 255 - g;
                b = 255 - b;
            }
            r = ClampByte((n ? n[3 * x + 2] : 0) + base[r]);
            g = ClampByte((n ? n[3 * x + 1] : 0) + base[g]);
            b = ClampByte((n ? n[3 * x] : 0) + base[b]);
            r = split[r];
            g = split[g];
            b = split[b];
            if (e.grayScale) {
                r = g = b = GreyOf(r, g, b);
            } else if (e.saturation != 0) {
                const std::int64_t m = (r + g + b) / 3;
                r = ClampByte(((r - m) * saturation) / 255 + m);
                g = ClampByte(((g - m) * saturation) / 255 + m);
                b = ClampByte(((b - m) * saturation) / 255 + m);
            }
            if (e.invert) {
                r = 255 - r;
                g = 255 - g;
                b = 255 - b;
            }
            out[3 * x] = std::uint8_t(b);
            out[3 * x + 1] = std::uint8_t(g);
            out[3 * x + 2] = std::uint8_t(r);
        }
    });
}

} // namespace lumoria
