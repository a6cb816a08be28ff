#include "platform/shell/special_folders.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace lumoria::platform {

QString documentsFolder() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

QString dialogStartFolder()
{
    const QString documents = documentsFolder();
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

QString desktopFolder() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }

QString applicationsMenuFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

QString installedProgramsFolder()
{
    // The system's folder for add-on programs when run as the administrator, the user's own otherwise.
    if (::geteuid() == 0)
        return QStringLiteral("/opt");
    const QString home = QDir::homePath();
    if (home.isEmpty())
        return {};
    return home + QStringLiteral("/.local/opt");
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
