#pragma once
// Handing work and results between threads through Qt (its thread pool, its event queue) in a way
// ThreadSanitizer can follow: Qt is not built with it, so the locks inside Qt that order such a
// hand-off are invisible to it and every hand-off would look like a race.
#include <QEvent>
#include <QObject>
#include <QRunnable>

#include <deque>
#include <functional>
#include <mutex>

#include <pthread.h>

namespace lumoria::platform {

// What this thread wrote before handOver(token) is seen by a thread after its takeOver(token).
// Nothing outside a ThreadSanitizer build: Qt's own locks already order it.
void handOver(const void* token);
void takeOver(const void* token);

// A task for a QThreadPool, handed over when it is given to the pool (call handOver(task) right
// before start or tryStart) and taken over before the work runs.
class PoolTask : public QRunnable {
public:
    explicit PoolTask(std::function<void()> work) : m_work(std::move(work)) {}
    ~PoolTask() override;
    void run() override;

private:
    std::function<void()> m_work;
};

// A thread for work to be done beside the calling thread while it goes on with its own. On some
// machines a new thread starts on its creator's CPU and the two share it for a time slice or more,
// other CPUs idle: this one starts on another of the CPUs the process may use. A process held to
// one CPU does the work at once, on the calling thread. The destructor waits for all the work.
class SideThread {
public:
    explicit SideThread(std::function<void()> work);
    ~SideThread();
    SideThread(const SideThread&) = delete;
    SideThread& operator=(const SideThread&) = delete;

    // More work, done after what the thread was given before (one thread's work in order: what needs
    // what it set up comes after it). When it has done all it had, the work starts the thread again.
    void Then(std::function<void()> work);

private:
    static void* Run(void* self);
    void Start();
    void Join();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_work;
    bool m_running = false; // a thread is taking work from the queue
    pthread_t m_thread{};
    bool m_started = false;
};

// Runs calls posted from any thread on the thread it lives in, from that thread's event loop, in
// the order they were posted. Calls still waiting when it is destroyed are dropped.
class CrossThreadCalls : public QObject {
public:
    explicit CrossThreadCalls(QObject* parent = nullptr) : QObject(parent) {}
    void post(std::function<void()> call);

protected:
    bool event(QEvent* event) override;
};

} // namespace lumoria::platform
