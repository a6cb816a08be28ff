// The picture control's own behaviour: where the picture is drawn, automatic size, opacity, painting
// and dragging its parent window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <memory>

#include "components/image_shape.h"
#include "platform/graphics/bitmap.h"
#include "platform/ui/align_layout.h"
#include "support/components_pictures.h"
#include "support/picture_files.h"

namespace lumoria {
namespace {

using platform::Bitmap;

Bitmap Solid(int w, int h, QRgb colour) { return test::AsBitmap(test::SolidImage(w, h, QColor(colour))); }

class ImageShapeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qunsetenv("karvel");
        parent = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        parent->resize(400, 300);
        shape = new TImageShape(parent.get());
    }
    void TearDown() override { qunsetenv("karvel"); }

    // Shows the parent at a known place and gives the screen point a drag starts from.
    QPoint ShowForDragging()
    {
        parent->move(100, 80);
        parent->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
        shape->setGeometry(0, 0, 200, 100);
        return shape->mapToGlobal(QPoint(10, 10));
    }

    std::unique_ptr<QWidget> parent;
    TImageShape* shape = nullptr;
};

TEST_F(ImageShapeTest, StartsMovableAt105By105WithTheFlagsOff)
{
    EXPECT_TRUE(shape->Movable());
    EXPECT_EQ(shape->size(), QSize(105, 105));
    EXPECT_FALSE(shape->Stretch());
    EXPECT_FALSE(shape->Center());
    EXPECT_FALSE(shape->Proportional());
    EXPECT_FALSE(shape->Transparent());
    EXPECT_FALSE(shape->IncrementalDisplay());
    EXPECT_FALSE(shape->AutoSize());
    EXPECT_FALSE(shape->Dragging());
    EXPECT_EQ(shape->Picture().GetGraphic(), nullptr);
    EXPECT_TRUE(shape->StoredRegion().isEmpty());
}

TEST_F(ImageShapeTest, DestRectFollowsStretchCentreAndProportion)
{
    const struct {
        const char* name;
        bool stretch, center, proportional;
        int w, h, cw, ch; // picture (0 x 0: none) and control
        Rect dest;
    } cases[] = {
        {"natural size", false, false, false, 50, 40, 200, 150, {0, 0, 50, 40}},
        // A picture larger than the control is not cut down without Stretch or Proportional.
        {"natural, larger", false, false, false, 300, 200, 100, 100, {0, 0, 300, 200}},
        {"stretched up", true, false, false, 50, 40, 200, 150, {0, 0, 200, 150}},
        {"stretched down", true, false, false, 300, 200, 100, 100, {0, 0, 100, 100}},
        {"centred", false, true, false, 50, 40, 201, 151, {75, 55, 125, 95}},
        // Larger than the control: (100 - 151) div 2 = -25, (100 - 103) div 2 = -1, toward zero.
        {"centred, larger", false, true, false, 151, 103, 100, 100, {-25, -1, 126, 102}},
        {"proportional, small", false, false, true, 50, 40, 200, 150, {0, 0, 50, 40}},
        // Wider than tall: the width fills, the height is Trunc(100 / 2).
        {"proportional, wide", false, false, true, 400, 200, 100, 100, {0, 0, 100, 50}},
        // Taller than wide: the height fills, the width is Trunc(100 * 0.5).
        {"proportional, tall", false, false, true, 200, 400, 100, 100, {0, 0, 50, 100}},
        // Too tall at the full width: Trunc(100 / 1.5) = 66 > 50, so the height fills, Trunc(50 * 1.5) = 75.
        {"proportional, too tall", false, false, true, 300, 200, 100, 50, {0, 0, 75, 50}},
        // Taller than wide, yet too wide at the full height: Trunc(60 * 0.5) = 30 > 20, so the width
        // fills and the height is Trunc(20 / 0.5) = 40.
        {"proportional, too wide", false, false, true, 100, 200, 20, 60, {0, 0, 20, 40}},
        {"proportional, narrow", false, false, true, 30, 70, 10, 10, {0, 0, 4, 10}},
        // Truncated, not rounded: 100 * 120 / 140 = 85.71 either way round.
        {"proportional, tall, truncated", false, false, true, 120, 140, 100, 100, {0, 0, 85, 100}},
        {"proportional, wide, truncated", false, false, true, 140, 120, 100, 100, {0, 0, 100, 85}},
        {"proportional, centred", false, true, true, 400, 200, 100, 100, {0, 25, 100, 75}},
        // 200 / 1.25 = 160 is taller than 150: height 150, width Trunc(150 * 1.25) = 187.
        {"proportional stretch enlarges", true, false, true, 50, 40, 200, 150, {0, 0, 187, 150}},
        {"proportional stretch, no picture", true, false, true, 0, 0, 80, 60, {0, 0, 80, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shape->SetStretch(c.stretch);
        shape->SetCenter(c.center);
        shape->SetProportional(c.proportional);
        shape->resize(c.cw, c.ch);
        const Bitmap bitmap = Solid(c.w, c.h, qRgb(255, 0, 0));
        shape->SetGraphic(c.w > 0 ? &bitmap : nullptr);
        EXPECT_EQ(shape->DestRect(), c.dest);
    }
}

TEST_F(ImageShapeTest, AutoSizeTakesThePicturesSizeAtTheSamePlace)
{
    shape->move(12, 34);
    const Bitmap bitmap = Solid(30, 20, qRgb(0, 0, 0));
    shape->SetGraphic(&bitmap);
    EXPECT_EQ(shape->size(), QSize(105, 105));
    shape->SetAutoSize(true);
    EXPECT_EQ(shape->geometry(), QRect(12, 34, 30, 20));

    const Bitmap larger = Solid(70, 45, qRgb(0, 0, 0));
    shape->SetGraphic(&larger);
    EXPECT_EQ(shape->geometry(), QRect(12, 34, 70, 45));
}

TEST_F(ImageShapeTest, CanAutoSizeFollowsTheAlignment)
{
    auto* layout = new platform::AlignLayout(parent.get());
    layout->addWidget(shape, platform::Align::None);
    const Bitmap bitmap = Solid(30, 20, qRgb(0, 0, 0));
    shape->SetGraphic(&bitmap);
    struct Case {
        platform::Align align;
        int width;
        int height;
    };
    const Case cases[] = {{platform::Align::None, 30, 20},  {platform::Align::Left, 30, 99},
                          {platform::Align::Right, 30, 99}, {platform::Align::Top, 88, 20},
                          {platform::Align::Bottom, 88, 20}, {platform::Align::Client, 88, 99}};
    for (const Case& c : cases) {
        layout->setAlign(shape, c.align);
        int w = 88;
        int h = 99;
        EXPECT_TRUE(shape->CanAutoSize(w, h));
        EXPECT_EQ(w, c.width) << int(c.align);
        EXPECT_EQ(h, c.height) << int(c.align);
    }
}

TEST_F(ImageShapeTest, OpaqueOnlyForAStretchedPictureWithoutAspectOrTransparency)
{
    const Bitmap bitmap = Solid(30, 20, qRgb(0, 0, 0));
    const struct {
        const char* name;
        bool picture, stretch, proportional, transparent, opaque;
    } cases[] = {{"natural size", true, false, false, false, false},
                 {"stretched", true, true, false, false, true},
                 {"stretched, proportional", true, true, true, false, false},
                 {"stretched, transparent", true, true, false, true, false},
                 {"stretched, no picture", false, true, false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shape->SetGraphic(c.picture ? &bitmap : nullptr);
        shape->SetStretch(c.stretch);
        shape->SetProportional(c.proportional);
        shape->SetTransparent(c.transparent);
        EXPECT_EQ(shape->Opaque(), c.opaque);
        EXPECT_EQ(shape->testAttribute(Qt::WA_OpaquePaintEvent), c.opaque);
    }
}

TEST_F(ImageShapeTest, PaintsThePictureIntoItsDestination)
{
    QImage image = test::SolidImage(20, 10, QColor(0, 0, 200));
    image.setPixel(0, 9, qRgb(255, 255, 255));
    const Bitmap bitmap = test::AsBitmap(image);
    shape->setGeometry(0, 0, 100, 50);
    shape->SetCenter(true);
    shape->SetGraphic(&bitmap);

    // Where the control does not paint, its parent's green shows.
    QPalette green = parent->palette();
    green.setColor(QPalette::Window, QColor(0, 255, 0));
    parent->setPalette(green);
    parent->setAutoFillBackground(true);
    const QImage shot = shape->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shot.pixel(40, 20), qRgb(0, 0, 200)); // inside (40, 20, 60, 30)
    EXPECT_EQ(shot.pixel(59, 29), qRgb(0, 0, 200));
    EXPECT_EQ(shot.pixel(40, 29), qRgb(255, 255, 255)); // the bottom-left pixel itself is drawn
    EXPECT_EQ(shot.pixel(39, 20), qRgb(0, 255, 0));
    EXPECT_EQ(shot.pixel(60, 29), qRgb(0, 255, 0));

    // Transparent: the bottom-left colour lets the parent show through.
    shape->SetTransparent(true);
    const QImage clear = shape->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(clear.pixel(40, 29), qRgb(0, 255, 0));
    EXPECT_EQ(clear.pixel(41, 29), qRgb(0, 0, 200));

    // Stretched, the picture covers the whole control.
    shape->SetTransparent(false);
    shape->SetStretch(true);
    const QImage full = shape->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(full.pixel(0, 0), qRgb(0, 0, 200));
    EXPECT_EQ(full.pixel(99, 0), qRgb(0, 0, 200));
    EXPECT_EQ(full.pixel(99, 49), qRgb(0, 0, 200));
}

// Mouse events with the cursor's screen position given, as the pointer delivers them.
void Send(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPoint local = w->mapFromGlobal(global);
    QMouseEvent e(type, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST_F(ImageShapeTest, DraggingWithTheRightButtonMovesAMovableParent)
{
    const QPoint grab = ShowForDragging();
    const QPoint start = parent->pos();

    Send(shape, QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(shape->Dragging());
    Send(shape, QEvent::MouseMove, grab + QPoint(25, 15), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(parent->pos(), start + QPoint(25, 15));
    // Each move counts from the last recorded position.
    Send(shape, QEvent::MouseMove, grab + QPoint(20, 40), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(parent->pos(), start + QPoint(20, 40));
    Send(shape, QEvent::MouseButtonRelease, grab + QPoint(20, 40), Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(shape->Dragging());

    // After the release moves do nothing.
    Send(shape, QEvent::MouseMove, grab + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(parent->pos(), start + QPoint(20, 40));
}

TEST_F(ImageShapeTest, AControlThatIsNotMovableLeavesItsParentInPlace)
{
    const QPoint grab = ShowForDragging();
    shape->SetMovable(false);
    const QPoint start = parent->pos();

    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        Send(shape, QEvent::MouseButtonPress, grab, button, button);
        EXPECT_TRUE(shape->Dragging());
        Send(shape, QEvent::MouseMove, grab + QPoint(30, 30), Qt::NoButton, button);
        Send(shape, QEvent::MouseButtonRelease, grab + QPoint(30, 30), button, Qt::NoButton);
        EXPECT_EQ(parent->pos(), start);
    }
}

TEST_F(ImageShapeTest, MouseEventsReachTheirHandlers)
{
    shape->setGeometry(0, 0, 200, 100);
    int downs = 0;
    int ups = 0;
    int clicks = 0;
    QObject::connect(shape, &TImageShape::OnMouseDown, [&](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        ++downs;
        EXPECT_EQ(QPoint(x, y), QPoint(7, 8));
    });
    QObject::connect(shape, &TImageShape::OnMouseUp, [&] { ++ups; });
    QObject::connect(shape, &TImageShape::OnClick, [&] { ++clicks; });
    QTest::mouseClick(shape, Qt::LeftButton, {}, QPoint(7, 8));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace lumoria
