#pragma once
// The contents of a folder as the file searches of the old shell saw them: masks with "*" and "?"
// that ignore letter case, "*.*" for everything, entries in name order (letter case ignored, digits
// as numbers), the order a file manager shows them in.
#include <QString>
#include <QStringList>

namespace lumoria::platform {

// Whether the path names an existing folder.
bool isExistingFolder(const QString& path);

// Below zero when name a comes before name b, above when after: letter case and accents are ignored
// and a run of digits counts as its number, so "img_2" comes before "IMG_10". Names equal that way fall back to
// their exact text, so that the order never depends on how the file system returned them.
int compareFileNames(const QString& a, const QString& b);

// The names of the folder's entries that match the mask, files and folders, hidden ones included
// ("." and ".." left out), in the order of compareFileNames. Empty when it cannot be read.
QStringList folderEntryNames(const QString& folder, const QString& mask);

// How many ordinary files of the folder match the mask; folders and hidden files (names beginning
// with ".") do not count.
int countFilesMatching(const QString& folder, const QString& mask);

// The folder above a folder; the folder itself at the root.
QString parentFolder(const QString& folder);

} // namespace lumoria::platform
