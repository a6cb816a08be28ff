#include "platform/graphics/graphic.h"

#include "platform/failure.h"
#include "platform/shell/file_operations.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lumoria::platform {

namespace {

// Opens a picture file for reading: a compiled-in resource of the program, or a regular file only.
// The file is opened without waiting and checked before anything is read: a pipe would block the
// program and a device never end.
void OpenForReading(const QString& path, QFile& file)
{
    if (path.startsWith(QLatin1Char(':'))) {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            throw FileNotFound(path.toStdString());
        return;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            throw FileNotFound(path.toStdString());
        throw FileError("Cannot open file \"" + path.toStdString() + "\". " + std::strerror(error));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError("Cannot open file \"" + path.toStdString() + "\". Not a regular file");
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw FileError("Cannot open file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
    }
}

} // namespace

QByteArray ReadWholeFile(const QString& path)
{
    QFile file;
    OpenForReading(path, file);
    const qint64 size = file.size();
    if (size > qint64(1) << 31)
        throw InvalidPicture("File is too large to be a picture: " + path.toStdString());
    QByteArray data = file.readAll();
    if (data.size() != size && file.error() != QFileDevice::NoError)
        throw FileError("Cannot read file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
    return data;
}

QByteArray ReadFileStart(const QString& path, qint64 count)
{
    QFile file;
    OpenForReading(path, file);
    QByteArray data = file.read(count);
    if (file.error() != QFileDevice::NoError)
        throw FileError("Cannot read file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
    return data;
}

void WriteWholeFile(const QString& path, const QByteArray& data)
{
    QString reason;
    if (!writeFileSafely(path, data, &reason))
        throw FileWriteError(
            QStringLiteral("Não Foi Possível Gravar o Arquivo \"%1\" (%2).").arg(path, reason).toStdString(),
            reason.toStdString());
}

void Graphic::LoadFromFile(const QString& path)
{
    const QByteArray data = ReadWholeFile(path);
    try {
        LoadFromData(data);
    } catch (const InvalidPicture& e) {
        throw InvalidPicture(std::string(e.what()) + ": " + path.toStdString());
    }
}

void Graphic::SaveToFile(const QString& path) const
{
    WriteWholeFile(path, SaveToData());
}

} // namespace lumoria::platform
