#pragma once
// Resampling of pictures for stretched drawing: an area average when shrinking (every source pixel
// counts) and a linear blend when enlarging. The work is split over the pixel threads.
#include <QImage>
#include <QRect>
#include <QSize>

namespace lumoria::platform {

// Scales the part source of image to size target and returns the pixels of window (a part of the
// target, (0, 0, target) when empty). The result is RGB32, or premultiplied ARGB32 when the image
// has an alpha channel. Source is clipped to the image; an empty source or target gives a null image.
QImage ScaleImage(const QImage& image, const QRect& source, const QSize& target, QRect window = QRect());

} // namespace lumoria::platform
