#include "platform/shell/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>

#include <sys/file.h>
#include <sys/stat.h>

#include <dirent.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include <algorithm>
#include <filesystem>
#include <string>

namespace lumoria::platform {

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& path) { return fs::path(QFile::encodeName(path).toStdString()); }

// True when `inner` is `outer` or lies below it.
bool isWithin(const fs::path& inner, const fs::path& outer)
{
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i) {
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}

bool copyTimeOf(const fs::path& source, const fs::path& target)
{
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0)
        return false;
    const timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
    return ::utimensat(AT_FDCWD, target.c_str(), times, 0) == 0;
}

} // namespace

bool isSameFile(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    std::error_code ec;
    return fs::equivalent(toPath(a), toPath(b), ec) && !ec;
}

bool copyFileTime(const QString& source, const QString& target)
{
    return copyTimeOf(toPath(source), toPath(target));
}

bool copyFilePermissions(const QString& source, const QString& target)
{
    std::error_code ec;
    const fs::perms perms = fs::status(toPath(source), ec).permissions();
    if (ec)
        return false;
    fs::permissions(toPath(target), perms, fs::perm_options::replace, ec);
    return !ec;
}

bool removePath(const QString& path)
{
    const fs::path p = toPath(path);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(p, ec)))
        return false;
    fs::remove_all(p, ec);
    return !ec;
}

bool moveToTrash(const QString& path) { return QFile::moveToTrash(path); }

bool pathExists(const QString& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(toPath(path), ec));
}

namespace {

int openUnnamedIn(const char* folder) { return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666); }

SafeWriteCalls defaultCalls()
{
    return {[](int fd) { return ::fsync(fd); }, [](int fd) { return ::close(fd); }, openUnnamedIn};
}

SafeWriteCalls& currentCalls()
{
    static SafeWriteCalls calls = defaultCalls();
    return calls;
}

// Writes everything, going on after a partial write or an interrupted call.
bool writeAll(int fd, const char* p, std::size_t left)
{
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= std::size_t(n);
    }
    return true;
}

// The name of a temporary for `fileName`: hidden, beside it, with a random tail.
QByteArray temporaryName(const QByteArray& folder, const QByteArray& fileName)
{
    return folder + "/." + fileName + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
}

bool isTemporaryOf(const char* entry, const QByteArray& fileName)
{
    const QByteArray prefix = "." + fileName + ".tmp";
    const std::size_t length = std::strlen(entry);
    if (length <= std::size_t(prefix.size()) || length > std::size_t(prefix.size()) + 13 ||
        std::strncmp(entry, prefix.constData(), std::size_t(prefix.size())) != 0)
        return false;
    for (const char* c = entry + prefix.size(); *c; ++c) {
        if (!((*c >= '0' && *c <= '9') || (*c >= 'a' && *c <= 'z')))
            return false;
    }
    return true;
}

// Removes what saves of this file cut short by a crash or a kill left behind. A save in progress
// holds a lock on its temporary, so only an abandoned one is taken; other people's files are not
// touched.
void removeStaleTemporaries(const QByteArray& folder, const QByteArray& fileName)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryOf(entry->d_name, fileName))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// Gives the unnamed file a name in the folder: a hidden temporary that the caller renames.
bool linkUnnamed(int fd, const QByteArray& name)
{
    if (::linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0)
        return true;
    // Without the right to link by descriptor, through its entry in /proc.
    const QByteArray proc = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, proc.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0;
}

// Opens a file for writing from its start, creating it when missing, never through a link that
// stands at its name (ELOOP). -1 with errno when it cannot.
int openForCopyAt(int folder, const char* name, bool* created)
{
    int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    *created = fd >= 0;
    if (fd >= 0 || errno != EEXIST)
        return fd;
    fd = ::openat(folder, name, O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0) {
        const int code = errno;
        ::close(fd);
        errno = code;
        return -1;
    }
    return fd;
}

// Opens a folder, never through a link standing at its name (ELOOP). -1 with errno when it cannot.
int openFolderAt(int folder, const char* name)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 && errno == ENOTDIR && ::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
        errno = ELOOP;
    return fd;
}

} // namespace

QString describeSystemError(int code)
{
    switch (code) {
    case ENOSPC: return QStringLiteral("Disco Cheio");
    case EDQUOT: return QStringLiteral("Cota de Disco Esgotada");
    case EFBIG: return QStringLiteral("Arquivo Grande Demais Para o Disco");
    case EACCES:
    case EPERM: return QStringLiteral("Sem Permissão de Acesso");
    case EROFS: return QStringLiteral("Disco Somente Para Leitura");
    case EIO: return QStringLiteral("Erro de Leitura ou Gravação no Disco");
    case ENOENT: return QStringLiteral("Pasta ou Arquivo Inexistente");
    case ENOTDIR: return QStringLiteral("Parte do Caminho Não É Uma Pasta");
    case EISDIR: return QStringLiteral("Existe Uma Pasta Com Este Nome");
    case ENAMETOOLONG: return QStringLiteral("Nome Longo Demais");
    case EMFILE:
    case ENFILE: return QStringLiteral("Arquivos Abertos Demais");
    case ETXTBSY:
    case EBUSY: return QStringLiteral("Arquivo Em Uso");
    case ELOOP: return QStringLiteral("Existe Um Link Simbólico Com Este Nome");
    case EEXIST: return QStringLiteral("Já Existe Um Arquivo Com Este Nome");
    default: return QStringLiteral("Erro do Sistema Número %1").arg(code);
    }
}

SafeWriteCalls setSafeWriteCalls(SafeWriteCalls calls)
{
    const SafeWriteCalls defaults = defaultCalls();
    if (!calls.sync)
        calls.sync = defaults.sync;
    if (!calls.close)
        calls.close = defaults.close;
    if (!calls.openUnnamed)
        calls.openUnnamed = defaults.openUnnamed;
    SafeWriteCalls old = currentCalls();
    currentCalls() = std::move(calls);
    return old;
}

bool writeFileSafely(const QString& path, const QByteArray& data, QString* reason, SyncToDisk sync)
{
    const SafeWriteCalls& calls = currentCalls();
    // A link is followed: the file it names is the one replaced, and the link stays.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        target = info.symLinkTarget();
    const QFileInfo targetInfo(target);
    const QByteArray folder = QFile::encodeName(targetInfo.absolutePath());
    const QByteArray fileName = QFile::encodeName(targetInfo.fileName());
    const QByteArray finalName = QFile::encodeName(targetInfo.absoluteFilePath());

    auto fail = [&](int code) {
        if (reason)
            *reason = describeSystemError(code);
        return false;
    };

    struct stat old {};
    const bool replacing = ::stat(finalName.constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return fail(EISDIR);
    // The new file replaces the old one by a rename, which a read-only file does not stop: the
    // file's own protection is honoured here, also for the administrator.
    if (replacing &&
        ((old.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, finalName.constData(), W_OK, AT_EACCESS) != 0)) {
        if (reason)
            *reason = QStringLiteral("Arquivo Somente Para Leitura");
        return false;
    }

    removeStaleTemporaries(folder, fileName);

    // The new contents go to a file of their own, which replaces the old one only once they are on
    // the disk; a failure anywhere before leaves the old file as it was. Where the file system
    // can, that file has no name until it is whole, so that a save cut short leaves nothing behind.
    QByteArray temporary;
    bool named = false;
    int fd = calls.openUnnamed(folder.constData());
    if (fd < 0) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return fail(errno);
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            temporary = temporaryName(folder, fileName);
            fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST)
                return fail(errno);
        }
        if (fd < 0)
            return fail(EEXIST);
        named = true;
    }
    // Held until the rename, so that another save's clean-up leaves this temporary alone.
    ::flock(fd, LOCK_EX);
    const int lock = ::dup(fd);

    int code = 0;
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0)
        code = errno;
    if (code == 0 && !writeAll(fd, data.constData(), std::size_t(data.size())))
        code = errno;
    // An error the file system keeps until the data reach the disk (NFS, a failing disk) shows
    // only here: the save has not happened.
    if (code == 0 && sync == SyncToDisk::Yes && calls.sync(fd) != 0)
        code = errno;
    if (code == 0 && !named) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            temporary = temporaryName(folder, fileName);
            if (linkUnnamed(fd, temporary)) {
                named = true;
                break;
            }
            if (errno != EEXIST)
                break;
        }
        if (!named)
            code = errno;
    }
    if (calls.close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 && ::rename(temporary.constData(), finalName.constData()) != 0)
        code = errno;
    if (code != 0 && named)
        ::unlink(temporary.constData());
    if (lock >= 0)
        ::close(lock);
    if (code != 0)
        return fail(code);
    if (sync == SyncToDisk::No)
        return true;
    // The rename itself is on the disk only once the folder is.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return fail(errno);
    const int dirSync = calls.sync(dir);
    const int dirError = errno;
    ::close(dir);
    if (dirSync != 0 && dirError != EINVAL && dirError != EROFS) // some file systems cannot sync a folder
        return fail(dirError);
    return true;
}

bool createFile(const QString& path, const QByteArray& data, int* error)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    int code = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (!writeAll(fd, data.constData(), std::size_t(data.size())))
            code = errno;
        if (::close(fd) != 0 && code == 0)
            code = errno;
        if (code != 0)
            ::unlink(name.constData());
    }
    if (error)
        *error = code;
    return code == 0;
}

namespace {

// Copies the entries of one open folder into another, recording what it writes. Nothing is written
// through a link that stands at a name the copy makes. 0, or the first error met.
int copyEntries(int from, int to, const QString& toPath, CopyRecord& record)
{
    const int listFd = ::dup(from);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        const int code = errno;
        if (listFd >= 0)
            ::close(listFd);
        return code;
    }
    int code = 0;
    while (const dirent* entry = code == 0 ? ::readdir(dir) : nullptr) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        const QString path = toPath + QLatin1Char('/') + QFile::decodeName(name);
        struct stat st {};
        if (::fstatat(from, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            code = errno;
        } else if (S_ISLNK(st.st_mode)) {
            // Links are copied as links, in place of a link or file of that name.
            std::string linkTarget(std::size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
            const ssize_t n = ::readlinkat(from, name, linkTarget.data(), linkTarget.size());
            struct stat old {};
            if (n < 0) {
                code = errno;
            } else if (::fstatat(to, name, &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(old.st_mode)) {
                code = EISDIR;
            } else {
                linkTarget.resize(std::size_t(n));
                ::unlinkat(to, name, 0);
                if (::symlinkat(linkTarget.c_str(), to, name) != 0)
                    code = errno;
                else
                    record.files << path;
            }
        } else if (S_ISDIR(st.st_mode)) {
            const bool made = ::mkdirat(to, name, 0700) == 0;
            if (!made && errno != EEXIST) {
                code = errno;
                continue;
            }
            if (made)
                record.folders << path;
            const int sub = openFolderAt(from, name);
            const int subTarget = sub < 0 ? -1 : openFolderAt(to, name);
            if (sub < 0 || subTarget < 0)
                code = errno;
            else
                code = copyEntries(sub, subTarget, path, record);
            // Permissions last: a read-only source folder must not stop its own copy from filling.
            const timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
            if (code == 0 && (::fchmod(subTarget, st.st_mode & 07777) != 0 || ::futimens(subTarget, times) != 0))
                code = errno;
            if (sub >= 0)
                ::close(sub);
            if (subTarget >= 0)
                ::close(subTarget);
        } else if (S_ISREG(st.st_mode)) {
            const int in = ::openat(from, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            bool created = false;
            const int out = in < 0 ? -1 : openForCopyAt(to, name, &created);
            if (in < 0 || out < 0) {
                code = errno;
            } else {
                record.files << path;
                char block[65536];
                for (ssize_t n; code == 0 && (n = ::read(in, block, sizeof block)) != 0;) {
                    if (n < 0)
                        code = errno == EINTR ? 0 : errno;
                    else if (!writeAll(out, block, std::size_t(n)))
                        code = errno;
                }
                const timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
                if (code == 0 && (::fchmod(out, st.st_mode & 07777) != 0 || ::futimens(out, times) != 0))
                    code = errno;
            }
            if (in >= 0)
                ::close(in);
            if (out >= 0 && ::close(out) != 0 && code == 0)
                code = errno;
        }
        // Sockets, pipes and devices are not files to install; they are passed over.
    }
    ::closedir(dir);
    return code;
}

} // namespace

bool copyFolder(const QString& source, const QString& target, CopyRecord* record)
{
    CopyRecord own;
    CopyRecord& made = record ? *record : own;
    auto fail = [&made](int code) {
        made.reason = describeSystemError(code ? code : EIO);
        return false;
    };
    std::error_code ec;
    const fs::path from = fs::canonical(toPath(source), ec);
    if (ec || !fs::is_directory(from, ec))
        return fail(ENOENT);
    const fs::path to = fs::weakly_canonical(fs::absolute(toPath(target), ec), ec);
    if (ec || isWithin(to, from))
        return fail(EINVAL);
    // The folders on the way are made as needed; the last one must not be a link.
    fs::path wanted = fs::absolute(toPath(target), ec).lexically_normal();
    // Without a final "/", which would have a link there followed.
    if (!wanted.has_filename() && wanted.has_parent_path())
        wanted = wanted.parent_path();
    fs::path step;
    for (const fs::path& part : wanted.relative_path()) {
        step = step.empty() ? wanted.root_path() / part : step / part;
        if (::mkdir(step.c_str(), 0777) == 0)
            made.folders << QFile::decodeName(step.c_str());
        else if (errno != EEXIST)
            return fail(errno);
    }
    const int fromFd = ::open(from.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fromFd < 0)
        return fail(errno);
    const int toFd = openFolderAt(AT_FDCWD, wanted.c_str());
    if (toFd < 0) {
        const int code = errno;
        ::close(fromFd);
        return fail(code);
    }
    int code = copyEntries(fromFd, toFd, QFile::decodeName(wanted.c_str()), made);
    struct stat st {};
    if (code == 0 && ::fstat(fromFd, &st) == 0) {
        const timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
        if (::fchmod(toFd, st.st_mode & 07777) != 0 || ::futimens(toFd, times) != 0)
            code = errno;
    }
    ::close(fromFd);
    ::close(toFd);
    return code == 0 || fail(code);
}

void undoCopy(const CopyRecord& record)
{
    for (const QString& file : record.files)
        ::unlink(QFile::encodeName(file).constData());
    // Deepest first; a folder that holds something that was not copied stays.
    for (auto folder = record.folders.crbegin(); folder != record.folders.crend(); ++folder)
        ::rmdir(QFile::encodeName(*folder).constData());
}

bool copyInBlocks(QIODevice& source, QIODevice& target, std::int64_t size)
{
    char block[2048];
    for (std::int64_t left = size; left > 0;) {
        const qint64 got = source.read(block, std::min<std::int64_t>(sizeof block, left));
        if (got <= 0)
            return false; // the source ended early or failed; the copy would never be whole
        if (target.write(block, got) != got)
            return false;
        left -= got;
    }
    return true;
}

bool copyFileContents(const QString& source, const QString& target, QString* reason)
{
    auto fail = [reason](int code) {
        if (reason)
            *reason = describeSystemError(code ? code : EIO);
        return false;
    };
    if (isSameFile(source, target))
        return fail(EEXIST);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(errno);
    bool created = false;
    const int fd = openForCopyAt(AT_FDCWD, QFile::encodeName(target).constData(), &created);
    if (fd < 0)
        return fail(errno);
    // Unbuffered, so that a failed write shows at the write itself.
    QFile out;
    if (!out.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(EIO);
    }
    errno = 0;
    if (!copyInBlocks(in, out, in.size()))
        return fail(errno);
    out.close();
    if (out.error() != QFileDevice::NoError)
        return fail(EIO);
    copyFileTime(source, target);
    copyFilePermissions(source, target);
    return true;
}

bool makeFolder(const QString& path) { return QDir().mkpath(path); }

bool removeFile(const QString& path)
{
    std::error_code ec;
    const fs::path p = toPath(path);
    if (fs::is_directory(fs::symlink_status(p, ec)))
        return false;
    fs::remove(p, ec);
    return !fs::exists(fs::symlink_status(p, ec));
}

bool isWritableFolder(const QString& path)
{
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".lumoria-XXXXXX")));
    return probe.open();
}

} // namespace lumoria::platform

namespace lumoria::platform {

bool isLink(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool isFile(const QString& path)
{
    std::error_code ec;
    return fs::is_regular_file(toPath(path), ec);
}

} // namespace lumoria::platform
