// The photo editor's two costly moments, each beside its reference in the same run: one free rotation
// of a 3200 x 2400 working copy at 30 degrees (what every move of the dial re-renders) against memcpy
// of the same bytes, and opening the editor on the real camera photo until the working copy is shown
// against one full decode of that photo.
#include "bench_support.h"

#include "editing/photo_editor.h"
#include "imaging/rotate_bitmap.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/jpeg_image.h"

#include <QApplication>

#include <benchmark/benchmark.h>


using namespace lumoria;

namespace {

constexpr int kW = 3200;
constexpr int kH = 2400;

platform::Bitmap Filled()
{
    QImage image(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kW; ++x)
            line[x] = qRgb(x * 7, y * 13, x ^ y);
    }
    platform::Bitmap b;
    b.SetImage(image, platform::PixelFormat::Bits32);
    return b;
}

} // namespace

static void BM_Memcpy3200x2400(benchmark::State& state) { bench::MemcpyLoop(state, std::size_t(kW) * kH * 4); }
BENCHMARK(BM_Memcpy3200x2400)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);

static void BM_RotateBitmap30Degrees(benchmark::State& state)
{
    const platform::Bitmap source = Filled();
    for (auto _ : state) {
        platform::Bitmap turned = RotateBitmap(source, 0x00FFFFFF, 30);
        benchmark::DoNotOptimize(turned.Image().constBits());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kW * kH * 4);
    state.SetLabel("3200 x 2400 -> 3971 x 3678");
}
BENCHMARK(BM_RotateBitmap30Degrees)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);

static void BM_DecodeCameraPhotoOnce(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state, 0);
    if (photo.isEmpty())
        return;
    for (auto _ : state) {
        const QByteArray data = platform::ReadWholeFile(photo);
        QImage image = platform::DecodeJpeg(data, platform::JpegOutput::Native);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("5640 x 3172, full size");
}
BENCHMARK(BM_DecodeCameraPhotoOnce)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// A new editor window loads the photo, builds the working copy and paints it on the stage.
static void BM_OpenEditorOnCameraPhoto(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state, 0);
    if (photo.isEmpty())
        return;
    bench::EnsureApplication<QApplication>();
    for (auto _ : state) {
        TfrmEditarFotosEfeitos editor;
        editor.SetarArquivoDaFoto(photo);
        QImage shown = editor.grab().toImage();
        benchmark::DoNotOptimize(shown.constBits());
    }
    state.SetLabel("until the 3200 x 1800 working copy is shown");
}
BENCHMARK(BM_OpenEditorOnCameraPhoto)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

BENCHMARK_MAIN();
