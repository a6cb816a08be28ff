// Calls handed from other threads to a thread's event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <atomic>
#include <string>
#include <memory>
#include <thread>
#include <vector>

#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/system/cross_thread.h"

using namespace lumoria::platform;

TEST(CrossThreadCalls, RunOnTheirOwnThreadInTheOrderPostedAndAreDroppedWithIt)
{
    std::vector<int> ran;
    std::vector<QThread*> threads;
    {
        CrossThreadCalls calls;
        std::thread poster([&calls, &ran, &threads] {
            for (int i = 1; i <= 3; ++i)
                calls.post([i, &ran, &threads] {
                    ran.push_back(i);
                    threads.push_back(QThread::currentThread());
                });
        });
        poster.join();
        EXPECT_TRUE(ran.empty()) << "run from the event loop, not by the poster";
        const QDeadlineTimer deadline(10000);
        while (ran.size() < 3 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(threads, std::vector<QThread*>(3, QThread::currentThread()));

        // Still waiting when the receiver goes: never run, and what it held is released.
        auto held = std::make_shared<int>(7);
        auto dropped = std::make_unique<CrossThreadCalls>();
        dropped->post([held, &ran] { ran.push_back(99); });
        EXPECT_EQ(held.use_count(), 2);
        dropped.reset();
        EXPECT_EQ(held.use_count(), 1);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

// A side thread runs its work on a CPU other than its creator's whenever the process may use
// another, and its destructor waits for the work. The creator is held to each set of CPUs in turn.
TEST(SideThread, StartsOffItsCreatorsCpuAndIsWaitedFor)
{
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    std::vector<int> cpus;
    for (int c = 0; c < CPU_SETSIZE && int(cpus.size()) < 3; ++c)
        if (CPU_ISSET(c, &allowed))
            cpus.push_back(c);
    if (cpus.size() < 2)
        GTEST_SKIP() << "one CPU only";

    struct Case {
        const char* name;
        std::vector<int> creator; // the CPUs the creator is held to
        bool others;              // whether the work must be off the creator's CPU
    };
    const Case cases[] = {
        {"two CPUs", {cpus[0], cpus[1]}, true},
        {"all three", cpus, true},
        {"a single CPU: the work is done at once, there", {cpus[0]}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cpu_set_t set;
        CPU_ZERO(&set);
        for (int cpu : c.creator)
            CPU_SET(cpu, &set);
        ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof set, &set), 0);
        cpu_set_t workSet;
        CPU_ZERO(&workSet);
        // The work on a thread of its own holds until the creator is about to let it go, so a
        // destructor that did not wait would find it unfinished.
        std::atomic<bool> go = !c.others;
        std::atomic<bool> done = false;
        bool doneAtOnce = false;
        {
            SideThread side([&] {
                sched_getaffinity(0, sizeof workSet, &workSet);
                while (!go)
                    std::this_thread::yield();
                for (int k = 0; k < 1000; ++k)
                    std::this_thread::yield();
                done = true;
            });
            doneAtOnce = done;
            go = true;
        }
        EXPECT_TRUE(done) << "the destructor waits for the work";
        EXPECT_EQ(doneAtOnce, !c.others);
        // Off the one CPU the creator was on, whichever it was: all the others of its set.
        EXPECT_EQ(CPU_COUNT(&workSet), int(c.creator.size()) - (c.others ? 1 : 0));
        CPU_AND(&workSet, &workSet, &set);
        EXPECT_EQ(CPU_COUNT(&workSet), int(c.creator.size()) - (c.others ? 1 : 0)) << "within the creator's set";
    }
    pthread_setaffinity_np(pthread_self(), sizeof allowed, &allowed);
}

// Work given later follows what the side thread was given, in order, off the giver's thread: on the
// same thread while it still has work, on a thread started again once it ran out; a process held to
// one CPU does it at once. The destructor waits for all of it.
TEST(SideThread, WorkGivenLaterFollowsInOrder)
{
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    int first = -1;
    for (int c = 0; c < CPU_SETSIZE && first < 0; ++c)
        if (CPU_ISSET(c, &allowed))
            first = c;
    const bool several = CPU_COUNT(&allowed) > 1;

    struct Case {
        const char* name;
        bool oneCpu;
        bool ranOutFirst; // the thread has done its first work before more is given
    };
    const Case cases[] = {
        {"given while the first work runs", false, false},
        {"given after the thread ran out of work", false, true},
        {"one CPU: each at once, here", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.oneCpu && !several)
            continue;
        if (c.oneCpu) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(first, &one);
            ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof one, &one), 0);
        }
        std::vector<int> order;
        std::vector<pid_t> ranOn; // kernel thread ids, never reused at once
        std::atomic<bool> go = c.oneCpu || c.ranOutFirst;
        std::atomic<int> done = 0;
        std::vector<int> doneOnReturn;
        {
            SideThread side([&] {
                while (!go)
                    std::this_thread::yield();
                order.push_back(1);
                ranOn.push_back(pid_t(::syscall(SYS_gettid)));
                ++done;
            });
            doneOnReturn.push_back(done);
            if (c.ranOutFirst) {
                while (done < 1)
                    std::this_thread::yield();
                // Until the thread has ended: the later work then finds no thread taking work.
                const std::string task = "/proc/self/task/" + std::to_string(ranOn.at(0));
                while (::access(task.c_str(), F_OK) == 0)
                    std::this_thread::yield();
            }
            side.Then([&] {
                order.push_back(2);
                ranOn.push_back(pid_t(::syscall(SYS_gettid)));
                ++done;
            });
            doneOnReturn.push_back(done);
            go = true;
        }
        EXPECT_EQ(order, (std::vector<int>{1, 2}));
        EXPECT_EQ(done, 2) << "the destructor waits for all the work";
        ASSERT_EQ(ranOn.size(), 2u);
        const auto here = pid_t(::syscall(SYS_gettid));
        if (c.oneCpu) {
            EXPECT_EQ(ranOn, (std::vector<pid_t>{here, here}));
            EXPECT_EQ(doneOnReturn, (std::vector<int>{1, 2}));
        } else {
            EXPECT_NE(ranOn[0], here);
            EXPECT_NE(ranOn[1], here);
            if (!c.ranOutFirst)
                EXPECT_EQ(ranOn[0], ranOn[1]) << "the same thread while it still had work";
        }
        pthread_setaffinity_np(pthread_self(), sizeof allowed, &allowed);
    }
}
