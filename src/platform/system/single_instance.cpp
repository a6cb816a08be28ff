#include "platform/system/single_instance.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lumoria::platform {

QString SingleInstanceLock::lockFilePath(const QString& name, const QString& folder)
{
    QString file = name;
    file.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + QLatin1Char('/') + file + QStringLiteral(".lock");
}

SingleInstanceLock::Result SingleInstanceLock::tryAcquire(const QString& name, const QString& folder)
{
    if (isHeld())
        return Result::Acquired;
    if (folder.isEmpty())
        return Result::Unavailable;
    const QByteArray path = QFile::encodeName(lockFilePath(name, folder));
    int fd = -1;
    do {
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Result::Unavailable;
    int locked = -1;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
    }
    m_fd = fd;
    return Result::Acquired;
}

void SingleInstanceLock::release()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

} // namespace lumoria::platform
