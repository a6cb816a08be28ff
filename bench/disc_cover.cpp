// One application of the disc label's mask to a 3200 x 2400 working copy against memcpy of the
// picture's bytes, and a whole slider move (the photo before the cover copied back, then masked).
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

static void BM_MemcpyOfThePicture(benchmark::State& state) { bench::MemcpyLoop(state, std::size_t(kW) * kH * 4); }
BENCHMARK(BM_MemcpyOfThePicture)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_AplicarCapaDeCDEmBitmap(benchmark::State& state)
{
    const auto format = state.range(0) == 24 ? platform::PixelFormat::Bits24 : platform::PixelFormat::Device;
    platform::Bitmap photo = Photo(format);
    int percent = 100;
    for (auto _ : state) {
        AplicarCapaDeCDEmBitmap(photo, percent, 3, -2);
        percent = percent == 100 ? 60 : 100;
        benchmark::DoNotOptimize(photo.Image().constBits());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * photo.Image().sizeInBytes());
}
BENCHMARK(BM_AplicarCapaDeCDEmBitmap)->Arg(32)->Arg(24)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a slider move does: the photo before the cover into the working picture, then the mask.
static void BM_SliderMove(benchmark::State& state)
{
    const platform::Bitmap before = Photo(platform::PixelFormat::Device);
    platform::Bitmap shown = before;
    shown.ScanLine(0); // its own pixels, as the window's picture has
    for (auto _ : state) {
        shown.Assign(before);
        AplicarCapaDeCDEmBitmap(shown, 80, 5, 5);
        benchmark::DoNotOptimize(shown.Image().constBits());
    }
}
BENCHMARK(BM_SliderMove)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
