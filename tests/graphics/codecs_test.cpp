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
#include "support/draw_support.h"
#include "support/metafile_writer.h"
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

// The bytes with some of them set.
QByteArray Patched(QByteArray data, std::initializer_list<std::pair<qsizetype, int>> bytes)
{
    for (const auto& [at, value] : bytes)
        data[at] = char(value);
    return data;
}

void ExpectQuadrants(const QImage& image, int tolerance = 12)
{
    const int w = image.width(), h = image.height();
    test::ExpectPixels(image, {{{w / 4, h / 4}, kRed}, {{3 * w / 4, h / 4}, kBlue}, {{w / 4, 3 * h / 4}, kGreen},
                               {{3 * w / 4, 3 * h / 4}, kYellow}}, tolerance);
}

} // namespace

TEST(Bmp, EveryDepthLoadsWithItsColoursAndFormatAndIsWrittenBackInIt)
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
        EXPECT_EQ(QSize(b.Width(), b.Height()), QSize(40, 30));
        EXPECT_EQ(b.Format(), c.format);
        ExpectQuadrants(b.Image(), 0);
        // Written, Qt's reader agrees, and it reads back in its format.
        const QString path = test::TempPath(QStringLiteral("round%1.bmp").arg(c.bits));
        b.SaveToFile(path);
        ExpectQuadrants(QImage(path, "BMP"), 0);
        Bitmap back;
        back.LoadFromFile(path);
        EXPECT_EQ(back.Format(), c.format);
        ExpectQuadrants(back.Image(), 0);
    }
}

TEST(Bmp, OneBitAndTopDownRowsAndExactBytesOf24Bits)
{
    Bitmap mono;
    mono.LoadFromData(test::BmpBytes(test::HalvesImage(20, 4, Qt::black, Qt::white), 1));
    EXPECT_EQ(mono.Format(), PixelFormat::Bits1);
    test::ExpectPixels(mono.Image(), {{{2, 1}, Qt::black}, {{15, 3}, Qt::white}});

    Bitmap topDown;
    topDown.LoadFromData(test::BmpBytes(Quadrants(), 24, true));
    ExpectQuadrants(topDown.Image(), 0);
    // 24-bit rows hold blue, green, red from the top.
    const uchar* row = topDown.ScanLine(0);
    EXPECT_EQ((std::vector<int>{row[0], row[1], row[2]}), (std::vector<int>{kRed.blue(), kRed.green(), kRed.red()}));
    EXPECT_THROW(topDown.ScanLine(30), RangeError);
}

TEST(Jpeg, LoadsAt24BitsAndGreyAt8Bits)
{
    Picture picture;
    picture.LoadFromFile(test::WriteJpeg(QStringLiteral("q.JPG"), Quadrants(64, 48)));
    ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Jpeg);
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(64, 48));
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
    for (const auto& [target, scale] : {std::pair{QSize(100, 75), 1}, {QSize(101, 75), 2}, {QSize(400, 300), 4},
                                        {QSize(800, 600), 8}, {QSize(), 8}})
        EXPECT_EQ(jpeg.ScaleFor(target), scale) << target.width();
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
        EXPECT_EQ(QSize(jpeg.Width(), jpeg.Height()), QSize(160, 96));
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

TEST(Jpeg, CutInItsPixelsTheHeaderReadsAndTheDecodeFails)
{
    const QByteArray good = test::ReadBytes(test::WriteJpeg(QStringLiteral("ok.jpg"), Quadrants(256, 192)));
    JpegImage jpeg;
    jpeg.LoadFromData(good.left(good.size() / 2));
    Bitmap b;
    EXPECT_THROW(b.Assign(jpeg), InvalidPicture);
    Bitmap target(50, 50);
    EXPECT_THROW(target.GetCanvas().StretchDraw(Rect{0, 0, 50, 50}, jpeg), InvalidPicture);
}

TEST(Gif, FirstFrameWithItsColoursAndTransparency)
{
    // An opaque frame keeps its colour indexes; a transparent pixel shows white on a bitmap.
    for (const bool transparent : {false, true})
        for (const bool interlaced : {false, true}) {
            SCOPED_TRACE(testing::Message() << "transparent " << transparent << ", interlaced " << interlaced);
            QImage image = Quadrants(24, 16).convertToFormat(QImage::Format_ARGB32);
            if (transparent)
                image.setPixel(1, 1, qRgba(0, 0, 0, 0));
            const QString name = QStringLiteral("g%1%2.%3").arg(transparent).arg(interlaced).arg(interlaced ? "GIF" : "gif");
            const QString path = test::WriteTempFile(name, test::GifBytes(image, interlaced));
            Picture picture;
            picture.LoadFromFile(path);
            ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Gif);
            const auto& gif = static_cast<const GifImage&>(*picture.GetGraphic());
            EXPECT_EQ(QSize(gif.Width(), gif.Height()), QSize(24, 16));
            EXPECT_EQ(gif.Transparent(), transparent);
            if (transparent) {
                EXPECT_EQ(qAlpha(gif.Image().pixel(1, 1)), 0);
            } else {
                EXPECT_EQ(gif.Image().format(), QImage::Format_Indexed8);
            }
            ExpectQuadrants(gif.Image(), 0); // the first frame, not the second
            Bitmap b;
            b.Assign(gif);
            ExpectQuadrants(b.Image(), 0);
            EXPECT_EQ(b.Image().pixelColor(1, 1), transparent ? QColor(Qt::white) : kRed);
        }
}

TEST(Icon, LoadsWithItsAlpha)
{
    QImage image = Quadrants(32, 32).convertToFormat(QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    const QString path = test::WriteTempFile(QStringLiteral("a.ico"), test::IcoBytes(image));
    Picture picture;
    picture.LoadFromFile(path);
    ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Icon);
    const auto& icon = static_cast<const IconImage&>(*picture.GetGraphic());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(qAlpha(icon.Image().pixel(0, 0)), 0);
    ExpectQuadrants(icon.Image().convertToFormat(QImage::Format_RGB32), 0);
}

TEST(Picture, ChoosesByExtensionAndKeepsItsGraphicWhenALoadFails)
{
    Picture picture;
    const QString bmp = test::WriteBmp(QStringLiteral("x.BMP"), Quadrants(), 24);
    picture.LoadFromFile(bmp);
    EXPECT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Bitmap);

    // A BMP named .jpg does not decode; the picture keeps its bitmap.
    const QString mislabelled = test::WriteTempFile(QStringLiteral("bmp.jpg"), test::ReadBytes(bmp));
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

TEST(Codecs, BrokenFilesFailCleanly)
{
    const QByteArray bmp = test::BmpBytes(Quadrants(), 24);
    const QByteArray jpeg = test::ReadBytes(test::WriteJpeg(QStringLiteral("ok.jpg"), Quadrants(256, 192)));
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    const QByteArray gif = test::GifBytes(Quadrants(24, 16));
    const QByteArray ico = test::IcoBytes(Quadrants(32, 32).convertToFormat(QImage::Format_ARGB32));
    const std::vector<test::MetaRect> rects = {{QRect(10, 10, 40, 30), Qt::red}, {QRect(60, 40, 30, 40), Qt::blue}};
    const QByteArray wmf = test::MakeWmf(100, 80, rects);
    const QByteArray emf = test::MakeEmf(100, 80, rects);
    const struct {
        const char* what;
        const char* extension;
        QByteArray bytes;
    } cases[] = {
        {"bmp cut short", "bmp", bmp.left(bmp.size() - 200)},
        {"bmp header cut", "bmp", bmp.left(20)},
        {"text", "bmp", "not a picture at all, just text"},
        {"bmp of 60000 x 60000", "bmp", Patched(bmp, {{18, 0x60}, {19, 0xEA}, {22, 0x60}, {23, 0xEA}})},
        {"bmp of 7 bits a pixel", "bmp", Patched(bmp, {{28, 7}})},
        {"gif named jpeg", "jpg", "GIF89a this is no JPEG"},
        {"jpeg header cut", "jpg", jpeg.left(100)},
        // Refused before anything is allocated.
        {"jpeg of 65000 x 65000", "jpg", Patched(jpeg, {{sof + 5, 0xFD}, {sof + 6, 0xE8}, {sof + 7, 0xFD}, {sof + 8, 0xE8}})},
        {"gif cut", "gif", gif.left(30)},
        {"gif signature only", "gif", "GIF89a"},
        {"jpeg named gif", "gif", "\xFF\xD8\xFF not a gif"},
        {"icon cut in half", "ico", ico.left(ico.size() / 2)},
        {"icon header cut", "ico", ico.left(10)},
        {"icon of letters", "ico", QByteArray(64, 'x')},
        {"wmf cut short", "wmf", wmf.left(wmf.size() - 10)},
        {"emf cut short", "emf", emf.left(emf.size() - 10)},
        {"emf header cut", "emf", emf.left(60)},
        {"letters", "emf", QByteArray(200, 'z')},
        {"emf record longer than the file", "emf", Patched(emf, {{108 + 4, 0x7f}})},
        {"wmf record longer than the file", "wmf", Patched(wmf, {{22 + 18 + 2, 0x7f}})},
        {"placeable wmf without units per inch", "wmf", Patched(wmf, {{14, 0}, {15, 0}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto graphic = NewGraphicForExtension(QString::fromLatin1(c.extension));
        EXPECT_THROW(graphic->LoadFromData(c.bytes), InvalidPicture);
        EXPECT_TRUE(graphic->Empty());
    }
}
