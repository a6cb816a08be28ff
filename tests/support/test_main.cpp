// Every test program starts here: a fresh HOME and XDG folders per process, an offscreen screen of
// 1024 x 768 (or LUMORIA_TEST_SCREEN's), and one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/test_env.h"
#include "support/unexpected_boxes.h"

namespace {

std::filesystem::path g_home;

void setUpEnvironment()
{
    char tmpl[] = "/tmp/lumoria-test-XXXXXX";
    const char* dir = ::mkdtemp(tmpl);
    if (!dir)
        std::abort();
    g_home = dir;
    for (const char* sub : {"config", "data", "cache", "runtime", "Documents", "Desktop"})
        std::filesystem::create_directories(g_home / sub);
    std::filesystem::permissions(g_home / "runtime", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    ::setenv("HOME", g_home.c_str(), 1);
    for (const auto& [variable, sub] : {std::pair{"XDG_CONFIG_HOME", "config"}, {"XDG_DATA_HOME", "data"},
                                        {"XDG_CACHE_HOME", "cache"}, {"XDG_RUNTIME_DIR", "runtime"},
                                        {"XDG_DOCUMENTS_DIR", "Documents"}, {"XDG_DESKTOP_DIR", "Desktop"}})
        ::setenv(variable, (g_home / sub).c_str(), 1);
    // LUMORIA_TEST_SCREEN=WxH runs the process on a screen of another size.
    int width = 1024;
    int height = 768;
    if (const char* size = std::getenv("LUMORIA_TEST_SCREEN"))
        std::sscanf(size, "%dx%d", &width, &height);
    const auto screen = g_home / "screen.json";
    std::ofstream(screen) << R"({"screens":[{"name":"s","x":0,"y":0,"width":)" << width << R"(,"height":)" << height
                          << R"(,"logicalDpi":96,"dpr":1}]})";
    if (!std::getenv("LUMORIA_TEST_KEEP_PLATFORM")) {
        const std::string platform = "offscreen:configfile=" + screen.string();
        ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    }
    ::setenv("LANG", "pt_BR.UTF-8", 0);
}

} // namespace

namespace lumoria::test {
std::filesystem::path homeDir() { return g_home; }

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}
} // namespace lumoria::test

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    setUpEnvironment();
    QApplication app(argc, argv);
    lumoria::test::WatchForUnexpectedBoxes();
    const int result = RUN_ALL_TESTS();
    if (!std::getenv("LUMORIA_TEST_KEEP_HOME")) {
        std::error_code ec;
        std::filesystem::remove_all(g_home, ec);
    }
    return result;
}
