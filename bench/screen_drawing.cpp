// An A4 page with four real camera photos (5640 x 3172) in its four 9 x 12 frames, drawn on a page
// view of 560 x 792 pixels: the first draw reads every photo (on worker threads) and fills the image
// cache; a redraw takes the reduced copies from the cache. Then one photo placed in a frame.
#include "bench_support.h"

#include "album/album_model.h"
#include "album/image_cache.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/jpeg_image.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace lumoria;

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
    auto cache = std::make_unique<TCacheDeImagensJaCarregadas>();
    DefinirCacheDeImagens(cache.get());
    if (cached)
        pagina.DesenharNaTela(view.GetCanvas(), true);
    for (auto _ : state) {
        if (!cached) {
            state.PauseTiming();
            cache = std::make_unique<TCacheDeImagensJaCarregadas>();
            DefinirCacheDeImagens(cache.get());
            state.ResumeTiming();
        }
        pagina.DesenharNaTela(view.GetCanvas(), true);
        benchmark::DoNotOptimize(view.Image().constBits());
    }
    DefinirCacheDeImagens(nullptr);
    state.SetLabel(cached ? "from the cache" : "first draw, cache empty");
}
BENCHMARK(BM_ScreenA4FourPhotos)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Placing one photo in a frame of the page view, until it is drawn, with the cache empty: against
// decoding the same file at the cache copy's size (the least the placement can do), in the same run.
static void BM_PlacePhotoInFrame(benchmark::State& state)
{
    bench::EnsureApplication();
    QTemporaryDir dir;
    TPagina pagina;
    if (!bench::FourPhotoPage(pagina, dir.path(), bench::PhotoOfCase(state.range(0)))) {
        state.SkipWithError("no photo");
        return;
    }
    platform::Bitmap view(560, 792);
    for (auto _ : state) {
        state.PauseTiming();
        auto cache = std::make_unique<TCacheDeImagensJaCarregadas>();
        DefinirCacheDeImagens(cache.get());
        state.ResumeTiming();
        pagina.DesenharFoto(view.GetCanvas(), 0);
        benchmark::DoNotOptimize(view.Image().constBits());
        state.PauseTiming();
        DefinirCacheDeImagens(nullptr);
        cache.reset();
        state.ResumeTiming();
    }
    state.SetLabel(bench::CaseName(state.range(0)));
}
BENCHMARK(BM_PlacePhotoInFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

static void BM_DecodeAtCacheSize(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state);
    if (photo.isEmpty())
        return;
    for (auto _ : state) {
        platform::JpegImage jpeg;
        jpeg.LoadFromData(platform::ReadWholeFile(photo));
        const int w = std::min(640, (jpeg.Width() + 1) / 2);
        const QImage image = platform::DecodeJpeg(jpeg.SaveToData(), platform::JpegOutput::Rgb32,
                                                  jpeg.ScaleFor(QSize(w, jpeg.Height() * w / jpeg.Width())));
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::string(bench::CaseName(state.range(0))) + " (reference)");
}
BENCHMARK(BM_DecodeAtCacheSize)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

BENCHMARK_MAIN();
