#pragma once
// Silent file and folder operations: no dialogs, no questions; each reports only whether it worked.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace lumoria::platform {

// True when both paths reach the same file: the same text, or the same file through links or
// another spelling of the path. Letter case counts, as the file system does.
bool isSameFile(const QString& a, const QString& b);

// Gives the target the source's modification time.
bool copyFileTime(const QString& source, const QString& target);
// Gives the target the source's permissions.
bool copyFilePermissions(const QString& source, const QString& target);

// What a folder copy wrote, so that a copy that failed can be taken back, and why it failed.
struct CopyRecord {
    QStringList files;   // every file and link written, new or replaced
    QStringList folders; // the folders made, each after its parent
    QString reason;      // in Portuguese
};

// Copies the contents of a folder into the target folder, creating it (with its parents) when
// missing and merging into it when present; files of the same name are replaced. Files keep their
// times and permissions; links are copied as links. A target inside the source is refused, and so
// is a link standing at the target or at any name the copy writes: nothing is written through one.
// Stops at the first failure. True when everything was copied.
bool copyFolder(const QString& source, const QString& target, CopyRecord* record = nullptr);

// Removes what a copy wrote: its files, then the folders it made that hold nothing else.
void undoCopy(const CopyRecord& record);

// Deletes a file, a link (not what it points to) or a folder with everything in it. False when
// there was nothing to delete or something could not be deleted.
bool removePath(const QString& path);

// Moves a file or folder to the user's trash. False when it could not be moved.
bool moveToTrash(const QString& path);

// Whether a written file must be on the disk before the write counts as done. Files the program
// makes again on every start (and removes at the end) need not wait for the disk.
enum class SyncToDisk { Yes, No };

// Writes the whole file through a temporary file beside it, which replaces the old file only once
// everything is written and synced to the disk, and syncs the folder after; on a failure the old
// file stays as it was. The temporary has no name until it is whole where the file system allows
// it; elsewhere the temporaries that earlier saves of the file left behind are removed first. A
// read-only file is not replaced. False when it could not, with the reason in Portuguese in
// `reason`. With SyncToDisk::No the replacement is still whole or nothing, but nothing waits for
// the disk.
bool writeFileSafely(const QString& path, const QByteArray& data, QString* reason = nullptr,
                     SyncToDisk sync = SyncToDisk::Yes);

// Writes a file that does not exist yet straight at its name, for a file the program makes again
// whenever it is missing: nothing is replaced and no link followed (a name already taken, by a link
// too, fails with EEXIST), and a write that fails removes what it wrote. False with the errno value
// in *error when it cannot.
bool createFile(const QString& path, const QByteArray& data, int* error = nullptr);

// The cause of a system error (an errno value) in Portuguese, for the user's messages.
QString describeSystemError(int code);

// The calls of a safe write that the tests replace to fail as failing disks and file systems do.
struct SafeWriteCalls {
    std::function<int(int fd)> sync;
    std::function<int(int fd)> close;
    // Opens a file without a name in the folder for writing; -1 with errno when it cannot.
    std::function<int(const char* folder)> openUnnamed;
};
// Puts calls in place (the system's for those left empty) and returns those they replace.
SafeWriteCalls setSafeWriteCalls(SafeWriteCalls calls);

// True when something (a file, folder or link, even a broken one) stands at the path.
bool pathExists(const QString& path);

// True when a file (or a link to one) stands at the path.
bool isFile(const QString& path);

// Copies `size` bytes in blocks of at most 2048. False at the first read that gives no data before
// the end or at the first write that does not take the whole block.
bool copyInBlocks(QIODevice& source, QIODevice& target, std::int64_t size);

// Copies one file's bytes in blocks over the target (created or truncated), then gives it the
// source's time and permissions. False, with the reason in Portuguese, when the source could not be
// read whole or the target not written whole; a source and target that are the same file, and a
// link standing at the target's name, are refused.
bool copyFileContents(const QString& source, const QString& target, QString* reason = nullptr);

// True when a link (even a broken one) stands at the path.
bool isLink(const QString& path);

// Creates the folder with its parents; true when it exists afterwards.
bool makeFolder(const QString& path);

// Deletes one file or link (never a folder); true when nothing stands there afterwards.
bool removeFile(const QString& path);

// Whether a file can be created in the folder: a read-only folder, or one on a read-only file
// system, cannot take one whoever the user is.
bool isWritableFolder(const QString& path);

} // namespace lumoria::platform
