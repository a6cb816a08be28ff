// The single-instance lock, seen from other processes: this test program started again as a child
// that tries or holds the lock (the child's work runs before main, see kChildHook).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "platform/system/single_instance.h"
#include "support/test_files.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

using namespace lumoria::platform;
using Result = SingleInstanceLock::Result;

namespace {

constexpr char kModeVariable[] = "LUMORIA_LOCK_CHILD";
constexpr char kFolderVariable[] = "LUMORIA_LOCK_FOLDER";
constexpr char kNameVariable[] = "LUMORIA_LOCK_NAME";

// In a child: "try" exits with 0 (taken), 1 (held elsewhere) or 2 (unavailable); "hold" takes the
// lock, says so and waits to be killed.
const int kChildHook = [] {
    const char* mode = std::getenv(kModeVariable);
    if (!mode)
        return 0;
    SingleInstanceLock lock;
    const Result result = lock.tryAcquire(QString::fromUtf8(std::getenv(kNameVariable)),
                                          QString::fromUtf8(std::getenv(kFolderVariable)));
    if (std::string(mode) == "hold" && result == Result::Acquired) {
        std::fputs("held\n", stdout);
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    std::_Exit(result == Result::Acquired ? 0 : result == Result::HeldElsewhere ? 1 : 2);
}();

void startChild(QProcess& child, const char* mode, const QString& name, const QString& folder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kModeVariable), QLatin1String(mode));
    env.insert(QLatin1String(kNameVariable), name);
    env.insert(QLatin1String(kFolderVariable), folder);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(child.waitForStarted());
}

int childTries(const QString& name, const QString& folder)
{
    QProcess child;
    startChild(child, "try", name, folder);
    EXPECT_TRUE(child.waitForFinished(30000));
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

} // namespace

TEST(SingleInstanceLock, LivesInTheRuntimeFolderNamedAfterTheTitle)
{
    EXPECT_EQ(kChildHook, 0);
    const QString runtime = lumoria::test::home() + QStringLiteral("/runtime");
    EXPECT_EQ(runtimeFolder(), runtime);
    EXPECT_EQ(SingleInstanceLock::lockFilePath(QStringLiteral("Lumoria v1.0")), runtime + QStringLiteral("/Lumoria v1.0.lock"));
    EXPECT_EQ(SingleInstanceLock::lockFilePath(QStringLiteral("a/b"), QStringLiteral("/f")), QStringLiteral("/f/a_b.lock"));
}

TEST(SingleInstanceLock, AnotherProcessIsRefusedWhileTheLockIsHeld)
{
    const QString folder = lumoria::test::freshFolder(QStringLiteral("lock-other"));
    const QString name = QStringLiteral("Lumoria v1.0");
    SingleInstanceLock lock;
    ASSERT_EQ(lock.tryAcquire(name, folder), Result::Acquired);
    EXPECT_EQ(lock.tryAcquire(name, folder), Result::Acquired); // taking it again does nothing
    EXPECT_EQ(childTries(name, folder), 1);
    EXPECT_EQ(childTries(QStringLiteral("Lumoria v2.0"), folder), 0); // another version
    lock.release();
    EXPECT_FALSE(lock.isHeld());
    EXPECT_EQ(childTries(name, folder), 0);
    EXPECT_TRUE(QFile::exists(SingleInstanceLock::lockFilePath(name, folder)));
}

TEST(SingleInstanceLock, AKilledCopyDoesNotBlockTheNext)
{
    const QString folder = lumoria::test::freshFolder(QStringLiteral("lock-killed"));
    const QString name = QStringLiteral("Lumoria v1.0");
    QProcess holder;
    startChild(holder, "hold", name, folder);
    ASSERT_TRUE(holder.waitForReadyRead(30000));
    ASSERT_EQ(holder.readLine(), QByteArray("held\n"));

    SingleInstanceLock lock;
    EXPECT_EQ(lock.tryAcquire(name, folder), Result::HeldElsewhere);
    EXPECT_FALSE(lock.isHeld());

    holder.kill(); // SIGKILL: nothing of the copy runs at its end
    ASSERT_TRUE(holder.waitForFinished(30000));
    EXPECT_EQ(lock.tryAcquire(name, folder), Result::Acquired);
}

TEST(SingleInstanceLock, NoLockWhereNoLockFileCanBeMade)
{
    const QString folder = lumoria::test::freshFolder(QStringLiteral("lock-unavailable"));
    SingleInstanceLock lock;
    EXPECT_EQ(lock.tryAcquire(QStringLiteral("x"), folder + QStringLiteral("/missing")), Result::Unavailable);
    EXPECT_EQ(lock.tryAcquire(QStringLiteral("x"), QString()), Result::Unavailable);
    // A link planted where the lock file goes is not followed.
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("/elsewhere"), folder + QStringLiteral("/y.lock")));
    EXPECT_EQ(lock.tryAcquire(QStringLiteral("y"), folder), Result::Unavailable);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/elsewhere")));
    EXPECT_FALSE(lock.isHeld());
}
