#pragma once
// What the benchmarks share: the real camera photo they measure with and a Qt application.
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

#include <cstdlib>

namespace lumoria::bench {

// Debian's mate-backgrounds photo of 5640 x 3172 (empty when the package is missing).
inline QString CameraPhoto()
{
    const QString path = QStringLiteral("/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg");
    return QFileInfo::exists(path) ? path : QString();
}

// Page drawing paints with Qt, which wants an application object.
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QGuiApplication(argc, argv);
    }
}

} // namespace lumoria::bench
