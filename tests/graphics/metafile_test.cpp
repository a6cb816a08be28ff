// Metafiles written by the test itself load through the libraries and draw their rectangles where
// the records put them; broken ones fail cleanly.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/metafile.h"
#include "platform/graphics/picture.h"
#include "support/metafile_writer.h"
#include "support/test_env.h"

#include <QFile>

using namespace lumoria;
using namespace lumoria::platform;

namespace {

QString WriteFile(const QString& name, const QByteArray& data)
{
    const QString path = QString::fromStdString((test::homeDir() / name.toStdString()).string());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
    return path;
}

QColor PixelAfterDrawing(const Graphic& g, int x, int y)
{
    Bitmap b;
    b.Assign(g);
    return b.Image().pixelColor(x, y);
}

void ExpectNear(const QColor& actual, const QColor& expected)
{
    EXPECT_NEAR(actual.red(), expected.red(), 8) << actual.name().toStdString();
    EXPECT_NEAR(actual.green(), expected.green(), 8) << actual.name().toStdString();
    EXPECT_NEAR(actual.blue(), expected.blue(), 8) << actual.name().toStdString();
}

const std::vector<test::MetaRect> kRects = {
    {QRect(10, 10, 40, 30), QColor(255, 0, 0)},
    {QRect(60, 40, 30, 40), QColor(0, 0, 255)},
};

} // namespace

TEST(Metafile, WmfLoadsWithItsSizeAndDrawsItsRectangles)
{
    Picture picture;
    picture.LoadFromFile(WriteFile("a.wmf", test::MakeWmf(100, 80, kRects)));
    ASSERT_NE(picture.GetGraphic(), nullptr);
    EXPECT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Metafile);
    EXPECT_EQ(picture.Width(), 100);
    EXPECT_EQ(picture.Height(), 80);
    ExpectNear(PixelAfterDrawing(*picture.GetGraphic(), 30, 25), QColor(255, 0, 0));
    ExpectNear(PixelAfterDrawing(*picture.GetGraphic(), 75, 60), QColor(0, 0, 255));
    ExpectNear(PixelAfterDrawing(*picture.GetGraphic(), 5, 70), QColor(255, 255, 255));
}

TEST(Metafile, EmfLoadsWithItsSizeAndDrawsItsRectangles)
{
    Picture picture;
    picture.LoadFromFile(WriteFile("a.emf", test::MakeEmf(100, 80, kRects)));
    ASSERT_NE(picture.GetGraphic(), nullptr);
    EXPECT_TRUE(static_cast<Metafile*>(picture.GetGraphic())->Enhanced());
    EXPECT_EQ(picture.Width(), 100);
    EXPECT_EQ(picture.Height(), 80);
    ExpectNear(PixelAfterDrawing(*picture.GetGraphic(), 30, 25), QColor(255, 0, 0));
    ExpectNear(PixelAfterDrawing(*picture.GetGraphic(), 75, 60), QColor(0, 0, 255));
    ExpectNear(PixelAfterDrawing(*picture.GetGraphic(), 5, 70), QColor(255, 255, 255));
}
