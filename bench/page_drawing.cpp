// An A4 page with four real camera photos (5640 x 3172) in its four 9 x 12 frames, drawn for printing
// onto a page bitmap at 300 and at 600 dots per inch. The frames are upright and the photos lie
// landscape, so every photo is turned too.
#include "bench_support.h"

#include "album/album_model.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace lumoria;

static void BM_PrintA4FourPhotos(benchmark::State& state)
{
    bench::EnsureApplication();
    QTemporaryDir dir;
    TPagina pagina;
    if (!bench::FourPhotoPage(pagina, dir.path())) {
        state.SkipWithError("mate-backgrounds is not installed");
        return;
    }
    const int dpi = int(state.range(0));
    const int w = RoundToInt32(210.0L * dpi / 25.4L);
    const int h = RoundToInt32(297.0L * dpi / 25.4L);
    platform::Bitmap page(w, h);
    for (auto _ : state) {
        pagina.DesenharParaImpressao(page.GetCanvas(), false);
        benchmark::DoNotOptimize(page.Image().constBits());
    }
    state.SetLabel(std::to_string(w) + " x " + std::to_string(h) + " at " + std::to_string(dpi) + " dpi");
}
BENCHMARK(BM_PrintA4FourPhotos)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);

BENCHMARK_MAIN();
