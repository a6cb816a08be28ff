#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include "platform/ui/modal_runner.h"
#include "platform/ui/termination.h"

using namespace lumoria::platform;

namespace {

class Refusing : public QWidget {
public:
    bool refuse = true;
    int closeAttempts = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++closeAttempts;
        if (refuse)
            e->ignore();
    }
};

// A test that asks the program to end must not leave that request to the next one.
class ModalRunner : public ::testing::Test {
protected:
    void TearDown() override { clearTerminationRequest(); }
};

} // namespace

TEST_F(ModalRunner, ReturnsTheResultGivenAndHidesTheWindow)
{
    QWidget w;
    bool sawModal = false;
    QTimer::singleShot(0, [&] {
        sawModal = isRunningModal(&w) && w.isVisible() && w.isModal();
        endModal(&w, 6);
    });
    EXPECT_EQ(runModal(&w), 6);
    EXPECT_TRUE(sawModal);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    EXPECT_FALSE(isRunningModal(&w));
}

TEST_F(ModalRunner, SurvivesHidingAndShowingTheWindow)
{
    QWidget w;
    bool runningWhileHidden = false;
    bool visibleAgain = false;
    QTimer::singleShot(0, [&] { w.hide(); });
    QTimer::singleShot(20, [&] {
        runningWhileHidden = isRunningModal(&w) && !w.isVisible();
        w.show();
    });
    QTimer::singleShot(40, [&] {
        visibleAgain = w.isVisible();
        endModal(&w, 7);
    });
    EXPECT_EQ(runModal(&w), 7);
    EXPECT_TRUE(runningWhileHidden);
    EXPECT_TRUE(visibleAgain);
}

TEST_F(ModalRunner, ClosingOrDestroyingTheWindowAnswersCancel)
{
    QWidget w;
    QTimer::singleShot(0, [&] { w.close(); });
    EXPECT_EQ(runModal(&w), kModalCancel);
    auto* destroyed = new QWidget;
    QTimer::singleShot(0, [&] { delete destroyed; });
    EXPECT_EQ(runModal(destroyed), kModalCancel);
}

TEST_F(ModalRunner, ARefusedCloseLeavesTheWaitRunning)
{
    Refusing w;
    bool stillRunning = false;
    // Each step queued by the one before it, so that the hide comes after the refused close has been
    // dealt with, however late the loop runs.
    QTimer::singleShot(0, [&] {
        w.close();
        QTimer::singleShot(0, [&] {
            w.hide();
            QTimer::singleShot(0, [&] {
                stillRunning = isRunningModal(&w);
                w.show();
                endModal(&w, 6);
            });
        });
    });
    EXPECT_EQ(runModal(&w), 6);
    EXPECT_EQ(w.closeAttempts, 1);
    EXPECT_TRUE(stillRunning);
}

TEST_F(ModalRunner, NestedWaitsEndInTurn)
{
    QWidget outer, inner;
    int innerResult = -1;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            endModal(&outer, 5);  // takes effect once the inner wait is over
            endModal(&inner, 6);
        });
        innerResult = runModal(&inner);
    });
    EXPECT_EQ(runModal(&outer), 5);
    EXPECT_EQ(innerResult, 6);
}

TEST_F(ModalRunner, ARequestToEndTheProgramEndsTheWait)
{
    QWidget w;
    QTimer::singleShot(0, [] { requestTermination(); });
    EXPECT_EQ(runModal(&w), kModalCancel);
    EXPECT_TRUE(terminationRequested());
    // Once ending, a new modal window is not even shown.
    QWidget later;
    EXPECT_EQ(runModal(&later), kModalCancel);
    EXPECT_FALSE(later.isVisible());
    EXPECT_FALSE(isRunningModal(&later));
    clearTerminationRequest();
}
