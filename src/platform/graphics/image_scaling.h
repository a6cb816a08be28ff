#pragma once
// Resampling of pictures for stretched drawing: an area average when shrinking (every source pixel
// counts) and a linear blend when enlarging. The work is split over the pixel threads.
#include "platform/graphics/image_rotation.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <memory>

namespace lumoria::platform {

// Scales the part source of image to size target and returns the pixels of window (a part of the
// target, (0, 0, target) when empty). The result is RGB32, or premultiplied ARGB32 when the image
// has an alpha channel. Source is clipped to the image; an empty source or target gives a null image.
QImage ScaleImage(const QImage& image, const QRect& source, const QSize& target, QRect window = QRect());

// A picture scaled as its rows arrive, top to bottom, so that the source is never held whole: each
// finished row of the result goes at once into a 32-bit target image (the result laid as an
// orientation says on the way: mirrored, turned). The pixels are those of ScaleImage on the whole source, for
// which the source part may also begin and end within pixels. Target pixels outside the target
// image are left out.
class RowScaler {
public:
    // sourceBytes: 3 (blue, green, red) or 4 (RGB32). source: the part of the source scaled to
    // target (both as the source lies), whose result, laid as `lay` says, has its top-left at `at`
    // of the target image. Only the result's columns [fromColumn, toColumn) (as the source lies;
    // -1: to the last) are made, so that scalers of the other columns may share the work on other
    // threads.
    RowScaler(int sourceWidth, int sourceHeight, int sourceBytes, const QRectF& source, QSize target, Orientation lay,
              uchar* out, qsizetype outStride, QSize outSize, QPoint at, int fromColumn = 0, int toColumn = -1);
    ~RowScaler();
    RowScaler(const RowScaler&) = delete;
    RowScaler& operator=(const RowScaler&) = delete;

    // Source row y; rows come in order from the top, and rows outside the part are passed over.
    void Push(int y, const uchar* row);

    // Whether every result row is written (the later source rows are not needed).
    bool Done() const;
    // Writes what waits to be written (for a source that ended early).
    void Finish();

private:
    struct State;
    // Push in two halves: the row scaled across (false for a row outside the part), then down.
    bool Across(int y, const uchar* row, std::uint16_t* out) const;
    void PushAcross(int y, const std::uint16_t* across);
    void WriteRow(int o, const std::int32_t* sum);
    void FlushStrip();
    std::unique_ptr<State> m;
};

} // namespace lumoria::platform
