#include "platform/ui/responsive_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>
#include <thread>

#include "platform/system/cross_thread.h"

namespace lumoria::platform {

void RunResponsive(const std::function<void()>& work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        work();
        return;
    }
    QEventLoop loop;
    CrossThreadCalls toThisThread;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued, so that the loop below is running (or about to) when it quits.
        toThisThread.post([&loop] { loop.quit(); });
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace lumoria::platform
