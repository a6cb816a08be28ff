// Printing a JPEG photo cuts and scales it in its own orientation as it decodes, at a reduced DCT
// scale when the frame needs fewer pixels, and turns only the finished frame. The page must come out
// as the full-size way makes it: the same photo's pixels in a BMP file are decoded whole, turned
// whole, stretched and fitted; frames, crop marks, turns and fit modes must match, and the photo's
// pixels may differ by one level (two for a reduced decode).
#include <gtest/gtest.h>

#include "page_test_support.h"
#include "platform/graphics/jpeg_image.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <cmath>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// A smooth picture that shows its orientation: red grows to the right, green downwards.
QImage Gradient(int w, int h)
{
    return PixelPicture(w, h, [&](int x, int y) { return qRgb(40 + 170 * x / w, 30 + 180 * y / h, 90 + 60 * (x + y) / (w + h)); });
}

// The three frames most tests print into: two of 90 x 120 side by side and one of 120 x 90 below.
constexpr Rect kFrames[] = {{10, 10, 100, 130}, {105, 10, 195, 130}, {30, 150, 150, 240}};

// An A4 page of about 2 pixels a millimetre with the photo in each frame (one reading for all), or
// in each a copy of its own.
TPagina PageWith(const QString& photo, int ajuste, std::initializer_list<Rect> frames = {kFrames[0], kFrames[1], kFrames[2]},
                 bool copies = false)
{
    TPagina page = Page(210, 297, frames);
    for (std::size_t i = 0; i < page.Fotos.size(); ++i) {
        TFoto& foto = page.Fotos[i];
        foto.NomeDoArquivo = photo;
        if (copies) {
            foto.NomeDoArquivo = photo + QStringLiteral(".%1.").arg(i) + QFileInfo(photo).suffix();
            QFile::remove(foto.NomeDoArquivo);
            QFile::copy(photo, foto.NomeDoArquivo);
        }
        foto.Ajuste = std::uint8_t(ajuste);
    }
    return page;
}

QImage Printed(TPagina page, PixelFormat format = PixelFormat::Device)
{
    Bitmap bitmap(420, 594, format);
    page.DesenharParaImpressao(bitmap.GetCanvas(), false);
    return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

// The JPEG's pixels as the decoder gives them at full size, in a BMP file read the full-size way.
QString AsBmp(const QString& jpeg)
{
    return WriteBmp(QFileInfo(jpeg).completeBaseName() + QStringLiteral(".bmp"), DecodeJpeg(ReadBytes(jpeg), JpegOutput::Native));
}

struct Caso {
    const char* nome;
    int w, h;          // the photo
    int quality;
    int tolerancia;
};

class PrintJpegPath : public ::testing::TestWithParam<std::tuple<Caso, int>> {};

TEST_P(PrintJpegPath, MatchesTheFullSizeWay)
{
    const auto& caso = std::get<0>(GetParam());
    const int ajuste = std::get<1>(GetParam()); // a variable of its own, which lambdas may take
    const QString jpeg = WriteJpeg(QStringLiteral("jpeg-path-%1.jpg").arg(caso.nome), Gradient(caso.w, caso.h), caso.quality);
    const QString bmp = AsBmp(jpeg);
    const QImage viaJpeg = Printed(PageWith(jpeg, ajuste));
    EXPECT_LE(MaxDifference(viaJpeg, Printed(PageWith(bmp, ajuste))), caso.tolerancia);
    // Frames drawn through a copy of their own (a 24-bit page) come out the same as frames written
    // straight into a 32-bit page.
    EXPECT_EQ(Printed(PageWith(jpeg, ajuste), PixelFormat::Bits24), viaJpeg);
    // Each frame with a file of its own, read on a thread of its own (and turned for its own frame,
    // where one reading serves the later frames as the first one turned it).
    const auto own = [&](const QString& file) { return Printed(PageWith(file, ajuste, {kFrames[0], kFrames[1], kFrames[2]}, true)); };
    EXPECT_LE(MaxDifference(own(jpeg), own(bmp)), caso.tolerancia);
}

INSTANTIATE_TEST_SUITE_P(
    FitModesAndTurns, PrintJpegPath,
    ::testing::Combine(::testing::Values(
                           // Smaller than the frames: decoded at full size, enlarged.
                           Caso{"landscape_small", 150, 100, 95, 1}, Caso{"portrait_small", 100, 150, 95, 1},
                           // Larger: decoded at a reduced scale.
                           Caso{"landscape_large", 1500, 1000, 100, 2}, Caso{"portrait_large", 1000, 1500, 100, 2},
                           // Odd sizes, the last DCT block cut short.
                           Caso{"odd", 1203, 797, 100, 2}),
                       ::testing::Values(int(kFitStretch), int(kFitInside), int(kFitCut))),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).nome) + "_" + std::to_string(std::get<1>(info.param));
    });

// A photo stored as an Exif tag asks prints as its upright pixels in a BMP file do: laid upright
// and turned to each frame (two portrait frames, one landscape) in one laying of the rows.
class PrintJpegExif : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(PrintJpegExif, PrintsAsTheUprightPixels)
{
    const auto& [tag, ajuste] = GetParam();
    const QString nome = QStringLiteral("jpeg-exif-%1-%2").arg(tag).arg(ajuste);
    const QString stored = WriteJpeg(nome + QStringLiteral("-stored.jpg"), StoredForExif(Gradient(1500, 1000), tag), 100);
    const QByteArray bytes = ReadBytes(stored);
    const QString jpeg = WriteTempFile(nome + QStringLiteral(".jpg"), WithExifOrientation(bytes, tag, tag % 2 == 0));
    const QString bmp = WriteBmp(nome + QStringLiteral(".bmp"), ShownByExif(DecodeJpeg(bytes, JpegOutput::Native), tag));
    EXPECT_LE(MaxDifference(Printed(PageWith(jpeg, ajuste)), Printed(PageWith(bmp, ajuste))), 2);
}

INSTANTIATE_TEST_SUITE_P(EveryTag, PrintJpegExif,
                         ::testing::Combine(::testing::Range(1, 9), ::testing::Values(int(kFitStretch), int(kFitCut))));

// Fine detail across and down: red waves along x, green along y, each of a period of six pixels.
QImage Waves(int w, int h)
{
    return PixelPicture(w, h, [](int x, int y) {
        return qRgb(int(128 + 100 * std::sin(x * M_PI / 3)), int(128 + 100 * std::sin(y * M_PI / 3)), 128);
    });
}

// Sharp colour edges across and down (so that the chroma of a column or row decoded beside a
// missing neighbour shows), and a black mark in the top-left corner.
QImage Bars(int w, int h)
{
    return PixelPicture(w, h, [](int x, int y) {
        const bool mark = x >= 3 && x < 9 && y >= 2 && y < 12;
        return mark ? qRgb(0, 0, 0) : qRgb(x / 5 % 2 ? 230 : 20, y / 7 % 2 ? 200 : 40, (x / 5 + y / 7) % 2 ? 30 : 220);
    });
}

struct Parcial {
    const char* nome;
    int w, h;
    bool progressivo;
};

// A frame that shows part of the photo decodes only that part (with the frames of the same
// reading): its pixels must still be a full decode's, at odd offsets, turned or not, baseline or
// progressive, through one reading or each frame through its own.
class PrintJpegPart : public ::testing::TestWithParam<std::tuple<Parcial, int>> {};

TEST_P(PrintJpegPart, MatchesTheWholeDecode)
{
    const auto& caso = std::get<0>(GetParam());
    const int ajuste = std::get<1>(GetParam()); // a variable of its own, which lambdas may take
    const QString nome = QStringLiteral("jpeg-part-%1-%2").arg(caso.nome).arg(ajuste);
    const QString jpeg = TempPath(nome + QStringLiteral(".jpg"));
    QImageWriter writer(jpeg, "jpeg");
    writer.setQuality(95);
    writer.setProgressiveScanWrite(caso.progressivo);
    ASSERT_TRUE(writer.write(Bars(caso.w, caso.h)));
    ASSERT_EQ(ReadJpegInfo(ReadBytes(jpeg)).progressive, caso.progressivo);
    const QString bmp = AsBmp(jpeg);
    // Portrait (the photo turned), wide, and wider: every frame enlarges the photo, decoded at full size.
    for (const bool copies : {false, true}) {
        const auto printed = [&](const QString& file) {
            return Printed(PageWith(file, ajuste, {Rect{10, 10, 100, 130}, Rect{105, 10, 195, 60}, Rect{20, 150, 190, 200}}, copies));
        };
        EXPECT_LE(MaxDifference(printed(jpeg), printed(bmp)), 1) << (copies ? "each its own file" : "one reading");
    }
}

INSTANTIATE_TEST_SUITE_P(
    FitModesAndTurns, PrintJpegPart,
    ::testing::Combine(::testing::Values(Parcial{"wide", 160, 40, false}, Parcial{"tall", 40, 160, false},
                                         Parcial{"odd", 163, 41, false}, Parcial{"wide_progressive", 160, 40, true},
                                         Parcial{"odd_progressive", 41, 163, true}),
                       ::testing::Values(int(kFitStretch), int(kFitInside), int(kFitCut))),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).nome) + "_" + std::to_string(std::get<1>(info.param));
    });

TEST(PrintJpegPath, AFrameOfAnotherShapeKeepsTheDetailOfBothAxes)
{
    // Stretched into a frame of another shape, one axis of the photo needs nearly all its pixels and
    // the other a quarter: the decode must serve the needier axis.
    struct Caso {
        int w, h;      // the photo
        Rect moldura;  // mm, at 2 pixels a millimetre
    };
    const Caso casos[] = {
        {300, 1200, Rect{10, 10, 100, 130}}, // 180 x 240 pixels: the width needs 5/8 of the photo
        {1200, 300, Rect{10, 10, 130, 100}}, // 240 x 180 pixels: the height does
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(testing::Message() << caso.w << " x " << caso.h);
        const QString nome = QStringLiteral("waves-%1x%2").arg(caso.w).arg(caso.h);
        const QString jpeg = WriteJpeg(nome + QStringLiteral(".jpg"), Waves(caso.w, caso.h), 100);
        EXPECT_LE(MaxDifference(Printed(PageWith(jpeg, kFitStretch, {caso.moldura})),
                                Printed(PageWith(AsBmp(jpeg), kFitStretch, {caso.moldura}))), 2);
    }
}

TEST(PrintJpegPath, OverlappingFramesKeepTheirOrder)
{
    // Where frames overlap, the later frame lies on top, as when each is drawn in turn.
    const QString red = WriteJpeg(QStringLiteral("overlap-red.jpg"), SolidImage(300, 400, kRed));
    const QString blue = WriteJpeg(QStringLiteral("overlap-blue.jpg"), SolidImage(300, 400, kBlue));
    TPagina page = Page(210, 297, {Rect{10, 10, 100, 130}, Rect{50, 50, 140, 170}});
    SetPhotos(page, {red, blue});
    ExpectPixels(Printed(page), {{{60, 60}, kRed}, {{150, 150}, kBlue}, {{250, 300}, kBlue}}, 4); // (150, 150) inside both
}

TEST(PrintJpegPath, AFileCutShortPrintsAnEmptyFrame)
{
    const QString whole = WriteJpeg(QStringLiteral("cut-whole.jpg"), Gradient(900, 600), 100);
    QByteArray bytes = ReadBytes(whole);
    bytes.truncate(bytes.size() * 2 / 3);
    const QString cut = WriteTempFile(QStringLiteral("cut-short.jpg"), bytes);
    TPagina page = PageWith(cut, kFitCut);
    page.Fotos[2].NomeDoArquivo = whole;
    Bitmap bitmap(420, 594);
    page.DesenharParaImpressao(bitmap.GetCanvas(), false);
    // Frames 0 and 1 (the cut file) are white inside, not half drawn; frame 2 is drawn; the names stay.
    // (The marks of frame 2 cross them at x = 60 and x = 300.)
    EXPECT_TRUE(AllWhite(bitmap, Rect{64, 22, 198, 258}));
    EXPECT_TRUE(AllWhite(bitmap, Rect{212, 22, 296, 258}));
    EXPECT_FALSE(AllWhite(bitmap, Rect{62, 302, 298, 478}));
    EXPECT_EQ(page.Fotos[0].NomeDoArquivo, cut);
}

TEST(PrintJpegPath, APageBitmapHoldingOtherPixelsComesOutAsANewOne)
{
    // A page large enough to give its memory back before the frames are written: every pixel must
    // be painted again, in the frames (pictures, the bands a fitted picture leaves, a file cut
    // short, a missing file, a picture of another kind) and around them.
    const QString landscape = WriteJpeg(QStringLiteral("repaint-landscape.jpg"), Gradient(900, 600), 95);
    // Progressive: the page gives its memory back only beside such a decode.
    const QString portrait = TempPath(QStringLiteral("repaint-portrait.jpg"));
    QImageWriter writer(portrait, "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(Gradient(500, 800)));
    QByteArray bytes = ReadBytes(landscape);
    bytes.truncate(bytes.size() / 2);
    const QString cut = WriteTempFile(QStringLiteral("repaint-cut.jpg"), bytes);
    const QString bmp = WriteBmp(QStringLiteral("repaint.bmp"), Gradient(300, 200));
    TPagina page = Page(210, 297, {Rect{10, 10, 100, 130}, Rect{105, 10, 195, 130}, Rect{10, 140, 100, 260},
                                   Rect{105, 140, 195, 260}, Rect{60, 265, 150, 290}});
    const QString files[] = {landscape, portrait, cut, bmp, TempPath(QStringLiteral("repaint-missing.jpg"))};
    const std::uint8_t fits[] = {kFitInside, kFitCut, kFitCut, kFitInside, kFitStretch};
    for (std::size_t i = 0; i < page.Fotos.size(); ++i) {
        page.Fotos[i].NomeDoArquivo = files[i];
        page.Fotos[i].Ajuste = fits[i];
    }
    const int w = 1240;
    const int h = 1754;
    ASSERT_GE(std::int64_t(w) * h * 4, 8 << 20);
    // The reference: a new 24-bit page, which takes every frame through a copy of its own.
    Bitmap reference(w, h, PixelFormat::Bits24);
    TPagina first = page;
    first.DesenharParaImpressao(reference.GetCanvas(), false);
    const QImage expected = reference.Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(AllWhite(reference, Rect{40, 40, 380, 500}));
    for (const QColor& before : {QColor(Qt::white), QColor(0, 0, 0), QColor(17, 130, 250)}) {
        Bitmap used(w, h);
        used.GetCanvas().brush.color = before;
        used.GetCanvas().FillRect(Rect{0, 0, w, h});
        TPagina again = page;
        again.DesenharParaImpressao(used.GetCanvas(), false);
        EXPECT_EQ(used.Image(), expected) << before.name().toStdString();
    }
}

} // namespace
