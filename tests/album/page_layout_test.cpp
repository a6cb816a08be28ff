#include <gtest/gtest.h>

#include "album/album_document.h"
#include "album/album_model.h"
#include "album_test_support.h"
#include "support/page_builder.h"
#include "platform/failure.h"
#include "platform/ui/screen_cursor.h"

using namespace lumoria;

namespace {

TPagina pageWithFrames(std::initializer_list<Rect> frames)
{
    return test::PageWithFrames(210, 297, frames);
}

} // namespace

TEST(PageLayout, NewObjectsHaveTheirDefaults)
{
    const TFoto f;
    EXPECT_EQ(frameRect(f), (Rect{0, 0, 0, 0}));
    EXPECT_EQ(f.Ajuste, 0);
    EXPECT_TRUE(f.NomeDoArquivo.isEmpty());

    const TPagina p;
    EXPECT_EQ(pageRect(p), (Rect{0, 0, 0, 0}));
    EXPECT_TRUE(p.Fotos.empty());
    EXPECT_EQ(p.TipoDoPapel, 0);
    EXPECT_EQ(p.TipoDaFoto, 3);
    EXPECT_EQ(p.TamanhoPersonalizado1, 80);
    EXPECT_EQ(p.TamanhoPersonalizado2, 60);
}

TEST(PageLayout, GridIsRowMajorWithSharedEdgesAndCentred)
{
    TPagina p;
    p.Fotos.resize(7); // old frames are discarded
    p.Fotos[0].NomeDoArquivo = "/old.jpg";
    EXPECT_EQ(p.MontarMolduras(210, 297, 90, 120), 4);
    EXPECT_EQ(pageRect(p), (Rect{0, 0, 210, 297}));
    ASSERT_EQ(p.frameCount(), 4);
    EXPECT_EQ(frameRect(p.Foto(0)), (Rect{15, 28, 105, 148}));
    EXPECT_EQ(frameRect(p.Foto(1)), (Rect{105, 28, 195, 148}));
    EXPECT_EQ(frameRect(p.Foto(2)), (Rect{15, 148, 105, 268}));
    EXPECT_EQ(frameRect(p.Foto(3)), (Rect{105, 148, 195, 268}));
    for (const TFoto& f : p.Fotos) {
        EXPECT_TRUE(f.NomeDoArquivo.isEmpty());
        EXPECT_EQ(f.Ajuste, 0);
    }
}

TEST(PageLayout, CentringRoundsHalvesToEven)
{
    TPagina p;
    // A 180 mm block on 210 mm: 15 each side.
    p.MontarMolduras(210, 100, 180, 100);
    EXPECT_EQ(p.Foto(0).Left, 15);
    // 5 mm free: Round(2.5) = 2.
    p.MontarMolduras(105, 100, 50, 100);
    EXPECT_EQ(frameRect(p.Foto(0)), (Rect{2, 0, 52, 100}));
    EXPECT_EQ(frameRect(p.Foto(1)), (Rect{52, 0, 102, 100}));
    // 7 mm free: Round(3.5) = 4; 1 mm free: Round(0.5) = 0.
    p.MontarMolduras(57, 101, 50, 100);
    EXPECT_EQ(frameRect(p.Foto(0)), (Rect{4, 0, 54, 100}));
}

TEST(PageLayout, NoFrameFitsLeavesAnEmptyPage)
{
    TPagina p;
    EXPECT_EQ(p.MontarMolduras(100, 180, 180, 270), 0);
    EXPECT_EQ(pageRect(p), (Rect{0, 0, 100, 180}));
    EXPECT_TRUE(p.Fotos.empty());
}

TEST(PageLayout, SizesThatAreNotPositiveBuildNoFrame)
{
    TPagina p;
    EXPECT_EQ(p.MontarMolduras(210, 297, 0, 120), 0);
    EXPECT_EQ(p.MontarMolduras(210, 297, 90, 0), 0);
    EXPECT_EQ(p.MontarMolduras(210, 297, -90, -120), 0);
    EXPECT_EQ(p.MontarMolduras(0, 0, 90, 120), 0);
    EXPECT_EQ(pageRect(p), (Rect{0, 0, 0, 0}));
}

TEST(PageLayout, LayoutLeavesTheScreenCursorAsItWas)
{
    ASSERT_EQ(platform::screenCursor(), platform::kCursorDefault);
    TPagina p;
    p.MontarMolduras(210, 297, 20, 20);
    EXPECT_EQ(platform::screenCursor(), platform::kCursorDefault);
    platform::setScreenCursor(5382);
    p.MontarMolduras(210, 297, 20, 20);
    EXPECT_EQ(platform::screenCursor(), 5382);
    platform::setScreenCursor(platform::kCursorDefault);
}

TEST(PageLayout, HitTestIncludesEdgesAndPrefersTheEarlierFrame)
{
    TPagina p;
    p.MontarMolduras(210, 297, 90, 120);
    EXPECT_EQ(p.MolduraNoPonto(105, 100), 0); // edge shared by frames 0 and 1
    EXPECT_EQ(p.MolduraNoPonto(106, 100), 1);
    EXPECT_EQ(p.MolduraNoPonto(50, 148), 0);  // edge shared by frames 0 and 2
    EXPECT_EQ(p.MolduraNoPonto(105, 148), 0); // corner of all four
    EXPECT_EQ(p.MolduraNoPonto(195, 268), 3);
    EXPECT_EQ(p.MolduraNoPonto(15, 28), 0);
    EXPECT_EQ(p.MolduraNoPonto(14, 28), -1);  // margin
    EXPECT_EQ(p.MolduraNoPonto(100, 269), -1);
    EXPECT_EQ(p.MolduraNoPonto(Point{150, 200}), 3);
    EXPECT_EQ(TPagina().MolduraNoPonto(0, 0), -1);
}

TEST(PageLayout, BoundingRectangleOfFrames)
{
    const TPagina p = pageWithFrames({{30, 40, 60, 70}, {10, 50, 20, 90}, {25, 5, 80, 45}});
    EXPECT_EQ(p.PegarRetanguloDasMolduras(), (Rect{10, 5, 80, 90}));
    // Without frames: the page turned inside out.
    EXPECT_EQ(pageWithFrames({}).PegarRetanguloDasMolduras(), (Rect{210, 297, 0, 0}));
}

TEST(PageLayout, ShiftMovesEveryFrame)
{
    TPagina p = pageWithFrames({{0, 0, 10, 20}, {10, 0, 20, 20}});
    p.DeslocarMolduras(5, -3);
    EXPECT_EQ(frameRect(p.Foto(0)), (Rect{5, -3, 15, 17}));
    EXPECT_EQ(frameRect(p.Foto(1)), (Rect{15, -3, 25, 17}));
    EXPECT_THROW(p.DeslocarMolduras(2147483647, 0), RangeError);
}

TEST(PageLayout, CentringUsesThePageRectangle)
{
    TPagina p = pageWithFrames({{0, 0, 100, 100}, {100, 100, 200, 200}});
    p.Right = 205;
    p.Bottom = 215;
    p.CentralizarMolduras();
    EXPECT_EQ(p.PegarRetanguloDasMolduras(), (Rect{2, 8, 202, 208})); // Round(2.5), Round(7.5)
}

TEST(PageLayout, FrameAccessOutsideTheListFails)
{
    TPagina p = pageWithFrames({{0, 0, 1, 1}});
    EXPECT_NO_THROW(p.Foto(0));
    EXPECT_THROW(p.Foto(1), ListIndexError);
    EXPECT_THROW(p.Foto(-1), ListIndexError);
    const TPagina& c = p;
    EXPECT_THROW(c.Foto(5), ListIndexError);
}

// Every paper of the list with every photo of the list, through the relayout.
struct TablePair {
    int paper;
    int photo;
    int frames;
    bool turned;
    Rect first;
    Rect last;
};

class EveryPaperAndPhoto : public ::testing::TestWithParam<TablePair> {};

TEST_P(EveryPaperAndPhoto, LaysOutTheExpectedGrid)
{
    const TablePair& t = GetParam();
    AlbumDocument doc;
    const PageLegend& l = relayout(doc, false, t.paper, t.photo);
    const TPagina& p = doc.currentPage();
    ASSERT_EQ(p.frameCount(), t.frames);
    EXPECT_EQ(l.frames, t.frames);
    const Rect papers[] = {{0, 0, 210, 297}, {0, 0, 100, 180}, {0, 0, 100, 150}};
    EXPECT_EQ(pageRect(p), papers[t.paper]);
    if (t.frames == 0) {
        EXPECT_EQ(l.caption, "Não Cabe Sequer Uma");
        EXPECT_EQ(l.colour, 0x0000BFu);
        return;
    }
    EXPECT_EQ(frameRect(p.Foto(0)), t.first);
    EXPECT_EQ(frameRect(p.Foto(t.frames - 1)), t.last);
    const int w = t.first.Right - t.first.Left;
    const int h = t.first.Bottom - t.first.Top;
    EXPECT_EQ(w > h, t.turned) << "orientation";
    for (const TFoto& f : p.Fotos) {
        EXPECT_EQ(f.Right - f.Left, w);
        EXPECT_EQ(f.Bottom - f.Top, h);
        EXPECT_GE(f.Left, 0);
        EXPECT_GE(f.Top, 0);
        EXPECT_LE(f.Right, p.Right);
        EXPECT_LE(f.Bottom, p.Bottom);
    }
    EXPECT_EQ(l.caption, t.frames == 1 ? QString("Uma Foto Por Folha") : QString::number(t.frames) + " Fotos Por Folha");
    EXPECT_EQ(l.colour, PageLegend::kCl3DDkShadow);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, EveryPaperAndPhoto,
    ::testing::Values(
        // A4, 210 x 297
        TablePair{0, 0, 1, false, {15, 14, 195, 284}, {15, 14, 195, 284}}, // 27 mm free: Round(13.5) = 14
        TablePair{0, 1, 2, true, {10, 8, 200, 148}, {10, 148, 200, 288}},  // turned fits 2, upright 1
        TablePair{0, 2, 4, false, {5, 0, 105, 148}, {105, 148, 205, 296}}, // 10 x 15 is 100 x 148 on A4
        TablePair{0, 3, 4, false, {15, 28, 105, 148}, {105, 148, 195, 268}},
        TablePair{0, 4, 16, false, {5, 8, 55, 78}, {155, 218, 205, 288}},
        TablePair{0, 5, 49, false, {0, 8, 30, 48}, {180, 248, 210, 288}},
        TablePair{0, 6, 140, false, {5, 8, 25, 28}, {185, 268, 205, 288}},
        // 10 x 18, 100 x 180
        TablePair{1, 0, 0, false, {}, {}}, TablePair{1, 1, 0, false, {}, {}},
        TablePair{1, 2, 1, false, {0, 15, 100, 165}, {0, 15, 100, 165}},
        TablePair{1, 3, 1, false, {5, 30, 95, 150}, {5, 30, 95, 150}},
        TablePair{1, 4, 4, false, {0, 20, 50, 90}, {50, 90, 100, 160}},
        TablePair{1, 5, 12, false, {5, 10, 35, 50}, {65, 130, 95, 170}}, // tie 12 / 12 stays upright
        TablePair{1, 6, 45, false, {0, 0, 20, 20}, {80, 160, 100, 180}},
        // 10 x 15, 100 x 150
        TablePair{2, 0, 0, false, {}, {}}, TablePair{2, 1, 0, false, {}, {}},
        TablePair{2, 2, 1, false, {0, 0, 100, 150}, {0, 0, 100, 150}},
        TablePair{2, 3, 1, false, {5, 15, 95, 135}, {5, 15, 95, 135}},
        TablePair{2, 4, 4, false, {0, 5, 50, 75}, {50, 75, 100, 145}},
        TablePair{2, 5, 10, true, {10, 0, 50, 30}, {50, 120, 90, 150}}, // turned 10 beats upright 9
        TablePair{2, 6, 35, false, {0, 5, 20, 25}, {80, 125, 100, 145}}));
