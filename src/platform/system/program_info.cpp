#include "platform/system/program_info.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "lumoria_version.h"

namespace lumoria::platform {

std::optional<FileVersion> programFileVersion()
{
#ifdef LUMORIA_VERSION_MAJOR
    // A part the project version leaves out is configured empty; "+ 0" reads it as 0.
    return FileVersion{static_cast<unsigned>(LUMORIA_VERSION_MAJOR + 0),
                       static_cast<unsigned>(LUMORIA_VERSION_MINOR + 0),
                       static_cast<unsigned>(LUMORIA_VERSION_PATCH + 0),
                       static_cast<unsigned>(LUMORIA_VERSION_TWEAK + 0)};
#else
    return std::nullopt;
#endif
}

QString programFilePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    // Before the application object exists the kernel still knows the program file.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString programFolder()
{
    const QString path = programFilePath();
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace lumoria::platform
