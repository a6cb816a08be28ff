// One application of the disc label's mask to a 3200 x 2400 working copy, and a whole slider move (the
// photo before the cover copied back, then masked), each in turns with memcpy of the picture's bytes.
#include "bench_support.h"
#include "editing/cover/disc_cover.h"
#include "platform/graphics/bitmap.h"

#include <benchmark/benchmark.h>

using namespace lumoria;

namespace {

constexpr int kW = 3200;
constexpr int kH = 2400;

platform::Bitmap Photo(platform::PixelFormat format)
{
    platform::Bitmap b(kW, kH, format);
    for (int y = 0; y < kH; ++y) {
        uchar* line = b.ScanLine(y);
        for (qsizetype x = 0; x < b.BytesPerLine(); ++x)
            line[x] = uchar(x * 7 + y * 13);
    }
    return b;
}

} // namespace

static void BM_AplicarCapaDeCDEmBitmap(benchmark::State& state)
{
    const auto format = state.range(0) == 24 ? platform::PixelFormat::Bits24 : platform::PixelFormat::Device;
    platform::Bitmap photo = Photo(format);
    bench::MemcpyOf memcpy(std::size_t(photo.Image().sizeInBytes()));
    int percent = 100;
    bench::RunInTurns(
        state,
        [&] {
            AplicarCapaDeCDEmBitmap(photo, percent, 3, -2);
            percent = percent == 100 ? 60 : 100;
            benchmark::DoNotOptimize(photo.Image().constBits());
        },
        memcpy, std::to_string(state.range(0)) + "-bit vs memcpy of the picture");
}
BENCHMARK(BM_AplicarCapaDeCDEmBitmap)->Arg(32)->Arg(24)->Apply(bench::InTurns);

// What a slider move does: the photo before the cover into the working picture, then the mask.
static void BM_SliderMove(benchmark::State& state)
{
    const platform::Bitmap before = Photo(platform::PixelFormat::Device);
    platform::Bitmap shown = before;
    shown.ScanLine(0); // its own pixels, as the window's picture has
    bench::MemcpyOf memcpy(std::size_t(before.Image().sizeInBytes()));
    bench::RunInTurns(
        state,
        [&] {
            shown.Assign(before);
            AplicarCapaDeCDEmBitmap(shown, 80, 5, 5);
            benchmark::DoNotOptimize(shown.Image().constBits());
        },
        memcpy, "vs memcpy of the picture");
}
BENCHMARK(BM_SliderMove)->Apply(bench::InTurns);

BENCHMARK_MAIN();
