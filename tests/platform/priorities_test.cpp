#include <gtest/gtest.h>

#include "platform/system/priorities.h"

#include <atomic>
#include <future>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

using lumoria::platform::RaisedPriorities;

namespace {

int niceOf(pid_t thread) { return ::getpriority(PRIO_PROCESS, static_cast<id_t>(thread)); }

// Whether this process may lower nice values that far (root, or a nice limit that allows it).
bool mayRaise()
{
    rlimit limit{};
    if (::geteuid() == 0)
        return true;
    return ::getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           20 - static_cast<long>(limit.rlim_cur) <= RaisedPriorities::kThreadNice;
}

} // namespace

TEST(RaisedPriorities, RaisesTheProcessAndMoreTheThreadThenGivesBoth)
{
    ASSERT_EQ(::getpid(), ::gettid()) << "the test runs on the main thread";
    // Another thread of the process, alive for the whole test.
    std::promise<pid_t> started;
    std::atomic<bool> done = false;
    std::thread other([&] {
        started.set_value(::gettid());
        while (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    const pid_t otherId = started.get_future().get();

    const int before = niceOf(::gettid());
    const int otherBefore = niceOf(otherId);
    {
        const RaisedPriorities raised;
        EXPECT_LE(niceOf(::gettid()), before); // never lowered
        EXPECT_LE(niceOf(otherId), otherBefore);
        if (mayRaise() && before > RaisedPriorities::kThreadNice) {
            EXPECT_EQ(niceOf(::gettid()), RaisedPriorities::kThreadNice);
            EXPECT_EQ(niceOf(otherId), RaisedPriorities::kProcessNice);
        }
    }
    EXPECT_EQ(niceOf(::gettid()), before);
    EXPECT_EQ(niceOf(otherId), otherBefore);
    done = true;
    other.join();
}
