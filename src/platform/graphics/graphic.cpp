#include "platform/graphics/graphic.h"

#include "platform/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lumoria::platform {

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path))
            throw FileNotFound(path.toStdString());
        throw FileError("Cannot open file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
    }
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path))
            throw FileNotFound(path.toStdString());
        throw FileError("Cannot open file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
    }
    QByteArray data = file.read(count);
    if (file.error() != QFileDevice::NoError)
        throw FileError("Cannot read file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
    return data;
}

void WriteWholeFile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw FileError("Cannot create file \"" + path.toStdString() + "\". " + file.errorString().toStdString());
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
