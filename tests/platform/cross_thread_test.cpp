// Calls handed from other threads to a thread's event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <memory>
#include <thread>
#include <vector>

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
