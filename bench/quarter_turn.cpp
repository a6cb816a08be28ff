// A quarter turn of a 54 MB 24-bit bitmap (the size of an 18-megapixel photo) in turns with memcpy of
// the same bytes. Run it under `taskset -c N` for the one-core figure.
#include "imaging/quarter_turn.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/image_rotation.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>


using namespace lumoria;

namespace {

constexpr int kW = 5640;
constexpr int kH = 3172;

platform::Bitmap Filled()
{
    platform::Bitmap b(kW, kH, platform::PixelFormat::Bits24);
    for (int y = 0; y < kH; ++y) {
        uchar* line = b.ScanLine(y);
        for (int x = 0; x < kW * 3; ++x)
            line[x] = uchar(x * 7 + y * 13);
    }
    return b;
}

} // namespace

// The rotation loop into a result that already exists, against memcpy of the same bytes.
static void BM_RotatePixels(benchmark::State& state)
{
    const platform::Bitmap source = Filled();
    QImage result(kH, kW, QImage::Format_BGR888);
    result.fill(0);
    bench::MemcpyOf memcpy(std::size_t(kW) * kH * 3);
    bench::RunInTurns(
        state,
        [&] {
            platform::RotateAnticlockwiseInto(source.Image(), result);
            benchmark::DoNotOptimize(result.constBits());
        },
        memcpy, "vs memcpy of the same bytes");
}
BENCHMARK(BM_RotatePixels)->Apply(bench::InTurns);

// The whole routine the printer path calls: a new result bitmap every time.
static void BM_RotacionarBitmapNoventaGraus(benchmark::State& state)
{
    platform::Bitmap bitmap = Filled();
    bench::MemcpyOf memcpy(std::size_t(kW) * kH * 3);
    bench::RunInTurns(
        state,
        [&] {
            RotacionarBitmapNoventaGraus(bitmap);
            benchmark::DoNotOptimize(bitmap.Image().constBits());
        },
        memcpy, "vs memcpy of the same bytes");
}
BENCHMARK(BM_RotacionarBitmapNoventaGraus)->Apply(bench::InTurns);

BENCHMARK_MAIN();
