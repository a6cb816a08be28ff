// An A4 page with four camera photos in its four upright 9 x 12 frames, in fit-to-cut, drawn for
// printing at 300 and 600 dots per inch: what the operator waits for, from the JPEG files to the
// finished page bitmap (made anew each time). The photos lie landscape, so every one is turned.
// Each runs in turns with its reference: the floor of four full-size decodes at once, or the vips
// command line making the same page. Then the peak memory of one 600 dpi page in a process of its own.
// Case 0 is the photo as it is ($LUMORIA_BENCH_PHOTO or the mate-backgrounds photo), case 1 its
// baseline copy made by jpegtran.
#include "bench_support.h"

#include "album/album_model.h"
#include "album/geometry.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/numeric.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstring>
#include <thread>
#include <vector>



using namespace lumoria;

namespace {

constexpr char kPeakChildFlag[] = "--peak-memory-child";
std::string g_self;

QSize PageSize(int dpi)
{
    return QSize(RoundToInt32(210.0L * dpi / 25.4L), RoundToInt32(297.0L * dpi / 25.4L));
}

// The page of the case, every frame in fit-to-cut; false (and the benchmark skips) without a photo.
bool CutPage(benchmark::State* state, TPagina& pagina, const QString& dir, std::int64_t which)
{
    bench::EnsureApplication();
    if (!bench::FourPhotoPage(pagina, dir, bench::PhotoOfCase(which))) {
        if (state)
            state->SkipWithError(which == 0 ? "no photo (install mate-backgrounds)" : "no baseline copy (jpegtran)");
        return false;
    }
    for (TFoto& foto : pagina.Fotos)
        foto.Ajuste = kFitCut;
    return true;
}

void DrawPage(TPagina& pagina, int dpi)
{
    const QSize size = PageSize(dpi);
    platform::Bitmap page(size.width(), size.height());
    pagina.DesenharParaImpressao(page.GetCanvas(), false);
    benchmark::DoNotOptimize(page.Image().constBits());
}

// The floor: the four files read and decoded at full size at the same time, one thread each.
void FourDecodesAtOnce(const QString& photo)
{
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] {
            const QImage image = platform::DecodeJpeg(platform::ReadWholeFile(photo), platform::JpegOutput::Native);
            benchmark::DoNotOptimize(image.constBits());
        });
    for (std::thread& t : threads)
        t.join();
}

// The vips command line making the same 600 dpi page: the four photos cut to their frames with
// vipsthumbnail (four at once), turned, joined and set on a white A4 page, all kept uncompressed.
std::string VipsPageScript(TPagina& pagina, const QString& dir)
{
    const QSize size = PageSize(600);
    const Rect alvo{0, 0, size.width(), size.height()};
    const Rect deMm{0, 0, pagina.Right, pagina.Bottom};
    const Rect frame = MapearRetanguloEntreRetangulos(deMm, Rect{pagina.Foto(0).Left, pagina.Foto(0).Top,
                                                                 pagina.Foto(0).Right, pagina.Foto(0).Bottom}, alvo);
    const Rect block = MapearRetanguloEntreRetangulos(deMm, pagina.PegarRetanguloDasMolduras(), alvo);
    const int fw = frame.Right - frame.Left;
    const int fh = frame.Bottom - frame.Top;
    std::string script = "cd '" + dir.toStdString() + "' || exit 1\n";
    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i);
        // The frame in the photo's own orientation, then the turn anticlockwise.
        script += "(vipsthumbnail foto" + n + ".jpg --size " + std::to_string(fh) + "x" + std::to_string(fw)
                  + " --smartcrop centre -o t" + n + ".v && vips rot t" + n + ".v r" + n + ".v d270) &\n";
    }
    script += "wait\n";
    script += "vips arrayjoin 'r0.v r1.v r2.v r3.v' block.v --across 2 || exit 1\n";
    script += "vips embed block.v page.v " + std::to_string(block.Left) + " " + std::to_string(block.Top) + " "
              + std::to_string(size.width()) + " " + std::to_string(size.height()) + " --extend white || exit 1\n";
    script += "rm -f t?.v r?.v block.v page.v\n";
    return script;
}

// A page takes a few tenths of a second: each side repeats for a second a round, so that a moment
// of load on the shared machine weighs less on a round's ratio.
constexpr bench::Rounds kPageRounds{5, 1.0, true};

} // namespace

// Against the floor of four full-size decodes at once.
static void BM_PrintA4FourPhotosCut(benchmark::State& state)
{
    QTemporaryDir dir;
    TPagina pagina;
    if (!CutPage(&state, pagina, dir.path(), state.range(1)))
        return;
    const int dpi = int(state.range(0));
    const QString photo = bench::PhotoOfCase(state.range(1));
    const QSize size = PageSize(dpi);
    bench::RunInTurns(state, [&] { DrawPage(pagina, dpi); }, [&] { FourDecodesAtOnce(photo); },
                      std::string(bench::CaseName(state.range(1))) + ", " + std::to_string(size.width()) + " x "
                          + std::to_string(size.height()) + " at " + std::to_string(dpi)
                          + " dpi vs four decodes at once",
                      kPageRounds);
}
BENCHMARK(BM_PrintA4FourPhotosCut)->ArgsProduct({{300, 600}, {0, 1}})->Apply(bench::InTurns);

// The 600 dpi page against the vips command line making it.
static void BM_PrintA4AgainstVips(benchmark::State& state)
{
    QTemporaryDir dir;
    TPagina pagina;
    if (!CutPage(&state, pagina, dir.path(), state.range(0)))
        return;
    if (bench::RunProgram({"sh", "-c", "command -v vipsthumbnail >/dev/null"}) != 0) {
        state.SkipWithError("vipsthumbnail is not installed (libvips-tools)");
        return;
    }
    const std::string script = VipsPageScript(pagina, dir.path());
    bench::RunInTurns(
        state, [&] { DrawPage(pagina, 600); },
        [&] {
            if (bench::RunProgram({"sh", "-c", script}) != 0)
                state.SkipWithError("the vips command line failed");
        },
        std::string(bench::CaseName(state.range(0))) + ", 600 dpi vs the vips command line", kPageRounds);
}
BENCHMARK(BM_PrintA4AgainstVips)->Arg(0)->Arg(1)->Apply(bench::InTurns);

// The peak resident memory of a process that draws one 600 dpi page and ends, against one that
// only starts Qt and makes the page bitmap.
static void BM_PeakMemoryPage600(benchmark::State& state)
{
    const std::string which = std::to_string(state.range(0));
    const std::string draw = state.range(1) ? "draw" : "bitmap";
    long peakKb = 0;
    for (auto _ : state) {
        // The child tells its own high-water mark: a spawned child's rusage also counts the parent.
        QTemporaryDir dir;
        const std::string report = dir.filePath(QStringLiteral("peak")).toStdString();
        if (bench::RunProgram({g_self, kPeakChildFlag, which, draw, report}) != 0) {
            state.SkipWithError("the child process failed (no photo?)");
            return;
        }
        QFile file(QString::fromStdString(report));
        file.open(QIODevice::ReadOnly);
        peakKb = file.readAll().trimmed().toLong();
    }
    state.counters["peak_MB"] = double(peakKb) / 1024.0;
    state.SetLabel(std::string(bench::CaseName(state.range(0))) + (state.range(1) ? ", page drawn" : ", page bitmap only"));
}
BENCHMARK(BM_PeakMemoryPage600)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv)
{
    g_self = argv[0];
    if (argc == 5 && std::strcmp(argv[1], kPeakChildFlag) == 0) {
        QTemporaryDir dir;
        TPagina pagina;
        if (!CutPage(nullptr, pagina, dir.path(), std::atoi(argv[2])))
            return 1;
        if (std::strcmp(argv[3], "draw") == 0) {
            DrawPage(pagina, 600);
        } else {
            const QSize size = PageSize(600);
            platform::Bitmap page(size.width(), size.height());
            page.GetCanvas().FillRect(Rect{0, 0, size.width(), size.height()});
            benchmark::DoNotOptimize(page.Image().constBits());
        }
        QFile status(QStringLiteral("/proc/self/status"));
        status.open(QIODevice::ReadOnly);
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:")) {
                QFile report(QString::fromLocal8Bit(argv[4]));
                report.open(QIODevice::WriteOnly);
                report.write(line.mid(6).trimmed().split(' ').value(0));
            }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
