#include "platform/graphics/image_rotation.h"

#include "platform/failure.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/parallel.h"

#include <cstdint>
#include <cstring>

namespace lumoria::platform {

namespace {

constexpr int kTile = 256;

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
    const int y0 = tileRow * kTile;
    const int y1 = std::min(y0 + kTile, w);
    for (int x0 = 0; x0 < h; x0 += kTile) {
        const int x1 = std::min(x0 + kTile, h);
        for (int y = y0; y < y1; ++y) {
            // Result row y is source column w - 1 - y, read from the top.
            P* out = reinterpret_cast<P*>(dst.scanLine(y)) + x0;
            const uchar* in = srcBits + qsizetype(x0) * srcStride + qsizetype(w - 1 - y) * Bytes;
            for (int x = x0; x < x1; ++x, in += srcStride)
                *out++ = *reinterpret_cast<const P*>(in);
        }
    }
}

// 24-bit pixels four at a time: four 4-byte reads (the fourth byte of each is dropped) packed into
// three 4-byte writes. Result row 0 reads the source's last column, whose fourth byte may lie past
// the source's end, so that row goes pixel by pixel.
void RotateTiles24(const QImage& src, QImage& dst, int tileRow)
{
    const int w = src.width();
    const int h = src.height();
    const qsizetype stride = src.bytesPerLine();
    const uchar* bits = src.constBits();
    const int y0 = tileRow * kTile;
    const int y1 = std::min(y0 + kTile, w);
    auto load = [](const uchar* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v & 0x00ffffffu;
    };
    for (int x0 = 0; x0 < h; x0 += kTile) {
        const int x1 = std::min(x0 + kTile, h);
        for (int y = y0; y < y1; ++y) {
            uchar* out = dst.scanLine(y) + qsizetype(x0) * 3;
            const uchar* in = bits + qsizetype(x0) * stride + qsizetype(w - 1 - y) * 3;
            int x = x0;
            if (y > 0) {
                for (; x + 4 <= x1; x += 4, in += 4 * stride, out += 12) {
                    const std::uint32_t a = load(in), b = load(in + stride), c = load(in + 2 * stride),
                                        d = load(in + 3 * stride);
                    const std::uint32_t words[3] = {a | (b << 24), (b >> 8) | (c << 16), (c >> 16) | (d << 8)};
                    std::memcpy(out, words, 12);
                }
            }
            for (; x < x1; ++x, in += stride, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
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
    const int tileRows = (src.width() + kTile - 1) / kTile;
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

} // namespace lumoria::platform
