#pragma once
// What every picture decode of the process answers to, whatever the thread and the kind of file:
// one memory budget that all decodes share, and the stop of a decode whose picture nobody wants any
// more.
//
// A decode works inside a DecodeScope and, once its header tells what it will allocate, takes that
// much from the budget (ReserveDecodeMemory) before allocating. When other decodes at work hold what
// it lacks it waits for them; it never waits while it holds memory of the budget itself, nor for
// memory that no decode at work will give back (pictures already made and kept), so no set of
// decodes can wait on each other: a decode larger than the whole budget runs once nothing else
// decodes.
#include <QImage>

#include <cstdint>
#include <functional>

namespace lumoria::platform {

// Memory taken from the decode budget, given back when destroyed.
class DecodeMemory {
public:
    DecodeMemory() = default;
    DecodeMemory(DecodeMemory&& other) noexcept;
    DecodeMemory& operator=(DecodeMemory&& other) noexcept;
    DecodeMemory(const DecodeMemory&) = delete;
    DecodeMemory& operator=(const DecodeMemory&) = delete;
    ~DecodeMemory();

    std::int64_t Bytes() const { return m_bytes; }
    // Moves up to `bytes` of this memory into a memory of its own (the part a result keeps).
    DecodeMemory Split(std::int64_t bytes);
    void Release();

private:
    friend DecodeMemory ReserveDecodeMemory(std::int64_t bytes);
    std::int64_t m_bytes = 0;
};

// Decodes of a thread within one piece of work: a thread that took memory in its scope never waits
// for more until the outermost scope ends. Scopes nest; the innermost stop condition given wins.
class DecodeScope {
public:
    // What a decode of the scope that does not fit at once does.
    enum class Short {
        Wait,
        Defer, // gives up at once (for work done ahead, that can be done again when needed)
    };

    explicit DecodeScope(Short whenShort = Short::Wait);
    // `stopped` says, from any point of the decode, that its picture is no longer wanted.
    explicit DecodeScope(std::function<bool()> stopped);
    ~DecodeScope();
    DecodeScope(const DecodeScope&) = delete;
    DecodeScope& operator=(const DecodeScope&) = delete;

    // Whether a decode of a deferring scope gave up for want of memory.
    bool Deferred() const { return m_deferred; }

private:
    DecodeScope* m_outer = nullptr;
    std::function<bool()> m_stopped;
    bool m_defers = false;
    bool m_deferred = false;
    bool m_took = false;
    friend DecodeMemory ReserveDecodeMemory(std::int64_t bytes);
    friend bool DecodeStopped();
};

// Takes `bytes` for the decode at work on this thread (see above); small amounts are not counted.
// Raises InvalidPicture when the scope's picture is no longer wanted while it waits, or when it is
// short of memory in a deferring scope.
DecodeMemory ReserveDecodeMemory(std::int64_t bytes);

// Whether the innermost scope of this thread says its picture is no longer wanted.
bool DecodeStopped();
// Raises DecodeStoppedFailure when so; decoders call it as they go (each row, each scan).
void ThrowIfDecodeStopped();

// Wakes decodes waiting for memory, so that those no longer wanted see it and end.
void WakeDecodeWaiters();

// The budget in bytes (a quarter of the memory, at most 768 MB, unless set) and what is held of it.
std::int64_t DecodeMemoryBudget();
std::int64_t DecodeMemoryInUse();
// How many decodes wait for memory now.
int DecodeMemoryWaiters();
// Returns the budget it replaces.
std::int64_t SetDecodeMemoryBudget(std::int64_t bytes);
// The most held of the budget at once since the last reset (for tests of what runs side by side).
std::int64_t DecodeMemoryHighWater();
void ResetDecodeMemoryHighWater();

// Called at every check of ThrowIfDecodeStopped, on the decoding thread; for tests that must hold a
// decode at a known point. Null removes it.
void SetDecodeCheckpointForTesting(std::function<void()> checkpoint);

} // namespace lumoria::platform
