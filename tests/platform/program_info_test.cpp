#include <gtest/gtest.h>

#include <QFileInfo>

#include "platform/system/program_info.h"

using namespace lumoria::platform;

TEST(ProgramInfo, GivesTheRunningProgramAndItsFolder)
{
    EXPECT_EQ(programFilePath(), QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    EXPECT_TRUE(programFilePath().endsWith(QStringLiteral("/test_platform")));
    EXPECT_EQ(programFolder() + QStringLiteral("test_platform"), programFilePath());
}
