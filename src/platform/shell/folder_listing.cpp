#include "platform/shell/folder_listing.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

namespace lumoria::platform {

namespace {

bool MatchesEverything(const QString& mask)
{
    return mask.isEmpty() || mask == QLatin1String("*") || mask == QLatin1String("*.*");
}

QRegularExpression MaskExpression(const QString& mask)
{
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(mask),
                              QRegularExpression::CaseInsensitiveOption);
}

// Runs f(name, info) on every entry, in the file system's order.
template <typename F> void ForEachEntry(const QString& folder, const QString& mask, F&& f)
{
    if (!isExistingFolder(folder))
        return;
    const bool all = MatchesEverything(mask);
    const QRegularExpression expression = all ? QRegularExpression() : MaskExpression(mask);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (all || expression.match(name).hasMatch())
            f(name, it.fileInfo());
    }
}

} // namespace

bool isExistingFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QStringList folderEntryNames(const QString& folder, const QString& mask)
{
    QStringList names;
    ForEachEntry(folder, mask, [&](const QString& name, const QFileInfo&) { names.append(name); });
    return names;
}

int countFilesMatching(const QString& folder, const QString& mask)
{
    int count = 0;
    ForEachEntry(folder, mask, [&](const QString& name, const QFileInfo& info) {
        if (!name.startsWith(QLatin1Char('.')) && info.isFile())
            ++count;
    });
    return count;
}

QString parentFolder(const QString& folder)
{
    QDir dir(folder);
    if (!dir.cdUp())
        return folder;
    return dir.absolutePath();
}

} // namespace lumoria::platform
