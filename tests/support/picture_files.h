#pragma once
// Picture files that tests write themselves, each through code other than the program's own codecs:
// BMP by hand, JPEG through Qt's image writer, GIF through giflib's encoder, ICO by hand.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

namespace lumoria::test {

// A path in the test's temporary home.
QString TempPath(const QString& name);
void WriteBytes(const QString& path, const QByteArray& data);
QByteArray ReadBytes(const QString& path);

// An image of that size in one colour, or split into blocks: the left half first colour, the right
// half second colour (for checking turns and crops).
QImage SolidImage(int width, int height, const QColor& colour);
QImage HalvesImage(int width, int height, const QColor& left, const QColor& right);
QImage QuadrantsImage(int width, int height, const QColor& topLeft, const QColor& topRight, const QColor& bottomLeft,
                      const QColor& bottomRight);

// BMP bytes of bits 1, 4, 8 (palette of the image's colours, at most 2, 16 or 256), 24 or 32;
// bottom-up unless topDown.
QByteArray BmpBytes(const QImage& image, int bits, bool topDown = false);
// How a viewer shows stored pixels under an Exif orientation tag (1 to 8), through Qt's transforms.
QImage ShownByExif(const QImage& stored, int tag);

// The largest difference of one colour channel between two pictures of one size (255 for sizes
// that differ). A picture drawn from a reduced decode differs a little from one averaged down.
int MaxDifference(const QImage& a, const QImage& b);
// The pixels to store so that a viewer shows `upright` under that tag.
QImage StoredForExif(const QImage& upright, int tag);
// The JPEG bytes with an Exif block written by hand right after the start marker: the orientation
// tag in IFD0, in big-endian ("MM") or little-endian ("II") order, and, when given, a thumbnail's
// JPEG bytes in IFD1. thumbnailShift moves the thumbnail's recorded offset off its bytes, as a damaged
// or hostile block would.
QByteArray WithExifOrientation(const QByteArray& jpeg, int tag, bool bigEndian, const QByteArray& thumbnail = {},
                               quint32 thumbnailShift = 0);

// Writes a JPEG through Qt (quality 95 unless given); grey when grey is set.
QString WriteJpeg(const QString& name, const QImage& image, int quality = 95, bool grey = false);
QString WriteBmp(const QString& name, const QImage& image, int bits = 24);
// An 8-bit run-length BMP of width x height in runs of 255 pixels, alternating two colours.
QByteArray RunLengthPicture(int width, int height);
// A GIF of the image's colours (at most 255; transparent pixels get the transparent index), with a
// second frame of another colour after the first.
QByteArray GifBytes(const QImage& image, bool interlaced = false);
// An animated GIF on a logical screen: each frame a graphic control extension then an image of
// one colour filling its rectangle.
struct GifFrame {
    QRect rect;
    QColor colour;
};
QByteArray GifAnimationBytes(int screenWidth, int screenHeight, const QList<GifFrame>& frames);
// An ICO with one 32-bit image carrying alpha.
QByteArray IcoBytes(const QImage& image);

// Whether a colour is within tolerance of another.
bool Near(const QColor& a, const QColor& b, int tolerance = 12);

} // namespace lumoria::test
