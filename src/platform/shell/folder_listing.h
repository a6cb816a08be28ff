#pragma once
// The contents of a folder as the file searches of the old shell saw them: masks with "*" and "?"
// that ignore letter case, "*.*" for everything, entries in the order the file system returns them.
#include <QString>
#include <QStringList>

namespace lumoria::platform {

// Whether the path names an existing folder.
bool isExistingFolder(const QString& path);

// The names of the folder's entries that match the mask, files and folders, hidden ones included
// ("." and ".." left out), in the order the file system returns them. Empty when it cannot be read.
QStringList folderEntryNames(const QString& folder, const QString& mask);

// How many ordinary files of the folder match the mask; folders and hidden files (names beginning
// with ".") do not count.
int countFilesMatching(const QString& folder, const QString& mask);

// The folder above a folder; the folder itself at the root.
QString parentFolder(const QString& folder);

} // namespace lumoria::platform
