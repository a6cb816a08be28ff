#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "support/test_env.h"

namespace lumoria::test {

QString home() { return QString::fromStdString(homeDir().string()); }

QString freshFolder(const QString& relative)
{
    const QString folder = home() + QLatin1Char('/') + relative;
    QDir(folder).removeRecursively();
    EXPECT_TRUE(QDir().mkpath(folder)) << folder.toStdString();
    return folder;
}

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(data), data.size()) << path.toStdString();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void setModificationTime(const QString& path, const QDateTime& time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime)) << path.toStdString();
}

} // namespace lumoria::test
