// Inputs that once cost time with the square of their size: a metafile of many clip records, one of
// many objects, and a page of many empty frames. Each is run at growing sizes, so that a line that
// stops growing linearly shows, in turns with copying the same number of bytes (its ratio then grows).
#include "bench_support.h"

#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/metafile.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include <vector>

using namespace lumoria;

namespace {

void Word(QByteArray& d, int v)
{
    d.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

// A 100 x 100 metafile without the placeable header: every record of `repeated` `count` times, then a
// filled rectangle.
QByteArray Metafile(int count, const std::vector<int>& repeated)
{
    QByteArray body;
    auto record = [&body](const std::vector<int>& words) {
        Word(body, int(words.size()) + 2);
        Word(body, 0);
        for (int w : words)
            Word(body, w);
    };
    record({0x020B, 0, 0});
    record({0x020C, 100, 100});
    for (int k = 0; k < count; ++k)
        record(repeated);
    record({0x041B, 100, 100, 0, 0});
    record({0x0000});
    QByteArray d;
    for (int w : {1, 9, 0x0300})
        Word(d, w);
    Word(d, int((9 + body.size() / 2) & 0xffff));
    Word(d, int((9 + body.size() / 2) >> 16));
    for (int w : {0, 8, 0, 0})
        Word(d, w);
    return d + body;
}

void Play(benchmark::State& state, const QByteArray& data)
{
    bench::EnsureApplication();
    platform::Metafile m;
    m.LoadFromData(data);
    platform::Bitmap target(100, 100);
    bench::MemcpyOf memcpy(std::size_t(data.size()));
    bench::RunInTurns(
        state,
        [&] {
            target.GetCanvas().StretchDraw(Rect{0, 0, 100, 100}, m);
            benchmark::DoNotOptimize(target.Image().constBits());
        },
        memcpy, std::to_string(data.size() / 1024) + " KB vs memcpy of its bytes");
}

} // namespace

static void BM_WmfClipRecords(benchmark::State& state)
{
    Play(state, Metafile(int(state.range(0)), {0x0415, 10, 10, 5, 5}));
}
BENCHMARK(BM_WmfClipRecords)->Arg(2000)->Arg(8000)->Arg(32000)->Apply(bench::InTurns);

static void BM_WmfBrushRecords(benchmark::State& state)
{
    Play(state, Metafile(int(state.range(0)), {0x02FC, 0, 255, 0, 0}));
}
BENCHMARK(BM_WmfBrushRecords)->Arg(37500)->Arg(150000)->Arg(600000)->Apply(bench::InTurns);

static void BM_EmptyFramesOnScreen(benchmark::State& state)
{
    bench::EnsureApplication();
    TPagina pagina;
    pagina.Right = 210;
    pagina.Bottom = 297;
    const int n = int(state.range(0));
    for (int k = 0; k < n; ++k) {
        TFoto f;
        f.Left = (k % 100) * 2;
        f.Top = (k / 100) % 140 * 2;
        f.Right = f.Left + 2;
        f.Bottom = f.Top + 2;
        pagina.Fotos.push_back(f);
    }
    platform::Bitmap screen(700, 990);
    bench::MemcpyOf memcpy(pagina.Fotos.size() * sizeof(TFoto));
    bench::RunInTurns(
        state,
        [&] {
            pagina.DesenharNaTela(screen.GetCanvas(), true);
            benchmark::DoNotOptimize(screen.Image().constBits());
        },
        memcpy, std::to_string(n) + " frames vs memcpy of the frames' bytes");
}
BENCHMARK(BM_EmptyFramesOnScreen)->Arg(10000)->Arg(100000)->Apply(bench::InTurns);

BENCHMARK_MAIN();
