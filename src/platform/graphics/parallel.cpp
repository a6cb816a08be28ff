#include "platform/graphics/parallel.h"

#include <QThread>
#include <QThreadPool>

#include "platform/system/cross_thread.h"

#include <algorithm>
#include <atomic>
#include <cstring>
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
        auto* helper = new PoolTask([&work, &done] {
            work();
            done.count_down();
        });
        handOver(helper);
        if (!pool->tryStart(helper)) {
            delete helper;
            break;
        }
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

namespace lumoria::platform {

RowPipeline::RowPipeline(std::size_t rowBytes, int rowsPerBand, int bands)
    : m_rowBytes(rowBytes), m_rowsPerBand(std::max(1, rowsPerBand))
{
    bands = std::max(2, bands);
    m_bands.resize(std::size_t(bands));
    m_rows.assign(std::size_t(bands), 0);
    for (int i = 0; i < bands; ++i) {
        m_bands[std::size_t(i)].resize(m_rowBytes * std::size_t(m_rowsPerBand));
        m_free.push_back(i);
    }
}

void RowPipeline::Publish(std::unique_lock<std::mutex>&)
{
    if (m_filling >= 0 && m_rows[std::size_t(m_filling)] > 0)
        m_ready.push_back(m_filling);
    else if (m_filling >= 0)
        m_free.push_back(m_filling);
    m_filling = -1;
    m_changed.notify_all();
}

void RowPipeline::Put(const unsigned char* row)
{
    if (unsigned char* slot = Slot()) {
        std::memcpy(slot, row, m_rowBytes);
        Commit();
    }
}

unsigned char* RowPipeline::Slot()
{
    std::unique_lock lock(m_mutex);
    if (m_filling < 0) {
        m_changed.wait(lock, [&] { return m_aborted || !m_free.empty(); });
        if (m_aborted)
            return nullptr;
        m_filling = m_free.front();
        m_free.pop_front();
        m_rows[std::size_t(m_filling)] = 0;
    }
    // The band is the producer's alone until it is published.
    return m_bands[std::size_t(m_filling)].data() + std::size_t(m_rows[std::size_t(m_filling)]) * m_rowBytes;
}

void RowPipeline::Commit()
{
    std::unique_lock lock(m_mutex);
    if (m_filling >= 0 && ++m_rows[std::size_t(m_filling)] == m_rowsPerBand)
        Publish(lock);
}

void RowPipeline::Close()
{
    std::unique_lock lock(m_mutex);
    Publish(lock);
    m_closed = true;
    m_changed.notify_all();
}

const unsigned char* RowPipeline::Take()
{
    std::unique_lock lock(m_mutex);
    if (m_reading >= 0 && m_readRow >= m_rows[std::size_t(m_reading)]) {
        m_free.push_back(m_reading);
        m_reading = -1;
        m_changed.notify_all();
    }
    if (m_reading < 0) {
        m_changed.wait(lock, [&] { return m_aborted || !m_ready.empty() || m_closed; });
        if (m_aborted || m_ready.empty())
            return nullptr;
        m_reading = m_ready.front();
        m_ready.pop_front();
        m_readRow = 0;
    }
    return m_bands[std::size_t(m_reading)].data() + std::size_t(m_readRow++) * m_rowBytes;
}

void RowPipeline::Abort()
{
    std::lock_guard lock(m_mutex);
    m_aborted = true;
    m_changed.notify_all();
}

bool RowPipeline::Aborted() const
{
    std::lock_guard lock(m_mutex);
    return m_aborted;
}

} // namespace lumoria::platform
