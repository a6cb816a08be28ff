#pragma once
// A file read from start to end in pieces.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace lumoria::platform {

class InputFile {
public:
    explicit InputFile(const QString& path) : m_file(path) {}
    // False when the file cannot be opened for reading.
    // Only a regular file opens: a device or a pipe would never end or never answer.
    bool open() { return QFileInfo(m_file.fileName()).isFile() && m_file.open(QIODevice::ReadOnly); }
    // Up to maxBytes more bytes into out, empty at the end; false on a read error.
    bool read(qint64 maxBytes, QByteArray& out)
    {
        out = m_file.read(maxBytes);
        return m_file.error() == QFileDevice::NoError;
    }

private:
    QFile m_file;
};

} // namespace lumoria::platform
