// The red-eye rule on single pixels, the 16 x 16 patch around a click, a patch at the picture's edge,
// and the abort flag between columns.
#include <gtest/gtest.h>

#include <QImage>

#include "imaging/red_eye.h"
#include "imaging/working_copy.h"
#include "platform/graphics/bitmap.h"

using namespace lumoria;
using namespace lumoria::platform;

namespace {

Bitmap Solid(int w, int h, QRgb c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    Bitmap b;
    b.SetImage(image, PixelFormat::Bits32);
    return b;
}

QRgb Px(const Bitmap& b, int x, int y) { return b.Image().pixel(x, y) | 0xFF000000u; }

class Recording : public EditorProgress {
public:
    void LigarBarraDeProgresso(int, int, int) override {}
    void AtualizarBarraDeProgresso(int p) override
    {
        posicoes.push_back(p);
        if (abortarEm >= 0 && p == abortarEm)
            abortar = true;
    }
    void DesligarBarraDeProgresso() override {}
    bool AbortarProcessamento() const override { return abortar; }
    std::vector<int> posicoes;
    int abortarEm = -1;
    bool abortar = false;
};

} // namespace

TEST(RedEye, RuleOnSinglePixels)
{
    struct Case {
        QRgb in, out;
    };
    for (const Case& c : {Case{qRgb(200, 40, 30), qRgb(30, 40, 30)}, Case{qRgb(200, 100, 114), qRgb(100, 100, 114)},
                          Case{qRgb(175, 100, 20), qRgb(175, 100, 20)}, Case{qRgb(255, 0, 0), qRgb(0, 0, 0)},
                          Case{qRgb(128, 128, 128), qRgb(128, 128, 128)}, Case{qRgb(255, 255, 255), qRgb(255, 255, 255)},
                          Case{qRgb(30, 40, 30), qRgb(30, 40, 30)}}) {
        Bitmap b = Solid(1, 1, c.in);
        EditarCanaisDeCorDeBitmapReduzindoVermelho(b, nullptr);
        EXPECT_EQ(Px(b, 0, 0), c.out) << std::hex << c.in;
    }
}

TEST(RedEye, PatchIsSixteenBySixteenAroundThePoint)
{
    Bitmap b = Solid(40, 40, qRgb(220, 20, 20));
    RemoverCanalVermelhoDePedacoDeBitmap(Rect{20 - 8, 20 - 8, 20 + 8, 20 + 8}, b, nullptr);
    int changed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 12 && x < 28 && y >= 12 && y < 28;
            EXPECT_EQ(Px(b, x, y), inside ? qRgb(20, 20, 20) : qRgb(220, 20, 20)) << x << "," << y;
            changed += inside;
        }
    EXPECT_EQ(changed, 256);
}

TEST(RedEye, PatchAtTheEdgeChangesOnlyWhatLiesInside)
{
    Bitmap b = Solid(20, 12, qRgb(220, 20, 20));
    RemoverCanalVermelhoDePedacoDeBitmap(Rect{-6, 4, 10, 20}, b, nullptr);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(Px(b, x, y), (x < 10 && y >= 4) ? qRgb(20, 20, 20) : qRgb(220, 20, 20)) << x << "," << y;
    // A patch wholly outside changes nothing.
    Bitmap c = Solid(8, 8, qRgb(220, 20, 20));
    RemoverCanalVermelhoDePedacoDeBitmap(Rect{20, 20, 36, 36}, c, nullptr);
    EXPECT_EQ(Px(c, 7, 7), qRgb(220, 20, 20));
}

TEST(RedEye, SecondPassChangesNothingMore)
{
    Bitmap b = Solid(4, 4, qRgb(200, 40, 30));
    EditarCanaisDeCorDeBitmapReduzindoVermelho(b, nullptr);
    EditarCanaisDeCorDeBitmapReduzindoVermelho(b, nullptr);
    EXPECT_EQ(Px(b, 2, 2), qRgb(30, 40, 30));
}

TEST(RedEye, ReportsEachColumnAndStopsWhenAborted)
{
    Bitmap b = Solid(5, 3, qRgb(255, 0, 0));
    Recording p;
    p.abortarEm = 1;
    EditarCanaisDeCorDeBitmapReduzindoVermelho(b, &p);
    EXPECT_EQ(p.posicoes, (std::vector<int>{0, 1}));
    EXPECT_EQ(Px(b, 2, 0), qRgb(0, 0, 0));    // the column after the abort was tested
    EXPECT_EQ(Px(b, 3, 0), qRgb(255, 0, 0)); // later ones were not
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
    const Bitmap source = Solid(30, 20, qRgb(10, 200, 30));
    const Bitmap copy = MontarCopiaDeTrabalho(source);
    EXPECT_EQ(QSize(copy.Width(), copy.Height()), QSize(30, 20));
    EXPECT_EQ(copy.Format(), PixelFormat::Bits32);
    EXPECT_EQ(Px(copy, 15, 10), qRgb(10, 200, 30));
}
