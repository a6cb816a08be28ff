#include "platform/system/priorities.h"

#include <QDir>
#include <QStringList>

#include <cerrno>
#include <optional>

#include <sys/resource.h>
#include <unistd.h>

namespace lumoria::platform {

namespace {

// On Linux every thread has its own nice value; the process's priority is that of all its threads.
QList<int> processThreads()
{
    QList<int> ids;
    const QStringList entries = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool ok = false;
        const int id = entry.toInt(&ok);
        if (ok)
            ids << id;
    }
    return ids;
}

std::optional<int> niceOf(int thread)
{
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    if (nice == -1 && errno != 0)
        return std::nullopt;
    return nice;
}

void raiseTo(int thread, int nice)
{
    const std::optional<int> current = niceOf(thread);
    if (current && *current > nice)
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice);
}

} // namespace

RaisedPriorities::RaisedPriorities() : m_thread(static_cast<int>(::gettid()))
{
    const std::optional<int> thread = niceOf(m_thread);
    const std::optional<int> process = niceOf(static_cast<int>(::getpid()));
    if (!thread || !process)
        return;
    m_known = true;
    m_threadNice = *thread;
    m_processNice = *process;
    for (int id : processThreads())
        raiseTo(id, kProcessNice);
    raiseTo(m_thread, kThreadNice);
}

RaisedPriorities::~RaisedPriorities()
{
    if (!m_known)
        return;
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(m_thread), m_threadNice);
    for (int id : processThreads()) {
        if (id != m_thread)
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(id), m_processNice);
    }
}

} // namespace lumoria::platform
