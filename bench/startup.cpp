// Start-up: a process that makes the main window and waits until it is mapped, against processes that
// do the same with a bare Qt window or with a Qt window showing one label (the first text a window
// shows loads the fonts), in turns. All run this program again (so the start of the process,
// the libraries and the application object count on every side) under an offscreen screen of
// 1024 x 768 and a home folder of their own. The time runs from the spawn to the moment the window
// is mapped, read on the same monotonic clock in both processes; how long the process then takes to
// end is not start-up.
#include "bench_support.h"

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

// Shows the window, waits until it is mapped and leaves the moment in $LUMORIA_MAPPED_AT.
void WaitUntilMapped(QWidget& window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents(); // the first paint
    const std::int64_t mapped = Now();
    if (const char* file = std::getenv("LUMORIA_MAPPED_AT"))
        std::ofstream(file) << mapped;
}

int Child(int argc, char** argv, const char* which)
{
    QApplication app(argc, argv);
    if (std::strcmp(which, "settings") == 0) {
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
        const std::string home = dir.path().toStdString();
        for (const char* sub : {"/config", "/data", "/cache", "/runtime", "/Documents", "/Desktop"})
            QDir().mkpath(QString::fromStdString(home + sub));
        QFile::setPermissions(QString::fromStdString(home + "/runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str(), 1);
        ::setenv("XDG_DOCUMENTS_DIR", (home + "/Documents").c_str(), 1);
        const std::string screen = home + "/screen.json";
        std::ofstream(screen) << R"({"screens":[{"name":"s","x":0,"y":0,"width":1024,"height":768,)"
                                 R"("logicalDpi":96,"dpr":1}]})";
        ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).c_str(), 1);
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

int main(int argc, char** argv)
{
    g_self = argv[0];
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0)
        return Child(argc, argv, argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
