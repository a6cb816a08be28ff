// The splash window: its size and place, its picture filling it, its outline and that it stays put.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>


#include "app/splash_screen.h"
#include "common/custom_cursors.h"
#include "components/image_shape.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/window_region.h"
#include "support/pointer_events.h"

namespace lumoria {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

// The splash picture read with Qt's own decoder, independent of the program's picture layer.
QImage SplashPicture()
{
    return QImage(QString::fromLatin1(kSplashPicture)).convertToFormat(QImage::Format_RGB32);
}

class SplashScreenTest : public ::testing::Test {
protected:
    void SetUp() override { qunsetenv("karvel"); }
    void TearDown() override { qunsetenv("karvel"); }
};

TEST_F(SplashScreenTest, ThePictureIsOurs640By480OnWhite)
{
    const QImage picture = SplashPicture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(640, 480));
    EXPECT_EQ(picture.pixel(0, 479), kWhite);
    EXPECT_EQ(picture.pixel(639, 0), kWhite);
    EXPECT_NE(picture.pixel(320, 300), kWhite); // the card with the name
}

TEST_F(SplashScreenTest, IsABorderless640By480WindowCentredOnTheScreen)
{
    TfrmSplashScreen splash;
    EXPECT_TRUE(splash.isWindow());
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.size(), QSize(640, 480));
    // (1024 - 640) div 2, (768 - 480) div 2 on the test screen.
    EXPECT_EQ(splash.pos(), QPoint(192, 144));
    EXPECT_FALSE(splash.isVisible());

    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_EQ(splash.frameGeometry(), splash.geometry());
    ASSERT_NE(splash.imgSplashScreen, nullptr);
    EXPECT_EQ(splash.imgSplashScreen->parentWidget(), &splash);
    EXPECT_EQ(splash.imgSplashScreen->geometry(), QRect(0, 0, 640, 480));
    EXPECT_FALSE(splash.imgSplashScreen->Movable());
    EXPECT_EQ(splash.imgSplashScreen->Picture().Width(), 640);
    EXPECT_EQ(splash.imgSplashScreen->Picture().Height(), 480);
    // Its controls take the program's ordinary cursor.
    EXPECT_EQ(platform::controlCursor(splash.imgSplashScreen), crNormal);
}

TEST_F(SplashScreenTest, TakesTheOutlineOfItsPictureAndShowsThePictureInsideIt)
{
    const QImage picture = SplashPicture();
    TfrmSplashScreen splash;
    const auto region = platform::windowRegion(&splash);
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(splash.mask(), *region);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(region->contains(QPoint(x, y)), picture.pixel(x, y) != kWhite) << x << ", " << y;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    const QImage shot = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const QPoint p : {QPoint(320, 300), QPoint(320, 132), QPoint(100, 400), QPoint(320, 60)})
        EXPECT_EQ(shot.pixel(p), picture.pixel(p)) << p.x() << ", " << p.y();
}

TEST_F(SplashScreenTest, CannotBeDraggedAway)
{
    TfrmSplashScreen splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    const QPoint start = splash.pos();
    test::Press(splash.imgSplashScreen, QPoint(320, 300));
    test::MoveTo(splash.imgSplashScreen, QPoint(360, 340), Qt::LeftButton);
    test::Release(splash.imgSplashScreen, QPoint(360, 340));
    EXPECT_EQ(splash.pos(), start);
}

} // namespace
} // namespace lumoria
