#include "platform/graphics/image_rotation.h"

#include "platform/failure.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/parallel.h"

#include <cstdint>
#include <cstring>

namespace lumoria::platform {

namespace {

// A tile is kBand source columns (result rows) by kDepth source rows, so that the reads of a result
// row come back to source lines still in the cache.
constexpr int kBand = 256;
constexpr int kDepth = 256;

template <int Bytes> struct Pixel {
    std::uint8_t b[Bytes];
};

template <int Bytes> void RotateTiles(const QImage& src, QImage& dst, int tileRow)
{
    using P = Pixel<Bytes>;
    const int w = src.width();  // the result's height
    const int h = src.height(); // the result's width
    const qsizetype srcStride = src.bytesPerLine();
    const uchar* srcBits = src.constBits();
    const int y0 = tileRow * kBand;
    const int y1 = std::min(y0 + kBand, w);
    for (int x0 = 0; x0 < h; x0 += kDepth) {
        const int x1 = std::min(x0 + kDepth, h);
        for (int y = y0; y < y1; ++y) {
            // Result row y is source column w - 1 - y, read from the top.
            P* out = reinterpret_cast<P*>(dst.scanLine(y)) + x0;
            const uchar* in = srcBits + qsizetype(x0) * srcStride + qsizetype(w - 1 - y) * Bytes;
            for (int x = x0; x < x1; ++x, in += srcStride)
                *out++ = *reinterpret_cast<const P*>(in);
        }
    }
}

// 24-bit pixels (most photos) in blocks of 4 x 4 held in registers: four 12-byte reads along four
// source rows, four 12-byte writes along four result rows, instead of a read per pixel across the
// rows. The blocks go through tiles of kSmall x kSmall pixels, small enough for the data cache.
constexpr int kSmall = 64;

inline void Load12(const uchar* p, std::uint32_t px[4])
{
    std::uint64_t lo;
    std::uint32_t hi;
    std::memcpy(&lo, p, 8);
    std::memcpy(&hi, p + 8, 4);
    px[0] = std::uint32_t(lo) & 0xffffffu;
    px[1] = std::uint32_t(lo >> 24) & 0xffffffu;
    px[2] = std::uint32_t(lo >> 48) | ((hi & 0xffu) << 16);
    px[3] = hi >> 8;
}

inline void Store12(uchar* p, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    const std::uint64_t lo = std::uint64_t(a) | (std::uint64_t(b) << 24) | (std::uint64_t(c) << 48);
    const std::uint32_t hi = (c >> 16) | (d << 8);
    std::memcpy(p, &lo, 8);
    std::memcpy(p + 8, &hi, 4);
}

void RotateTiles24(const QImage& src, QImage& dst, int tileRow)
{
    const int w = src.width();
    const int h = src.height();
    const qsizetype stride = src.bytesPerLine();
    const qsizetype outStride = dst.bytesPerLine();
    const uchar* bits = src.constBits();
    uchar* outBits = dst.bits();
    const int y0 = tileRow * kBand;
    const int y1 = std::min(y0 + kBand, w);
    auto pixel = [&](int y, int x) { // result pixel (x, y), one at a time
        const uchar* in = bits + qsizetype(x) * stride + qsizetype(w - 1 - y) * 3;
        uchar* out = outBits + qsizetype(y) * outStride + qsizetype(x) * 3;
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
    };
    for (int ty = y0; ty < y1; ty += kSmall) {
        const int ty1 = std::min(ty + kSmall, y1);
        for (int tx = 0; tx < h; tx += kSmall) {
            const int tx1 = std::min(tx + kSmall, h);
            int y = ty;
            for (; y + 4 <= ty1; y += 4) {
                // Result rows y..y+3 are source columns w-1-y down to w-4-y: 12 bytes of each source row.
                const qsizetype column = qsizetype(w - 4 - y) * 3;
                uchar* out0 = outBits + qsizetype(y) * outStride;
                int x = tx;
                for (; x + 4 <= tx1; x += 4) {
                    const uchar* in = bits + qsizetype(x) * stride + column;
                    if (y == ty && tx + kSmall < h) {
                        // The same columns of the next tile down, asked for ahead.
                        const uchar* next = in + qsizetype(kSmall) * stride - qsizetype(ty1 - ty - 4) * 3;
                        for (int k = 0; k < 4; ++k)
                            for (int b = 0; b < kSmall * 3; b += 64)
                                __builtin_prefetch(next + k * stride + b);
                    }
                    std::uint32_t r0[4], r1[4], r2[4], r3[4];
                    Load12(in, r0);
                    Load12(in + stride, r1);
                    Load12(in + 2 * stride, r2);
                    Load12(in + 3 * stride, r3);
                    uchar* out = out0 + qsizetype(x) * 3;
                    Store12(out, r0[3], r1[3], r2[3], r3[3]);
                    Store12(out + outStride, r0[2], r1[2], r2[2], r3[2]);
                    Store12(out + 2 * outStride, r0[1], r1[1], r2[1], r3[1]);
                    Store12(out + 3 * outStride, r0[0], r1[0], r2[0], r3[0]);
                }
                for (; x < tx1; ++x)
                    for (int k = 0; k < 4; ++k)
                        pixel(y + k, x);
            }
            for (; y < ty1; ++y)
                for (int x = tx; x < tx1; ++x)
                    pixel(y, x);
        }
    }
}

} // namespace

void RotateAnticlockwiseInto(const QImage& src, QImage& dst)
{
    const int depth = src.depth();
    if (dst.width() != src.height() || dst.height() != src.width() || dst.format() != src.format()
        || (depth != 8 && depth != 16 && depth != 24 && depth != 32 && depth != 64))
        throw RangeError();
    const int tileRows = (src.width() + kBand - 1) / kBand;
    const int threads = std::int64_t(src.width()) * src.height() < 256 * 256 ? 1 : 0;
    ParallelFor(tileRows, [&](int row) {
        switch (depth / 8) {
        case 1: RotateTiles<1>(src, dst, row); break;
        case 2: RotateTiles<2>(src, dst, row); break;
        case 3: RotateTiles24(src, dst, row); break;
        case 4: RotateTiles<4>(src, dst, row); break;
        default: RotateTiles<8>(src, dst, row); break;
        }
    }, threads);
}

QImage RotateAnticlockwise(const QImage& image)
{
    if (image.isNull())
        return QImage();
    QImage src = image;
    if (src.format() == QImage::Format_Mono || src.format() == QImage::Format_MonoLSB)
        src = src.convertToFormat(QImage::Format_Indexed8);
    const int depth = src.depth();
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32 && depth != 64)
        src = src.convertToFormat(QImage::Format_ARGB32);
    QImage dst = AllocateImage(src.height(), src.width(), src.format());
    if (src.format() == QImage::Format_Indexed8)
        dst.setColorTable(src.colorTable());
    RotateAnticlockwiseInto(src, dst);
    return dst;
}

Orientation Orientation::FromExif(int tag)
{
    switch (tag) {
    case 2: return {true, false, false};
    case 3: return {true, true, false};
    case 4: return {false, true, false};
    case 5: return {false, false, true};
    case 6: return {false, true, true};
    case 7: return {true, true, true};
    case 8: return {true, false, true};
    default: return {};
    }
}

Orientation Orientation::Then(Orientation next) const
{
    // The next flips act on swapped axes when this one swaps; flips commute, so they move before it.
    const bool nextX = transpose ? next.flipY : next.flipX;
    const bool nextY = transpose ? next.flipX : next.flipY;
    return {flipX != nextX, flipY != nextY, transpose != next.transpose};
}

QRect Orientation::SourceOf(const QRect& placed, QSize sourceSize) const
{
    QRect r = transpose ? QRect(placed.y(), placed.x(), placed.height(), placed.width()) : placed;
    if (flipX)
        r.moveLeft(sourceSize.width() - r.x() - r.width());
    if (flipY)
        r.moveTop(sourceSize.height() - r.y() - r.height());
    return r;
}

QImage Orient(const QImage& image, Orientation orientation)
{
    if (orientation.Identity() || image.isNull())
        return image;
    if (!orientation.transpose) {
        QImage mirrored = image.mirrored(orientation.flipX, orientation.flipY);
        if (mirrored.isNull())
            throw OutOfMemory();
        return mirrored;
    }
    // A swap after flips (fx, fy) is the anticlockwise turn after flips (!fx, fy).
    const QImage flipped = !orientation.flipX || orientation.flipY ? image.mirrored(!orientation.flipX, orientation.flipY) : image;
    if (flipped.isNull())
        throw OutOfMemory();
    return RotateAnticlockwise(flipped);
}

} // namespace lumoria::platform
