#include "imaging/progress_steps.h"

#include "imaging/pixel_rows.h"
#include "platform/graphics/parallel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lumoria::steps {

namespace {

// A band holds about this many pixels, enough for every pixel thread to have a share worth waking for.
constexpr std::int64_t kBandPixels = 1 << 20;
constexpr int kRowsPerPiece = 16;

} // namespace

bool RunIndependentSteps(platform::Bitmap& bitmap, int width, int height, Outer outer, EditorProgress& progress,
                         const std::function<void(int, int, int, int)>& work)
{
    if (width <= 0 || height <= 0)
        return true;
    pixels::Detach(bitmap);
    const std::size_t bpp = std::size_t(pixels::BytesPerPixel(bitmap));
    const bool rows = outer == Outer::Rows;
    const int count = rows ? height : width;
    const int across = rows ? width : height;
    const int band = int(std::max<std::int64_t>(16, kBandPixels / across));
    std::vector<std::uint8_t> saved;
    for (int first = 0; first < count; first += band) {
        const int last = std::min(count, first + band);
        // The part of each row in the band, kept as it was until the band's steps have been reported.
        const int x0 = rows ? 0 : first;
        const int x1 = rows ? width : last;
        const int y0 = rows ? first : 0;
        const int y1 = rows ? last : height;
        const std::size_t bytes = std::size_t(x1 - x0) * bpp;
        saved.resize(bytes * std::size_t(y1 - y0));
        const int pieces = (y1 - y0 + kRowsPerPiece - 1) / kRowsPerPiece;
        platform::ParallelFor(pieces, [&](int i) {
            const int top = y0 + i * kRowsPerPiece;
            const int bottom = std::min(y1, top + kRowsPerPiece);
            for (int y = top; y < bottom; ++y)
                std::memcpy(saved.data() + bytes * std::size_t(y - y0), bitmap.ScanLine(y) + x0 * bpp, bytes);
            work(x0, x1, top, bottom);
        });
        for (int step = first; step < last; ++step) {
            if (Done(progress, step))
                continue;
            // Aborted after this step: the later steps of the band never ran.
            for (int y = rows ? step + 1 : y0; y < y1; ++y) {
                const std::size_t from = rows ? 0 : std::size_t(step + 1 - first) * bpp;
                std::memcpy(bitmap.ScanLine(y) + x0 * bpp + from, saved.data() + bytes * std::size_t(y - y0) + from,
                            bytes - from);
            }
            return false;
        }
    }
    return true;
}

} // namespace lumoria::steps
