// Pictures small on disk and huge in pixels: eight 14000 x 14000 GIFs (a few hundred kB each) and
// eight run-length palette BMPs, on an A4 page drawn for printing at 600 dpi and on the page view.
// The peak memory of each is a counter (run one benchmark per process for a clean peak: the
// filter's name); the reference in the same run is the same page of eight 24-bit BMPs of 2000 x
// 2000, whose pixels the drawing must hold anyway.
#include "bench_support.h"

#include "album/album_model.h"
#include "album/image_cache.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gif_lib.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace lumoria;

namespace {

constexpr int kSide = 14000;
constexpr int kFrames = 8;

// The colour index of a pixel: bands down, a split across, and a mark in one corner.
int IndexAt(int x, int y, int seed)
{
    if (x < 600 && y < 400)
        return 7;
    return ((y / 1750 + seed) % 4) * 2 + (x < kSide / 2 ? 0 : 1);
}

int WriteToArray(GifFileType* file, const GifByteType* bytes, int length)
{
    static_cast<QByteArray*>(file->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

QByteArray HugeGif(int seed)
{
    QByteArray out;
    int error = 0;
    GifFileType* file = EGifOpen(&out, WriteToArray, &error);
    GifColorType colours[8];
    for (int i = 0; i < 8; ++i)
        colours[i] = GifColorType{GifByteType(30 * i), GifByteType(255 - 30 * i), GifByteType((90 * i) % 256)};
    ColorMapObject* map = GifMakeMapObject(8, colours);
    EGifPutScreenDesc(file, kSide, kSide, 8, 0, map);
    EGifPutImageDesc(file, 0, 0, kSide, kSide, false, nullptr);
    std::vector<GifPixelType> row(kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x)
            row[std::size_t(x)] = GifPixelType(IndexAt(x, y, seed));
        EGifPutLine(file, row.data(), kSide);
    }
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
    return out;
}

void PutLe(QByteArray& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// An 8-bit run-length BMP, bottom-up as the format stores it.
QByteArray HugeRunLengthBmp(int seed)
{
    QByteArray runs;
    for (int y = kSide - 1; y >= 0; --y) {
        for (int x = 0; x < kSide;) {
            const int index = IndexAt(x, y, seed);
            int n = 1;
            while (n < 255 && x + n < kSide && IndexAt(x + n, y, seed) == index)
                ++n;
            runs.append(char(n));
            runs.append(char(index));
            x += n;
        }
        runs.append('\0');
        runs.append('\0');
    }
    runs.append('\0');
    runs.append('\1');
    QByteArray out("BM");
    const std::uint32_t offset = 14 + 40 + 256 * 4;
    PutLe(out, offset + std::uint32_t(runs.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, offset, 4);
    PutLe(out, 40, 4);
    PutLe(out, kSide, 4);
    PutLe(out, kSide, 4);
    PutLe(out, 1, 2);
    PutLe(out, 8, 2);
    PutLe(out, 1, 4); // BI_RLE8
    PutLe(out, std::uint32_t(runs.size()), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 256, 4);
    PutLe(out, 0, 4);
    for (int i = 0; i < 256; ++i)
        PutLe(out, std::uint32_t(((30 * i) % 256) << 16 | ((255 - 30 * i) & 0xFF) << 8 | ((90 * i) % 256)), 4);
    out.append(runs);
    return out;
}

// The files of a kind, made once per run: 0 GIF, 1 run-length BMP, 2 the 24-bit reference.
QStringList Files(int kind)
{
    static QTemporaryDir dir;
    static QStringList made[3];
    QStringList& files = made[kind];
    if (!files.isEmpty())
        return files;
    for (int i = 0; i < kFrames; ++i) {
        const QString path = dir.path() + QStringLiteral("/p%1-%2.%3").arg(kind).arg(i).arg(kind == 0 ? "gif" : "bmp");
        if (kind == 2) {
            QImage small(2000, 2000, QImage::Format_RGB888);
            for (int y = 0; y < 2000; ++y)
                for (int x = 0; x < 2000; ++x)
                    small.setPixel(x, y, qRgb((x * 7 + i) % 256, (y * 3) % 256, 90));
            small.save(path, "BMP");
        } else {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(kind == 0 ? HugeGif(i) : HugeRunLengthBmp(i));
        }
        files << path;
    }
    return files;
}

// An A4 page of eight 90 x 65 frames, one picture each.
void FillPage(TPagina& pagina, int kind)
{
    pagina.Right = 210;
    pagina.Bottom = 297;
    pagina.MontarMolduras(210, 297, 90, 65);
    const QStringList files = Files(kind);
    for (int i = 0; i < int(pagina.Fotos.size()) && i < files.size(); ++i)
        pagina.Foto(i).NomeDoArquivo = files[i];
}

const char* KindName(int kind)
{
    return kind == 0 ? "14000 x 14000 GIFs" : kind == 1 ? "14000 x 14000 run-length BMPs" : "2000 x 2000 24-bit BMPs";
}

// The page of the benchmark's kind drawn once by `draw`, its peak memory a counter.
void MeasurePage(benchmark::State& state, const std::function<void(TPagina&)>& draw)
{
    bench::EnsureApplication();
    const int kind = int(state.range(0));
    TPagina pagina;
    FillPage(pagina, kind);
    bench::ResetPeakMemory();
    for (auto _ : state)
        draw(pagina);
    state.counters["peak_MB"] = bench::PeakMemoryMb();
    state.SetLabel(std::to_string(pagina.Fotos.size()) + " frames of " + KindName(kind));
}

} // namespace

// The page drawn for printing onto a bitmap of A4 at 600 dpi.
static void BM_PrintPageOfEight(benchmark::State& state)
{
    MeasurePage(state, [](TPagina& pagina) {
        platform::Bitmap page(RoundToInt32(210.0L * 600 / 25.4L), RoundToInt32(297.0L * 600 / 25.4L));
        pagina.DesenharParaImpressao(page.GetCanvas(), false);
        benchmark::DoNotOptimize(page.Image().constBits());
    });
}
BENCHMARK(BM_PrintPageOfEight)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The page view: the page drawn on a screen bitmap through an empty image cache.
static void BM_PageViewOfEight(benchmark::State& state)
{
    MeasurePage(state, [](TPagina& pagina) {
        TCacheDeImagensJaCarregadas cache;
        DefinirCacheDeImagens(&cache);
        platform::Bitmap screen(700, 990);
        pagina.DesenharNaTela(screen.GetCanvas(), true);
        benchmark::DoNotOptimize(screen.Image().constBits());
        DefinirCacheDeImagens(nullptr);
    });
}
BENCHMARK(BM_PageViewOfEight)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
