// An A4 page with four real camera photos (5640 x 3172) in its four 9 x 12 frames, drawn on a page
// view of 560 x 792 pixels: the first draw reads every photo (on worker threads) and fills the image
// cache; a redraw takes the reduced copies from the cache. Then one photo placed in a frame. Each in
// turns with decoding the photo at the cache copy's size (the least a first draw can do), once per
// photo it draws.
#include "bench_support.h"

#include "album/album_model.h"
#include "album/image_cache.h"
#include "album/page_view_fill.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/ui/picture_control.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>

#include <chrono>
#include <fstream>

#include <sys/resource.h>

using namespace lumoria;

namespace {

// What the page view needs of a photo at least: one decode at the scale of the cache's copy.
void DecodeAtCacheSize(const QString& photo)
{
    platform::JpegImage jpeg;
    jpeg.LoadFromData(platform::ReadWholeFile(photo));
    const int w = std::min(640, (jpeg.Width() + 1) / 2);
    const QImage image = platform::DecodeJpeg(jpeg.SaveToData(), platform::JpegOutput::Rgb32,
                                              jpeg.ScaleFor(QSize(w, jpeg.Height() * w / jpeg.Width())));
    benchmark::DoNotOptimize(image.constBits());
}

// A widget application on a screen of 1024 x 768, as the program wants, in a home of its own (the
// main window writes its settings and cursor files there).
void PrepareApplication()
{
    static QTemporaryDir home;
    if (!QCoreApplication::instance())
        bench::UseHome(home.path().toStdString());
    bench::EnsureApplication<QApplication>();
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
    PrepareApplication();
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
    PrepareApplication();
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

namespace {

// The first paint of the page picture after a moment.
class FirstPaint : public QObject {
public:
    QElapsedTimer* clock = nullptr;
    qint64 at = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && at < 0 && clock)
            at = clock->nsecsElapsed();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// A page turn in the shown main window to a page of four camera photos not cached yet, until its
// frames are painted and until its photos are in them, against one decode of the photo at the cache
// copy's size, in turns.
static void BM_PageTurnAgainstOneDecode(benchmark::State& state)
{
    const QString photo = bench::PhotoOrSkip(state);
    if (photo.isEmpty())
        return;
    PrepareApplication();
    QTemporaryDir home;
    Configuracoes settings;
    settings.EntrarMaximizada = false;
    settings.ContadorDeUtilizacoes = 100;
    GravarConfiguracoesNoRegistro(settings);

    const int rounds = bench::RoundsWanted(int(state.range(1)));
    auto window = std::make_unique<TfrmPrincipal>();
    window->show();
    QCoreApplication::processEvents();
    // Page 0 empty, then one page of four photos under names of their own for each round.
    for (int r = 0; r < rounds; ++r) {
        window->Album().InserirPaginaDepois(r);
        TPagina scratch;
        QDir().mkpath(home.filePath(QString::number(r)));
        bench::FourPhotoPage(scratch, home.filePath(QString::number(r)), photo);
        for (int j = 0; j < 4 && j < window->Pagina(r + 1).frameCount(); ++j)
            window->Foto(r + 1, j).NomeDoArquivo = scratch.Foto(j).NomeDoArquivo;
    }
    window->spdPaginaInicialClick();
    QCoreApplication::processEvents();

    FirstPaint paint;
    window->imgPaginaCentral->installEventFilter(&paint);
    std::vector<double> frames;
    std::vector<double> cpuReference;
    std::vector<double> cpuSubject;
    const auto cpu = [] {
        struct rusage u {};
        getrusage(RUSAGE_SELF, &u);
        return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    };
    QElapsedTimer clock;
    paint.clock = &clock;
    bench::RunInTurns(
        state,
        [&] {
            paint.at = -1;
            const double c = cpu();
            clock.start();
            window->spdPaginaSeguinteClick(); // returns with the photos in their frames
            QCoreApplication::processEvents(); // and painted
            cpuSubject.push_back(cpu() - c);
            const double all = clock.nsecsElapsed() / 1e9;
            frames.push_back(paint.at >= 0 ? paint.at / 1e9 : all);
            return all;
        },
        [&] {
            QElapsedTimer t;
            const double c = cpu();
            t.start();
            DecodeAtCacheSize(photo);
            cpuReference.push_back(cpu() - c);
            return t.nsecsElapsed() / 1e9;
        },
        std::string(bench::CaseName(state.range(0))) + ": page turn, photos in their frames vs one decode at the cache copy's size",
        bench::Rounds{rounds, 0.0, false});
    if (!frames.empty()) {
        std::vector<double> sorted = frames;
        std::sort(sorted.begin(), sorted.end());
        state.counters["frames_ms"] = bench::Median(frames) * 1e3;
        std::printf("page turn, frames painted: median %.1f ms (spread %.1f-%.1f ms); processor time: page turn "
                    "%.1f ms, one decode %.1f ms (medians)\n",
                    bench::Median(frames) * 1e3, sorted.front() * 1e3, sorted.back() * 1e3,
                    bench::Median(cpuSubject) * 1e3, bench::Median(cpuReference) * 1e3);
    }
    window->imgPaginaCentral->removeEventFilter(&paint);
}
BENCHMARK(BM_PageTurnAgainstOneDecode)->Args({0, 7})->Args({1, 7})->Apply(bench::InTurns);

BENCHMARK_MAIN();
