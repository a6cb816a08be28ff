// Whole-file writes that never leave a short file behind, also when the disk refuses in the middle.
#include <gtest/gtest.h>

#include <QDir>

#include "platform/failure.h"
#include "platform/shell/file_operations.h"
#include "platform/system/settings_store.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

using namespace lumoria;
using namespace lumoria::platform;
using lumoria::test::readFile;
using lumoria::test::writeFile;

namespace {

QString freshFolder(const char* name) { return lumoria::test::freshFolder(QStringLiteral("safe-write/") + QLatin1String(name)); }

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

TEST(SafeWrite, WritesANewFileAndReplacesAnOldOne)
{
    const QString folder = freshFolder("replace");
    const QString path = folder + QStringLiteral("/a.txt");
    EXPECT_TRUE(writeFileSafely(path, "first"));
    EXPECT_EQ(readFile(path), QByteArray("first"));
    EXPECT_TRUE(writeFileSafely(path, "2"));
    EXPECT_EQ(readFile(path), QByteArray("2"));
    EXPECT_EQ(entries(folder), QStringList{QStringLiteral("a.txt")});
}

TEST(SafeWrite, AWriteCutShortKeepsTheOldFile)
{
    const QString folder = freshFolder("cut");
    const QString path = folder + QStringLiteral("/a.txt");
    writeFile(path, "old");
    QString reason;
    bool written = true;
    {
        const lumoria::test::FileSizeLimit limit(1000);
        written = writeFileSafely(path, QByteArray(5000, 'n'), &reason);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readFile(path), QByteArray("old"));
    EXPECT_EQ(entries(folder), QStringList{QStringLiteral("a.txt")});
}

TEST(SafeWrite, ASettingsWriteCutShortRaisesAndKeepsTheStore)
{
    const QString path = freshFolder("store") + QStringLiteral("/store.json");
    SettingsStore store(path);
    store.writeInteger(QStringLiteral("K"), QStringLiteral("n"), 1);
    const QByteArray before = readFile(path);
    {
        const lumoria::test::FileSizeLimit limit(before.size() + 4);
        EXPECT_THROW(store.writeString(QStringLiteral("K"), QStringLiteral("s"), QString(400, QLatin1Char('s'))),
                     SettingsWriteError);
    }
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(store.readInteger(QStringLiteral("K"), QStringLiteral("n")), std::optional<std::int32_t>(1));
}
