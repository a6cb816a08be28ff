#pragma once
// What the benchmarks share: the real camera photo they measure with, a Qt application, and the
// running of a case in turns with its reference.
#include "album/album_model.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;


namespace lumoria::bench {

// The photo the benchmarks measure with: $LUMORIA_BENCH_PHOTO, by default Debian's mate-backgrounds
// photo of 5640 x 3172 (progressive). Empty when the file is missing.
inline QString CameraPhoto()
{
    const char* chosen = std::getenv("LUMORIA_BENCH_PHOTO");
    const QString path = chosen && *chosen
                             ? QString::fromLocal8Bit(chosen)
                             : QStringLiteral("/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg");
    return QFileInfo::exists(path) ? path : QString();
}

// A baseline (sequential) copy of the photo made by jpegtran, kept in the temporary folder across
// runs. Empty when the photo or jpegtran is missing.
inline QString BaselinePhoto()
{
    const QString photo = CameraPhoto();
    if (photo.isEmpty())
        return QString();
    const QFileInfo info(photo);
    const QString copy = QDir::tempPath() + QStringLiteral("/lumoria-bench-%1-%2-baseline.jpg")
                                                .arg(info.completeBaseName())
                                                .arg(info.size());
    if (QFileInfo::exists(copy))
        return copy;
    const QString partial = copy + QStringLiteral(".part");
    const std::string command = "jpegtran -copy none -optimize -outfile '" + partial.toStdString() + "' '"
                                + photo.toStdString() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0 || !QFile::rename(partial, copy)) {
        QFile::remove(partial);
        return QString();
    }
    return copy;
}

// The photo of a benchmark case: 0 the photo as it is, 1 its baseline copy.
inline QString PhotoOfCase(std::int64_t which)
{
    return which == 0 ? CameraPhoto() : BaselinePhoto();
}

// The photo of a case, or empty after telling the benchmark to skip.
inline QString PhotoOrSkip(benchmark::State& state, std::int64_t which)
{
    const QString photo = PhotoOfCase(which);
    if (photo.isEmpty())
        state.SkipWithError(which == 0 ? "no photo (install mate-backgrounds)" : "no baseline copy (jpegtran)");
    return photo;
}

// The photo of the benchmark's first argument.
inline QString PhotoOrSkip(benchmark::State& state) { return PhotoOrSkip(state, state.range(0)); }

// Runs a program (found on the path when args[0] has no slash) and waits for it: its exit code, or
// -1 when it could not start or did not end normally. peakKb, when given, receives the program's peak
// resident memory.
inline int RunProgram(const std::vector<std::string>& args, long* peakKb = nullptr)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    if (peakKb)
        *peakKb = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Peak resident memory since the last reset, in MB (Linux: VmHWM, reset through clear_refs).
inline void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}
inline double PeakMemoryMb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

inline const char* CaseName(std::int64_t which)
{
    return which == 0 ? "progressive" : "baseline";
}

// Makes a home folder for the program (config, data, cache, runtime, documents and desktop folders)
// and points the environment at it, with an offscreen screen of 1024 x 768 as the program wants.
inline void UseHome(const std::string& home)
{
    for (const char* sub : {"/config", "/data", "/cache", "/runtime", "/Documents", "/Desktop"})
        QDir().mkpath(QString::fromStdString(home + sub));
    QFile::setPermissions(QString::fromStdString(home + "/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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
}

// Page drawing paints with Qt, which wants an application object (QApplication for windows).
template <class App = QGuiApplication>
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new App(argc, argv);
    }
}

// An A4 page of four 9 x 12 frames, each with the photo under a name of its own (links in dir), so
// that every frame reads its own file. False when the photo is missing.
inline bool FourPhotoPage(TPagina& pagina, const QString& dir, const QString& photo = CameraPhoto())
{
    if (photo.isEmpty())
        return false;
    pagina.MontarMolduras(210, 297, 90, 120);
    for (int i = 0; i < 4; ++i) {
        const QString link = dir + QStringLiteral("/foto%1.jpg").arg(i);
        QFile::link(photo, link);
        pagina.Foto(i).NomeDoArquivo = link;
    }
    return true;
}

// A case and its reference run in turns (case, reference, case, reference, ...) for several rounds,
// so that a change of load on the shared machine weighs on both alike. The case's time is the median
// of its rounds; the counters give the median of the per-round ratios case / reference (x_ref), their
// spread (x_min, x_max), the reference's median time (ref_ms) and the one-minute load average at the
// end (load). Register such a case with BENCHMARK(...)->Apply(bench::InTurns).
struct Rounds {
    int rounds = 5;           // raised by $LUMORIA_BENCH_ROUNDS
    double minSeconds = 0.25; // each side repeats within a round until it has run this long
    bool warmUp = true;       // one untimed run of each side first
};

inline void InTurns(benchmark::internal::Benchmark* b)
{
    b->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

inline double LoadAverage()
{
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

// Seconds of one run of side: what it returns when it measures itself (a double: to leave set-up
// out), else the time of the call.
template <class Side>
double TimeOf(Side& side)
{
    if constexpr (std::is_same_v<std::invoke_result_t<Side&>, void>) {
        const auto start = std::chrono::steady_clock::now();
        side();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } else {
        return double(side());
    }
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs the case against its reference as Rounds says, label naming both. A side that fails tells
// the benchmark itself (SkipWithError), and the rounds stop.
// The rounds a benchmark runs: at least `rounds`, more when $LUMORIA_BENCH_ROUNDS asks.
inline int RoundsWanted(int rounds)
{
    const char* wanted = std::getenv("LUMORIA_BENCH_ROUNDS");
    return wanted ? std::max(rounds, std::atoi(wanted)) : rounds;
}

template <class Case, class Reference>
void RunInTurns(benchmark::State& state, Case&& subject, Reference&& reference, const std::string& label,
                Rounds how = {})
{
    how.rounds = RoundsWanted(how.rounds);
    auto perRun = [&](auto& side) {
        double total = 0;
        int runs = 0;
        do {
            total += TimeOf(side);
            ++runs;
        } while (total < how.minSeconds && !state.error_occurred());
        return total / runs;
    };
    for (auto _ : state) {
        if (how.warmUp) {
            TimeOf(subject);
            if (!state.error_occurred())
                TimeOf(reference);
        }
        std::vector<double> times, references, ratios;
        for (int r = 0; r < how.rounds && !state.error_occurred(); ++r) {
            const double a = perRun(subject);
            if (state.error_occurred())
                break;
            const double b = perRun(reference);
            times.push_back(a);
            references.push_back(b);
            ratios.push_back(b > 0 ? a / b : 0.0);
        }
        if (state.error_occurred())
            return;
        state.SetIterationTime(Median(times));
        state.counters["ref_ms"] = Median(references) * 1e3;
        state.counters["x_ref"] = Median(ratios);
        state.counters["x_min"] = *std::min_element(ratios.begin(), ratios.end());
        state.counters["x_max"] = *std::max_element(ratios.begin(), ratios.end());
    }
    state.counters["load"] = LoadAverage();
    state.counters["rounds"] = how.rounds;
    if (!state.error_occurred())
        state.SetLabel(label);
}

// Copies bytes with memcpy: the reference of the pixel benchmarks.
class MemcpyOf {
public:
    explicit MemcpyOf(std::size_t bytes) : from_(bytes, 1), to_(bytes, 2) {}
    void operator()()
    {
        std::memcpy(to_.data(), from_.data(), from_.size());
        benchmark::DoNotOptimize(to_.data());
        benchmark::ClobberMemory();
    }

private:
    std::vector<unsigned char> from_;
    std::vector<unsigned char> to_;
};

} // namespace lumoria::bench
