#include <gtest/gtest.h>

#include <QPushButton>
#include <QStringList>

#include "platform/failure.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/termination.h"

using namespace lumoria::platform;

namespace {

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = setFailureHandler([this](const QString& m) { messages.append(m); });
    }
    void TearDown() override
    {
        setFailureHandler(m_previous);
        clearTerminationRequest();
    }
    QStringList messages;

private:
    FailureHandler m_previous;
};

struct NotAnException {};

} // namespace

TEST_F(Dispatch, AThrowingHandlerReachesTheFailureHandlerWithItsMessage)
{
    const struct {
        const char* what;
        std::function<void()> handler;
        QString message;
    } cases[] = {
        {"our failure", [] { throw lumoria::FileInUse("/tmp/x.pvo"); },
         QString::fromUtf8("O arquivo já está sendo usado por outro processo: /tmp/x.pvo")},
        {"exhausted memory", [] { throw std::bad_alloc(); }, QString::fromUtf8(lumoria::OutOfMemory().what())},
        {"not an exception class", [] { throw NotAnException(); }, "Unknown exception"},
        {"another exception", [] { throw std::runtime_error("Range check error"); }, "Range check error"},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(runGuarded(c.handler)) << c.what;
        EXPECT_EQ(messages, QStringList{c.message}) << c.what;
    }
    bool after = false;
    EXPECT_TRUE(runGuarded([&] { after = true; }));
    EXPECT_TRUE(after);
    EXPECT_FALSE(terminationRequested());
}

TEST_F(Dispatch, AFailureWhileTheHandlerRunsAHandlerThatThrowsOrNoneEndsTheProgram)
{
    int calls = 0;
    setFailureHandler([&](const QString& m) {
        ++calls;
        messages.append(m);
        runGuarded([] { throw lumoria::Failure("second"); });
        EXPECT_TRUE(reportingFailure());
    });
    runGuarded([] { throw lumoria::Failure("first"); });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(messages, QStringList{"first"});
    EXPECT_TRUE(terminationRequested());
    EXPECT_FALSE(reportingFailure());

    // A handler that throws, or none at all, ends the program too.
    clearTerminationRequest();
    setFailureHandler([](const QString&) { throw std::runtime_error("handler broke"); });
    EXPECT_FALSE(runGuarded([] { throw lumoria::Failure("x"); }));
    EXPECT_TRUE(terminationRequested());
    EXPECT_FALSE(reportingFailure());
    clearTerminationRequest();
    setFailureHandler(nullptr);
    runGuarded([] { throw lumoria::Failure("nobody listens"); });
    EXPECT_TRUE(terminationRequested());
}

TEST_F(Dispatch, GuardedConnectionsPassArgumentsAndCatch)
{
    QPushButton button;
    button.setCheckable(true);
    QList<bool> seen;
    connectGuarded(&button, &QPushButton::toggled, &button, [&](bool on) {
        seen.append(on);
        if (on)
            throw lumoria::Failure("toggled on");
    });
    int clicks = 0;
    connectGuarded(&button, &QPushButton::clicked, &button, [&] { ++clicks; });
    button.toggle();
    button.toggle();
    button.click();
    EXPECT_EQ(seen, (QList<bool>{true, false, true}));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(messages, (QStringList{"toggled on", "toggled on"}));
}
