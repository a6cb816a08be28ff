#include "platform/shell/special_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace lumoria::platform {

QString documentsFolder() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

QString desktopFolder() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }

QString applicationsMenuFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

QString installedProgramsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString userExecutablesFolder()
{
    const QString home = QDir::homePath();
    if (home.isEmpty())
        return {};
    const QString folder = home + QStringLiteral("/.local/bin");
    QDir().mkpath(folder);
    return folder;
}

QString runtimeFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

} // namespace lumoria::platform
