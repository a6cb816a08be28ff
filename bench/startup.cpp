// Start-up: a process that makes the main window and waits until it is mapped, against processes that
// do the same with a bare Qt window or with a Qt window showing one label (the first text a window
// shows loads the fonts), in turns. All run this program again (so the start of the process,
// the libraries and the application object count on every side) under an offscreen screen of
// 1024 x 768 and a home folder of their own. The time runs from the spawn to the moment the window
// is mapped and its first picture painted, read on the same monotonic clock in both processes; what
// the window does after that, and how long the process then takes to end, is not start-up.
#include "bench_support.h"

#include "album/album_document.h"
#include "album/page_view_fill.h"
#include "app/main_window.h"
#include "app/settings.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>



using namespace lumoria;

namespace {

constexpr char kChildFlag[] = "--startup-child";
std::string g_self;


std::int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Notes the moment the window's first exposure has been handled: the window painted and its
// picture handed to the screen. What the window does after that is not start-up.
class FirstExposure : public QObject {
public:
    std::int64_t at = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || m_inside || at != 0)
            return false;
        m_inside = true;
        QCoreApplication::sendEvent(watched, event);
        m_inside = false;
        if (static_cast<QWindow*>(watched)->isExposed())
            at = Now();
        return true;
    }

private:
    bool m_inside = false;
};

// Shows the window, waits until it is mapped and painted, and leaves the moment in $LUMORIA_MAPPED_AT.
void WaitUntilMapped(QWidget& window)
{
    FirstExposure exposure;
    window.winId(); // the platform window, to watch
    window.windowHandle()->installEventFilter(&exposure);
    window.show();
    while (exposure.at == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.windowHandle()->removeEventFilter(&exposure);
    if (const char* file = std::getenv("LUMORIA_MAPPED_AT"))
        std::ofstream(file) << exposure.at;
}

int Child(int argc, char** argv, const char* which, const char* job)
{
    QApplication app(argc, argv);
    if (std::strcmp(which, "job") == 0 || std::strcmp(which, "job-drawn") == 0) {
        auto window = std::make_unique<TfrmPrincipal>(QStringList{QString::fromLocal8Bit(job)});
        WaitUntilMapped(*window);
        if (std::strcmp(which, "job-drawn") == 0) {
            // Until every photo is in its frame: for the peak memory of opening the job.
            window->PreenchimentoDaPagina().Esperar();
            QCoreApplication::processEvents();
        }
    } else if (std::strcmp(which, "settings") == 0) {
        Configuracoes settings;
        settings.EntrarMaximizada = false;
        settings.ContadorDeUtilizacoes = 100; // no welcome tip
        GravarConfiguracoesNoRegistro(settings);
    } else if (std::strcmp(which, "main") == 0) {
        auto window = std::make_unique<TfrmPrincipal>();
        WaitUntilMapped(*window);
    } else {
        QWidget window;
        window.resize(800, 600);
        if (std::strcmp(which, "label") == 0)
            new QLabel(QStringLiteral("Lumoria"), &window);
        WaitUntilMapped(window);
    }
    return 0;
}

// A home folder and offscreen screen shared by the children of one benchmark.
struct Home {
    QTemporaryDir dir;
    Home()
    {
        bench::UseHome(dir.path().toStdString());
        bench::RunProgram({g_self, kChildFlag, "settings"});
    }
};

} // namespace

// Seconds from the spawn of a child making that window to the moment it is mapped; 0 (after telling
// the benchmark) when the child failed.
static double StartupOf(benchmark::State& state, const std::string& which, const std::string& mappedAt)
{
    std::remove(mappedAt.c_str());
    const std::int64_t spawned = Now();
    std::int64_t mapped = 0;
    if (bench::RunProgram({g_self, kChildFlag, which}) != 0 || !(std::ifstream(mappedAt) >> mapped)) {
        state.SkipWithError("the child process failed");
        return 0;
    }
    return double(mapped - spawned) / 1e9;
}

// The main window against a bare Qt window (0) or a Qt window with one label (1).
static void BM_StartupToMappedWindow(benchmark::State& state)
{
    Home home;
    static const char* const kReferences[] = {"bare", "label"};
    static const char* const kLabels[] = {"main window vs bare Qt window", "main window vs Qt window with one label"};
    const std::string reference = kReferences[state.range(0)];
    const std::string mappedAt = home.dir.filePath(QStringLiteral("mapped-at")).toStdString();
    ::setenv("LUMORIA_MAPPED_AT", mappedAt.c_str(), 1);
    bench::RunInTurns(
        state, [&] { return StartupOf(state, "main", mappedAt); }, [&] { return StartupOf(state, reference, mappedAt); },
        kLabels[state.range(0)]);
}
BENCHMARK(BM_StartupToMappedWindow)->DenseRange(0, 1)->Apply(bench::InTurns);

namespace {

// A job file of one A4 page of four 9 x 12 frames: each with the camera photo under a name of its own,
// or all empty.
QString FourFrameJob(const QString& dir, bool photos)
{
    AlbumDocument document;
    TPagina& page = document.currentPage();
    if (!photos)
        page.MontarMolduras(210, 297, 90, 120);
    else if (!bench::FourPhotoPage(page, dir))
        return QString();
    const QString path = dir + (photos ? QStringLiteral("/photos.pvo") : QStringLiteral("/empty.pvo"));
    document.Album().GravarEmArquivo(path, 0, JobFileSizes{210, 297, 90, 120});
    return path;
}

// Spawn to mapped window, in seconds, of the main window opening a job; negative on failure.
double TimeJobWindow(const std::string& job, const std::string& mappedAt)
{
    std::remove(mappedAt.c_str());
    const std::int64_t spawned = Now();
    std::int64_t mapped = 0;
    if (bench::RunProgram({g_self, kChildFlag, "job", job}) != 0 || !(std::ifstream(mappedAt) >> mapped))
        return -1;
    return double(mapped - spawned) / 1e9;
}

} // namespace

// The window of a job of four camera photos against the same job with empty frames, in turns; then
// the peak memory of each until its frames are drawn.
static void BM_StartupFourPhotoJobAgainstEmptyFrames(benchmark::State& state)
{
    Home home;
    const std::string mappedAt = home.dir.filePath(QStringLiteral("mapped-at")).toStdString();
    ::setenv("LUMORIA_MAPPED_AT", mappedAt.c_str(), 1);
    const QString photos = FourFrameJob(home.dir.path(), true);
    if (photos.isEmpty()) {
        state.SkipWithError("no photo (install mate-backgrounds)");
        return;
    }
    const std::string withPhotos = photos.toStdString();
    const std::string empty = FourFrameJob(home.dir.path(), false).toStdString();
    const auto window = [&](const std::string& job) {
        const double seconds = TimeJobWindow(job, mappedAt);
        if (seconds < 0)
            state.SkipWithError("a child process failed");
        return std::max(seconds, 0.0);
    };
    bench::RunInTurns(state, [&] { return window(withPhotos); }, [&] { return window(empty); },
                      "four-photo job window vs empty-frame job window", bench::Rounds{int(state.range(0)), 0.0, true});
    if (!state.error_occurred()) {
        long emptyKb = 0;
        long photosKb = 0;
        bench::RunProgram({g_self, kChildFlag, "job-drawn", empty}, &emptyKb);
        bench::RunProgram({g_self, kChildFlag, "job-drawn", withPhotos}, &photosKb);
        state.counters["peak_empty_MB"] = double(emptyKb) / 1024;
        state.counters["peak_photos_MB"] = double(photosKb) / 1024;
        std::printf("peak memory until every frame is drawn: empty-frame job %.1f MB, four-photo job %.1f MB\n",
                    double(emptyKb) / 1024, double(photosKb) / 1024);
    }
}
BENCHMARK(BM_StartupFourPhotoJobAgainstEmptyFrames)->Arg(7)->Apply(bench::InTurns);

int main(int argc, char** argv)
{
    g_self = argv[0];
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], kChildFlag) == 0)
        return Child(argc, argv, argv[2], argc == 4 ? argv[3] : "");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
