// The date stamp's box and text, mirroring, and channel scaling with its progress bar.
#include <gtest/gtest.h>

#include "imaging/date_stamp.h"
#include "imaging/flip_and_channels.h"
#include "support/pixel_pictures.h"

#include <QFontMetrics>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

const QColor kGrey(90, 120, 150);

void HoldGrey(Picture& picture, int w, int h)
{
    const Bitmap grey = MakeBitmap(w, h, [](int, int) { return kGrey; });
    picture.AssignGraphic(&grey);
}

// Whether any pixel strictly inside the rectangle's border is white.
bool WhiteInside(const Bitmap& bitmap, const Rect& r)
{
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
        for (int x = r.Left + 1; x < r.Right - 1; ++x)
            if (PixelOf(bitmap, x, y) == QColor(Qt::white))
                return true;
    return false;
}

} // namespace

TEST(DateStamp, BoxOnAThousandByEightHundredPicture)
{
    EXPECT_EQ(RetanguloDaData(1000, 800, false), (Rect{250, 728, 750, 792}));
    EXPECT_EQ(RetanguloDaData(1000, 800, true), (Rect{200, 728, 800, 792}));

    Picture picture;
    HoldGrey(picture, 1000, 800);
    AplicarDataNaFoto(picture, QStringLiteral("07/12/2026"));
    const Bitmap& b = picture.GetBitmap();
    // A one-pixel white border round a black box, nothing outside it touched.
    EXPECT_EQ(PixelOf(b, 250, 728), QColor(Qt::white));
    EXPECT_EQ(PixelOf(b, 749, 791), QColor(Qt::white));
    EXPECT_EQ(PixelOf(b, 500, 728), QColor(Qt::white));
    EXPECT_EQ(PixelOf(b, 251, 729), QColor(Qt::black));
    EXPECT_EQ(PixelOf(b, 748, 790), QColor(Qt::black));
    EXPECT_EQ(PixelOf(b, 249, 760), kGrey);
    EXPECT_EQ(PixelOf(b, 750, 760), kGrey);
    EXPECT_EQ(PixelOf(b, 500, 727), kGrey);
    EXPECT_EQ(PixelOf(b, 500, 792), kGrey);
    // The text is white, centred, within the box.
    EXPECT_TRUE(WhiteInside(b, Rect{250, 728, 750, 792}));
    EXPECT_FALSE(WhiteInside(b, Rect{250, 728, 340, 792}));
    EXPECT_FALSE(WhiteInside(b, Rect{660, 728, 750, 792}));
}

TEST(DateStamp, FontCellIsTheBoxLessTwoPixels)
{
    // The 1000 x 800 box is 64 high: a bold Arial whose cell is 62 (or the largest under it).
    for (int h : {64, 30, 12}) {
        const QFont font = FonteDaData(h);
        EXPECT_TRUE(font.bold());
        EXPECT_LE(QFontMetrics(font).height(), h - 2) << h;
        QFont larger = font;
        larger.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(larger).height(), h - 2) << h;
    }
}

TEST(DateStamp, TheTextCellNeverCoversTheBordersTopAndBottomRows)
{
    // Pictures 100 wide whose boxes are 3, 4 and 64 high; the text is as wide as the box allows.
    struct Case {
        int height;
        Rect box;
    };
    for (const Case& c : {Case{38, Rect{25, 35, 75, 38}}, Case{50, Rect{25, 46, 75, 50}},
                          Case{800, Rect{25, 728, 75, 792}}}) {
        SCOPED_TRACE(c.height);
        ASSERT_EQ(RetanguloDaData(100, c.height, false), c.box);
        Picture picture;
        HoldGrey(picture, 100, c.height);
        AplicarDataNaFoto(picture, QStringLiteral("88"));
        const Bitmap& b = picture.GetBitmap();
        for (int x = c.box.Left; x < c.box.Right; ++x) {
            ASSERT_EQ(PixelOf(b, x, c.box.Top), QColor(Qt::white)) << x;
            ASSERT_EQ(PixelOf(b, x, c.box.Bottom - 1), QColor(Qt::white)) << x;
        }
        // Inside the border: the black box, with the text's cell in its middle.
        EXPECT_EQ(PixelOf(b, c.box.Left + 1, c.box.Top + 1), QColor(Qt::black));
        EXPECT_EQ(PixelOf(b, c.box.Right - 2, c.box.Bottom - 2), QColor(Qt::black));
    }
}

TEST(DateStamp, EmptyTextStillDrawsTheBox)
{
    Picture picture;
    HoldGrey(picture, 1000, 800);
    AplicarDataNaFotoRotacao(picture, QString());
    const Bitmap& b = picture.GetBitmap();
    EXPECT_EQ(PixelOf(b, 250, 728), QColor(Qt::white));
    EXPECT_FALSE(WhiteInside(b, Rect{250, 728, 750, 792}));
}

TEST(DateStamp, EffectLayerBoxIsWiderAndLowBoxesHaveNoText)
{
    Picture display;
    HoldGrey(display, 1000, 800);
    AplicarDataNaFotoEfeito(display, QStringLiteral("1"));
    EXPECT_EQ(PixelOf(display.GetBitmap(), 200, 760), QColor(Qt::white));
    EXPECT_EQ(PixelOf(display.GetBitmap(), 199, 760), kGrey);

    // 100 x 20: rows 18 and 19, both border.
    Picture low;
    HoldGrey(low, 100, 20);
    AplicarDataNaFoto(low, QStringLiteral("07/12/2026"));
    for (int x = 25; x < 75; ++x) {
        ASSERT_EQ(PixelOf(low.GetBitmap(), x, 18), QColor(Qt::white)) << x;
        ASSERT_EQ(PixelOf(low.GetBitmap(), x, 19), QColor(Qt::white)) << x;
    }
    EXPECT_EQ(PixelOf(low.GetBitmap(), 50, 17), kGrey);
}

TEST(Flip, MirrorsByTheFlags)
{
    const Bitmap source = MakeBitmap(
        2, 2, [](int x, int y) { return QColor(y == 0 ? 255 : 0, x == 0 ? 255 : 0, y == 1 ? 255 : 0); },
        PixelFormat::Bits32);
    struct Case {
        bool topBottom, leftRight;
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
        const Bitmap result = FlipReverseScanLine(c.topBottom, c.leftRight, source);
        EXPECT_EQ(result.Format(), PixelFormat::Bits32);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(PixelOf(result, x, y), PixelOf(source, c.leftRight ? 1 - x : x, c.topBottom ? 1 - y : y))
                    << c.topBottom << c.leftRight << x << y;
    }
    // The top row red and the bottom one blue: flipped, the top row is blue.
    const Bitmap rows = MakeBitmap(3, 2, [](int, int y) { return y ? QColor(Qt::blue) : QColor(Qt::red); });
    EXPECT_EQ(PixelOf(FlipReverseScanLine(true, false, rows), 1, 0), QColor(Qt::blue));
}

TEST(Channels, LimitsAndPercentages)
{
    EXPECT_EQ(LimitarCanalDeCor(-1), 0);
    EXPECT_EQ(LimitarCanalDeCor(256), 255);
    EXPECT_EQ(LimitarCanalDeCor(77), 77);

    struct Case {
        int r, g, b;
        QColor in, out;
    };
    const Case cases[] = {
        {100, 100, 100, QColor(10, 200, 255), QColor(10, 200, 255)},
        {0, 100, 100, QColor(10, 200, 255), QColor(0, 200, 255)},
        {200, 100, 100, QColor(100, 1, 2), QColor(200, 1, 2)},
        {200, 100, 100, QColor(200, 1, 2), QColor(255, 1, 2)},
        {-50, 100, 100, QColor(200, 1, 2), QColor(0, 1, 2)},
        // 1 x 150 / 100 = 1.5 -> 2 and 3 x 150 / 100 = 4.5 -> 4 (halves to even).
        {150, 150, 100, QColor(1, 3, 9), QColor(2, 4, 9)},
    };
    for (const Case& c : cases) {
        Bitmap bitmap = MakeBitmap(3, 2, [&](int, int) { return c.in; });
        RecordingProgress progress;
        EditarCanaisDeCorDeBitmap(progress, c.r, c.g, c.b, bitmap);
        EXPECT_EQ(PixelOf(bitmap, 2, 1), c.out) << c.r << " " << c.g << " " << c.b;
        EXPECT_EQ(bitmap.Format(), PixelFormat::Bits32);
        EXPECT_EQ(progress.highest, 4);
        EXPECT_EQ(progress.steps, (std::vector<int>{0, 1, 2}));
    }
}
