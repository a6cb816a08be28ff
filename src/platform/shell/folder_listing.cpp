#include "platform/shell/folder_listing.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

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

// Runs f(name, info) on every entry, in the file system's (unspecified) order.
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

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A letter without its accent or case, so that "Água" goes among the a's.
QChar Base(QChar c)
{
    const QString parts = c.decomposition();
    return (parts.isEmpty() ? c : parts[0]).toCaseFolded();
}

// The end of the run of digits that starts at i.
qsizetype EndOfDigits(const QString& s, qsizetype i)
{
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i;
}

} // namespace

int compareFileNames(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Numbers of any length: leading zeros skipped, then the longer is the larger, then digit by digit.
            const qsizetype fimA = EndOfDigits(a, i), fimB = EndOfDigits(b, j);
            qsizetype ia = i, jb = j;
            while (ia + 1 < fimA && a[ia] == QLatin1Char('0'))
                ++ia;
            while (jb + 1 < fimB && b[jb] == QLatin1Char('0'))
                ++jb;
            if (fimA - ia != fimB - jb)
                return fimA - ia < fimB - jb ? -1 : 1;
            for (; ia < fimA; ++ia, ++jb)
                if (a[ia] != b[jb])
                    return a[ia] < b[jb] ? -1 : 1;
            i = fimA;
            j = fimB;
            continue;
        }
        const QChar ca = Base(a[i]), cb = Base(b[j]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b);
}

bool isExistingFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QStringList folderEntryNames(const QString& folder, const QString& mask)
{
    QStringList names;
    ForEachEntry(folder, mask, [&](const QString& name, const QFileInfo&) { names.append(name); });
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return compareFileNames(a, b) < 0; });
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
