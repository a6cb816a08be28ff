#include "platform/shell/file_operations.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <fcntl.h>

#include <algorithm>
#include <filesystem>

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

bool copyTree(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec))
        return false;
    bool ok = true;
    fs::directory_iterator it(source, ec);
    if (ec)
        return false;
    for (const fs::directory_entry& entry : it) {
        const fs::path to = target / entry.path().filename();
        const fs::file_status status = entry.symlink_status(ec);
        if (ec) {
            ok = false;
        } else if (fs::is_symlink(status)) {
            if (!fs::is_directory(fs::symlink_status(to, ec)))
                fs::remove(to, ec);
            fs::copy_symlink(entry.path(), to, ec);
            ok = !ec && ok;
        } else if (fs::is_directory(status)) {
            ok = copyTree(entry.path(), to) && ok;
        } else if (fs::is_regular_file(status)) {
            fs::copy_file(entry.path(), to, fs::copy_options::overwrite_existing, ec);
            ok = !ec && copyTimeOf(entry.path(), to) && ok;
        }
        // Sockets, pipes and devices are not files to install; they are passed over.
    }
    // Permissions last: a read-only source folder must not stop its own copy from filling.
    const fs::perms perms = fs::status(source, ec).permissions();
    if (!ec)
        fs::permissions(target, perms, ec);
    ok = !ec && ok;
    return copyTimeOf(source, target) && ok;
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

bool copyFolder(const QString& source, const QString& target)
{
    std::error_code ec;
    const fs::path from = fs::canonical(toPath(source), ec);
    if (ec || !fs::is_directory(from, ec))
        return false;
    const fs::path to = fs::weakly_canonical(fs::absolute(toPath(target), ec), ec);
    if (ec || isWithin(to, from))
        return false;
    return copyTree(from, to);
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

bool writeFileSafely(const QString& path, const QByteArray& data, QString* reason)
{
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile loses a write error that happens while flushing at commit
    // and then replaces the old file with a short one.
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(data) == data.size() &&
                    file.commit();
    if (!ok && reason)
        *reason = file.errorString();
    return ok;
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

bool copyFileContents(const QString& source, const QString& target)
{
    if (isSameFile(source, target))
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    // Unbuffered, so that a failed write shows at the write itself.
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    if (!copyInBlocks(in, out, in.size()))
        return false;
    out.close();
    if (out.error() != QFileDevice::NoError)
        return false;
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

bool isFile(const QString& path)
{
    std::error_code ec;
    return fs::is_regular_file(toPath(path), ec);
}

} // namespace lumoria::platform
