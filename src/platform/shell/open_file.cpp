#include "platform/shell/open_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace lumoria::platform {

bool openWithAssociatedProgram(const QString& fileOrAddress)
{
    if (fileOrAddress.trimmed().isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(fileOrAddress, QDir::currentPath());
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace lumoria::platform
