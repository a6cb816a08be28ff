#pragma once
// Tells the desktop that files of a type open with a program: a shared-mime-info package that
// gives the type its file-name pattern, and a hidden application entry that opens the type. Both go
// to the user's data folder ($XDG_DATA_HOME).
#include <QString>

namespace lumoria::platform {

struct FileTypeAssociation {
    QString mimeType;        // "application/x-..."
    QString description;     // the type's comment, and the application's name
    QString globPattern;     // "*.ext"; the desktop matches it in any letter case
    QString desktopFileName; // "<id>.desktop"
    QString program;         // full path of the program that opens the files
};

struct FileTypeAssociationResult {
    bool ok = false;      // both files hold what they should
    bool changed = false; // at least one of them was written now
};

// The package file of the type and the application entry, under the user's data folder.
QString mimePackagePath(const FileTypeAssociation& association);
QString desktopEntryPath(const FileTypeAssociation& association);

// Writes each file only when its text differs from what it should hold, then refreshes the
// desktop's caches for what changed, with update-mime-database and update-desktop-database when
// they are installed. A missing tool or a tool that fails is no failure.
FileTypeAssociationResult associateFileType(const FileTypeAssociation& association);

// Removes both files and refreshes the desktop's caches for what was removed. True when neither
// file is left.
bool dissociateFileType(const FileTypeAssociation& association);

} // namespace lumoria::platform
