// The bevel, body and inner edge of the shaped button against the ring rules, pixel by pixel.
#include <gtest/gtest.h>

#include "support/pointer_events.h"
#include "components/fancy_button.h"
#include "support/bevel_reference.h"
#include "support/button_stage.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

const QRgb kParent = qRgb(0, 128, 0);

struct Stage : ButtonStage {
    Stage(int w, int h, TBtnShape shape, int frameWidth) : ButtonStage(kParent)
    {
        button->setGeometry(5, 5, w, h);
        button->SetColor(cl3DDkShadow);
        button->FancyEffects().SetShape(shape);
        button->FancyEffects().SetFrameWidth(frameWidth);
    }
};

} // namespace

TEST(FancyButtonRings, CapsuleAtRestDownTheMiddleColumn)
{
    Stage s(190, 30, btnCapsule, 14);
    const QRgb c = toRgb(cl3DDkShadow);
    const QImage img = s.Picture();
    const int x = 95;
    EXPECT_EQ(img.pixel(x, 0), c) << "body outline";
    EXPECT_EQ(img.pixel(x, 1), Ring(c, 14, 0));
    EXPECT_EQ(img.pixel(x, 2), Shift(c, -15)) << "inner edge";
    for (int y = 3; y <= 14; ++y)
        EXPECT_EQ(img.pixel(x, y), Ring(c, 14, y - 1)) << "row " << y;
    EXPECT_EQ(img.pixel(x, 15), Ring(c, 14, 13));
    for (int y = 16; y <= 28; ++y)
        EXPECT_EQ(img.pixel(x, y), Ring(c, 14, 28 - y)) << "row " << y;
    EXPECT_EQ(img.pixel(x, 29), kParent) << "the body ends at H - 2";
    // The corners are outside every shape.
    EXPECT_EQ(img.pixel(0, 0), kParent);
    EXPECT_EQ(img.pixel(189, 29), kParent);
    EXPECT_EQ(img.pixel(0, 15), c);
    // Inner edge: the line at x = 2 from ry + 1 down to H - ry - 1 is empty for a 30-high capsule,
    // the top line runs from rx + 1 to W - rx - 1.
    EXPECT_EQ(img.pixel(16, 2), Shift(c, -15));
    EXPECT_EQ(img.pixel(173, 2), Shift(c, -15));
    EXPECT_EQ(img.pixel(174, 2), Ring(c, 14, 1));
}

TEST(FancyButtonRings, CapsuleHotAndPressed)
{
    Stage s(190, 30, btnCapsule, 14);
    const QRgb c = toRgb(cl3DDkShadow);
    MoveTo(s.button, {95, 15});
    QImage img = s.Picture();
    const QRgb hot = Shift(c, 10);
    for (int y = 3; y <= 14; ++y)
        EXPECT_EQ(img.pixel(95, y), Ring(hot, 14, y - 1)) << "hot row " << y;
    EXPECT_EQ(img.pixel(95, 0), c) << "the body keeps the colour";

    Press(s.button, {95, 15});
    img = s.Picture();
    EXPECT_EQ(img.pixel(95, 0), Shift(c, -5)) << "pressed outline";
    EXPECT_EQ(img.pixel(95, 1), Shift(c, -65)) << "uncovered pressed body";
    EXPECT_EQ(img.pixel(95, 2), Shift(c, -10)) << "pressed inner edge";
    // Five rings (14 div 3 + 1), moved 2 px down.
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(img.pixel(95, i + 3), Ring(c, 14, i)) << "ring " << i;
    EXPECT_EQ(img.pixel(95, 15), Ring(c, 14, 4)) << "the face stays at ring 4";
    EXPECT_EQ(img.pixel(95, 27), Ring(c, 14, 3));
    EXPECT_EQ(img.pixel(95, 28), Ring(c, 14, 2));
    EXPECT_EQ(img.pixel(95, 29), Ring(c, 14, 1)) << "the bevel moved past the body";
}

TEST(FancyButtonRings, OvalAndRectangle)
{
    Stage oval(100, 60, btnOval, 3);
    const QRgb c = toRgb(cl3DDkShadow);
    QImage img = oval.Picture();
    EXPECT_EQ(img.pixel(2, 2), kParent);
    EXPECT_EQ(img.pixel(50, 1), Ring(c, 3, 0));
    EXPECT_EQ(img.pixel(50, 3), Ring(c, 3, 2));
    EXPECT_EQ(img.pixel(50, 30), Ring(c, 3, 2));

    Stage rect(100, 40, btnRectangle, 4);
    rect.button->FancyEffects().SetCornerRadius(0);
    img = rect.Picture();
    EXPECT_EQ(img.pixel(0, 0), c) << "square corners";
    EXPECT_EQ(img.pixel(1, 1), Ring(c, 4, 0));
    EXPECT_EQ(img.pixel(3, 3), Ring(c, 4, 2));
    EXPECT_EQ(img.pixel(99, 39), kParent);
    EXPECT_EQ(img.pixel(98, 38), Ring(c, 4, 0));
    EXPECT_EQ(img.pixel(2, 20), Shift(c, -15)) << "inner edge down the left";
    EXPECT_EQ(img.pixel(50, 2), Shift(c, -15)) << "inner edge along the top";
}

TEST(FancyButtonRings, NoFrameLeavesTheParentVisible)
{
    Stage s(60, 30, btnCapsule, 14);
    s.button->FancyEffects().SetFrameStyle(fmNone);
    const QImage img = s.Picture();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.pixel(x, y), kParent) << x << "," << y;
}
