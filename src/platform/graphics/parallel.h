#pragma once
// Runs independent pieces of work on the shared thread pool. The calling thread works too and takes
// whatever no pool thread picked up, so a call made from a pool thread never waits on itself.
#include <functional>

namespace lumoria::platform {

// Calls body(i) once for every i in [0, count), spread over at most maxThreads threads (0 = all).
// The first exception thrown by a body is raised again here after every piece has ended.
void ParallelFor(int count, const std::function<void(int)>& body, int maxThreads = 0);

// The number of threads worth using for pixel work.
int PixelThreads();

} // namespace lumoria::platform
