#pragma once
#include <filesystem>

namespace lumoria::test {
// The temporary HOME of this test process (removed when the process ends).
std::filesystem::path homeDir();
} // namespace lumoria::test
