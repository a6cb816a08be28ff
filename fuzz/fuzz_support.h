#pragma once
// What every fuzz target needs: an offscreen application for fonts and painting, made once.
#include <QGuiApplication>

#include <cstdlib>

namespace lumoria::fuzz {

inline void StartApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

} // namespace lumoria::fuzz
