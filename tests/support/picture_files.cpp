#include "support/picture_files.h"

#include <algorithm>
#include <cstdlib>

#include "support/test_env.h"

#include <QBuffer>
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

namespace {

void W16(QByteArray& b, std::uint32_t v)
{
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}

void W32(QByteArray& b, std::uint32_t v)
{
    W16(b, v & 0xffff);
    W16(b, v >> 16);
}

} // namespace

QString TempPath(const QString& name)
{
    return QString::fromStdString((homeDir() / name.toStdString()).string());
}

void WriteBytes(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

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
    QImage image = SolidImage(width, height, left);
    QPainter p(&image);
    p.fillRect(width / 2, 0, width - width / 2, height, right);
    return image;
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
                if (!index.count(c)) {
                    index[c] = int(palette.size());
                    palette.push_back(c);
                }
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
            case 24:
                line[3 * x] = char(qBlue(c));
                line[3 * x + 1] = char(qGreen(c));
                line[3 * x + 2] = char(qRed(c));
                break;
            default:
                line[4 * x] = char(qBlue(c));
                line[4 * x + 1] = char(qGreen(c));
                line[4 * x + 2] = char(qRed(c));
                line[4 * x + 3] = char(0);
                break;
            }
        }
        pixels += line;
    }
    QByteArray out("BM");
    const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size()) * 4;
    W32(out, offset + std::uint32_t(pixels.size()));
    W32(out, 0);
    W32(out, offset);
    W32(out, 40);
    W32(out, std::uint32_t(w));
    W32(out, std::uint32_t(topDown ? -h : h));
    W16(out, 1);
    W16(out, std::uint32_t(bits));
    W32(out, 0);
    W32(out, std::uint32_t(pixels.size()));
    W32(out, 2835);
    W32(out, 2835);
    W32(out, std::uint32_t(palette.size()));
    W32(out, 0);
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
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
    auto u16 = [&](unsigned v) {
        const char a = char(v >> 8), b = char(v & 0xFF);
        tiff.append(bigEndian ? a : b).append(bigEndian ? b : a);
    };
    auto u32 = [&](std::uint32_t v) {
        if (bigEndian) {
            u16(v >> 16);
            u16(v & 0xFFFF);
        } else {
            u16(v & 0xFFFF);
            u16(v >> 16);
        }
    };
    tiff.append(bigEndian ? "MM" : "II");
    u16(42);
    u32(8);
    // IFD0: the orientation (a SHORT, left-justified in the value field).
    u16(1);
    u16(0x0112);
    u16(3);
    u32(1);
    u16(unsigned(tag));
    u16(0);
    u32(thumbnail.isEmpty() ? 0 : 26);
    if (!thumbnail.isEmpty()) {
        // IFD1 at 26: where the thumbnail's bytes are and how many, then the bytes at 56.
        u16(2);
        u16(0x0201);
        u16(4);
        u32(1);
        u32(56 + thumbnailShift);
        u16(0x0202);
        u16(4);
        u32(1);
        u32(std::uint32_t(thumbnail.size()));
        u32(0);
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
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            d += char((v >> (8 * i)) & 0xff);
    };
    put(14 + 40 + 8 + std::uint32_t(runs.size()), 4);
    put(0, 4);
    put(14 + 40 + 8, 4);
    for (std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height)})
        put(v, 4);
    put(1, 2);
    put(8, 2);
    for (std::uint32_t v : {1u, std::uint32_t(runs.size()), 2835u, 2835u, 2u, 0u, 0x00ff0000u, 0x000000ffu})
        put(v, 4);
    return d + runs;
}

QByteArray GifBytes(const QImage& source, bool interlaced)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    std::vector<GifColorType> colours;
    std::map<QRgb, int> index;
    int transparent = -1;
    std::vector<GifPixelType> pixels(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            int i;
            if (qAlpha(c) < 128) {
                if (transparent < 0) {
                    transparent = int(colours.size());
                    colours.push_back(GifColorType{0, 0, 0});
                }
                i = transparent;
            } else if (index.count(c | 0xff000000u)) {
                i = index[c | 0xff000000u];
            } else {
                i = int(colours.size());
                index[c | 0xff000000u] = i;
                colours.push_back(GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
            }
            pixels[std::size_t(y) * w + x] = GifPixelType(i);
        }
    const int other = int(colours.size());
    colours.push_back(GifColorType{1, 2, 3}); // the second frame's colour
    QByteArray out;
    ColorMapObject* map = nullptr;
    GifFileType* file = OpenGif(out, w, h, colours, map);
    if (transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = transparent;
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(len), ext);
    }
    EGifPutImageDesc(file, 0, 0, w, h, interlaced, nullptr);
    if (interlaced) {
        static const int offsets[] = {0, 4, 2, 1};
        static const int jumps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = offsets[pass]; y < h; y += jumps[pass])
                EGifPutLine(file, pixels.data() + std::size_t(y) * w, w);
    } else {
        for (int y = 0; y < h; ++y)
            EGifPutLine(file, pixels.data() + std::size_t(y) * w, w);
    }
    std::vector<GifPixelType> second(std::size_t(w) * h, GifPixelType(other));
    EGifPutImageDesc(file, 0, 0, w, h, false, nullptr);
    for (int y = 0; y < h; ++y)
        EGifPutLine(file, second.data() + std::size_t(y) * w, w);
    int error = 0;
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
    return out;
}

QByteArray IcoBytes(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    QByteArray dib;
    W32(dib, 40);
    W32(dib, std::uint32_t(w));
    W32(dib, std::uint32_t(2 * h));
    W16(dib, 1);
    W16(dib, 32);
    W32(dib, 0);
    W32(dib, 0);
    W32(dib, 0);
    W32(dib, 0);
    W32(dib, 0);
    W32(dib, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            dib.append(char(qBlue(c)));
            dib.append(char(qGreen(c)));
            dib.append(char(qRed(c)));
            dib.append(char(qAlpha(c)));
        }
    const int maskStride = (w + 31) / 32 * 4;
    dib.append(QByteArray(maskStride * h, '\0'));

    QByteArray out;
    W16(out, 0);
    W16(out, 1);
    W16(out, 1);
    out.append(char(w >= 256 ? 0 : w));
    out.append(char(h >= 256 ? 0 : h));
    out.append(char(0));
    out.append(char(0));
    W16(out, 1);
    W16(out, 32);
    W32(out, std::uint32_t(dib.size()));
    W32(out, 22);
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
        const QRect r = frames[i].rect;
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        gcb.DelayTime = 10;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(len), ext);
        EGifPutImageDesc(file, r.x(), r.y(), r.width(), r.height(), false, nullptr);
        std::vector<GifPixelType> line(std::size_t(r.width()), GifPixelType(i + 1));
        for (int y = 0; y < r.height(); ++y)
            EGifPutLine(file, line.data(), r.width());
    }
    int error = 0;
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
    return out;
}

} // namespace lumoria::test
