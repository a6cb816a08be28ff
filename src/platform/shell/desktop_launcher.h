#pragma once
// Freedesktop launchers (".desktop" files of Type=Application), the shortcuts of this system.
#include <QString>
#include <QStringList>

namespace lumoria::platform {

inline constexpr char kLauncherSuffix[] = ".desktop";

struct DesktopLauncher {
    QString name;          // shown under the icon or in the menu
    QString program;       // full path of the program to run
    QStringList arguments; // each handed to the program as one argument
    QString workingFolder; // left out when empty
};

// The Exec value for a program and its arguments: each word quoted, with the escapes of the
// Desktop Entry Specification, so that any path or argument reaches the program unchanged. A
// program whose path holds a "%" is started through /bin/sh, which GLib can find.
QString desktopExecValue(const QString& program, const QStringList& arguments);

// A value of type string as it is written in the file.
QString desktopStringValue(const QString& text);

// Writes the launcher file (replacing any) and marks it executable, as desktops want before they
// run a launcher. A link standing at its name is refused. False when the file could not be
// written, with the reason in Portuguese in `reason`.
bool writeDesktopLauncher(const QString& filePath, const DesktopLauncher& launcher, QString* reason = nullptr);

} // namespace lumoria::platform
