#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "lumoria_version.h"
#include "platform/system/program_info.h"

using namespace lumoria::platform;

TEST(ProgramInfo, GivesTheBuildVersion)
{
    const std::optional<FileVersion> version = programFileVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->major, unsigned(LUMORIA_VERSION_MAJOR));
    EXPECT_EQ(version->minor, unsigned(LUMORIA_VERSION_MINOR));
    EXPECT_EQ(version->release, unsigned(LUMORIA_VERSION_PATCH + 0));
    EXPECT_EQ(version->build, unsigned(LUMORIA_VERSION_TWEAK + 0));
}

TEST(ProgramInfo, GivesTheRunningProgramAndItsFolder)
{
    EXPECT_EQ(programFilePath(), QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    EXPECT_TRUE(programFilePath().endsWith(QStringLiteral("/test_platform")));
    EXPECT_EQ(programFolder() + QStringLiteral("test_platform"), programFilePath());
}
