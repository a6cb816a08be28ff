#pragma once
// Small file helpers for tests that work on real files in the test HOME.
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace lumoria::test {

// The test HOME as a QString.
QString home();
// HOME/<relative>, emptied (or created) for the test.
QString freshFolder(const QString& relative);
// Writes the file, creating its folder; a failure fails the running test.
void writeFile(const QString& path, const QByteArray& data);
// The file's bytes, or "<missing>" when it cannot be read.
QByteArray readFile(const QString& path);
// Sets the file's modification time; a failure fails the running test.
void setModificationTime(const QString& path, const QDateTime& time);

} // namespace lumoria::test
