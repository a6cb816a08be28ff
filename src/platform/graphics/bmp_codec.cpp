#include "platform/graphics/bmp_codec.h"

#include "platform/failure.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/image_memory.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lumoria::platform {

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
// What run-length data can plausibly describe: 128 pixels a byte (255 in a two-byte run), and a
// small picture whatever its data.
constexpr std::int64_t kPixelsPerRunByte = 128;
constexpr std::int64_t kRunLengthSlack = 1 << 16;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

[[noreturn]] void Bad(const std::string& why)
{
    throw InvalidPicture("Bitmap image is not valid (" + why + ")");
}

// Little-endian reads that check every access against the end of the data.
class Reader {
public:
    Reader(const uchar* data, qsizetype size) : m_data(data), m_size(size) {}
    qsizetype size() const { return m_size; }
    const uchar* at(qsizetype offset, qsizetype length) const
    {
        if (offset < 0 || length < 0 || offset > m_size || length > m_size - offset)
            Bad("cut short");
        return m_data + offset;
    }
    std::uint16_t u16(qsizetype offset) const
    {
        const uchar* p = at(offset, 2);
        return std::uint16_t(p[0] | (p[1] << 8));
    }
    std::uint32_t u32(qsizetype offset) const
    {
        const uchar* p = at(offset, 4);
        return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
    }
    std::int32_t i32(qsizetype offset) const { return std::int32_t(u32(offset)); }

private:
    const uchar* m_data;
    qsizetype m_size;
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // rows of the picture (positive)
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    QList<QRgb> colours;
    qsizetype pixelOffset = 0; // where the pixels start when nothing says otherwise
};

Header ReadHeader(const Reader& in, qsizetype start, bool icon)
{
    Header h;
    const std::uint32_t headerSize = in.u32(start);
    qsizetype colourBytes = 4;
    std::int64_t rawHeight = 0;
    if (headerSize == 12) {
        h.width = in.u16(start + 4);
        rawHeight = in.u16(start + 6);
        h.bits = in.u16(start + 10);
        colourBytes = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        h.width = in.i32(start + 4);
        rawHeight = in.i32(start + 8);
        h.bits = in.u16(start + 14);
        h.compression = in.u32(start + 16);
    } else {
        Bad("unknown header");
    }
    if (in.u16(start + (headerSize == 12 ? 8 : 12)) != 1)
        Bad("planes");
    h.topDown = rawHeight < 0;
    h.height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (icon)
        h.height /= 2; // the transparency mask follows the colours
    if (h.topDown && (h.compression == kRle8 || h.compression == kRle4))
        Bad("top-down run-length bitmap");

    qsizetype pos = start + headerSize;
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        if (h.bits != 16 && h.bits != 32)
            Bad("bit fields");
        const int count = h.compression == kAlphaBitFields ? 4 : 3;
        if (headerSize >= 52) {
            for (int i = 0; i < 4 && 40 + 4 * i + 4 <= qsizetype(headerSize); ++i)
                h.masks[i] = in.u32(start + 40 + 4 * i);
        } else {
            for (int i = 0; i < count; ++i)
                h.masks[i] = in.u32(pos + 4 * i);
            pos += 4 * count;
        }
    } else if (h.compression == kRgb) {
        if (h.bits == 16) {
            h.masks[0] = 0x7c00;
            h.masks[1] = 0x03e0;
            h.masks[2] = 0x001f;
        } else if (h.bits == 32) {
            h.masks[0] = 0x00ff0000;
            h.masks[1] = 0x0000ff00;
            h.masks[2] = 0x000000ff;
        }
    } else if (!((h.compression == kRle8 && h.bits == 8) || (h.compression == kRle4 && h.bits == 4))) {
        Bad("unsupported compression " + std::to_string(h.compression));
    }
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        Bad("unsupported depth " + std::to_string(h.bits));
    CheckPictureSize(h.width, h.height, "Bitmap");

    if (h.bits <= 8) {
        std::int64_t count = 1 << h.bits;
        if (headerSize >= 40) {
            const std::uint32_t used = in.u32(start + 32);
            if (used != 0 && used < count)
                count = used;
        }
        for (std::int64_t i = 0; i < count; ++i) {
            const uchar* c = in.at(pos + i * colourBytes, 3);
            h.colours.append(qRgb(c[2], c[1], c[0]));
        }
        pos += count * colourBytes;
    }
    h.pixelOffset = pos;
    return h;
}

// Spreads a mask's bits over 0..255.
struct Channel {
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t mask)
    {
        if (mask) {
            shift = std::countr_zero(mask);
            bits = std::popcount(mask >> shift);
        }
    }
    int value(std::uint32_t pixel, std::uint32_t mask) const
    {
        if (!bits)
            return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        const std::uint32_t max = bits >= 32 ? 0xffffffffu : ((1u << bits) - 1);
        return int((std::uint64_t(v) * 255 + max / 2) / max);
    }
};

qsizetype RowBytes(const Header& h)
{
    return qsizetype((h.width * h.bits + 31) / 32 * 4);
}

// Expands run-length pixels straight into the 8-bit picture, one palette index per pixel (the file's
// rows are bottom-up unless topDown).
void ExpandRunLength(const Reader& in, qsizetype pos, const Header& h, QImage& image)
{
    image.fill(0); // pixels not given stay at colour 0, as when the end mark is missing
    const std::int64_t w = h.width;
    const std::int64_t rows = h.height;
    std::int64_t x = 0;
    std::int64_t y = 0;
    uchar* line = nullptr;
    auto nextLine = [&] {
        line = y < rows ? image.scanLine(int(h.topDown ? y : rows - 1 - y)) : nullptr;
        if ((y & 63) == 0)
            ThrowIfDecodeStopped();
    };
    nextLine();
    auto put = [&](uchar index) {
        if (line && x < w)
            line[x] = index;
        ++x;
    };
    for (;;) {
        if (pos + 2 > in.size())
            return;
        const uchar* p = in.at(pos, 2);
        pos += 2;
        if (p[0] > 0) {
            for (int i = 0; i < p[0]; ++i)
                put(h.bits == 8 ? p[1] : uchar(i % 2 == 0 ? p[1] >> 4 : p[1] & 0x0f));
            continue;
        }
        switch (p[1]) {
        case 0: // end of line
            x = 0;
            ++y;
            nextLine();
            break;
        case 1: // end of bitmap
            return;
        case 2: { // delta
            const uchar* d = in.at(pos, 2);
            pos += 2;
            x += d[0];
            y += d[1];
            nextLine();
            break;
        }
        default: { // a literal run, padded to a whole word
            const int count = p[1];
            const qsizetype bytes = h.bits == 8 ? count : (count + 1) / 2;
            const uchar* lit = in.at(pos, bytes);
            for (int i = 0; i < count; ++i)
                put(h.bits == 8 ? lit[i] : uchar(i % 2 == 0 ? lit[i / 2] >> 4 : lit[i / 2] & 0x0f));
            pos += (bytes + 1) & ~qsizetype(1);
            break;
        }
        }
        if (y >= rows)
            return;
    }
}

QList<QRgb> FullTable(const QList<QRgb>& colours, int size)
{
    QList<QRgb> table = colours;
    while (table.size() < size)
        table.append(qRgb(0, 0, 0)); // an index beyond the file's colours shows black
    return table;
}

DecodedBitmap DecodePixels(const Reader& in, const Header& h, qsizetype pos)
{
    const int w = int(h.width);
    const int rows = int(h.height);
    DecodedBitmap result;
    auto sourceRow = [&](int y) { return h.topDown ? y : rows - 1 - y; };

    // The memory of the decode, taken before anything is allocated: the picture, and for a palette
    // picture the 32-bit copy that drawing it makes.
    const bool runs = h.compression == kRle8 || h.compression == kRle4;
    const QImage::Format format = runs || h.bits == 4 || h.bits == 8 ? QImage::Format_Indexed8
                                  : h.bits == 1                      ? QImage::Format_Mono
                                  : h.bits == 32                     ? QImage::Format_RGB32
                                                                     : QImage::Format_BGR888;
    const bool palette = format == QImage::Format_Indexed8 || format == QImage::Format_Mono;
    const DecodeScope scope;
    DecodeMemory memory = ReserveDecodeMemory(ImageBytes(w, rows, format)
                                              + (palette ? ImageBytes(w, rows, QImage::Format_RGB32) : 0));
    auto allocate = [&](QImage::Format f) {
        return AllocateImage(w, rows, f, memory.Split(palette ? memory.Bytes() : ImageBytes(w, rows, f)));
    };

    if (h.compression == kRle8 || h.compression == kRle4) {
        // A run of two bytes gives at most 255 pixels; a picture far larger than its runs could
        // describe is a bomb, not a drawing, and is refused before its pixels are allocated.
        const std::int64_t runBytes = std::max<std::int64_t>(0, in.size() - pos);
        if (std::int64_t(w) * rows > kRunLengthSlack + runBytes * kPixelsPerRunByte)
            Bad("the picture is larger than its runs can describe");
        result.image = allocate(QImage::Format_Indexed8);
        result.image.setColorTable(FullTable(h.colours, 256));
        ExpandRunLength(in, pos, h, result.image);
        result.format = PixelFormat::Bits8;
        return result;
    }

    const qsizetype stride = RowBytes(h);
    const qsizetype lastRow = qsizetype((h.width * h.bits + 7) / 8);
    in.at(pos, stride * (rows - 1) + lastRow); // the whole pixel area must be there
    auto row = [&](int y) { return in.at(pos + stride * sourceRow(y), lastRow); };

    switch (h.bits) {
    case 1:
        result.image = allocate(QImage::Format_Mono);
        result.image.setColorTable(FullTable(h.colours, 2));
        for (int y = 0; y < rows; ++y)
            std::memcpy(result.image.scanLine(y), row(y), std::size_t(lastRow));
        result.format = PixelFormat::Bits1;
        break;
    case 4:
    case 8:
        result.image = allocate(QImage::Format_Indexed8);
        result.image.setColorTable(FullTable(h.colours, 256));
        for (int y = 0; y < rows; ++y) {
            const uchar* s = row(y);
            uchar* d = result.image.scanLine(y);
            if (h.bits == 8)
                std::memcpy(d, s, std::size_t(w));
            else
                for (int x = 0; x < w; ++x)
                    d[x] = (x % 2 == 0) ? (s[x / 2] >> 4) : (s[x / 2] & 0x0f);
        }
        result.format = PixelFormat::Bits8;
        break;
    case 24:
        result.image = allocate(QImage::Format_BGR888);
        for (int y = 0; y < rows; ++y)
            std::memcpy(result.image.scanLine(y), row(y), std::size_t(w) * 3);
        result.format = PixelFormat::Bits24;
        break;
    case 16:
    case 32: {
        const bool plain32 = h.bits == 32 && h.masks[0] == 0x00ff0000 && h.masks[1] == 0x0000ff00
                             && h.masks[2] == 0x000000ff;
        const Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]);
        if (h.bits == 32) {
            result.image = allocate(QImage::Format_RGB32);
            result.format = PixelFormat::Bits32;
        } else {
            result.image = allocate(QImage::Format_BGR888);
            result.format = PixelFormat::Bits24;
        }
        for (int y = 0; y < rows; ++y) {
            const uchar* s = row(y);
            uchar* d = result.image.scanLine(y);
            if (plain32) {
                auto* out = reinterpret_cast<QRgb*>(d);
                for (int x = 0; x < w; ++x)
                    out[x] = qRgb(s[4 * x + 2], s[4 * x + 1], s[4 * x]);
                continue;
            }
            for (int x = 0; x < w; ++x) {
                const std::uint32_t px = h.bits == 32
                    ? std::uint32_t(s[4 * x]) | (std::uint32_t(s[4 * x + 1]) << 8) | (std::uint32_t(s[4 * x + 2]) << 16)
                          | (std::uint32_t(s[4 * x + 3]) << 24)
                    : std::uint32_t(s[2 * x]) | (std::uint32_t(s[2 * x + 1]) << 8);
                const int rv = r.value(px, h.masks[0]), gv = g.value(px, h.masks[1]), bv = b.value(px, h.masks[2]);
                if (h.bits == 32) {
                    reinterpret_cast<QRgb*>(d)[x] = qRgb(rv, gv, bv);
                } else {
                    d[3 * x] = uchar(bv);
                    d[3 * x + 1] = uchar(gv);
                    d[3 * x + 2] = uchar(rv);
                }
            }
        }
        break;
    }
    default:
        Bad("depth");
    }
    return result;
}

void Put16(QByteArray& out, std::uint16_t v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void Put32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

} // namespace

DecodedBitmap DecodeBmp(const QByteArray& data)
{
    const Reader in(reinterpret_cast<const uchar*>(data.constData()), data.size());
    if (data.size() < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        Bad("not a BMP file");
    const Header h = ReadHeader(in, 14, false);
    const std::uint32_t offset = in.u32(10);
    const qsizetype pos = (offset >= h.pixelOffset && offset < std::uint32_t(data.size())) ? qsizetype(offset) : h.pixelOffset;
    return DecodePixels(in, h, pos);
}

DecodedBitmap DecodeDib(const uchar* data, qsizetype size)
{
    const Reader in(data, size);
    const Header h = ReadHeader(in, 0, false);
    return DecodePixels(in, h, h.pixelOffset);
}

QImage DecodeIconDib(const uchar* data, qsizetype size)
{
    const Reader in(data, size);
    Header h = ReadHeader(in, 0, true);
    if (h.compression == kRle8 || h.compression == kRle4)
        Bad("run-length icon");
    const DecodedBitmap colours = DecodePixels(in, h, h.pixelOffset);
    QImage image = colours.image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        throw OutOfMemory();
    const int w = image.width();
    const int rows = image.height();

    bool hasAlpha = false;
    if (h.bits == 32) {
        // 32-bit icons carry their own alpha in the fourth byte.
        const qsizetype stride = RowBytes(h);
        for (int y = 0; y < rows; ++y) {
            const uchar* s = in.at(h.pixelOffset + stride * (rows - 1 - y), qsizetype(w) * 4);
            auto* d = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                d[x] = qRgba(qRed(d[x]), qGreen(d[x]), qBlue(d[x]), s[4 * x + 3]);
                hasAlpha = hasAlpha || s[4 * x + 3] != 0;
            }
        }
    }
    if (!hasAlpha) {
        const qsizetype maskStart = h.pixelOffset + RowBytes(h) * rows;
        const qsizetype maskStride = qsizetype((std::int64_t(w) + 31) / 32 * 4);
        const bool haveMask = maskStart + maskStride * rows <= size;
        for (int y = 0; y < rows; ++y) {
            auto* d = reinterpret_cast<QRgb*>(image.scanLine(y));
            const uchar* m = haveMask ? in.at(maskStart + maskStride * (rows - 1 - y), maskStride) : nullptr;
            for (int x = 0; x < w; ++x) {
                const bool clear = m && (m[x / 8] & (0x80 >> (x % 8)));
                d[x] = clear ? qRgba(0, 0, 0, 0) : (d[x] | 0xff000000u);
            }
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QByteArray EncodeBmp(const QImage& source, PixelFormat format)
{
    QImage image;
    int bits = 32;
    switch (format) {
    case PixelFormat::Bits1:
        image = source.format() == QImage::Format_Mono ? source : source.convertToFormat(QImage::Format_Mono);
        bits = 1;
        break;
    case PixelFormat::Bits8:
        image = source.format() == QImage::Format_Indexed8 ? source : source.convertToFormat(QImage::Format_Indexed8);
        bits = 8;
        break;
    case PixelFormat::Bits24:
        image = source.format() == QImage::Format_BGR888 ? source : source.convertToFormat(QImage::Format_BGR888);
        bits = 24;
        break;
    default:
        image = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
        bits = 32;
        break;
    }
    if (image.isNull() && !source.isNull())
        throw OutOfMemory();
    const std::int64_t w = image.width();
    const std::int64_t rows = image.height();
    const std::int64_t stride = (w * bits + 31) / 32 * 4;
    const int colours = bits <= 8 ? (1 << bits) : 0;
    const std::int64_t offset = 14 + 40 + std::int64_t(colours) * 4;
    const std::int64_t total = offset + stride * rows;
    if (total > std::int64_t(0x7fffffff))
        throw InvalidPicture("Bitmap image is too large to be written");

    QByteArray out;
    out.reserve(qsizetype(total));
    out.append("BM", 2);
    Put32(out, std::uint32_t(total));
    Put32(out, 0);
    Put32(out, std::uint32_t(offset));
    Put32(out, 40);
    Put32(out, std::uint32_t(w));
    Put32(out, std::uint32_t(rows));
    Put16(out, 1);
    Put16(out, std::uint16_t(bits));
    Put32(out, kRgb);
    Put32(out, std::uint32_t(stride * rows));
    Put32(out, 3780); // 96 dots per inch
    Put32(out, 3780);
    Put32(out, std::uint32_t(colours));
    Put32(out, 0);
    const QList<QRgb> table = image.colorTable();
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    const std::int64_t used = (w * bits + 7) / 8;
    const qsizetype pixelsAt = out.size();
    out.resize(qsizetype(total));
    uchar* pixels = reinterpret_cast<uchar*>(out.data()) + pixelsAt;
    for (std::int64_t y = 0; y < rows; ++y) {
        uchar* d = pixels + (rows - 1 - y) * stride;
        std::memcpy(d, image.constScanLine(int(y)), std::size_t(used));
        std::memset(d + used, 0, std::size_t(stride - used));
        if (bits == 32)
            for (std::int64_t x = 0; x < w; ++x)
                d[4 * x + 3] = 0;
    }
    return out;
}

} // namespace lumoria::platform
