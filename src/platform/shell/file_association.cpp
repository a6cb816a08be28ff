#include "platform/shell/file_association.h"

#include "platform/shell/desktop_launcher.h"
#include "platform/shell/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace lumoria::platform {

namespace {

constexpr int kToolTimeoutMs = 30000;

QString userDataFolder() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }

QString mimePackageText(const FileTypeAssociation& a)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <glob pattern=\"%3\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(a.mimeType.toHtmlEscaped(), a.description.toHtmlEscaped(), a.globPattern.toHtmlEscaped());
}

QString desktopEntryText(const FileTypeAssociation& a)
{
    // Hidden from the menus: it is there to open the files, the menu shortcut is the installer's.
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=") + desktopStringValue(a.description) +
           QStringLiteral("\nExec=") + desktopExecValue(a.program, {}) + QStringLiteral(" %f\nMimeType=") +
           desktopStringValue(a.mimeType) + QStringLiteral(";\nNoDisplay=true\nTerminal=false\n");
}

enum class Update { Unchanged, Written, Failed };

Update writeWhenDifferent(const QString& path, const QByteArray& data)
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == data)
        return Update::Unchanged;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeFileSafely(path, data))
        return Update::Failed;
    return Update::Written;
}

void runToolIfPresent(const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {folder});
    if (process.waitForStarted() && !process.waitForFinished(kToolTimeoutMs))
        process.kill();
    process.waitForFinished();
}

} // namespace

QString mimePackagePath(const FileTypeAssociation& association)
{
    QString name = association.mimeType;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return userDataFolder() + QStringLiteral("/mime/packages/") + name + QStringLiteral(".xml");
}

QString desktopEntryPath(const FileTypeAssociation& association)
{
    return userDataFolder() + QStringLiteral("/applications/") + association.desktopFileName;
}

namespace {

void refreshCaches(bool mime, bool desktop)
{
    if (mime)
        runToolIfPresent(QStringLiteral("update-mime-database"), userDataFolder() + QStringLiteral("/mime"));
    if (desktop)
        runToolIfPresent(QStringLiteral("update-desktop-database"), userDataFolder() + QStringLiteral("/applications"));
}

// Removes the file when it is there; true when it was removed.
bool removed(const QString& path) { return QFileInfo::exists(path) && QFile::remove(path); }

} // namespace

FileTypeAssociationResult associateFileType(const FileTypeAssociation& association)
{
    const Update mime = writeWhenDifferent(mimePackagePath(association), mimePackageText(association).toUtf8());
    const Update desktop = writeWhenDifferent(desktopEntryPath(association), desktopEntryText(association).toUtf8());
    refreshCaches(mime == Update::Written, desktop == Update::Written);

    FileTypeAssociationResult result;
    result.ok = mime != Update::Failed && desktop != Update::Failed;
    result.changed = mime == Update::Written || desktop == Update::Written;
    return result;
}

bool dissociateFileType(const FileTypeAssociation& association)
{
    const QString mime = mimePackagePath(association);
    const QString desktop = desktopEntryPath(association);
    refreshCaches(removed(mime), removed(desktop));
    return !QFileInfo::exists(mime) && !QFileInfo::exists(desktop);
}

} // namespace lumoria::platform
