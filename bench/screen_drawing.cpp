// An A4 page with four real camera photos (5640 x 3172) in its four 9 x 12 frames, drawn on a page
// view of 560 x 792 pixels: the first draw reads every photo (on worker threads) and fills the image
// cache; a redraw takes the reduced copies from the cache. Then one photo placed in a frame. Each in
// turns with decoding the photo at the cache copy's size (the least a first draw can do), once per
// photo it draws.
#include "bench_support.h"

#include "album/album_model.h"
#include "album/image_cache.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/jpeg_image.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <chrono>

using namespace lumoria;

namespace {

void DecodeAtCacheSize(const QString& photo)
{
    platform::JpegImage jpeg;
    jpeg.LoadFromData(platform::ReadWholeFile(photo));
    const int w = std::min(640, (jpeg.Width() + 1) / 2);
    const QImage image = platform::DecodeJpeg(jpeg.SaveToData(), platform::JpegOutput::Rgb32,
                                              jpeg.ScaleFor(QSize(w, jpeg.Height() * w / jpeg.Width())));
    benchmark::DoNotOptimize(image.constBits());
}

// Seconds of f, with a new empty image cache set up before it and taken down after it.
template <class F> double WithEmptyCache(F&& f)
{
    auto cache = std::make_unique<TCacheDeImagensJaCarregadas>();
    DefinirCacheDeImagens(cache.get());
    const auto start = std::chrono::steady_clock::now();
    f();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    DefinirCacheDeImagens(nullptr);
    return seconds;
}

} // namespace

static void BM_ScreenA4FourPhotos(benchmark::State& state)
{
    bench::EnsureApplication();
    QTemporaryDir dir;
    TPagina pagina;
    if (!bench::FourPhotoPage(pagina, dir.path())) {
        state.SkipWithError("mate-backgrounds is not installed");
        return;
    }
    const bool cached = state.range(0) != 0;
    platform::Bitmap view(560, 792);
    auto draw = [&] {
        pagina.DesenharNaTela(view.GetCanvas(), true);
        benchmark::DoNotOptimize(view.Image().constBits());
    };
    auto fourDecodes = [&] {
        for (int i = 0; i < 4; ++i)
            DecodeAtCacheSize(bench::CameraPhoto());
    };
    if (cached) {
        TCacheDeImagensJaCarregadas cache;
        DefinirCacheDeImagens(&cache);
        draw();
        bench::RunInTurns(state, draw, fourDecodes, "from the cache vs four decodes at the cache size");
        DefinirCacheDeImagens(nullptr);
    } else {
        bench::RunInTurns(state, [&] { return WithEmptyCache(draw); }, fourDecodes,
                          "first draw, cache empty vs four decodes at the cache size");
    }
}
BENCHMARK(BM_ScreenA4FourPhotos)->Arg(0)->Arg(1)->Apply(bench::InTurns);

// Placing one photo in a frame of the page view, until it is drawn, with the cache empty.
static void BM_PlacePhotoInFrame(benchmark::State& state)
{
    bench::EnsureApplication();
    QTemporaryDir dir;
    TPagina pagina;
    const QString photo = bench::PhotoOfCase(state.range(0));
    if (!bench::FourPhotoPage(pagina, dir.path(), photo)) {
        state.SkipWithError("no photo");
        return;
    }
    platform::Bitmap view(560, 792);
    bench::RunInTurns(
        state,
        [&] {
            return WithEmptyCache([&] {
                pagina.DesenharFoto(view.GetCanvas(), 0);
                benchmark::DoNotOptimize(view.Image().constBits());
            });
        },
        [&] { DecodeAtCacheSize(photo); },
        std::string(bench::CaseName(state.range(0))) + " vs one decode at the cache size");
}
BENCHMARK(BM_PlacePhotoInFrame)->Arg(0)->Arg(1)->Apply(bench::InTurns);

BENCHMARK_MAIN();
