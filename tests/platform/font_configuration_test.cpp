#include <gtest/gtest.h>

#include <QFont>

#include "platform/ui/font_configuration.h"

using namespace lumoria::platform;

// A font's own copy is the same font, whatever its style strategy, weight or size, and changing the
// copy leaves the font alone.
TEST(FontOfItsOwn, IsTheSameFontAndChangesApart)
{
    struct Case {
        const char* name;
        QFont::StyleStrategy strategy;
        int pixelSize;
        bool bold;
    };
    const Case cases[] = {
        {"the default strategy", QFont::PreferDefault, 16, true},
        {"without antialiasing", QFont::NoAntialias, 16, true},
        {"bitmaps preferred", QFont::PreferBitmap, 11, false},
        {"antialiased outlines", QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferAntialias), 9, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFont font(QStringLiteral("Verdana"));
        font.setPixelSize(c.pixelSize);
        font.setBold(c.bold);
        font.setStyleStrategy(c.strategy);
        QFont own = FontOfItsOwn(font);
        EXPECT_EQ(own, font);
        EXPECT_EQ(own.styleStrategy(), c.strategy);
        EXPECT_EQ(own.key(), font.key());
        own.setPixelSize(c.pixelSize + 1);
        EXPECT_EQ(font.pixelSize(), c.pixelSize);
    }
}
