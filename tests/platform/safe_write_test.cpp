// Whole-file writes that never leave a short file behind, also when the disk refuses in the middle.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

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

namespace {

// Puts failing calls in place for its life.
class FailingCalls {
public:
    FailingCalls(bool fileSync, bool close, bool folderSync)
    {
        m_old = setSafeWriteCalls(
            {[=, this](int fd) {
                 const bool folder = std::filesystem::is_directory("/proc/self/fd/" + std::to_string(fd));
                 ++(folder ? folderSyncs : fileSyncs);
                 if (folder ? folderSync : fileSync) {
                     errno = EIO;
                     return -1;
                 }
                 return ::fsync(fd);
             },
             [=](int fd) {
                 const int result = ::close(fd);
                 if (close) {
                     errno = EIO;
                     return -1;
                 }
                 return result;
             }});
    }
    ~FailingCalls() { setSafeWriteCalls(m_old); }
    int fileSyncs = 0;
    int folderSyncs = 0;

private:
    SafeWriteCalls m_old;
};

} // namespace

TEST(SafeWrite, DataThatCannotReachTheDiskIsAFailureAndTheOldFileStays)
{
    const struct {
        const char* what;
        bool fileSync, close;
    } cases[] = {{"the file's sync", true, false}, {"the close", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = freshFolder(c.what);
        const QString path = folder + QStringLiteral("/a.txt");
        writeFile(path, "old");
        QString reason;
        {
            const FailingCalls failing(c.fileSync, c.close, false);
            EXPECT_FALSE(writeFileSafely(path, "new", &reason));
        }
        EXPECT_EQ(reason, QStringLiteral("Erro de Leitura ou Gravação no Disco"));
        EXPECT_EQ(readFile(path), QByteArray("old"));
        EXPECT_EQ(entries(folder), QStringList{QStringLiteral("a.txt")});
    }
    // The folder is synced after the file replaced the old one, and a failure there is reported.
    const QString folder = freshFolder("folder sync");
    const QString path = folder + QStringLiteral("/a.txt");
    QString reason;
    {
        FailingCalls counting(false, false, false);
        EXPECT_TRUE(writeFileSafely(path, "one", &reason));
        EXPECT_EQ(counting.fileSyncs, 1);
        EXPECT_EQ(counting.folderSyncs, 1);
    }
    {
        // Unsynced: the contents still replace the old file whole, and nothing waits for the disk.
        FailingCalls counting(false, false, false);
        EXPECT_TRUE(writeFileSafely(path, "unsynced", &reason, SyncToDisk::No));
        EXPECT_EQ(counting.fileSyncs, 0);
        EXPECT_EQ(counting.folderSyncs, 0);
        EXPECT_EQ(readFile(path), QByteArray("unsynced"));
        EXPECT_EQ(entries(folder), QStringList{QStringLiteral("a.txt")});
    }
    {
        const FailingCalls failing(false, true, false);
        EXPECT_FALSE(writeFileSafely(path, "lost close", &reason, SyncToDisk::No));
        EXPECT_EQ(readFile(path), QByteArray("unsynced"));
    }
    {
        const FailingCalls failing(false, false, true);
        EXPECT_FALSE(writeFileSafely(path, "two", &reason));
    }
    EXPECT_EQ(reason, QStringLiteral("Erro de Leitura ou Gravação no Disco"));
}

TEST(SafeWrite, TheReasonIsGivenInPortuguese)
{
    const QString folder = freshFolder("reasons");
    QString reason;
    {
        const lumoria::test::FileSizeLimit limit(10);
        EXPECT_FALSE(writeFileSafely(folder + QStringLiteral("/big.txt"), QByteArray(100, 'b'), &reason));
    }
    EXPECT_EQ(reason, QStringLiteral("Arquivo Grande Demais Para o Disco"));
    EXPECT_FALSE(writeFileSafely(folder + QStringLiteral("/missing/a.txt"), "x", &reason));
    EXPECT_EQ(reason, QStringLiteral("Pasta ou Arquivo Inexistente"));
    QDir().mkpath(folder + QStringLiteral("/pasta"));
    EXPECT_FALSE(writeFileSafely(folder + QStringLiteral("/pasta"), "x", &reason));
    EXPECT_EQ(reason, QStringLiteral("Existe Uma Pasta Com Este Nome"));
    EXPECT_EQ(describeSystemError(ENOSPC), QStringLiteral("Disco Cheio"));
    EXPECT_EQ(describeSystemError(EROFS), QStringLiteral("Disco Somente Para Leitura"));
    EXPECT_EQ(describeSystemError(EACCES), QStringLiteral("Sem Permissão de Acesso"));
}

TEST(SafeWrite, KeepsTheOldFilesPermissionsAndWritesThroughALink)
{
    const QString folder = freshFolder("permissions");
    const QString path = folder + QStringLiteral("/a.txt");
    writeFile(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    ASSERT_TRUE(writeFileSafely(path, "new"));
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(path.toStdString()).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const QString link = folder + QStringLiteral("/link.txt");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(writeFileSafely(link, "through"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(path), QByteArray("through"));
}
