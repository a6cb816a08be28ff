// The editor's pixel routines and the effect control's filters on the 3200 x 2400 working copy, each in
// turns with memcpy of the same bytes. In-place routines run again on their own result: their
// work does not depend on the colours.
#include "imaging/bitmap_effects.h"
#include "imaging/date_stamp.h"
#include "imaging/effect_filters.h"
#include "imaging/flip_and_channels.h"
#include "platform/graphics/bitmap.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>


using namespace lumoria;
using platform::Bitmap;
using platform::PixelFormat;

namespace {

constexpr int kW = 3200;
constexpr int kH = 2400;

Bitmap Working(PixelFormat format)
{
    Bitmap b(kW, kH, PixelFormat::Bits24);
    for (int y = 0; y < kH; ++y) {
        uchar* line = b.ScanLine(y);
        for (int x = 0; x < kW * 3; ++x)
            line[x] = uchar((x / 3) * 7 + y * 13 + (x % 3) * 50 + ((x * y) >> 9));
    }
    b.SetPixelFormat(format);
    return b;
}

class NoProgress : public EditorProgress {
public:
    void LigarBarraDeProgresso(int, int, int) override {}
    void AtualizarBarraDeProgresso(int) override {}
    void DesligarBarraDeProgresso() override {}
    bool AbortarProcessamento() const override { return false; }
};

// A routine in turns with memcpy of the working copy's bytes in its format.
template <class F> void AgainstMemcpy(benchmark::State& state, PixelFormat format, F&& run)
{
    const bool bits24 = format == PixelFormat::Bits24;
    bench::MemcpyOf memcpy(std::size_t(kW) * kH * (bits24 ? 3 : 4));
    bench::RunInTurns(state, run, memcpy, bits24 ? "vs memcpy of 24 bits" : "vs memcpy of 32 bits");
}

template <class F> void InPlace(benchmark::State& state, PixelFormat format, F&& run)
{
    bench::EnsureApplication();
    Bitmap bitmap = Working(format);
    NoProgress progress;
    AgainstMemcpy(state, format, [&] {
        run(progress, bitmap);
        benchmark::DoNotOptimize(bitmap.Image().constBits());
    });
}

} // namespace

// Per-pixel routines without neighbourhoods (32-bit working copy).
static void BM_Sepia(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits32, [](auto& p, Bitmap& b) { ColocarBitmapEmSepia(p, 20, b); });
}
static void BM_SepiaRapido24Bits(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits32, [](auto& p, Bitmap& b) { ColocarBitmapEmSepia_Rapido_24Bits(p, 20, b); });
}
static void BM_PretoBranco(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits32, [](auto& p, Bitmap& b) { ColocarBitmapEmPretoBranco(p, 127, b); });
}
static void BM_CanaisDeCor(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits32, [](auto& p, Bitmap& b) { EditarCanaisDeCorDeBitmap(p, 120, 80, 100, b); });
}
static void BM_MisturarModo1(benchmark::State& s)
{
    const Bitmap first = Working(PixelFormat::Bits32);
    InPlace(s, PixelFormat::Bits32,
            [&](auto& p, Bitmap& b) { MisturarDoisBitmapsRetornandoResultadoNoSegundo(p, 1, first, b); });
}
static void BM_MisturarModo3(benchmark::State& s)
{
    const Bitmap first = Working(PixelFormat::Bits32);
    InPlace(s, PixelFormat::Bits32,
            [&](auto& p, Bitmap& b) { MisturarDoisBitmapsRetornandoResultadoNoSegundo(p, 3, first, b); });
}

// Routines that read pixels they have changed, or draw.
static void BM_Spray(benchmark::State& s)
{
    RandomSource random(1);
    InPlace(s, PixelFormat::Bits32, [&](auto& p, Bitmap& b) { ColocarBitmapEmSpray(p, random, 5, b); });
}
static void BM_DistribuicaoDePixels(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits32, [](auto& p, Bitmap& b) { ColocarBitmapEmDistribuicaoDePixels(p, b); });
}
static void BM_PinturaImpressionista5000(benchmark::State& s)
{
    RandomSource random(1);
    InPlace(s, PixelFormat::Bits32,
            [&](auto& p, Bitmap& b) { ColocarBitmapEmPinturaImpressionista(p, random, 10, 10, 10, 5000, b); });
}
static void BM_DeformacaoSenoidal(benchmark::State& s)
{
    const Bitmap source = Working(PixelFormat::Bits32);
    InPlace(s, PixelFormat::Bits32,
            [&](auto& p, Bitmap& b) { ColocarBitmapEmDeformacaoSenoidal(p, 50, 10, source, b); });
}
static void BM_AntiAliasing(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto& p, Bitmap& b) { ColocarBitmapEmAntiAliasing(p, 10, b); });
}
static void BM_Sharper(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto& p, Bitmap& b) { ColorCarBitmapEmAcentuacaoFiltroSharper(p, 20, b); });
}
static void BM_NovasDimensoesMetade(benchmark::State& s)
{
    const Bitmap source = Working(PixelFormat::Bits32);
    InPlace(s, PixelFormat::Bits32, [&](auto&, Bitmap& b) { ColocarBitmapEmNovasDimensoes(source, b, kW / 2, kH / 2); });
}
static void BM_Flip(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits32, [](auto&, Bitmap& b) { b = FlipReverseScanLine(true, true, b); });
}
static void BM_AplicarData(benchmark::State& s)
{
    bench::EnsureApplication();
    platform::Picture picture;
    const Bitmap b = Working(PixelFormat::Bits32);
    picture.AssignGraphic(&b);
    AgainstMemcpy(s, PixelFormat::Bits32, [&] { AplicarDataNaFoto(picture, QStringLiteral("07/12/2026")); });
}

// The effect control's filters (24-bit, in place).
static void BM_SplitBlur3(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto&, Bitmap& b) { SplitBlurBitmap(b, 3); });
}
// The largest Gaussian blur the control takes: 51 passes.
static void BM_GaussianBlur50(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto&, Bitmap& b) {
        for (int i = 0; i <= 50; ++i)
            SplitBlurBitmap(b, 3);
    });
}
static void BM_Trace10(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto&, Bitmap& b) { TraceBitmap(b, 10); });
}
static void BM_Emboss(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto&, Bitmap& b) { EmbossBitmap(b); });
}
static void BM_Mosaic10(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto&, Bitmap& b) { MosaicBitmap(b, 10); });
}
static void BM_AntiAliasPass(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto&, Bitmap& b) { AntiAliasBitmap(b, 0, 0, kW, kH); });
}
static void BM_Trace2(benchmark::State& s)
{
    InPlace(s, PixelFormat::Bits24, [](auto&, Bitmap& b) { TraceBitmap(b, 2); });
}
static void BM_Tile4(benchmark::State& s)
{
    const Bitmap source = Working(PixelFormat::Bits24);
    InPlace(s, PixelFormat::Bits24, [&](auto&, Bitmap& b) { TileBitmap(source, b, kW / 4, kH / 4); });
}
static void BM_ColorNoiseLayer(benchmark::State& s)
{
    RandomSource random(1);
    AgainstMemcpy(s, PixelFormat::Bits24,
                  [&] { benchmark::DoNotOptimize(ColorNoiseLayer(kW, kH, 40, random).Image().constBits()); });
}
static void BM_ColourEffectsAll(benchmark::State& s)
{
    const Bitmap source = Working(PixelFormat::Bits24);
    RandomSource random(1);
    const Bitmap noise = MonoNoiseLayer(kW, kH, 20, random);
    ColourEffects e;
    e.posterize = 0;
    e.solorize = 30;
    e.contrast = 40;
    e.lightness = 10;
    e.darkness = 5;
    e.brightness = 7;
    e.splitlight = 2;
    e.saturation = 60;
    e.invert = true;
    Bitmap display;
    AgainstMemcpy(s, PixelFormat::Bits24, [&] {
        ApplyColourEffects(source, &noise, e, display);
        benchmark::DoNotOptimize(display.Image().constBits());
    });
}
static void BM_ColourEffectsGrey(benchmark::State& s)
{
    const Bitmap source = Working(PixelFormat::Bits24);
    ColourEffects e;
    e.grayScale = true;
    e.brightness = 3;
    Bitmap display;
    AgainstMemcpy(s, PixelFormat::Bits24, [&] {
        ApplyColourEffects(source, nullptr, e, display);
        benchmark::DoNotOptimize(display.Image().constBits());
    });
}

#define EFFECT_BENCH(f) BENCHMARK(f)->Apply(bench::InTurns)
EFFECT_BENCH(BM_Sepia);
EFFECT_BENCH(BM_SepiaRapido24Bits);
EFFECT_BENCH(BM_PretoBranco);
EFFECT_BENCH(BM_CanaisDeCor);
EFFECT_BENCH(BM_MisturarModo1);
EFFECT_BENCH(BM_MisturarModo3);
EFFECT_BENCH(BM_Spray);
EFFECT_BENCH(BM_DistribuicaoDePixels);
EFFECT_BENCH(BM_PinturaImpressionista5000);
EFFECT_BENCH(BM_DeformacaoSenoidal);
EFFECT_BENCH(BM_AntiAliasing);
EFFECT_BENCH(BM_Sharper);
EFFECT_BENCH(BM_NovasDimensoesMetade);
EFFECT_BENCH(BM_Flip);
EFFECT_BENCH(BM_AplicarData);
EFFECT_BENCH(BM_SplitBlur3);
EFFECT_BENCH(BM_GaussianBlur50);
EFFECT_BENCH(BM_Trace10);
EFFECT_BENCH(BM_Emboss);
EFFECT_BENCH(BM_Mosaic10);
EFFECT_BENCH(BM_AntiAliasPass);
EFFECT_BENCH(BM_Trace2);
EFFECT_BENCH(BM_Tile4);
EFFECT_BENCH(BM_ColorNoiseLayer);
EFFECT_BENCH(BM_ColourEffectsAll);
EFFECT_BENCH(BM_ColourEffectsGrey);

BENCHMARK_MAIN();
