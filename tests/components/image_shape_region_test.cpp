// The window shape a picture control gives its parent: which pixels count, where they land in the
// window, and how later pictures and other controls merge with what is there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>

#include "components/image_shape.h"
#include "platform/graphics/bitmap.h"
#include "platform/ui/window_region.h"
#include "support/components_pictures.h"

namespace lumoria {
namespace {

using platform::Bitmap;
using platform::windowRegion;
using test::AsBitmap;

const QRgb kWhite = qRgb(255, 255, 255);

QImage Picture(int w, int h, QRgb fill, const std::function<void(QPainter&)>& draw = {})
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    if (draw) {
        QPainter p(&image);
        draw(p);
    }
    return image;
}

// White with one black rectangle: the rectangle is the shape.
Bitmap Marked(int w, int h, const QRect& mark)
{
    return AsBitmap(Picture(w, h, kWhite, [&](QPainter& p) { p.fillRect(mark, Qt::black); }));
}

// Every pixel of the rectangle is in the region exactly when wanted(x, y) says so.
::testing::AssertionResult Covers(const QRegion& region, const QRect& area, const std::function<bool(int, int)>& wanted)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (region.contains(QPoint(x, y)) != wanted(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") "
                                                     << (wanted(x, y) ? "missing" : "not expected");
    return ::testing::AssertionSuccess();
}

class ImageShapeRegion : public ::testing::Test {
protected:
    void SetUp() override { qunsetenv("karvel"); }
    void TearDown() override { qunsetenv("karvel"); }

    // A borderless top-level window of the given client size with one control filling it.
    TImageShape* BorderlessWindow(int w, int h)
    {
        window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        window->resize(w, h);
        auto* shape = new TImageShape(window.get());
        shape->setGeometry(0, 0, w, h);
        return shape;
    }

    std::unique_ptr<QWidget> window;
};

TEST_F(ImageShapeRegion, ABorderlessWindowKeepsExactlyThePicturesNonWhitePixels)
{
    TImageShape* shape = BorderlessWindow(640, 480);
    const QImage image = Picture(640, 480, kWhite, [](QPainter& p) {
        p.fillRect(100, 80, 200, 150, QColor(20, 40, 90));
        p.setPen(QColor(250, 250, 250)); // near white still counts
        p.drawLine(0, 0, 639, 300);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(200, 120, 20));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(450, 330), 120, 90);
    });
    ASSERT_EQ(image.pixel(0, 479), kWhite);
    const Bitmap bitmap = AsBitmap(image);
    shape->SetGraphic(&bitmap);

    const auto region = windowRegion(window.get());
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(Covers(*region, QRect(0, 0, 640, 480), [&](int x, int y) { return image.pixel(x, y) != kWhite; }));
    // No frame: the widget's mask is the same region, and the control keeps it as its part.
    EXPECT_EQ(window->mask(), *region);
    EXPECT_EQ(shape->StoredRegion(), *region);
    EXPECT_EQ(qgetenv("karvel"), QByteArray("set"));
}

TEST_F(ImageShapeRegion, FrameOffsetsComeFromTheWindowAndClientSizes)
{
    // A 4-pixel frame and a 26-pixel caption: 8 wider and 30 taller than the client area.
    EXPECT_EQ(platform::clientOffsetInWindow(QSize(648, 510), QSize(640, 480)), QPoint(4, 26));
    EXPECT_EQ(platform::clientOffsetInWindow(QSize(640, 480), QSize(640, 480)), QPoint(0, 0));
    // An odd difference: the border truncates, the rest goes above.
    EXPECT_EQ(platform::clientOffsetInWindow(QSize(207, 131), QSize(200, 100)), QPoint(3, 28));
}

TEST_F(ImageShapeRegion, TheShapeIsMovedByTheFrameAndTheControlsPlace)
{
    window = std::make_unique<QWidget>();
    window->resize(300, 200);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* shape = new TImageShape(window.get());
    shape->setGeometry(30, 20, 100, 80);
    const Bitmap bitmap = Marked(40, 30, QRect(5, 6, 10, 12));
    shape->SetGraphic(&bitmap);

    const QPoint frame = platform::clientOffsetInWindow(platform::windowSize(window.get()), window->size());
    ASSERT_NE(frame, QPoint(0, 0)) << "the window needs a frame for this test";
    const QRegion inControl(5, 6, 10, 12);
    EXPECT_EQ(windowRegion(window.get()), inControl.translated(frame + QPoint(30, 20)));
    // The mask works in client coordinates.
    EXPECT_EQ(window->mask(), inControl.translated(30, 20));
}

TEST_F(ImageShapeRegion, APictureOfOneColourHidesTheWholeWindow)
{
    TImageShape* shape = BorderlessWindow(200, 100);
    const Bitmap bitmap = AsBitmap(Picture(200, 100, qRgb(0, 128, 0)));
    shape->SetGraphic(&bitmap);

    const auto region = windowRegion(window.get());
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->isEmpty());
    // An empty mask would show the whole window: the mask must be set and leave no pixel.
    EXPECT_FALSE(window->mask().isEmpty());
    EXPECT_TRUE(window->mask().intersected(window->rect()).isEmpty());
}

TEST_F(ImageShapeRegion, TheShapeIsThePictureAtItsDestinationRectangle)
{
    // Blue everywhere but its bottom-left pixel, which makes white the background.
    QImage image = Picture(50, 40, qRgb(0, 0, 255));
    image.setPixel(0, 39, kWhite);
    const Bitmap bitmap = AsBitmap(image);
    const struct {
        const char* name;
        bool stretch, center;
        std::function<bool(int, int)> wanted;
    } cases[] = {
        {"natural size", false, false, [](int x, int y) { return x < 50 && y < 40 && !(x == 0 && y == 39); }},
        // (200 - 50) div 2, (150 - 40) div 2
        {"centred", false, true,
         [](int x, int y) { return x >= 75 && x < 125 && y >= 55 && y < 95 && !(x == 75 && y == 94); }},
        // Enlarged 4 times across and 3.75 times down: the white pixel covers the target pixels whose
        // source is (0, 39).
        {"stretched", true, false, [](int x, int y) { return !(x * 50 / 200 == 0 && y * 40 / 150 == 39); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TImageShape* shape = BorderlessWindow(200, 150);
        shape->SetStretch(c.stretch);
        shape->SetCenter(c.center);
        shape->SetGraphic(&bitmap);
        EXPECT_TRUE(Covers(*windowRegion(window.get()), QRect(0, 0, 200, 150), c.wanted));
    }
}

TEST_F(ImageShapeRegion, ShrinkingKeepsThinDetails)
{
    // A one-pixel dot on white, halved: the dot survives on the pixel it falls on.
    TImageShape* shape = BorderlessWindow(50, 50);
    shape->SetStretch(true);
    QImage dotted = Picture(100, 100, kWhite);
    dotted.setPixel(75, 20, qRgb(10, 10, 10)); // neither the first nor the last of its 2 x 2 block
    const Bitmap dot = AsBitmap(dotted);
    shape->SetGraphic(&dot);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(37, 10, 1, 1));
}

TEST_F(ImageShapeRegion, ASecondPictureReplacesTheControlsEarlierPart)
{
    TImageShape* shape = BorderlessWindow(100, 60);
    const Bitmap left = Marked(100, 60, QRect(0, 0, 60, 50));
    shape->SetGraphic(&left);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(0, 0, 60, 50));

    const Bitmap right = Marked(100, 60, QRect(40, 0, 60, 50));
    shape->SetGraphic(&right);
    // What was shape before and is background now is gone.
    EXPECT_EQ(*windowRegion(window.get()), QRegion(40, 0, 60, 50));
    EXPECT_EQ(shape->StoredRegion(), QRegion(40, 0, 60, 50));
}

TEST_F(ImageShapeRegion, ShapedControlsOfOneWindowMergeAndReplaceOnlyTheirOwnPart)
{
    TImageShape* first = BorderlessWindow(200, 100);
    first->setGeometry(0, 0, 100, 100);
    auto* second = new TImageShape(window.get());
    second->setGeometry(100, 0, 100, 100);
    const Bitmap square = Marked(100, 100, QRect(10, 10, 30, 30));
    const Bitmap bar = Marked(100, 100, QRect(0, 60, 100, 10));

    first->SetGraphic(&square);
    second->SetGraphic(&bar);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(10, 10, 30, 30).united(QRegion(100, 60, 100, 10)));

    first->SetGraphic(&bar);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(0, 60, 200, 10));
}

TEST_F(ImageShapeRegion, TheFirstBuildOfTheProcessSetsTheShapeOutright)
{
    TImageShape* shape = BorderlessWindow(100, 60);
    platform::setWindowRegion(window.get(), QRegion(0, 0, 5, 5));
    const Bitmap bitmap = Marked(100, 60, QRect(50, 20, 10, 10));
    shape->SetGraphic(&bitmap);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(50, 20, 10, 10));
}

TEST_F(ImageShapeRegion, AProcessStartedWithTheFlagSetMergesFromTheFirstBuild)
{
    qputenv("karvel", "set");
    const Bitmap bitmap = Marked(100, 60, QRect(50, 20, 10, 10));

    // A window without a region gives nothing to keep.
    TImageShape* shape = BorderlessWindow(100, 60);
    shape->SetGraphic(&bitmap);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(50, 20, 10, 10));

    // A window that has one keeps it beside the new shape.
    shape = BorderlessWindow(100, 60);
    platform::setWindowRegion(window.get(), QRegion(0, 0, 5, 5));
    shape->SetGraphic(&bitmap);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(0, 0, 5, 5).united(QRegion(50, 20, 10, 10)));
}

TEST_F(ImageShapeRegion, AnEmptyPictureBuildsNoShape)
{
    TImageShape* shape = BorderlessWindow(100, 60);
    shape->SetGraphic(nullptr);
    shape->SetStretch(true);
    EXPECT_FALSE(windowRegion(window.get()).has_value());
    EXPECT_TRUE(qgetenv("karvel").isEmpty());
}

TEST_F(ImageShapeRegion, PropertySettersRebuildOnlyWhenTheValueChanges)
{
    TImageShape* shape = BorderlessWindow(100, 60);
    const Bitmap bitmap = Marked(20, 10, QRect(2, 2, 4, 4));
    shape->SetGraphic(&bitmap);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(2, 2, 4, 4));

    // Another part of the shape, set elsewhere: setting a property to its value builds nothing.
    platform::setWindowRegion(window.get(), QRegion(50, 50, 3, 3));
    shape->SetStretch(false);
    shape->SetCenter(false);
    shape->SetProportional(false);
    shape->SetTransparent(false);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(50, 50, 3, 3));

    // Stretched 5 times across and 6 times down, merged with what the window had.
    shape->SetStretch(true);
    EXPECT_EQ(*windowRegion(window.get()), QRegion(50, 50, 3, 3).united(QRegion(10, 12, 20, 24)));
}

TEST(PixelRegion, CountsEveryPixelUnlikeTheColourInsideTheArea)
{
    QImage image(6, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(1, 0, qRgb(0, 0, 0));
    image.setPixel(2, 0, qRgb(0, 0, 0));
    image.setPixel(4, 0, qRgb(255, 255, 254));
    image.setPixel(5, 2, qRgb(1, 2, 3));
    const QRegion all = platform::regionOfPixelsUnlike(image, kWhite, image.rect());
    EXPECT_EQ(all, QRegion(1, 0, 2, 1).united(QRegion(4, 0, 1, 1)).united(QRegion(5, 2, 1, 1)));
    EXPECT_EQ(platform::regionOfPixelsUnlike(image, kWhite, QRect(2, 0, 3, 2)), QRegion(2, 0, 1, 1).united(QRegion(4, 0, 1, 1)));
    EXPECT_EQ(platform::regionOfPixelsUnlike(image, std::nullopt, QRect(4, 1, 5, 5)), QRegion(4, 1, 2, 2));
    EXPECT_TRUE(platform::regionOfPixelsUnlike(image, kWhite, QRect(10, 10, 2, 2)).isEmpty());
}

} // namespace
} // namespace lumoria
