#pragma once
// A higher scheduling priority for the program while it runs: the whole process high, its main
// thread higher still. Best effort: a user the system does not allow to raise priorities keeps
// them as they were, and nothing fails.
namespace lumoria::platform {

class RaisedPriorities {
public:
    // Nice values (lower runs first): the process's threads, then the calling thread.
    static constexpr int kProcessNice = -10;
    static constexpr int kThreadNice = -12;

    // Records the priorities in force and raises them; never lowers one already higher.
    RaisedPriorities();
    // Gives back the recorded priorities, the calling thread first, then the rest of the process.
    ~RaisedPriorities();
    RaisedPriorities(const RaisedPriorities&) = delete;
    RaisedPriorities& operator=(const RaisedPriorities&) = delete;

private:
    int m_processNice = 0;
    int m_threadNice = 0;
    int m_thread = 0;
    bool m_known = false;
};

} // namespace lumoria::platform
