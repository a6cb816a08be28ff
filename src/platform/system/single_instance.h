#pragma once
// One copy of a program at a time: a lock on a file of the per-user runtime folder. The system
// releases the lock when the process ends in any way, so a copy that crashed never blocks the next.
#include <QString>

#include "platform/shell/special_folders.h"

namespace lumoria::platform {

class SingleInstanceLock {
public:
    enum class Result {
        Acquired,      // this object holds the lock now
        HeldElsewhere, // another process (or another lock object) holds it
        Unavailable,   // the lock file could not be opened: nothing can be told
    };

    SingleInstanceLock() = default;
    ~SingleInstanceLock() { release(); }
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // The lock file for a name: "<folder>/<name>.lock", any "/" of the name made "_".
    static QString lockFilePath(const QString& name, const QString& folder = runtimeFolder());

    // Takes the lock of that name, not waiting for it. Taking it again while held does nothing.
    Result tryAcquire(const QString& name, const QString& folder = runtimeFolder());
    bool isHeld() const { return m_fd >= 0; }
    // Gives the lock up; the file stays, so that no other copy locks a file about to vanish.
    void release();

private:
    int m_fd = -1;
};

} // namespace lumoria::platform
