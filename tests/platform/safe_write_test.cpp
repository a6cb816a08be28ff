// Whole-file writes that never leave a short file behind, also when the disk refuses in the middle.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/file.h>
#include <sys/wait.h>

#include <fcntl.h>
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

// A file a.txt holding "old", alone in a fresh folder of that name.
QString oldFile(const char* folderName)
{
    const QString path = freshFolder(folderName) + QStringLiteral("/a.txt");
    writeFile(path, "old");
    return path;
}

// What stands beside the file, the file included.
QStringList besides(const QString& path) { return entries(QFileInfo(path).path()); }

} // namespace

TEST(SafeWrite, WritesANewFileAndReplacesAnOldOneKeepingItsPermissionsAndLinks)
{
    const QString folder = freshFolder("replace");
    const QString path = folder + QStringLiteral("/a.txt");
    EXPECT_TRUE(writeFileSafely(path, "first"));
    EXPECT_EQ(readFile(path), QByteArray("first"));
    EXPECT_TRUE(writeFileSafely(path, "2"));
    EXPECT_EQ(readFile(path), QByteArray("2"));
    EXPECT_EQ(entries(folder), QStringList{QStringLiteral("a.txt")});
    // The old file's permissions stay, and a link is written through.
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

TEST(SafeWrite, AWriteCutShortKeepsTheOldFile)
{
    const QString path = oldFile("cut");
    QString reason;
    bool written = true;
    {
        const lumoria::test::FileSizeLimit limit(1000);
        written = writeFileSafely(path, QByteArray(5000, 'n'), &reason);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readFile(path), QByteArray("old"));
    EXPECT_EQ(besides(path), QStringList{QStringLiteral("a.txt")});
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
             },
             {}});
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
        const QString path = oldFile(c.what);
        QString reason;
        {
            const FailingCalls failing(c.fileSync, c.close, false);
            EXPECT_FALSE(writeFileSafely(path, "new", &reason));
        }
        EXPECT_EQ(reason, QStringLiteral("Erro de Leitura ou Gravação no Disco"));
        EXPECT_EQ(readFile(path), QByteArray("old"));
        EXPECT_EQ(besides(path), QStringList{QStringLiteral("a.txt")});
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
        EXPECT_EQ(besides(path), QStringList{QStringLiteral("a.txt")});
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

    // A read-only file is refused also for the administrator, and stays.
    const QString path = oldFile("read-only");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    EXPECT_FALSE(writeFileSafely(path, "new", &reason));
    EXPECT_EQ(reason, QStringLiteral("Arquivo Somente Para Leitura"));
    EXPECT_EQ(readFile(path), QByteArray("old"));
    EXPECT_EQ(besides(path), QStringList{QStringLiteral("a.txt")});
}

namespace {

enum class Temporary { Unnamed, Named };

// The system's calls, with files without a name refused as by a file system that has none.
SafeWriteCalls callsFor(Temporary kind)
{
    SafeWriteCalls calls;
    if (kind == Temporary::Named)
        calls.openUnnamed = [](const char*) {
            errno = EOPNOTSUPP;
            return -1;
        };
    return calls;
}

// Saves in a child process that is killed once everything is written, before the file replaces
// the old one: a save cut short by a crash, a kill or a power cut.
void saveKilledMidway(const QString& path, Temporary kind)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SafeWriteCalls calls = callsFor(kind);
        calls.sync = [](int) { return ::kill(::getpid(), SIGKILL); };
        setSafeWriteCalls(calls);
        writeFileSafely(path, QByteArray(200000, 'k'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

} // namespace

TEST(SafeWrite, ASaveCutShortLeavesNothingBehindOnceTheNextSaveRan)
{
    const struct {
        const char* what;
        Temporary kind;
        int leftByTheKill; // entries beside a.txt right after the kill
    } cases[] = {{"unnamed temporary", Temporary::Unnamed, 0}, {"named temporary", Temporary::Named, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = oldFile(c.what);
        saveKilledMidway(path, c.kind);
        saveKilledMidway(path, c.kind);
        // Each save removes what the one before left: at most one temporary stands.
        EXPECT_EQ(besides(path).size(), 1 + c.leftByTheKill);
        EXPECT_EQ(readFile(path), QByteArray("old"));
        const SafeWriteCalls old = setSafeWriteCalls(callsFor(c.kind));
        EXPECT_TRUE(writeFileSafely(path, "new"));
        setSafeWriteCalls(old);
        EXPECT_EQ(besides(path), QStringList{QStringLiteral("a.txt")});
        EXPECT_EQ(readFile(path), QByteArray("new"));
    }
}

TEST(SafeWrite, TheCleanUpTakesOnlyAbandonedTemporariesOfTheSameFile)
{
    const QString folder = freshFolder("clean-up");
    const QString path = folder + QStringLiteral("/a.txt");
    const QStringList kept{QStringLiteral(".a.txt.tmp"),      QStringLiteral(".a.txt.tmpABC"),
                           QStringLiteral(".a.txt.tmp-1"),    QStringLiteral(".b.txt.tmp1x2"),
                           QStringLiteral("a.txt.tmp1x2"),    QStringLiteral(".a.txt.tmp1x2y3z4a5b6c7d8")};
    for (const QString& name : kept)
        writeFile(folder + QLatin1Char('/') + name, "someone's");
    writeFile(folder + QStringLiteral("/.a.txt.tmpstale1"), "abandoned");
    // Another save of the same file, still writing: its temporary is locked.
    const QString live = folder + QStringLiteral("/.a.txt.tmplive2");
    writeFile(live, "in progress");
    const int fd = ::open(QFile::encodeName(live).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_TRUE(writeFileSafely(path, "new"));
    ::close(fd);
    QStringList expected = kept;
    expected << QStringLiteral(".a.txt.tmplive2") << QStringLiteral("a.txt");
    expected.sort();
    QStringList found = entries(folder);
    found.sort();
    EXPECT_EQ(found, expected);
}
