#pragma once
// What the benchmarks share: the real camera photo they measure with and a Qt application.
#include "album/album_model.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
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

// A subject timed against its reference in alternate rounds (A B A B ...), so that both see the same
// load: the median of the rounds' ratios (subject / reference) and their spread.
struct Interleaved {
    std::vector<double> reference; // seconds, one per round
    std::vector<double> subject;
    std::vector<double> ratios;
    static double Median(std::vector<double> v)
    {
        if (v.empty())
            return 0;
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    double MedianRatio() const { return Median(ratios); }
    double LowestRatio() const { return ratios.empty() ? 0 : *std::min_element(ratios.begin(), ratios.end()); }
    double HighestRatio() const { return ratios.empty() ? 0 : *std::max_element(ratios.begin(), ratios.end()); }
};

// Runs `rounds` rounds of the reference then the subject, each returning its time in seconds (or a
// negative value on failure, which ends the rounds).
inline Interleaved RunInterleaved(int rounds, const std::function<double()>& reference,
                                  const std::function<double()>& subject)
{
    Interleaved result;
    for (int r = 0; r < rounds; ++r) {
        const double a = reference();
        const double b = subject();
        if (a <= 0 || b < 0)
            break;
        result.reference.push_back(a);
        result.subject.push_back(b);
        result.ratios.push_back(b / a);
    }
    return result;
}

// The load average over the last minute, as the figures were taken under it.
inline double LoadAverage()
{
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

// Reports interleaved rounds on the benchmark (counters) and on the standard output.
inline void ReportInterleaved(benchmark::State& state, const char* what, const Interleaved& r)
{
    state.counters["ratio_median"] = r.MedianRatio();
    state.counters["ratio_low"] = r.LowestRatio();
    state.counters["ratio_high"] = r.HighestRatio();
    state.counters["ref_ms"] = Interleaved::Median(r.reference) * 1e3;
    state.counters["subject_ms"] = Interleaved::Median(r.subject) * 1e3;
    state.counters["load"] = LoadAverage();
    std::printf("%s: %zu rounds, median ratio %.2f (spread %.2f-%.2f), reference %.1f ms, subject %.1f ms, "
                "load average %.2f\n",
                what, r.ratios.size(), r.MedianRatio(), r.LowestRatio(), r.HighestRatio(),
                Interleaved::Median(r.reference) * 1e3, Interleaved::Median(r.subject) * 1e3, LoadAverage());
    std::fflush(stdout);
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

// The reference of the pixel benchmarks: memcpy of that many bytes, timed as they are.
inline void MemcpyLoop(benchmark::State& state, std::size_t bytes)
{
    std::vector<unsigned char> from(bytes, 1);
    std::vector<unsigned char> to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

} // namespace lumoria::bench
