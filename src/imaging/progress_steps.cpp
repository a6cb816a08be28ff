#include "imaging/progress_steps.h"

#include "imaging/pixel_rows.h"
#include "platform/graphics/parallel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lumoria::steps {

namespace {

constexpr int kRowBand = 64;
constexpr int kColumnBand = 128;
constexpr int kRowsPerPiece = 64;

} // namespace

bool RunIndependentSteps(platform::Bitmap& bitmap, int width, int height, Outer outer, EditorProgress& progress,
                         const std::function<void(int, int, int, int)>& work)
{
    if (width <= 0 || height <= 0)
        return true;
    const std::size_t bpp = std::size_t(pixels::BytesPerPixel(bitmap));
    const int count = outer == Outer::Rows ? height : width;
    const int band = outer == Outer::Rows ? kRowBand : kColumnBand;
    std::vector<std::uint8_t> saved;
    for (int first = 0; first < count; first += band) {
        const int last = std::min(count, first + band);
        // The band as it was, kept until its steps have been reported.
        if (outer == Outer::Rows) {
            const std::size_t bytes = std::size_t(width) * bpp;
            saved.resize(bytes * std::size_t(last - first));
            for (int y = first; y < last; ++y)
                std::memcpy(saved.data() + bytes * std::size_t(y - first), bitmap.ScanLine(y), bytes);
            platform::ParallelFor(last - first, [&](int i) { work(0, width, first + i, first + i + 1); });
        } else {
            const std::size_t bytes = std::size_t(last - first) * bpp;
            saved.resize(bytes * std::size_t(height));
            for (int y = 0; y < height; ++y)
                std::memcpy(saved.data() + bytes * std::size_t(y), bitmap.ScanLine(y) + first * bpp, bytes);
            const int pieces = (height + kRowsPerPiece - 1) / kRowsPerPiece;
            platform::ParallelFor(pieces, [&](int i) {
                work(first, last, i * kRowsPerPiece, std::min(height, (i + 1) * kRowsPerPiece));
            });
        }
        for (int step = first; step < last; ++step) {
            if (Done(progress, step))
                continue;
            // Aborted after this step: the later steps of the band never ran.
            if (outer == Outer::Rows) {
                const std::size_t bytes = std::size_t(width) * bpp;
                for (int y = step + 1; y < last; ++y)
                    std::memcpy(bitmap.ScanLine(y), saved.data() + bytes * std::size_t(y - first), bytes);
            } else if (step + 1 < last) {
                const std::size_t bytes = std::size_t(last - first) * bpp;
                const std::size_t from = std::size_t(step + 1 - first) * bpp;
                for (int y = 0; y < height; ++y)
                    std::memcpy(bitmap.ScanLine(y) + (step + 1) * bpp, saved.data() + bytes * std::size_t(y) + from,
                                bytes - from);
            }
            return false;
        }
    }
    return true;
}

} // namespace lumoria::steps
