#include <gtest/gtest.h>

#include "platform/ui/colors.h"

using namespace lumoria::platform;

TEST(Colors, BgrValuesReadBlueGreenRed)
{
    EXPECT_EQ(toQColor(0x0000BF), QColor(191, 0, 0));   // dark red of the error boxes
    EXPECT_EQ(toQColor(0x8080FF), QColor(255, 128, 128));
    EXPECT_EQ(toQColor(0x800000), QColor(0, 0, 128));   // navy
    EXPECT_EQ(toQColor(0xFFFFFF), QColor(255, 255, 255));
    EXPECT_EQ(colorRef(191, 0, 0), 0x0000BFu);
    EXPECT_EQ(colorRef(1, 2, 3), 0x030201u);
}

TEST(Colors, NamedFixedColours)
{
    EXPECT_EQ(toQColor(clAqua), QColor(0, 255, 255));
    EXPECT_EQ(toQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(clGray), QColor(128, 128, 128));
    EXPECT_FALSE(toQColor(clNone).isValid());
}

TEST(Colors, SystemColoursComeFromTheFixedTable)
{
    EXPECT_TRUE(isSystemColor(clBtnFace));
    EXPECT_FALSE(isSystemColor(0x00FFFFFF));
    EXPECT_EQ(toQColor(clBtnFace), QColor(212, 208, 200));
    EXPECT_EQ(toQColor(clBtnShadow), QColor(128, 128, 128));
    EXPECT_EQ(toQColor(cl3DDkShadow), QColor(64, 64, 64));
    EXPECT_EQ(toQColor(clHighlight), QColor(10, 36, 106));
    EXPECT_EQ(toQColor(clHighlightText), QColor(255, 255, 255));
    EXPECT_EQ(toQColor(clWindow), QColor(255, 255, 255));
    EXPECT_EQ(toRgb(kSystemColorFlag | 200), qRgb(0, 0, 0));
}
