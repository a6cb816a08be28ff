// Long work off the GUI thread: the window's timers and painting go on meanwhile, and the work's
// failure reaches the caller.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/ui/responsive_wait.h"

#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

using namespace lumoria::platform;

TEST(ResponsiveWait, TimersRunDuringTheWork)
{
    std::atomic<bool> timerRan{false};
    // The work ends only once the GUI thread has run the timer: a frozen thread would never end it.
    QTimer::singleShot(10, [&] { timerRan = true; });
    RunResponsive([&] {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!timerRan && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    EXPECT_TRUE(timerRan);
}

TEST(ResponsiveWait, AFailureOfTheWorkIsRaisedToTheCaller)
{
    EXPECT_THROW(RunResponsive([] { throw lumoria::InvalidPicture("broken"); }), lumoria::InvalidPicture);
    int ran = 0;
    std::thread([&] { RunResponsive([&] { ++ran; }); }).join(); // off the GUI thread: in place
    EXPECT_EQ(ran, 1);
}
