// Drawing for the printer and for the preview: frames at device resolution, the red crop marks at
// their places, the printable-area outline, the block moved to the printable corner, and pages
// without frames.
#include <gtest/gtest.h>

#include "page_test_support.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/parallel.h"
#include "platform/printing/fixed_printer.h"
#include "platform/printing/printer.h"

#include <QPainter>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// A printer of 50 dots per inch with A4 paper: 413 x 585 device pixels, printable area 390 x 560
// from (10, 12).
const PrinterDeviceValues kA4At50 = A4(50, 10, 12, 13, 13);

std::unique_ptr<PrinterSystem> SystemWith(const PrinterDeviceValues& v)
{
    auto system = std::make_unique<FixedPrinterSystem>();
    system->addPrinter(QStringLiteral("Test"), v);
    return system;
}

// What a printer canvas draws on: the printable area, origin at its corner.
struct PrinterPage {
    explicit PrinterPage(const PrinterDeviceValues& v)
        : image(v.clip.Right, v.clip.Bottom, QImage::Format_RGB32), painter(&image), canvas(painter, v.clip, true)
    {
        image.fill(Qt::black); // the drawing must paint everything itself
    }
    const QImage& Done()
    {
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
    Canvas canvas;
};

// The crop marks' red (any channel within 55 levels) at some points, white at others.
void ExpectMarks(const QImage& image, std::initializer_list<QPoint> red, std::initializer_list<QPoint> white)
{
    for (const QPoint& p : red)
        ExpectPixels(image, {{p, QColor(255, 0, 0)}}, 55);
    for (const QPoint& p : white)
        ExpectPixels(image, {{p, Qt::white}});
}

} // namespace

TEST(PrintDrawing, CropMarksStandInTheMarginsAndLeaveTheFrameEdgesFree)
{
    ScopedPrinterSystem printers(SystemWith(kA4At50));
    // One frame from (50, 50) to (150, 200) mm: on 413 x 585 it is (98, 98) to (295, 394).
    TPagina page = Page(210, 297, {Rect{50, 50, 150, 200}});
    PrinterPage printer(kA4At50);
    page.DesenharParaImpressao(printer.canvas, false);
    // Horizontal marks at y = 98 and 394: from 0 to 97 (not painted) and from 296 to the clip's
    // right; vertical ones at x = 98 and 295: from the top to 96 and from 395 to the clip's bottom.
    // The frame's own edges are free, and everything else is white.
    ExpectMarks(printer.Done(), {{0, 98}, {96, 97}, {96, 99}, {296, 98}, {389, 98}, {10, 394}, {98, 0}, {98, 96}, {98, 395}, {295, 559}},
                {{97, 98}, {200, 98}, {200, 394}, {98, 97}, {98, 200}, {98, 394}, {50, 50}, {200, 300}, {350, 500}});
    for (const QPoint& p : {QPoint(96, 100), QPoint(294, 300)})
        EXPECT_FALSE(Near(printer.image.pixelColor(p), QColor(255, 0, 0), 55)) << p.x() << "," << p.y();
}

TEST(PrintDrawing, FramesBeyondThePrintableAreaAreLimitedToIt)
{
    ScopedPrinterSystem printers(SystemWith(kA4At50));
    // Right edge at 205 mm = 403 device pixels, past the clip's right (390).
    TPagina page = Page(210, 297, {Rect{100, 50, 205, 200}});
    PrinterPage printer(kA4At50);
    page.DesenharParaImpressao(printer.canvas, false);
    ExpectMarks(printer.Done(), {{389, 20}, {197, 20}}, {}); // the right edge's mark at the clip's right
}

TEST(PrintDrawing, PhotosTurnAndFillTheirFramesInAGridWithCrossingMarks)
{
    ScopedPrinterSystem printers(SystemWith(kA4At50));
    TPagina page;
    page.MontarMolduras(210, 297, 90, 120); // (15, 28)-(105, 148) and its three neighbours
    const QString landscape = WriteJpeg(QStringLiteral("print-landscape.jpg"), Quads(240, 160));
    const QString green = WriteBmp(QStringLiteral("print-green.bmp"), SolidImage(90, 120, kGreen));
    SetPhotos(page, {landscape, landscape, green, TempPath(QStringLiteral("not there.jpg"))}); // the same picture twice
    PrinterPage printer(kA4At50);
    page.DesenharParaImpressao(printer.canvas, false);
    // Frame 0 is (30, 55)-(206, 292): the landscape picture turned, green quarter at the top-left;
    // frame 1 the same turned picture.
    const QImage& sheet = printer.Done();
    ExpectPixels(sheet, {{{60, 100}, kGreen}, {{60, 250}, kRed}, {{170, 250}, kBlue}, {{240, 100}, kGreen}}, 16);
    ExpectPixels(sheet, {{{100, 400}, kGreen}}, 2);
    // The missing file: an empty white frame, its name cleared. The marks of the lower frames cross
    // the upper frames' edges in the top margin.
    ExpectMarks(sheet, {{30, 20}, {206, 20}, {384, 20}, {10, 292}}, {{300, 400}, {120, 20}});
    EXPECT_TRUE(page.Fotos[3].NomeDoArquivo.isEmpty());
}

TEST(PrintDrawing, BlockMovesToThePrintableCornerAndEmptyPagesStayWhite)
{
    // On a bitmap (page export) the target is the bitmap itself.
    TPagina page = Page(100, 100, {Rect{40, 30, 60, 50}});
    page.Fotos[0].NomeDoArquivo = WriteBmp(QStringLiteral("corner.bmp"), SolidImage(20, 20, kBlue));
    Bitmap shifted(100, 100);
    page.DesenharParaImpressao(shifted.GetCanvas(), true);
    ExpectPixels(shifted.Image(), {{{5, 5}, kBlue}, {{18, 18}, kBlue}}, 2);
    ExpectMarks(shifted.Image(), {{0, 50}, {50, 0}}, {{30, 30}}); // the marks moved with the block
    Bitmap inPlace(100, 100);
    page.DesenharParaImpressao(inPlace.GetCanvas(), false);
    ExpectPixels(inPlace.Image(), {{{5, 5}, Qt::white}});
    ExpectPixels(inPlace.Image(), {{{45, 35}, kBlue}}, 2);

    TPagina empty = Page(210, 297, {});
    Bitmap blank(210, 297);
    blank.GetCanvas().brush.color = Qt::black;
    blank.GetCanvas().FillRect(Rect{0, 0, 210, 297});
    empty.DesenharParaImpressao(blank.GetCanvas(), true);
    EXPECT_TRUE(AllWhite(blank, Rect{0, 0, 210, 297}));
}

TEST(PrintDrawing, BrokenAndTransparentPicturesAmongOthers)
{
    const QByteArray good = ReadBytes(WriteJpeg(QStringLiteral("p-good.jpg"), Quads(64, 48)));
    const QString broken = WriteTempFile(QStringLiteral("p-broken.jpg"), good.left(good.size() / 3));
    QImage holed = SolidImage(40, 40, kYellow).convertToFormat(QImage::Format_ARGB32);
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            holed.setPixel(x, y, qRgba(0, 0, 0, 0));
    const QString gif = WriteTempFile(QStringLiteral("p-holed.gif"), GifBytes(holed));
    const QString blue = WriteBmp(QStringLiteral("p-blue.bmp"), SolidImage(40, 40, kBlue));
    // Twelve square frames: broken, GIF with a hole, blue, and again, in a row.
    TPagina page = Page(480, 40, {});
    for (int i = 0; i < 12; ++i) {
        TFoto f;
        f.Left = 40 * i;
        f.Right = 40 * i + 40;
        f.Bottom = 40;
        f.NomeDoArquivo = i % 3 == 0 ? broken : i % 3 == 1 ? gif : blue;
        page.Fotos.push_back(f);
    }
    Bitmap paper(480, 40);
    EXPECT_NO_THROW(page.DesenharParaImpressao(paper.GetCanvas(), false));
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const int x = 40 * i;
        if (i % 3 == 0) {
            EXPECT_EQ(At(paper, x + 20, 20), QColor(Qt::white));
            EXPECT_EQ(page.Fotos[std::size_t(i)].NomeDoArquivo, broken);
        } else if (i % 3 == 1) {
            EXPECT_TRUE(Near(At(paper, x + 5, 20), kYellow, 2));
            EXPECT_EQ(At(paper, x + 20, 20), QColor(Qt::white)); // the page shows through
        } else {
            EXPECT_TRUE(Near(At(paper, x + 20, 20), kBlue, 2));
        }
    }
}

TEST(PrintDrawing, FramesHeldUntilDrawnTakeHalfTheDecodeBudgetAtMostAndComeOutTheSame)
{
    // 1 mm = 1 device pixel: four frames of 1500 x 1600, 9.6 MB of pixels each, two JPEG photos and
    // two BMP pictures, each with its own corner colours so that a frame drawn from the wrong file or
    // turned shows.
    PrinterDeviceValues v;
    v.physicalWidth = v.clip.Right = 3100;
    v.physicalHeight = v.clip.Bottom = 3300;
    v.dpiX = v.dpiY = 300;
    ScopedPrinterSystem printers(SystemWith(v));
    constexpr std::int64_t kFrame = 1500LL * 1600 * 4;
    TPagina page = Page(3100, 3300, {Rect{0, 0, 1500, 1600}, Rect{1550, 0, 3050, 1600}, Rect{0, 1650, 1500, 3250},
                                     Rect{1550, 1650, 3050, 3250}});
    page.Fotos[0].NomeDoArquivo = WriteJpeg(QStringLiteral("held0.jpg"), QuadrantsImage(300, 320, kRed, kGreen, kBlue, kYellow));
    page.Fotos[1].NomeDoArquivo = WriteBmp(QStringLiteral("held1.bmp"), QuadrantsImage(300, 320, kGreen, kBlue, kYellow, kRed));
    page.Fotos[2].NomeDoArquivo = WriteJpeg(QStringLiteral("held2.jpg"), QuadrantsImage(300, 320, kBlue, kYellow, kRed, kGreen));
    page.Fotos[3].NomeDoArquivo = WriteBmp(QStringLiteral("held3.bmp"), QuadrantsImage(300, 320, kYellow, kRed, kGreen, kBlue));

    const auto printed = [&] {
        ResetDecodeMemoryHighWater();
        PrinterPage printer(v);
        page.DesenharParaImpressao(printer.canvas, false);
        return printer.Done();
    };
    const QImage roomy = printed();
    // With room for all, the frames of a batch are all held at once.
    EXPECT_GE(DecodeMemoryHighWater(), std::min(4, PixelThreads()) * kFrame);

    // Half the budget for the frames held: room for two.
    const std::int64_t old = SetDecodeMemoryBudget(5 * kFrame);
    const QImage tight = printed();
    const std::int64_t held = DecodeMemoryHighWater();
    SetDecodeMemoryBudget(old);
    EXPECT_GE(held, kFrame);
    EXPECT_LE(held, 2 * kFrame);
    EXPECT_EQ(DecodeMemoryInUse(), 0);
    EXPECT_EQ(MaxDifference(roomy, tight), 0);
    const QColor firsts[] = {kRed, kGreen, kBlue, kYellow};
    const QPoint corners[] = {{300, 300}, {1850, 300}, {300, 1950}, {1850, 1950}};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Near(tight.pixelColor(corners[i]), firsts[i])) << i;
}

TEST(PrintDrawing, AGifIsScaledAsItsRowsComeAndPrintsAsTheSamePictureWouldWhole)
{
    // 3200 x 3000 (9.6 MB of indexes) with a mark in one corner; 1 mm = 1 pixel. A portrait frame
    // fitted inside, whose run the picture turns for, a landscape one stretched, a wide one cut.
    QImage picture = QuadrantsImage(3200, 3000, kRed, kGreen, kBlue, kYellow);
    QPainter(&picture).fillRect(100, 100, 600, 300, Qt::black);
    const QString gif = WriteTempFile(QStringLiteral("rows.gif"), GifBytes(picture));
    const QString interlaced = WriteTempFile(QStringLiteral("rows-interlaced.gif"), GifBytes(picture, true));
    const QString whole = WriteBmp(QStringLiteral("rows.bmp"), picture);
    auto draw = [](const QString& file) {
        TPagina page = Page(700, 330, {Rect{330, 0, 530, 320}, Rect{0, 0, 320, 300}, Rect{540, 0, 700, 100}});
        SetPhotos(page, {file, file, file}, {kFitInside, kFitStretch, kFitCut});
        Bitmap paper(700, 330);
        page.DesenharParaImpressao(paper.GetCanvas(), false);
        return paper;
    };
    ResetDecodeMemoryHighWater();
    const Bitmap fromRows = draw(gif);
    EXPECT_EQ(DecodeMemoryHighWater(), 0); // the picture was never held
    const Bitmap fromWhole = draw(whole);
    EXPECT_LE(MaxDifference(fromRows.Image(), fromWhole.Image()), 1); // turned before or as it is scaled
    ResetDecodeMemoryHighWater();
    const Bitmap fromInterlaced = draw(interlaced); // its rows come in passes: read whole
    EXPECT_GE(DecodeMemoryHighWater(), 3200 * 3000);
    EXPECT_LE(MaxDifference(fromInterlaced.Image(), fromWhole.Image()), 1);
    // Turned anticlockwise, the mark at the picture's top-left comes to the bottom-left: in the
    // portrait frame (200 x 213 between borders of 53) and in the stretched one.
    ExpectColours(fromRows, {{{345, 240}, Qt::black}, {{430, 30}, Qt::white}, {{25, 260}, Qt::black}}, 0);
    ExpectColours(fromRows, {{{345, 80}, kGreen}, {{250, 50}, kYellow}});
    // One cut short prints empty frames, as when read whole.
    const QString cut = WriteTempFile(QStringLiteral("rows-cut.gif"), ReadBytes(gif).left(ReadBytes(gif).size() / 2));
    const Bitmap fromCut = draw(cut);
    EXPECT_TRUE(AllWhite(fromCut, Rect{335, 5, 525, 95}));
    EXPECT_TRUE(AllWhite(fromCut, Rect{5, 5, 315, 95}));
}

TEST(PreviewDrawing, OffsetsTheFramesAndOutlinesThePrintableArea)
{
    // 827 x 1169 dots, printable area 787 x 1109 from (20, 30).
    const PrinterDeviceValues v = A4(100, 20, 30, 20, 30);
    ScopedPrinterSystem printers(SystemWith(v));
    TPagina page = Page(210, 297, {Rect{50, 50, 150, 150}});
    page.Fotos[0].NomeDoArquivo = WriteBmp(QStringLiteral("preview.bmp"), SolidImage(100, 100, kGreen));
    // The preview bitmap 413 x 584: offsets (10, 15); the frame (98, 98)-(295, 197) moved by them.
    // The printable area (10, 15)-(403, 569) is outlined in red 3 pixels wide on its first and last
    // column and row.
    Bitmap preview(413, 584);
    page.DesenharNaPrevisao(preview.GetCanvas(), false);
    ExpectPixels(preview.Image(), {{{109, 114}, kGreen}, {{304, 211}, kGreen}}, 2);
    ExpectMarks(preview.Image(), {{9, 300}, {10, 300}, {11, 300}, {401, 300}, {402, 300}, {403, 300}, {200, 14}, {200, 15}, {200, 16}, {200, 567}, {200, 568}, {200, 569}},
                {{107, 150}, {306, 150}, {12, 300}, {400, 300}, {5, 5}});
    // Aligned with the printable corner, the block starts at (10, 15).
    Bitmap aligned(413, 584);
    page.DesenharNaPrevisao(aligned.GetCanvas(), true);
    ExpectPixels(aligned.Image(), {{{13, 18}, kGreen}, {{200, 100}, kGreen}}, 2);
    ExpectPixels(aligned.Image(), {{{220, 100}, Qt::white}});
}
