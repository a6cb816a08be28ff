#include <gtest/gtest.h>

#include "platform/ui/colors.h"

using namespace lumoria::platform;

TEST(Colors, ValuesReadBlueGreenRedAndSystemColoursComeFromTheFixedTable)
{
    const struct {
        const char* what;
        ColorRef value;
        QColor shown;
    } cases[] = {
        {"dark red of the error boxes", 0x0000BF, QColor(191, 0, 0)},
        {"light red", 0x8080FF, QColor(255, 128, 128)},
        {"navy", 0x800000, QColor(0, 0, 128)},
        {"white", 0xFFFFFF, QColor(255, 255, 255)},
        {"clAqua", clAqua, QColor(0, 255, 255)},
        {"clBlue", clBlue, QColor(0, 0, 255)},
        {"clGray", clGray, QColor(128, 128, 128)},
        {"clBtnFace", clBtnFace, QColor(212, 208, 200)},
        {"clBtnShadow", clBtnShadow, QColor(128, 128, 128)},
        {"cl3DDkShadow", cl3DDkShadow, QColor(64, 64, 64)},
        {"clHighlight", clHighlight, QColor(10, 36, 106)},
        {"clHighlightText", clHighlightText, QColor(255, 255, 255)},
        {"clWindow", clWindow, QColor(255, 255, 255)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toQColor(c.value), c.shown) << c.what;
    EXPECT_FALSE(toQColor(clNone).isValid());
    EXPECT_EQ(toRgb(kSystemColorFlag | 200), qRgb(0, 0, 0)); // beyond the table
    EXPECT_TRUE(isSystemColor(clBtnFace));
    EXPECT_FALSE(isSystemColor(0x00FFFFFF));
    EXPECT_EQ(colorRef(191, 0, 0), 0x0000BFu);
    EXPECT_EQ(colorRef(1, 2, 3), 0x030201u);
}
