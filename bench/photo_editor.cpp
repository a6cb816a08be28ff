// The photo editor's two costly moments, each in turns with its reference: one free rotation
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

// One free rotation against memcpy of the working copy's bytes.
static void BM_RotateBitmap30Degrees(benchmark::State& state)
{
    const platform::Bitmap source = Filled();
    bench::MemcpyOf memcpy(std::size_t(kW) * kH * 4);
    bench::RunInTurns(
        state,
        [&] {
            platform::Bitmap turned = RotateBitmap(source, 0x00FFFFFF, 30);
            benchmark::DoNotOptimize(turned.Image().constBits());
        },
        memcpy, "3200 x 2400 -> 3971 x 3678 vs memcpy of 3200 x 2400 x 4");
}
BENCHMARK(BM_RotateBitmap30Degrees)->Apply(bench::InTurns);

// A new editor window loads the photo, builds the working copy and paints it on the stage, against
// one full decode of the photo.
static void BM_OpenEditorOnCameraPhoto(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state, 0);
    if (photo.isEmpty())
        return;
    bench::EnsureApplication<QApplication>();
    bench::RunInTurns(
        state,
        [&] {
            TfrmEditarFotosEfeitos editor;
            editor.SetarArquivoDaFoto(photo);
            QImage shown = editor.grab().toImage();
            benchmark::DoNotOptimize(shown.constBits());
        },
        [&] {
            const QByteArray data = platform::ReadWholeFile(photo);
            QImage image = platform::DecodeJpeg(data, platform::JpegOutput::Native);
            benchmark::DoNotOptimize(image.constBits());
        },
        "until the working copy is shown vs one full decode");
}
BENCHMARK(BM_OpenEditorOnCameraPhoto)->Apply(bench::InTurns);

BENCHMARK_MAIN();
