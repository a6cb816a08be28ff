#pragma once
// Stands in for the desktop's opener for the life of the object: PATH holds only a folder whose
// xdg-open writes each argument it gets to a log, one a line, and exits with the given code.
// Without an exit code the folder holds no xdg-open at all.
#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <optional>

#include "support/test_files.h"

namespace lumoria::test {

class FakeOpener {
public:
    explicit FakeOpener(std::optional<int> exitCode)
        : m_path(qgetenv("PATH")), m_folder(freshFolder(QStringLiteral("opener"))), m_log(m_folder + QStringLiteral("/log"))
    {
        if (exitCode) {
            const QString script = m_folder + QStringLiteral("/xdg-open");
            writeFile(script, QByteArray("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '") + m_log.toUtf8()
                                  + "'; done\nexit " + QByteArray::number(*exitCode) + "\n");
            QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", m_folder.toUtf8());
    }
    ~FakeOpener() { qputenv("PATH", m_path); }
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;

    // What the opener was asked to open so far.
    QStringList opened() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QByteArray m_path;
    QString m_folder;
    QString m_log;
};

} // namespace lumoria::test
