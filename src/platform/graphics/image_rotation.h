#pragma once
// A quarter turn anticlockwise of an image's pixels: a source of width W and height H becomes an image
// of width H and height W whose pixel (x, y) is the source pixel (W - 1 - y, x). Worked in tiles so that
// reads and writes both stay in cache, over the pixel threads.
#include <QImage>
#include <QRect>
#include <QSize>

namespace lumoria::platform {

// One of the eight ways a picture can lie: its pixels mirrored across (flipX), mirrored down (flipY),
// in that order, then rows and columns swapped (transpose). Pixel (x, y) of a W x H source lands at
// (W - 1 - x, y) after flipX, at (x, H - 1 - y) after flipY, and at (y, x) after the swap.
struct Orientation {
    bool flipX = false;
    bool flipY = false;
    bool transpose = false;

    // What an Exif orientation tag (1 to 8) asks to make the stored pixels upright; anything else
    // leaves them as they are.
    static Orientation FromExif(int tag);
    // The quarter turn anticlockwise of RotateAnticlockwise.
    static Orientation Anticlockwise() { return {true, false, true}; }

    bool Identity() const { return !flipX && !flipY && !transpose; }
    // This orientation followed by next.
    Orientation Then(Orientation next) const;
    // The size of a source of that size once it lies this way.
    QSize Apply(QSize size) const { return transpose ? size.transposed() : size; }
    // The part of a source of that size that lands on the part `placed` of the result.
    QRect SourceOf(const QRect& placed, QSize sourceSize) const;

    friend bool operator==(const Orientation&, const Orientation&) = default;
};

// The image laid as the orientation says (the image itself when it is the identity). OutOfMemory as
// RotateAnticlockwise.
QImage Orient(const QImage& image, Orientation orientation);

// Keeps the format (1-bit images are turned as 8-bit palette images). OutOfMemory when the result
// cannot be allocated; nothing else is touched then.
QImage RotateAnticlockwise(const QImage& image);

// The same into an existing result of height W and width H of the source's format (a result of
// another size or format raises RangeError).
void RotateAnticlockwiseInto(const QImage& image, QImage& result);

} // namespace lumoria::platform
