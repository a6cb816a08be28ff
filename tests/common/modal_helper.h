#pragma once
// Answers a modal window from the event loop: the action runs on the first modal window that shows
// up (within a few seconds) and that the test accepts, and the test can check what the window
// looked like.
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace lumoria::test {

inline void WhenModal(std::function<void(QWidget*)> action,
                      std::function<bool(QWidget*)> accepted = [](QWidget*) { return true; })
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, accepted, timer, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && accepted(modal)) {
            action(modal);
            *poll = nullptr; // break the cycle
            return;
        }
        if (timer->elapsed() > 5000) {
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, [poll] {
            if (*poll)
                (*poll)();
        });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

template <typename Form>
Form* As(QWidget* w)
{
    return qobject_cast<Form*>(w);
}

} // namespace lumoria::test
