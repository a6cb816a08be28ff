#include "platform/graphics/decode_budget.h"

#include "platform/failure.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include <unistd.h>

namespace lumoria::platform {

namespace {

// Decodes below this take no part: ordinary thumbnails and screen copies stay free of the lock.
constexpr std::int64_t kCountedFrom = 8 * 1024 * 1024;
constexpr std::int64_t kLargestBudget = 768LL * 1024 * 1024;

std::int64_t DefaultBudget()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return kLargestBudget;
    return std::min(kLargestBudget, std::int64_t(pages) * pageSize / 4);
}

struct Budget {
    std::mutex mutex;
    std::condition_variable changed;
    std::int64_t limit = DefaultBudget();
    std::int64_t inUse = 0;
    std::int64_t highWater = 0;
    int working = 0; // threads inside a scope and not waiting
    int waiting = 0;
};

Budget& budget()
{
    static Budget b;
    return b;
}

thread_local DecodeScope* tCurrent = nullptr;

std::mutex gCheckpointMutex;
std::shared_ptr<std::function<void()>> gCheckpoint;
std::atomic<bool> gHasCheckpoint{false};

void Give(std::int64_t bytes)
{
    if (bytes <= 0)
        return;
    Budget& b = budget();
    {
        std::lock_guard lock(b.mutex);
        b.inUse -= bytes;
    }
    b.changed.notify_all();
}

} // namespace

DecodeMemory::DecodeMemory(DecodeMemory&& other) noexcept : m_bytes(other.m_bytes)
{
    other.m_bytes = 0;
}

DecodeMemory& DecodeMemory::operator=(DecodeMemory&& other) noexcept
{
    if (this != &other) {
        Release();
        m_bytes = other.m_bytes;
        other.m_bytes = 0;
    }
    return *this;
}

DecodeMemory::~DecodeMemory()
{
    Release();
}

DecodeMemory DecodeMemory::Split(std::int64_t bytes)
{
    DecodeMemory part;
    part.m_bytes = std::clamp<std::int64_t>(bytes, 0, m_bytes);
    m_bytes -= part.m_bytes;
    return part;
}

void DecodeMemory::Release()
{
    Give(m_bytes);
    m_bytes = 0;
}

DecodeScope::DecodeScope(Short whenShort) : DecodeScope(std::function<bool()>())
{
    m_defers = whenShort == Short::Defer;
}

DecodeScope::DecodeScope(std::function<bool()> stopped) : m_outer(tCurrent), m_stopped(std::move(stopped))
{
    tCurrent = this;
    if (!m_outer) {
        Budget& b = budget();
        std::lock_guard lock(b.mutex);
        ++b.working;
    }
}

DecodeScope::~DecodeScope()
{
    tCurrent = m_outer;
    if (m_outer) {
        m_outer->m_took = m_outer->m_took || m_took;
        return;
    }
    Budget& b = budget();
    {
        std::lock_guard lock(b.mutex);
        --b.working;
    }
    b.changed.notify_all();
}

DecodeMemory ReserveDecodeMemory(std::int64_t bytes)
{
    DecodeMemory memory;
    if (bytes < kCountedFrom)
        return memory;
    DecodeScope implicit; // a decode outside any scope is at work while it reserves
    DecodeScope* outermost = tCurrent;
    DecodeScope* defers = nullptr;
    bool took = false;
    for (DecodeScope* s = tCurrent; s; s = s->m_outer) {
        took = took || s->m_took;
        if (s->m_defers && !defers)
            defers = s;
        outermost = s;
    }
    Budget& b = budget();
    std::unique_lock lock(b.mutex);
    if (!took && defers && b.inUse > 0 && b.inUse + bytes > b.limit) {
        defers->m_deferred = true;
        throw InvalidPicture("Picture decode deferred for want of memory");
    }
    if (!took) {
        // This thread holds nothing of the budget: it may wait for the other decodes at work.
        --b.working;
        ++b.waiting;
        b.changed.notify_all(); // a waiter may have been waiting for this thread alone
        while (b.inUse > 0 && b.inUse + bytes > b.limit && b.working > 0) {
            // Checked under the lock: a stop announced by WakeDecodeWaiters cannot slip in between.
            if (DecodeStopped()) {
                ++b.working;
                --b.waiting;
                throw InvalidPicture("Picture decode stopped");
            }
            b.changed.wait(lock);
        }
        ++b.working;
        --b.waiting;
    }
    b.inUse += bytes;
    b.highWater = std::max(b.highWater, b.inUse);
    memory.m_bytes = bytes;
    outermost->m_took = true;
    return memory;
}

bool DecodeStopped()
{
    for (DecodeScope* s = tCurrent; s; s = s->m_outer)
        if (s->m_stopped)
            return s->m_stopped();
    return false;
}

void ThrowIfDecodeStopped()
{
    if (gHasCheckpoint.load(std::memory_order_relaxed)) {
        std::shared_ptr<std::function<void()>> checkpoint;
        {
            std::lock_guard lock(gCheckpointMutex);
            checkpoint = gCheckpoint;
        }
        if (checkpoint && *checkpoint)
            (*checkpoint)();
    }
    if (DecodeStopped())
        throw InvalidPicture("Picture decode stopped");
}

void WakeDecodeWaiters()
{
    Budget& b = budget();
    {
        std::lock_guard lock(b.mutex); // a waiter between its check and its wait sees the change
    }
    b.changed.notify_all();
}

namespace {

// One value of the budget, read under its lock.
template <class T>
T Read(T Budget::*value)
{
    Budget& b = budget();
    std::lock_guard lock(b.mutex);
    return b.*value;
}

} // namespace

std::int64_t DecodeMemoryBudget() { return Read(&Budget::limit); }

std::int64_t DecodeMemoryInUse() { return Read(&Budget::inUse); }

int DecodeMemoryWaiters() { return Read(&Budget::waiting); }

std::int64_t SetDecodeMemoryBudget(std::int64_t bytes)
{
    Budget& b = budget();
    std::int64_t old = 0;
    {
        std::lock_guard lock(b.mutex);
        old = b.limit;
        b.limit = std::max<std::int64_t>(0, bytes);
    }
    b.changed.notify_all();
    return old;
}

std::int64_t DecodeMemoryHighWater() { return Read(&Budget::highWater); }

void ResetDecodeMemoryHighWater()
{
    Budget& b = budget();
    std::lock_guard lock(b.mutex);
    b.highWater = b.inUse;
}

void SetDecodeCheckpointForTesting(std::function<void()> checkpoint)
{
    std::lock_guard lock(gCheckpointMutex);
    gCheckpoint = checkpoint ? std::make_shared<std::function<void()>>(std::move(checkpoint)) : nullptr;
    gHasCheckpoint = bool(gCheckpoint);
}

} // namespace lumoria::platform
