#pragma once
// What the benchmarks share: the real camera photo they measure with and a Qt application.
#include "album/album_model.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace lumoria::bench {

// Debian's mate-backgrounds photo of 5640 x 3172 (empty when the package is missing).
inline QString CameraPhoto()
{
    const QString path = QStringLiteral("/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg");
    return QFileInfo::exists(path) ? path : QString();
}

// The camera photo, or empty after telling the benchmark why it skips.
inline QString CameraPhotoOrSkip(benchmark::State& state)
{
    const QString photo = CameraPhoto();
    if (photo.isEmpty())
        state.SkipWithError("mate-backgrounds is not installed");
    return photo;
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

// An A4 page of four 9 x 12 frames, each with the camera photo under a name of its own (links in
// dir), so that every frame reads its own file. False when the photo is missing.
inline bool FourPhotoPage(TPagina& pagina, const QString& dir)
{
    const QString photo = CameraPhoto();
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
