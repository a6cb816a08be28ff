// The red-eye rule on single pixels, the 16 x 16 patch around a click, a patch at the picture's edge,
// and the abort flag between columns.
#include <gtest/gtest.h>

#include "imaging/red_eye.h"
#include "imaging/working_copy.h"
#include "support/imaging_bitmaps.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

Bitmap Solid(int w, int h, QColor c) { return SolidBitmap(w, h, c, PixelFormat::Bits32); }

} // namespace

TEST(RedEye, RuleOnSinglePixelsAndASecondPassChangesNothingMore)
{
    struct Case {
        QColor in, out;
    };
    for (const Case& c : {Case{{200, 40, 30}, {30, 40, 30}}, Case{{200, 100, 114}, {100, 100, 114}},
                          Case{{175, 100, 20}, {175, 100, 20}}, Case{{255, 0, 0}, {0, 0, 0}},
                          Case{{128, 128, 128}, {128, 128, 128}}, Case{{255, 255, 255}, {255, 255, 255}},
                          Case{{30, 40, 30}, {30, 40, 30}}}) {
        SCOPED_TRACE(c.in.name().toStdString());
        Bitmap b = Solid(4, 4, c.in);
        EditarCanaisDeCorDeBitmapReduzindoVermelho(b, nullptr);
        EXPECT_EQ(PixelOf(b, 2, 2), c.out);
        EditarCanaisDeCorDeBitmapReduzindoVermelho(b, nullptr);
        EXPECT_EQ(PixelOf(b, 2, 2), c.out);
    }
}

TEST(RedEye, PatchChangesOnlyWhatLiesInsideItAndThePicture)
{
    struct Case {
        const char* name;
        QSize picture;
        Rect patch, changed; // changed: the pixels expected dark, right and bottom excluded
    };
    const Case cases[] = {
        {"16 x 16 around (20, 20)", {40, 40}, {12, 12, 28, 28}, {12, 12, 28, 28}},
        {"over the left and bottom edges", {20, 12}, {-6, 4, 10, 20}, {0, 4, 10, 12}},
        {"wholly outside", {8, 8}, {20, 20, 36, 36}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap b = Solid(c.picture.width(), c.picture.height(), QColor(220, 20, 20));
        RemoverCanalVermelhoDePedacoDeBitmap(c.patch, b, nullptr);
        for (int y = 0; y < c.picture.height(); ++y)
            for (int x = 0; x < c.picture.width(); ++x) {
                const bool inside = x >= c.changed.Left && x < c.changed.Right && y >= c.changed.Top && y < c.changed.Bottom;
                ASSERT_EQ(PixelOf(b, x, y), inside ? QColor(20, 20, 20) : QColor(220, 20, 20)) << x << "," << y;
            }
    }
}

TEST(RedEye, ReportsEachColumnAndStopsWhenAborted)
{
    Bitmap b = Solid(5, 3, QColor(255, 0, 0));
    RecordingProgress p;
    p.abortAt = 1;
    EditarCanaisDeCorDeBitmapReduzindoVermelho(b, &p);
    EXPECT_EQ(p.steps, (std::vector<int>{0, 1}));
    EXPECT_EQ(PixelOf(b, 2, 0), QColor(0, 0, 0));   // the column after the abort was tested
    EXPECT_EQ(PixelOf(b, 3, 0), QColor(255, 0, 0)); // later ones were not
}

TEST(WorkingCopy, AtMostThreeThousandTwoHundredWideInProportion)
{
    struct Case {
        QSize in, out;
    };
    for (const Case& c : {Case{{4000, 3000}, {3200, 2400}}, Case{{3201, 1001}, {3200, 1001}},
                          Case{{1000, 333}, {1000, 333}}, Case{{6400, 1}, {3200, 0}}, Case{{6400, 3}, {3200, 2}}})
        EXPECT_EQ(TamanhoDaCopiaDeTrabalho(c.in), c.out) << c.in.width() << "x" << c.in.height();
}

TEST(WorkingCopy, IsMadeAlsoForNarrowPictures)
{
    const Bitmap copy = MontarCopiaDeTrabalho(Solid(30, 20, QColor(10, 200, 30)));
    EXPECT_EQ(QSize(copy.Width(), copy.Height()), QSize(30, 20));
    EXPECT_EQ(copy.Format(), PixelFormat::Bits32);
    EXPECT_EQ(PixelOf(copy, 15, 10), QColor(10, 200, 30));
}
