#include "support/picture_files.h"

#include <algorithm>

#include "support/little_endian.h"
#include "support/test_env.h"
#include "support/test_files.h"

#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTransform>

#include <gif_lib.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <vector>

namespace lumoria::test {

QString TempPath(const QString& name)
{
    return QString::fromStdString((homeDir() / name.toStdString()).string());
}

void WriteBytes(const QString& path, const QByteArray& data) { writeFile(path, data); }

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return f.readAll();
}

QImage SolidImage(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage HalvesImage(int width, int height, const QColor& left, const QColor& right)
{
    return QuadrantsImage(width, height, left, right, left, right);
}

QImage QuadrantsImage(int width, int height, const QColor& topLeft, const QColor& topRight, const QColor& bottomLeft,
                      const QColor& bottomRight)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    const int hw = width / 2;
    const int hh = height / 2;
    p.fillRect(0, 0, hw, hh, topLeft);
    p.fillRect(hw, 0, width - hw, hh, topRight);
    p.fillRect(0, hh, hw, height - hh, bottomLeft);
    p.fillRect(hw, hh, width - hw, height - hh, bottomRight);
    return image;
}

QByteArray BmpBytes(const QImage& source, int bits, bool topDown)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    std::vector<QRgb> palette;
    std::map<QRgb, int> index;
    if (bits <= 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y) | 0xff000000u;
                if (index.try_emplace(c, int(palette.size())).second)
                    palette.push_back(c);
            }
        if (palette.size() > (1u << bits))
            throw std::runtime_error("too many colours for the depth");
        palette.resize(std::size_t(1) << bits, qRgb(0, 0, 0));
    }
    const int stride = (w * bits + 31) / 32 * 4;
    QByteArray pixels;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        QByteArray line(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y) | 0xff000000u;
            switch (bits) {
            case 1:
                if (index[c])
                    line[x / 8] = char(uchar(line[x / 8]) | (0x80 >> (x % 8)));
                break;
            case 4:
                line[x / 2] = char(uchar(line[x / 2]) | (x % 2 ? index[c] : index[c] << 4));
                break;
            case 8:
                line[x] = char(index[c]);
                break;
            default: // blue, green, red, and at 32 bits a zero
                for (int k = 0; k < 3; ++k)
                    line[x * bits / 8 + k] = char(c >> 8 * k);
                break;
            }
        }
        pixels += line;
    }
    QByteArray out("BM");
    const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size()) * 4;
    // The file header, then the information header (one plane and the depth share a 32-bit field).
    AppendU32s(out, {offset + std::uint32_t(pixels.size()), 0, offset, 40, std::uint32_t(w), std::uint32_t(topDown ? -h : h),
                     1u | std::uint32_t(bits) << 16, 0, std::uint32_t(pixels.size()), 2835, 2835, palette.size(), 0});
    for (QRgb c : palette)
        AppendU32(out, c & 0xFFFFFF); // blue, green, red, a zero
    return out + pixels;
}

QString WriteJpeg(const QString& name, const QImage& image, int quality, bool grey)
{
    const QString path = TempPath(name);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(grey ? image.convertToFormat(QImage::Format_Grayscale8) : image))
        throw std::runtime_error("cannot write JPEG: " + writer.errorString().toStdString());
    return path;
}

int MaxDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

QImage ShownByExif(const QImage& stored, int tag)
{
    const QImage clockwise = stored.transformed(QTransform().rotate(90));
    switch (tag) {
    case 2: return stored.mirrored(true, false);
    case 3: return stored.mirrored(true, true);
    case 4: return stored.mirrored(false, true);
    case 5: return clockwise.mirrored(true, false); // transposed
    case 6: return clockwise;
    case 7: return clockwise.mirrored(false, true); // transposed across the other diagonal
    case 8: return stored.transformed(QTransform().rotate(270));
    default: return stored;
    }
}

QImage StoredForExif(const QImage& upright, int tag)
{
    // Every tag undoes itself but the two quarter turns, which undo each other.
    return ShownByExif(upright, tag == 6 ? 8 : tag == 8 ? 6 : tag);
}

QByteArray WithExifOrientation(const QByteArray& jpeg, int tag, bool bigEndian, const QByteArray& thumbnail,
                               quint32 thumbnailShift)
{
    QByteArray tiff;
    const auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            tiff.append(char(v >> 8 * (bigEndian ? bytes - 1 - i : i) & 0xFF));
    };
    // One IFD entry of one value; a SHORT (type 3) stands left-justified in the value field.
    const auto entry = [&](unsigned id, unsigned type, std::uint32_t value) {
        put(id, 2);
        put(type, 2);
        put(1, 4);
        put(value, type == 3 ? 2 : 4);
        if (type == 3)
            put(0, 2);
    };
    tiff.append(bigEndian ? "MM" : "II");
    put(42, 2);
    put(8, 4);
    put(1, 2); // IFD0: the orientation
    entry(0x0112, 3, unsigned(tag));
    put(thumbnail.isEmpty() ? 0 : 26, 4);
    if (!thumbnail.isEmpty()) {
        // IFD1 at 26: where the thumbnail's bytes are and how many, then the bytes at 56.
        put(2, 2);
        entry(0x0201, 4, 56 + thumbnailShift);
        entry(0x0202, 4, std::uint32_t(thumbnail.size()));
        put(0, 4);
        tiff.append(thumbnail);
    }
    const QByteArray block = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((block.size() + 2) >> 8)).append(char((block.size() + 2) & 0xFF));
    return jpeg.left(2) + segment + block + jpeg.mid(2);
}

QString WriteBmp(const QString& name, const QImage& image, int bits)
{
    const QString path = TempPath(name);
    WriteBytes(path, BmpBytes(image, bits));
    return path;
}

namespace {

int WriteToBuffer(GifFileType* file, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(file->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// A GIF89a writer into out with its screen and the colours as global table (padded to a power of two).
GifFileType* OpenGif(QByteArray& out, int w, int h, std::vector<GifColorType> colours, ColorMapObject*& map)
{
    int size = 2;
    while (size < int(colours.size()))
        size *= 2;
    colours.resize(std::size_t(size), GifColorType{0, 0, 0});
    int error = 0;
    GifFileType* file = EGifOpen(&out, WriteToBuffer, &error);
    if (!file)
        throw std::runtime_error("giflib cannot open");
    EGifSetGifVersion(file, true);
    map = GifMakeMapObject(size, colours.data());
    EGifPutScreenDesc(file, w, h, 8, 0, map);
    return file;
}

// A graphic control extension: the transparent index (or NO_TRANSPARENT_COLOR) and the delay.
void PutControlBlock(GifFileType* file, int transparent, int delay)
{
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.TransparentColor = transparent;
    gcb.DelayTime = delay;
    GifByteType ext[4];
    EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(EGifGCBToExtension(&gcb, ext)), ext);
}

// An image of one colour index filling the rectangle.
void PutSolidImage(GifFileType* file, const QRect& r, int index)
{
    EGifPutImageDesc(file, r.x(), r.y(), r.width(), r.height(), false, nullptr);
    std::vector<GifPixelType> line(std::size_t(r.width()), GifPixelType(index));
    for (int y = 0; y < r.height(); ++y)
        EGifPutLine(file, line.data(), r.width());
}

void CloseGif(GifFileType* file, ColorMapObject* map)
{
    int error = 0;
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
}

} // namespace

// An 8-bit run-length BMP of width x height in runs of 255 pixels, alternating two colours.
QByteArray RunLengthPicture(int width, int height)
{
    QByteArray runs;
    for (int y = 0; y < height; ++y) {
        for (int x = 0, c = 0; x < width; x += 255, c ^= 1)
            runs += char(std::min(255, width - x)), runs += char(c);
        runs += QByteArray("\x00\x00", 2);
    }
    runs += QByteArray("\x00\x01", 2);
    QByteArray d = "BM";
    AppendU32s(d, {14 + 40 + 8 + std::uint32_t(runs.size()), 0, 14 + 40 + 8, 40, std::uint32_t(width), std::uint32_t(height),
                   1u | 8u << 16, 1, std::uint32_t(runs.size()), 2835, 2835, 2, 0, 0x00ff0000u, 0x000000ffu});
    return d + runs;
}

QByteArray GifBytes(const QImage& source, bool interlaced)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    std::vector<GifColorType> colours;
    // Every transparent pixel shares one entry, under the key 0 (black in the table).
    std::map<QRgb, int> index;
    std::vector<GifPixelType> pixels(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            const QRgb key = qAlpha(c) < 128 ? 0 : c | 0xff000000u;
            const auto [entry, added] = index.try_emplace(key, int(colours.size()));
            if (added)
                colours.push_back(GifColorType{GifByteType(qRed(key)), GifByteType(qGreen(key)), GifByteType(qBlue(key))});
            pixels[std::size_t(y) * w + x] = GifPixelType(entry->second);
        }
    const int transparent = index.count(0) ? index[0] : -1;
    const int other = int(colours.size());
    colours.push_back(GifColorType{1, 2, 3}); // the second frame's colour
    QByteArray out;
    ColorMapObject* map = nullptr;
    GifFileType* file = OpenGif(out, w, h, colours, map);
    if (transparent >= 0)
        PutControlBlock(file, transparent, 0);
    EGifPutImageDesc(file, 0, 0, w, h, interlaced, nullptr);
    // Interlaced rows go in four passes: every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass)
        for (int y = interlaced ? starts[pass] : 0; y < h; y += interlaced ? steps[pass] : 1)
            EGifPutLine(file, pixels.data() + std::size_t(y) * w, w);
    PutSolidImage(file, QRect(0, 0, w, h), other);
    CloseGif(file, map);
    return out;
}

QByteArray IcoBytes(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    QByteArray dib;
    // The information header of twice the height (the picture, then its mask), one plane of 32 bits.
    AppendU32s(dib, {40, std::uint32_t(w), std::uint32_t(2 * h), 1u | 32u << 16, 0, 0, 0, 0, 0, 0});
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x)
            AppendU32(dib, image.pixel(x, y)); // blue, green, red, alpha
    const int maskStride = (w + 31) / 32 * 4;
    dib.append(QByteArray(maskStride * h, '\0'));

    // An icon of one image; its entry: width and height (0 for 256), no palette, one plane of 32 bits,
    // its size and where it starts.
    QByteArray out;
    AppendU16(out, 0);
    AppendU32s(out, {1u | 1u << 16, std::uint32_t(w >= 256 ? 0 : w) | std::uint32_t(h >= 256 ? 0 : h) << 8,
                     1u | 32u << 16, std::uint32_t(dib.size()), 22});
    return out + dib;
}

bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

QByteArray GifAnimationBytes(int screenWidth, int screenHeight, const QList<GifFrame>& frames)
{
    std::vector<GifColorType> colours = {{0, 0, 0}};
    for (const GifFrame& f : frames)
        colours.push_back(GifColorType{GifByteType(f.colour.red()), GifByteType(f.colour.green()),
                                       GifByteType(f.colour.blue())});
    QByteArray out;
    ColorMapObject* map = nullptr;
    GifFileType* file = OpenGif(out, screenWidth, screenHeight, colours, map);
    for (int i = 0; i < frames.size(); ++i) {
        PutControlBlock(file, NO_TRANSPARENT_COLOR, 10);
        PutSolidImage(file, frames[i].rect, i + 1);
    }
    CloseGif(file, map);
    return out;
}

} // namespace lumoria::test
