// An A4 page with four real camera photos (5640 x 3172) in its four 9 x 12 frames, drawn on a page
// view of 560 x 792 pixels: the first draw reads every photo (on worker threads) and fills the image
// cache; a redraw takes the reduced copies from the cache.
#include "bench_support.h"

#include "album/album_model.h"
#include "album/image_cache.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"

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

BENCHMARK_MAIN();
