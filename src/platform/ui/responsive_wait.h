#pragma once
// Long work that the window must not freeze for: the work runs on a thread of its own while the GUI
// thread goes on painting and running its timers. The operator's input waits until the work ends
// (it is not lost), so nothing else starts meanwhile.
#include <functional>

namespace lumoria::platform {

// Runs work and returns when it has ended; a failure it raises is raised again here. Off the GUI
// thread, or without an application object, the work simply runs in place.
void RunResponsive(const std::function<void()>& work);

} // namespace lumoria::platform
