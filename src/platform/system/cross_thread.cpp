#include "platform/system/cross_thread.h"

#include <QCoreApplication>

#include <pthread.h>
#include <sched.h>

#if defined(__SANITIZE_THREAD__)
#define LUMORIA_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define LUMORIA_THREAD_SANITIZER 1
#endif
#endif

#ifdef LUMORIA_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace lumoria::platform {

void handOver(const void* token)
{
#ifdef LUMORIA_THREAD_SANITIZER
    __tsan_release(const_cast<void*>(token));
#else
    (void)token;
#endif
}

void takeOver(const void* token)
{
#ifdef LUMORIA_THREAD_SANITIZER
    __tsan_acquire(const_cast<void*>(token));
#else
    (void)token;
#endif
}

// The pool deletes a finished task on its own thread.
PoolTask::~PoolTask() { takeOver(this); }

void PoolTask::run()
{
    takeOver(this);
    m_work();
    // Whatever the work left behind is the deleting thread's next.
    handOver(this);
}

SideThread::SideThread(std::function<void()> work)
{
    m_work.push_back(std::move(work));
    Start();
}

// Takes the queued work on a new thread, or here when there is no CPU or thread to be had for it.
void SideThread::Start()
{
    cpu_set_t cpus;
    const int here = sched_getcpu();
    if (sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) < 2) {
        Run(this); // one CPU: the caller would only wait for it while the work ran
        return;
    }
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    if (here >= 0 && CPU_ISSET(here, &cpus)) {
        CPU_CLR(here, &cpus);
        pthread_attr_setaffinity_np(&attr, sizeof cpus, &cpus);
    }
    m_running = true;
    m_started = pthread_create(&m_thread, &attr, &SideThread::Run, this) == 0;
    pthread_attr_destroy(&attr);
    if (!m_started)
        Run(this); // no thread to be had: the work is done here
}

void* SideThread::Run(void* self)
{
    auto* t = static_cast<SideThread*>(self);
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(t->m_mutex);
            if (t->m_work.empty()) {
                t->m_running = false;
                return nullptr;
            }
            work = std::move(t->m_work.front());
            t->m_work.pop_front();
        }
        work();
    }
}

void SideThread::Then(std::function<void()> work)
{
    {
        std::lock_guard lock(m_mutex);
        m_work.push_back(std::move(work));
        if (m_running)
            return;
    }
    Join(); // the thread that ran out of work
    Start();
}

void SideThread::Join()
{
    if (m_started)
        pthread_join(m_thread, nullptr);
    m_started = false;
}

SideThread::~SideThread() { Join(); }

namespace {

class CallEvent final : public QEvent {
public:
    explicit CallEvent(std::function<void()> call) : QEvent(type()), m_call(std::move(call)) {}
    // Also when the call is dropped unrun, on whichever thread drops it.
    ~CallEvent() override { takeOver(this); }
    void run()
    {
        takeOver(this);
        m_call();
    }
    static QEvent::Type type()
    {
        static const auto kType = QEvent::Type(QEvent::registerEventType());
        return kType;
    }

private:
    std::function<void()> m_call;
};

} // namespace

void CrossThreadCalls::post(std::function<void()> call)
{
    auto* event = new CallEvent(std::move(call));
    handOver(event);
    QCoreApplication::postEvent(this, event);
}

bool CrossThreadCalls::event(QEvent* event)
{
    // Before anything of the event is read (its type too): a call's event was written on the posting
    // thread. Other events were never handed over, and taking them over orders nothing.
    takeOver(event);
    if (event->type() != CallEvent::type())
        return QObject::event(event);
    static_cast<CallEvent*>(event)->run();
    return true;
}

} // namespace lumoria::platform
