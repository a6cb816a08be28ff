// Full decode of a real camera photo against djpeg of the same file.
#include "bench_support.h"

#include "platform/graphics/graphic.h"
#include "platform/graphics/jpeg_image.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace lumoria;

// The photo's bytes, or nothing (the benchmark then says why it skipped).
static QByteArray PhotoOrSkip(benchmark::State& state)
{
    const QString photo = bench::CameraPhotoOrSkip(state);
    return photo.isEmpty() ? QByteArray() : platform::ReadWholeFile(photo);
}

static void BM_DecodeFullSize(benchmark::State& state)
{
    const QByteArray data = PhotoOrSkip(state);
    if (data.isEmpty())
        return;
    for (auto _ : state) {
        QImage image = platform::DecodeJpeg(data, platform::JpegOutput::Native);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("24-bit, 5640 x 3172");
}
BENCHMARK(BM_DecodeFullSize)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

static void BM_DecodeForDrawing(benchmark::State& state)
{
    const QByteArray data = PhotoOrSkip(state);
    if (data.isEmpty())
        return;
    for (auto _ : state) {
        QImage image = platform::DecodeJpeg(data, platform::JpegOutput::Rgb32, int(state.range(0)));
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("32-bit, scale " + std::to_string(state.range(0)) + "/8");
}
BENCHMARK(BM_DecodeForDrawing)->Arg(8)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// djpeg writing a BMP to /dev/null: the reference decode, process start included.
static void BM_Djpeg(benchmark::State& state)
{
    const QString photo = bench::CameraPhotoOrSkip(state);
    if (photo.isEmpty())
        return;
    const std::string file = photo.toStdString();
    for (auto _ : state) {
        const char* argv[] = {"djpeg", "-bmp", "-outfile", "/dev/null", file.c_str(), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
            state.SkipWithError("djpeg is not installed");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
}
BENCHMARK(BM_Djpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

BENCHMARK_MAIN();
