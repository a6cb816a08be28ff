#pragma once
#include <filesystem>

namespace lumoria::test {
// The temporary HOME of this test process (removed when the process ends).
std::filesystem::path homeDir();
// The most memory this test process has held so far, in megabytes.
long peakMegabytes();
} // namespace lumoria::test
