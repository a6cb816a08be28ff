// Start-up: a process that makes the main window and waits until it is mapped, against a process that
// does the same with a bare Qt window, in the same run. Both run this program again (so the start of
// the process, the libraries and the application object count on both sides) under an offscreen
// screen of 1024 x 768 and a home folder of their own.
#include "bench_support.h"

#include "app/main_window.h"
#include "app/settings.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>



using namespace lumoria;

namespace {

constexpr char kChildFlag[] = "--startup-child";
std::string g_self;


void WaitUntilMapped(QWidget& window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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

static void BM_StartupToMappedWindow(benchmark::State& state)
{
    Home home;
    const std::string which = state.range(0) ? "main" : "bare";
    for (auto _ : state) {
        if (bench::RunProgram({g_self, kChildFlag, which}) != 0) {
            state.SkipWithError("the child process failed");
            return;
        }
    }
    state.SetLabel(state.range(0) ? "main window" : "bare Qt window (reference)");
}
BENCHMARK(BM_StartupToMappedWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

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
