#pragma once
// A quarter turn anticlockwise of an image's pixels: a source of width W and height H becomes an image
// of width H and height W whose pixel (x, y) is the source pixel (W - 1 - y, x). Worked in tiles so that
// reads and writes both stay in cache, over the pixel threads.
#include <QImage>

namespace lumoria::platform {

// Keeps the format (1-bit images are turned as 8-bit palette images). OutOfMemory when the result
// cannot be allocated; nothing else is touched then.
QImage RotateAnticlockwise(const QImage& image);

// The same into an existing result of height W and width H of the source's format (a result of
// another size or format raises RangeError).
void RotateAnticlockwiseInto(const QImage& image, QImage& result);

} // namespace lumoria::platform
