// Every picture format loads from files the test writes, with the pixels and pixel formats the
// program relies on; broken and oversized files fail with InvalidPicture and nothing else.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/gif_image.h"
#include "platform/graphics/icon_image.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture.h"
#include "support/picture_files.h"

#include <QImage>

using namespace lumoria;
using namespace lumoria::platform;
using lumoria::test::Near;

namespace {

const QColor kRed(220, 30, 40);
const QColor kBlue(20, 40, 210);
const QColor kGreen(30, 200, 60);
const QColor kYellow(240, 220, 20);

QImage Quadrants(int w = 40, int h = 30)
{
    return test::QuadrantsImage(w, h, kRed, kBlue, kGreen, kYellow);
}

void ExpectQuadrants(const QImage& image, int tolerance = 12)
{
    const int w = image.width();
    const int h = image.height();
    EXPECT_TRUE(Near(image.pixelColor(w / 4, h / 4), kRed, tolerance));
    EXPECT_TRUE(Near(image.pixelColor(3 * w / 4, h / 4), kBlue, tolerance));
    EXPECT_TRUE(Near(image.pixelColor(w / 4, 3 * h / 4), kGreen, tolerance));
    EXPECT_TRUE(Near(image.pixelColor(3 * w / 4, 3 * h / 4), kYellow, tolerance));
}

} // namespace

TEST(Bmp, EveryDepthLoadsWithItsColoursAndFormat)
{
    struct Case {
        int bits;
        PixelFormat format;
    };
    for (const Case c : {Case{4, PixelFormat::Bits8}, Case{8, PixelFormat::Bits8}, Case{24, PixelFormat::Bits24},
                         Case{32, PixelFormat::Bits32}}) {
        SCOPED_TRACE(c.bits);
        Picture picture;
        picture.LoadFromFile(test::WriteBmp(QStringLiteral("q%1.bmp").arg(c.bits), Quadrants(), c.bits));
        ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Bitmap);
        const Bitmap& b = picture.GetBitmap();
        EXPECT_EQ(b.Width(), 40);
        EXPECT_EQ(b.Height(), 30);
        EXPECT_EQ(b.Format(), c.format);
        ExpectQuadrants(b.Image(), 0);
    }
}

TEST(Bmp, OneBitAndTopDownRowsAndExactBytesOf24Bits)
{
    Bitmap mono;
    mono.LoadFromData(test::BmpBytes(test::HalvesImage(20, 4, Qt::black, Qt::white), 1));
    EXPECT_EQ(mono.Format(), PixelFormat::Bits1);
    EXPECT_EQ(mono.Image().pixelColor(2, 1), QColor(Qt::black));
    EXPECT_EQ(mono.Image().pixelColor(15, 3), QColor(Qt::white));

    Bitmap topDown;
    topDown.LoadFromData(test::BmpBytes(Quadrants(), 24, true));
    ExpectQuadrants(topDown.Image(), 0);
    // 24-bit rows hold blue, green, red from the top.
    const uchar* row = topDown.ScanLine(0);
    EXPECT_EQ(row[0], kRed.blue());
    EXPECT_EQ(row[1], kRed.green());
    EXPECT_EQ(row[2], kRed.red());
    EXPECT_THROW(topDown.ScanLine(30), RangeError);
}

TEST(Bmp, WrittenFilesReadBackWithTheirFormat)
{
    for (PixelFormat f : {PixelFormat::Bits8, PixelFormat::Bits24, PixelFormat::Bits32}) {
        Bitmap b;
        b.SetImage(Quadrants(), f);
        const QString path = test::TempPath(QStringLiteral("round%1.bmp").arg(int(f)));
        b.SaveToFile(path);
        // Qt's reader agrees with what was written.
        ExpectQuadrants(QImage(path, "BMP"), 0);
        Bitmap back;
        back.LoadFromFile(path);
        EXPECT_EQ(back.Format(), f);
        ExpectQuadrants(back.Image(), 0);
    }
}

TEST(Bmp, BrokenFilesFailCleanly)
{
    const QByteArray good = test::BmpBytes(Quadrants(), 24);
    Bitmap b;
    EXPECT_THROW(b.LoadFromData(good.left(good.size() - 200)), InvalidPicture); // cut short
    EXPECT_THROW(b.LoadFromData(good.left(20)), InvalidPicture);
    EXPECT_THROW(b.LoadFromData(QByteArray("not a picture at all, just text")), InvalidPicture);
    QByteArray huge = good;
    huge[18] = char(0x60); // width 60000 ...
    huge[19] = char(0xEA);
    huge[22] = char(0x60); // ... by 60000
    huge[23] = char(0xEA);
    EXPECT_THROW(b.LoadFromData(huge), InvalidPicture);
    QByteArray depth = good;
    depth[28] = char(7);
    EXPECT_THROW(b.LoadFromData(depth), InvalidPicture);
    EXPECT_TRUE(b.Empty()); // a failed load leaves the bitmap as it was
}

TEST(Jpeg, LoadsAt24BitsAndGreyAt8Bits)
{
    Picture picture;
    picture.LoadFromFile(test::WriteJpeg(QStringLiteral("q.JPG"), Quadrants(64, 48)));
    ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Jpeg);
    EXPECT_EQ(picture.Width(), 64);
    EXPECT_EQ(picture.Height(), 48);
    Bitmap b;
    b.Assign(*picture.GetGraphic());
    EXPECT_EQ(b.Format(), PixelFormat::Bits24);
    ExpectQuadrants(b.Image());

    Picture grey;
    grey.LoadFromFile(test::WriteJpeg(QStringLiteral("g.jpeg"), test::SolidImage(32, 32, QColor(90, 90, 90)), 95, true));
    const auto& jpeg = static_cast<const JpegImage&>(*grey.GetGraphic());
    EXPECT_TRUE(jpeg.Grayscale());
    Bitmap g;
    g.Assign(jpeg);
    EXPECT_EQ(g.Format(), PixelFormat::Bits8);
    EXPECT_TRUE(Near(g.Image().pixelColor(10, 10), QColor(90, 90, 90), 3));
}

TEST(Jpeg, DrawingSmallDecodesAtAReducedScaleThatStillCoversTheTarget)
{
    JpegImage jpeg;
    jpeg.LoadFromData(test::ReadBytes(test::WriteJpeg(QStringLiteral("big.jpg"), Quadrants(800, 600))));
    EXPECT_EQ(jpeg.ScaleFor(QSize(100, 75)), 1);
    EXPECT_EQ(jpeg.ScaleFor(QSize(101, 75)), 2);
    EXPECT_EQ(jpeg.ScaleFor(QSize(400, 300)), 4);
    EXPECT_EQ(jpeg.ScaleFor(QSize(800, 600)), 8);
    EXPECT_EQ(jpeg.ScaleFor(QSize()), 8);
    // Drawn small, it looks as drawn from the full picture.
    Bitmap small(80, 60);
    small.GetCanvas().StretchDraw(Rect{0, 0, 80, 60}, jpeg);
    ExpectQuadrants(small.Image());
}

TEST(Jpeg, AnExifOrientationIsReadUpright)
{
    // A landscape picture stored as each tag asks (both byte orders), read back: its size, its
    // pixels decoded whole, and drawn small from a reduced decode, all upright.
    const QImage upright = Quadrants(160, 96);
    for (int tag = 1; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        const QByteArray stored = test::ReadBytes(
            test::WriteJpeg(QStringLiteral("exif-%1.jpg").arg(tag), test::StoredForExif(upright, tag)));
        const QByteArray bytes = test::WithExifOrientation(stored, tag, tag % 2 == 1);
        EXPECT_EQ(ReadJpegInfo(bytes).orientation, tag);
        JpegImage jpeg;
        jpeg.LoadFromData(bytes);
        EXPECT_EQ(jpeg.Width(), 160);
        EXPECT_EQ(jpeg.Height(), 96);
        Bitmap whole;
        whole.Assign(jpeg);
        ASSERT_EQ(whole.Width(), 160);
        ExpectQuadrants(whole.Image());
        // A quarter of each side needs a quarter of the stored pixels, however they lie.
        EXPECT_EQ(jpeg.ScaleFor(QSize(40, 24)), 2);
        Bitmap small(40, 24);
        small.GetCanvas().StretchDraw(Rect{0, 0, 40, 24}, jpeg);
        ExpectQuadrants(small.Image());
    }
    // A value outside 1 to 8 leaves the pixels as they are stored.
    JpegImage odd;
    odd.LoadFromData(test::WithExifOrientation(
        test::ReadBytes(test::WriteJpeg(QStringLiteral("exif-9.jpg"), test::StoredForExif(upright, 6))), 9, true));
    EXPECT_EQ(odd.Width(), 96);
}

TEST(Jpeg, EncodesWithItsQualityAndQtReadsTheResult)
{
    Bitmap b;
    b.SetImage(Quadrants(64, 48), PixelFormat::Bits24);
    JpegImage q100;
    q100.SetCompressionQuality(100);
    q100.Assign(b);
    JpegImage q90;
    EXPECT_EQ(q90.CompressionQuality(), 90);
    q90.Assign(b);
    EXPECT_GT(q100.SaveToData().size(), q90.SaveToData().size());
    const QString path = test::TempPath(QStringLiteral("written.jpg"));
    q90.SaveToFile(path);
    ExpectQuadrants(QImage(path, "JPEG"));
}

TEST(Jpeg, BrokenFilesFailCleanly)
{
    const QByteArray good = test::ReadBytes(test::WriteJpeg(QStringLiteral("ok.jpg"), Quadrants(256, 192)));
    JpegImage jpeg;
    EXPECT_THROW(jpeg.LoadFromData(QByteArray("GIF89a this is no JPEG")), InvalidPicture);
    EXPECT_THROW(jpeg.LoadFromData(good.left(100)), InvalidPicture); // header cut short
    // Cut in the middle of the pixels: the header reads, the decode fails.
    jpeg.LoadFromData(good.left(good.size() / 2));
    Bitmap b;
    EXPECT_THROW(b.Assign(jpeg), InvalidPicture);
    Bitmap target(50, 50);
    EXPECT_THROW(target.GetCanvas().StretchDraw(Rect{0, 0, 50, 50}, jpeg), InvalidPicture);
    // A frame header claiming 65000 x 65000 is refused before anything is allocated.
    QByteArray huge = good;
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xFD);
    huge[sof + 6] = char(0xE8);
    huge[sof + 7] = char(0xFD);
    huge[sof + 8] = char(0xE8);
    EXPECT_THROW(jpeg.LoadFromData(huge), InvalidPicture);
}

TEST(Gif, FirstFrameWithItsTransparency)
{
    QImage image = Quadrants(24, 16).convertToFormat(QImage::Format_ARGB32);
    image.setPixel(1, 1, qRgba(0, 0, 0, 0));
    for (bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced);
        const QString path = test::TempPath(interlaced ? QStringLiteral("i.GIF") : QStringLiteral("p.gif"));
        test::WriteBytes(path, test::GifBytes(image, interlaced));
        Picture picture;
        picture.LoadFromFile(path);
        ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Gif);
        const auto& gif = static_cast<const GifImage&>(*picture.GetGraphic());
        EXPECT_EQ(gif.Width(), 24);
        EXPECT_EQ(gif.Height(), 16);
        EXPECT_TRUE(gif.Transparent());
        EXPECT_EQ(qAlpha(gif.Image().pixel(1, 1)), 0);
        ExpectQuadrants(gif.Image(), 0); // the first frame, not the second
        // On a bitmap the transparent pixel shows the white background.
        Bitmap b;
        b.Assign(gif);
        EXPECT_EQ(b.Image().pixelColor(1, 1), QColor(Qt::white));
    }
}

TEST(Gif, AnOpaqueFrameKeepsItsColourIndexes)
{
    // The same colours as the drawn picture, interlaced or not; drawn the same onto a bitmap.
    for (bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced);
        const QString path = test::TempPath(interlaced ? QStringLiteral("oi.gif") : QStringLiteral("op.gif"));
        test::WriteBytes(path, test::GifBytes(Quadrants(24, 16), interlaced));
        Picture picture;
        picture.LoadFromFile(path);
        const auto& gif = static_cast<const GifImage&>(*picture.GetGraphic());
        EXPECT_EQ(gif.Image().format(), QImage::Format_Indexed8);
        EXPECT_FALSE(gif.Transparent());
        ExpectQuadrants(gif.Image(), 0);
        Bitmap b;
        b.Assign(gif);
        ExpectQuadrants(b.Image(), 0);
    }
}

TEST(Gif, BrokenFilesFailCleanly)
{
    const QByteArray good = test::GifBytes(Quadrants(24, 16));
    GifImage gif;
    EXPECT_THROW(gif.LoadFromData(good.left(30)), InvalidPicture);
    EXPECT_THROW(gif.LoadFromData(QByteArray("GIF89a")), InvalidPicture);
    EXPECT_THROW(gif.LoadFromData(QByteArray("\xFF\xD8\xFF not a gif")), InvalidPicture);
}

TEST(Icon, LoadsWithItsAlphaAndFailsCleanlyWhenBroken)
{
    QImage image = Quadrants(32, 32).convertToFormat(QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    const QString path = test::TempPath(QStringLiteral("a.ico"));
    test::WriteBytes(path, test::IcoBytes(image));
    Picture picture;
    picture.LoadFromFile(path);
    ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Icon);
    const auto& icon = static_cast<const IconImage&>(*picture.GetGraphic());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(qAlpha(icon.Image().pixel(0, 0)), 0);
    ExpectQuadrants(icon.Image().convertToFormat(QImage::Format_RGB32), 0);

    const QByteArray good = test::IcoBytes(image);
    IconImage broken;
    EXPECT_THROW(broken.LoadFromData(good.left(good.size() / 2)), InvalidPicture);
    EXPECT_THROW(broken.LoadFromData(good.left(10)), InvalidPicture);
    EXPECT_THROW(broken.LoadFromData(QByteArray(64, 'x')), InvalidPicture);
}

TEST(Picture, ChoosesByExtensionAndKeepsItsGraphicWhenALoadFails)
{
    Picture picture;
    const QString bmp = test::WriteBmp(QStringLiteral("x.BMP"), Quadrants(), 24);
    picture.LoadFromFile(bmp);
    EXPECT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Bitmap);

    // A BMP named .jpg does not decode; the picture keeps its bitmap.
    const QString mislabelled = test::TempPath(QStringLiteral("bmp.jpg"));
    test::WriteBytes(mislabelled, test::ReadBytes(bmp));
    EXPECT_THROW(picture.LoadFromFile(mislabelled), InvalidPicture);
    EXPECT_THROW(picture.LoadFromFile(test::TempPath(QStringLiteral("x.png"))), InvalidPicture);
    EXPECT_THROW(picture.LoadFromFile(test::TempPath(QStringLiteral("missing.jpg"))), FileNotFound);
    ASSERT_NE(picture.GetGraphic(), nullptr);
    EXPECT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Bitmap);

    // Taking the picture's bitmap replaces any other graphic by an empty bitmap.
    Picture jpeg;
    jpeg.LoadFromFile(test::WriteJpeg(QStringLiteral("y.jpg"), Quadrants()));
    Bitmap& b = jpeg.GetBitmap();
    EXPECT_TRUE(b.Empty());
    // Assign copies: changing the copy leaves the source alone.
    Picture copy;
    copy.Assign(picture);
    copy.GetBitmap().ScanLine(0)[0] = 0;
    EXPECT_NE(picture.GetBitmap().ScanLine(0)[0], 0);
}
