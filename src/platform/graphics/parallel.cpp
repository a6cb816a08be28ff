#include "platform/graphics/parallel.h"

#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <exception>
#include <latch>
#include <memory>
#include <mutex>

namespace lumoria::platform {

int PixelThreads()
{
    static const int threads = std::max(1, QThread::idealThreadCount());
    return threads;
}

void ParallelFor(int count, const std::function<void(int)>& body, int maxThreads)
{
    if (count <= 0)
        return;
    int threads = maxThreads > 0 ? std::min(maxThreads, PixelThreads()) : PixelThreads();
    threads = std::min(threads, count);
    if (threads <= 1) {
        for (int i = 0; i < count; ++i)
            body(i);
        return;
    }

    struct Shared {
        std::atomic<int> next{0};
        std::mutex mutex;
        std::exception_ptr failure;
    };
    auto shared = std::make_shared<Shared>();
    auto work = [shared, count, &body] {
        for (int i; (i = shared->next.fetch_add(1)) < count;) {
            try {
                body(i);
            } catch (...) {
                std::lock_guard lock(shared->mutex);
                if (!shared->failure)
                    shared->failure = std::current_exception();
            }
        }
    };

    // Helpers that could not start leave their share to this thread.
    std::latch done(threads - 1);
    int started = 0;
    QThreadPool* pool = QThreadPool::globalInstance();
    for (int t = 1; t < threads; ++t) {
        if (!pool->tryStart([&work, &done] {
                work();
                done.count_down();
            }))
            break;
        ++started;
    }
    for (int t = started; t < threads - 1; ++t)
        done.count_down();
    work();
    done.wait();
    if (shared->failure)
        std::rethrow_exception(shared->failure);
}

} // namespace lumoria::platform
