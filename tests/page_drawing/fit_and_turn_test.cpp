// The frame steps of page drawing on screen: the fit modes' rectangles, the turn to the frame's
// orientation, the reuse of the previous frame's picture, missing files and the placeholder.
#include <gtest/gtest.h>

#include "album/page_drawing_steps.h"
#include "album/page_view_fill.h"
#include "imaging/picture_routines.h"
#include "common/jpeg_resource.h"
#include "imaging/quarter_turn.h"
#include "page_test_support.h"
#include "platform/failure.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/picture.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThreadPool>
#include <QTransform>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

std::unique_ptr<Picture> PictureOf(const QImage& image)
{
    auto p = std::make_unique<Picture>();
    auto b = std::make_unique<Bitmap>();
    b->SetImage(image, PixelFormat::Bits24);
    p->SetGraphic(std::move(b));
    return p;
}

// The picture fitted in the mode into the frame (50, 50)-(250, 250) of a 300 x 300 canvas whose
// brush is black: the fit paints white itself.
Bitmap Fitted(const QImage& image, int mode)
{
    Bitmap canvas(300, 300);
    canvas.GetCanvas().brush.color = Qt::black;
    auto picture = PictureOf(image);
    desenho::AjustarFotoNaMoldura(canvas.GetCanvas(), Rect{50, 50, 250, 250}, *picture, mode);
    EXPECT_EQ(picture->GetBitmap().Format(), PixelFormat::Bits24); // a bitmap picture stays as it was
    return canvas;
}

// The size of the cache's copy of entry i; empty when it holds none.
QSize CachedSize(ScopedCache& cache, int i)
{
    const JpegImage* copy = cache->Imagem(i);
    return copy ? QSize(copy->Width(), copy->Height()) : QSize();
}

// Whether the frame shows the placeholder within `tolerance`, as the graphic stretches itself there.
void ExpectPlaceholder(const Bitmap& screen, const Rect& frame, const Graphic& placeholder, int tolerance = 0)
{
    const QImage drawn = screen.Image().copy(frame.Left, frame.Top, frame.Right - frame.Left, frame.Bottom - frame.Top);
    EXPECT_LE(MaxDifference(drawn, StretchedOnWhite(placeholder, frame, screen.Width(), screen.Height())), tolerance)
        << frame.Left << "," << frame.Top;
}

} // namespace

TEST(FitModes, InsideLeavesWhiteBordersOf25)
{
    // 400 x 300 into 200 x 200: h = 150, 25 white rows above and below, none at the sides.
    const Bitmap canvas = Fitted(HalvesImage(400, 300, kRed, kGreen), kFitInside);
    ExpectColours(canvas, {{{150, 74}, Qt::white}, {{150, 225}, Qt::white}, {{150, 249}, Qt::white}, {{250, 150}, Qt::white}}, 0);
    ExpectColours(canvas, {{{100, 75}, kRed}, {{200, 224}, kGreen}, {{50, 150}, kRed}, {{249, 150}, kGreen}});
}

TEST(FitModes, OutsideCutsFiftyColumnsOnEachSide)
{
    // w = 267, dx = 50: the source (50, 0, 350, 300) fills the frame; the colour change at source
    // column 200 lands at 50 + 150 * 200 / 300 = 150.
    const Bitmap canvas = Fitted(HalvesImage(400, 300, kRed, kGreen), kFitCut);
    ExpectColours(canvas, {{{50, 50}, kRed}, {{148, 150}, kRed}, {{152, 150}, kGreen}, {{249, 249}, kGreen}});
    EXPECT_EQ(At(canvas, 250, 150), QColor(Qt::white));
    // With 100 x 300 of 400 x 300 cut away, the frame's left column is the source's column 50: the
    // yellow columns before it are cut.
    QImage stripes = SolidImage(400, 300, kBlue);
    QPainter(&stripes).fillRect(0, 0, 50, 300, kYellow);
    ExpectColours(Fitted(stripes, kFitCut), {{{50, 100}, kBlue}});
    // Upright the cut is vertical: 300 x 400 into 200 x 200 gives h = 267 and dy = 50, so the 50
    // yellow rows at the top and the red ones at the bottom are cut.
    QImage rows = SolidImage(300, 400, kBlue);
    QPainter(&rows).fillRect(0, 0, 300, 50, kYellow);
    QPainter(&rows).fillRect(0, 350, 300, 50, kRed);
    ExpectColours(Fitted(rows, kFitCut), {{{150, 50}, kBlue}, {{150, 249}, kBlue}, {{150, 150}, kBlue}});
}

TEST(ReadAhead, PicturesThatDoNotFitInTheDecodeMemoryBesideThoseReadAheadAreReadWhenTheirFrameComes)
{
    // Room for two of the four 9 MB pictures: the others are read when their frames are drawn.
    const std::int64_t old = SetDecodeMemoryBudget(20 * 1024 * 1024);
    ScopedCache cache;
    const QColor colours[] = {kRed, kGreen, kBlue, kYellow};
    TPagina page = Page(400, 100, {Rect{0, 0, 100, 75}, Rect{100, 0, 200, 75}, Rect{200, 0, 300, 75}, Rect{300, 0, 400, 75}});
    for (int i = 0; i < 4; ++i)
        page.Fotos[std::size_t(i)].NomeDoArquivo =
            WriteBmp(QStringLiteral("big%1.bmp").arg(i), HalvesImage(2000, 1500, colours[i], Qt::white));
    const Bitmap screen = OnScreen(page, 400, 100);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ExpectColours(screen, {{{100 * i + 20, 40}, colours[i]}, {{100 * i + 80, 40}, Qt::white}});
    }
    EXPECT_EQ(DecodeMemoryInUse(), 0);
    SetDecodeMemoryBudget(old);
}

TEST(AutoRotation, PortraitPhotoInLandscapeFrameTurnsAnticlockwise)
{
    ScopedCache cache;
    // 1 mm = 1 pixel: a landscape frame, a landscape frame, a square frame.
    TPagina page = Page(400, 200, {Rect{0, 0, 120, 80}, Rect{130, 0, 250, 80}, Rect{260, 0, 360, 100}});
    SetPhotos(page, {WriteBmp(QStringLiteral("portrait.bmp"), Quads(80, 120)), WriteBmp(QStringLiteral("square.bmp"), Quads(100, 100)),
                     WriteBmp(QStringLiteral("landscape.bmp"), Quads(120, 80))});
    const Bitmap screen = OnScreen(page, 400, 200);
    // Turned anticlockwise, the top-right quarter (green) comes to the top-left.
    ExpectColours(screen, {{{10, 10}, kGreen}, {{110, 10}, kYellow}, {{10, 70}, kRed}, {{110, 70}, kBlue}});
    // A square picture never turns.
    ExpectColours(screen, {{{140, 10}, kRed}, {{240, 70}, kYellow}});
    // A square frame counts as upright: the landscape picture turns.
    ExpectColours(screen, {{{270, 10}, kGreen}, {{350, 90}, kBlue}});
}

TEST(AutoRotation, AnExifOrientedPhotoLiesUprightBeforeItTurnsToItsFrame)
{
    // A landscape photo stored as each Exif tag asks, in a landscape frame (upright) and, as a copy,
    // in a portrait frame (turned anticlockwise): the same from the file and from the cache's copy.
    for (int tag = 1; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        ScopedCache cache;
        const QByteArray bytes = WithExifOrientation(
            ReadBytes(WriteJpeg(QStringLiteral("exif-screen.jpg"), StoredForExif(Quads(180, 120), tag))), tag, tag > 4);
        TPagina page = Page(300, 200, {Rect{0, 0, 120, 80}, Rect{150, 0, 230, 120}});
        SetPhotos(page, {WriteTempFile(QStringLiteral("exif-screen-%1-a.jpg").arg(tag), bytes),
                         WriteTempFile(QStringLiteral("exif-screen-%1-b.jpg").arg(tag), bytes)});
        for (int draw = 0; draw < 2; ++draw) {
            SCOPED_TRACE(draw);
            const Bitmap screen = OnScreen(page, 300, 200);
            ExpectColours(screen, {{{10, 10}, kRed}, {{110, 10}, kGreen}, {{10, 70}, kBlue}, {{110, 70}, kYellow}});
            ExpectColours(screen, {{{160, 10}, kGreen}, {{220, 10}, kYellow}, {{160, 110}, kRed}, {{220, 110}, kBlue}});
        }
            EXPECT_EQ(CachedSize(cache, 0), QSize(90, 60));
    }
}

TEST(AutoRotation, ANearlySquarePhotoTurnsTheSameFromTheCache)
{
    // 1001 x 1000 is landscape; halved and rounded to even it would be a 500 x 500 square, which
    // never turns: the photo would stand turned on the first draw and upright on every later one.
    ScopedCache cache;
    // A portrait frame and a landscape one, 1 mm = 1 pixel.
    TPagina page = Page(300, 200, {Rect{0, 0, 100, 150}, Rect{150, 0, 300, 100}});
    SetPhotos(page, {WriteBmp(QStringLiteral("near-square-wide.bmp"), Quads(1001, 1000)),
                     WriteBmp(QStringLiteral("near-square-tall.bmp"), Quads(1000, 1001))});
    for (int draw = 0; draw < 2; ++draw) {
        SCOPED_TRACE(draw);
        // Both turned anticlockwise: the top-right quarter (green) at the top-left.
        ExpectColours(OnScreen(page, 300, 200), {{{10, 10}, kGreen}, {{10, 140}, kRed}, {{160, 10}, kGreen}, {{290, 90}, kBlue}});
    }
    EXPECT_EQ(CachedSize(cache, 0), QSize(500, 499));
    EXPECT_EQ(CachedSize(cache, 1), QSize(500, 501));
}

TEST(Reuse, ConsecutiveFramesOfOneFileShareThePictureLoadedFirst)
{
    // A one-pixel checker: the full picture shows it, the cache's reduced copy is grey.
    const QString a = WriteBmp(QStringLiteral("checker.bmp"),
                               PixelPicture(100, 100, [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }));
    ScopedCache cache;
    TPagina page = Page(400, 100, {Rect{0, 0, 100, 100}, Rect{100, 0, 200, 100}, Rect{200, 0, 300, 100},
                                   Rect{300, 0, 400, 100}});
    // Frame 1 reuses frame 0's full picture; frame 3 loads again, now from the cache.
    SetPhotos(page, {a, a, WriteBmp(QStringLiteral("plain.bmp"), SolidImage(100, 100, kBlue)), a});
    const Bitmap screen = OnScreen(page, 400, 100);
    auto contrast = [&](int x, int y) { return std::abs(At(screen, x, y).red() - At(screen, x + 1, y).red()); };
    EXPECT_GT(contrast(50, 50), 200);
    EXPECT_GT(contrast(150, 50), 200);
    ExpectColours(screen, {{{250, 50}, kBlue}});
    EXPECT_LT(contrast(350, 50), 60);
    EXPECT_EQ(cache->Proxima(), 2); // two files added, the third load was a hit
}

TEST(MissingFiles, NameIsClearedAndThePlaceholderShowsWithFitModeZero)
{
    ScopedCache cache;
    TPagina page = Page(200, 100, {Rect{0, 0, 120, 90}, Rect{130, 0, 190, 45}});
    SetPhotos(page, {TempPath(QStringLiteral("gone.jpg"))}, {kFitCut});
    const Bitmap screen = OnScreen(page, 200, 100);
    EXPECT_EQ(std::pair(page.Fotos[0].NomeDoArquivo, int(page.Fotos[0].Ajuste)), std::pair(QString(), 0));
    // The placeholder stretched over the frame, as the resource draws itself there.
    auto placeholder = CarregarJpegDoRecurso(QStringLiteral("Foto_Vazia"));
    ExpectPlaceholder(screen, Rect{0, 0, 120, 90}, *placeholder, 12);
    ExpectPlaceholder(screen, Rect{130, 0, 190, 45}, *placeholder, 12);
    // It is a light, neutral picture.
    const QColor middle = At(screen, 60, 20);
    EXPECT_GT(middle.red(), 200);
    EXPECT_EQ(middle.red(), middle.blue());
    EXPECT_TRUE(AllWhite(screen, Rect{120, 0, 130, 100}) && AllWhite(screen, Rect{0, 90, 200, 100}));

    // Without placeholders a missing file leaves the frame white.
    TPagina plain = Page(200, 100, {Rect{0, 0, 120, 90}});
    SetPhotos(plain, {TempPath(QStringLiteral("gone too.jpg"))});
    EXPECT_TRUE(AllWhite(OnScreen(plain, 200, 100, false), Rect{0, 0, 200, 100}));
    EXPECT_TRUE(plain.Fotos[0].NomeDoArquivo.isEmpty());
}

TEST(BrokenFiles, DrawAsEmptyFramesKeepTheirPathAndAreNotCached)
{
    ScopedCache cache;
    const QByteArray good = ReadBytes(WriteJpeg(QStringLiteral("good.jpg"), Quads(64, 48)));
    const QString broken = WriteTempFile(QStringLiteral("broken.jpg"), good.left(good.size() / 2));
    const QString mislabelled = WriteTempFile(QStringLiteral("mislabelled.jpg"), BmpBytes(Quads(64, 48), 24));
    const QString ok = WriteBmp(QStringLiteral("ok.bmp"), SolidImage(64, 48, kGreen));
    TPagina page = Page(300, 100, {Rect{0, 0, 64, 48}, Rect{100, 0, 164, 48}, Rect{200, 0, 264, 48}});
    SetPhotos(page, {broken, mislabelled, ok}, {kFitInside});
    Bitmap screen;
    EXPECT_NO_THROW(screen = OnScreen(page, 300, 100));
    EXPECT_EQ((QStringList{page.Fotos[0].NomeDoArquivo, page.Fotos[1].NomeDoArquivo}), (QStringList{broken, mislabelled}));
    EXPECT_EQ(page.Fotos[0].Ajuste, 1);
    EXPECT_EQ((std::vector<bool>{cache->Contem(broken), cache->Contem(mislabelled), cache->Contem(ok)}),
              (std::vector<bool>{false, false, true}));
    ExpectColours(screen, {{{230, 20}, kGreen}}); // the page goes on after them
    // The placeholder shows in the broken frames (light grey, not the picture's colours).
    EXPECT_GT(At(screen, 30, 10).red(), 200);
    EXPECT_EQ(At(screen, 30, 10).red(), At(screen, 30, 10).green());

    // The preview marks them as the page view does, since they would print blank; the space between
    // the frames stays white.
    Bitmap preview;
    EXPECT_NO_THROW(preview = OnScreen(page, 300, 100, false));
    for (const int x : {30, 130}) {
        EXPECT_EQ(At(preview, x, 10), At(screen, x, 10)) << x;
        EXPECT_NE(At(preview, x, 10), QColor(Qt::white)) << x;
    }
    EXPECT_TRUE(AllWhite(preview, Rect{64, 0, 100, 100}) && AllWhite(preview, Rect{0, 48, 300, 100}));
}

TEST(BrokenFiles, AFailedAllocationLeavesTheFrameEmptyAndOtherFaultsGoOn)
{
    // A huge file read whole, or a decoder's own buffer, can fail with a plain allocation failure:
    // the frame stays empty like any picture that cannot be had, and drawing goes on.
    bool falhou = false;
    EXPECT_NO_THROW(falhou = !desenho::Tentar([] { throw std::bad_alloc(); }));
    EXPECT_TRUE(falhou);
    EXPECT_FALSE(desenho::Tentar([] { throw InvalidPicture("bad"); }));
    EXPECT_FALSE(desenho::Tentar([] { throw OutOfMemory(); }));
    EXPECT_TRUE(desenho::Tentar([] {}));
    // Faults of the program itself are not hidden.
    EXPECT_THROW(desenho::Tentar([] { throw RangeError(); }), RangeError);
}

TEST(DegenerateFrames, DrawNothingAndNeverDivideByZero)
{
    ScopedCache cache;
    const QString thin = WriteBmp(QStringLiteral("thin.bmp"), SolidImage(1, 400, kRed));
    TPagina page = Page(100, 100, {Rect{10, 10, 10, 50}, Rect{20, 20, 60, 20}, Rect{60, 60, 90, 95}});
    SetPhotos(page, {thin, thin, thin}, {0, 0, kFitInside});
    Bitmap screen;
    EXPECT_NO_THROW(screen = OnScreen(page, 100, 100));
    // An empty picture fitted into a flat frame or a square one.
    Picture empty;
    EXPECT_NO_THROW(desenho::AjustarFotoNaMoldura(screen.GetCanvas(), Rect{10, 10, 10, 40}, empty, 1));
    EXPECT_NO_THROW(desenho::AjustarFotoNaMoldura(screen.GetCanvas(), Rect{10, 10, 40, 40}, empty, 2));
    EXPECT_TRUE(AllWhite(screen, Rect{0, 0, 60, 60}));
    // The 1-pixel-wide picture was cached as 1 pixel wide, not 0.
    EXPECT_EQ(CachedSize(cache, 0), QSize(1, 400));

    // A page without size maps every frame onto a point.
    TPagina flat = Page(0, 0, {Rect{0, 0, 10, 10}});
    SetPhotos(flat, {thin});
    Bitmap other(50, 50);
    EXPECT_NO_THROW(flat.DesenharNaTela(other.GetCanvas(), true));
    EXPECT_NO_THROW(flat.DesenharParaImpressao(other.GetCanvas(), true));

    // A frame no canvas can map draws nothing, and the others still draw.
    TPagina huge = Page(1, 1, {Rect{0, 0, 1, 1}});
    TFoto wide;
    wide.Left = std::numeric_limits<std::int32_t>::min();
    wide.Right = std::numeric_limits<std::int32_t>::max();
    wide.Bottom = 1;
    huge.Fotos.insert(huge.Fotos.begin(), wide);
    EXPECT_NO_THROW(screen = OnScreen(huge, 300, 300));
    EXPECT_FALSE(AllWhite(screen, Rect{0, 0, 300, 300})); // the ordinary frame's placeholder
    EXPECT_NO_THROW(OnScreen(huge, 300, 300, false));
}

TEST(DesenharFoto, DrawsOneFrameAndTurnsThePlaceholderToo)
{
    ScopedCache cache;
    TPagina page = Page(300, 200, {Rect{0, 0, 120, 80}, Rect{150, 0, 210, 100}});
    SetPhotos(page, {WriteBmp(QStringLiteral("one.bmp"), Quads(120, 80)), TempPath(QStringLiteral("vanished.bmp"))},
              {kFitInside, kFitCut});
    Bitmap screen(300, 200);
    screen.GetCanvas().pen.color = Qt::white;
    page.DesenharFoto(screen.GetCanvas(), 0);
    ExpectColours(screen, {{{10, 10}, kRed}});
    EXPECT_TRUE(AllWhite(screen, Rect{150, 0, 300, 200})); // only that frame

    page.DesenharFoto(screen.GetCanvas(), 1);
    EXPECT_EQ(std::pair(page.Fotos[1].NomeDoArquivo, int(page.Fotos[1].Ajuste)), std::pair(QString(), 0));
    // The landscape placeholder turned for the portrait frame, as the resource turned draws itself.
    Picture turned;
    turned.SetGraphic(CarregarJpegDoRecurso(QStringLiteral("Foto_Vazia")));
    RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(turned);
    ExpectPlaceholder(screen, Rect{150, 0, 210, 100}, *turned.GetGraphic(), 12);
    EXPECT_THROW(page.DesenharFoto(screen.GetCanvas(), 5), ListIndexError);
}

TEST(PictureRoutines, ConvertAssignAndTheResourcePicture)
{
    Picture jpeg;
    jpeg.LoadFromFile(WriteJpeg(QStringLiteral("conv.jpg"), Quads(40, 30)));
    ConverterFiguraParaBitmap(jpeg);
    ASSERT_EQ(jpeg.GetGraphic()->Kind(), GraphicKind::Bitmap);
    EXPECT_EQ(jpeg.GetBitmap().Format(), PixelFormat::Bits32);
    EXPECT_EQ(jpeg.Width(), 40);

    Picture bmp;
    bmp.LoadFromFile(WriteBmp(QStringLiteral("conv.bmp"), Quads(40, 30), 24));
    ConverterFiguraParaBitmap(bmp);
    EXPECT_EQ(bmp.GetBitmap().Format(), PixelFormat::Bits24); // a bitmap stays as it is

    Picture copy;
    AtribuirFigura(bmp, copy);
    EXPECT_EQ(copy.GetBitmap().Image(), bmp.GetBitmap().Image());
    Bitmap target(5, 5);
    AtribuirGrafico(jpeg.GetBitmap(), target);
    EXPECT_EQ(target.Width(), 40);
    EXPECT_EQ(target.Format(), PixelFormat::Bits32);
    LiberarBitmapDaFigura(nullptr);
    LiberarBitmapDaFigura(&copy);
    EXPECT_EQ(copy.Width(), 40); // the pixels stay

    auto placeholder = CarregarJpegDoRecurso(QStringLiteral("Foto_Vazia"));
    EXPECT_GT(placeholder->Width(), placeholder->Height());
    EXPECT_THROW(CarregarJpegDoRecurso(QStringLiteral("Nao_Existe")), ResourceNotFound);
}

TEST(Placeholder, IsScaledOnceForEachFrameSizeHoweverManyFramesShowIt)
{
    // 400 empty frames of 7 x 9 pixels, then 400 of another size.
    TPagina page = Page(200, 200, {});
    for (int k = 0; k < 400; ++k) {
        TFoto f;
        f.Left = (k % 20) * 10, f.Top = (k / 20) * 10, f.Right = f.Left + 7, f.Bottom = f.Top + 9;
        page.Fotos.push_back(f);
    }
    const int before = desenho::EscalasDaFotoVazia();
    OnScreen(page, 200, 200);
    const Bitmap screen = OnScreen(page, 200, 200);
    EXPECT_EQ(desenho::EscalasDaFotoVazia() - before, 1);
    OnScreen(page, 400, 400);
    EXPECT_EQ(desenho::EscalasDaFotoVazia() - before, 2);
    // Each frame still shows the placeholder as it stretches itself there.
    ExpectPlaceholder(screen, Rect{30, 50, 37, 59}, *CarregarJpegDoRecurso(QStringLiteral("Foto_Vazia")));

    // Four empty frames whose sizes differ by a pixel, as a page mapped onto the screen gives them,
    // get their own copies side by side.
    const Rect frames[] = {{0, 0, 154, 207}, {160, 0, 315, 207}, {0, 210, 154, 416}, {160, 210, 315, 416}};
    TPagina four = Page(320, 420, {frames[0], frames[1], frames[2], frames[3]});
    OnScreen(four, 320, 420);
    const Bitmap sizes = OnScreen(four, 320, 420);
    EXPECT_EQ(desenho::EscalasDaFotoVazia() - before, 6);
    // Each frame shows the placeholder exactly as stretching it there on its own does.
    for (const Rect& r : frames)
        ExpectPlaceholder(sizes, r, desenho::FotoVazia());
}

TEST(Placeholder, AFrameFarLongerThanTheCanvasIsDrawnStraightAwayWithoutACopy)
{
    // Keeping a copy would scale every row of the placeholder across 40000 pixels; only the part on
    // the canvas is scaled instead, with the same pixels there.
    for (const Rect& frame : {Rect{0, 10, 40000, 30}, Rect{10, 0, 30, 40000}}) {
        TPagina page = Page(64, 48, {frame});
        const int before = desenho::EscalasDaFotoVazia();
        const Bitmap screen = OnScreen(page, 64, 48);
        EXPECT_EQ(desenho::EscalasDaFotoVazia(), before);
        Bitmap reference(64, 48);
        reference.GetCanvas().StretchDraw(frame, desenho::FotoVazia());
        EXPECT_EQ(screen.Image().copy(frame.Left, frame.Top, 20, 20), reference.Image().copy(frame.Left, frame.Top, 20, 20));
    }
}

namespace {

// A photo with detail across and down (a gradient) and two marks that show a turn or a mirror: a
// black block near the top-left corner and a white one near the bottom-right.
QImage MarkedPhoto(int w, int h)
{
    QImage image = PixelPicture(w, h, [&](int x, int y) { return qRgb(40 + 180 * x / w, 40 + 180 * y / h, 90); });
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(w / 12, h * 3 / 32), QPoint(w * 7 / 24 - 1, h * 10 / 32 - 1)), Qt::black);
    painter.fillRect(QRect(QPoint(w * 19 / 24, h * 3 / 4), QPoint(w * 11 / 12 - 1, h * 29 / 32 - 1)), Qt::white);
    painter.end();
    return image;
}

// The frame as a first draw shows the photo, made with Qt alone: the whole decoded photo, turned
// anticlockwise when asked, its part `origem` scaled into `destino` of a white frame.
QImage FrameWithQt(const QImage& photo, QSize frame, bool turn, QRect origem, QRect destino)
{
    const QImage turned = turn ? photo.transformed(QTransform().rotate(270)) : photo;
    QImage expected(frame, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.drawImage(destino.topLeft(), turned.copy(origem).scaled(destino.size(), Qt::IgnoreAspectRatio,
                                                                    Qt::SmoothTransformation));
    return expected;
}

// Whether two pictures of a frame agree but for the resampling: few pixels far apart (the marks'
// edges) and a small mean difference.
::testing::AssertionResult SameFrame(const QImage& drawn, const QImage& expected)
{
    if (drawn.size() != expected.size())
        return ::testing::AssertionFailure() << "sizes differ";
    std::int64_t far = 0;
    std::int64_t sum = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb p = drawn.pixel(x, y), q = expected.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            far += d > 48;
            sum += d;
        }
    const std::int64_t n = std::int64_t(drawn.width()) * drawn.height();
    if (far * 50 > n || sum > 6 * n)
        return ::testing::AssertionFailure() << far << " of " << n << " pixels far apart, mean " << double(sum) / n;
    return ::testing::AssertionSuccess();
}

QImage Part(const Bitmap& b, const Rect& r)
{
    return b.Image().convertToFormat(QImage::Format_RGB32).copy(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

} // namespace

TEST(JpegOnScreen, AFirstDrawShowsTheWholePhotoTurnedAndFittedInEveryMode)
{
    // 2400 x 1600 in frames of about 200 pixels: decoded far smaller than the photo, the frames must
    // still show what the whole photo gives, the fit's borders and cut exactly where they fall.
    const QImage photo = MarkedPhoto(2400, 1600);
    ScopedCache cache;
    // 1 mm = 1 pixel. Stretched, landscape; stretched, portrait (turns); inside, square (turns):
    // 1600 x 2400 into 200 x 200 is 133 wide, borders of Round(33.5) = 34; cut, 240 x 80: h = 160,
    // dy = Round(1600 * (1 - 80 / 160) / 2) = 400.
    const std::vector<Rect> frames{Rect{0, 0, 240, 160}, Rect{250, 0, 410, 240}, Rect{420, 0, 620, 200},
                                   Rect{0, 170, 240, 250}};
    TPagina page = Page(630, 260, {frames[0], frames[1], frames[2], frames[3]});
    auto file = [&](int i) { return WriteJpeg(QStringLiteral("marked-%1.jpg").arg(i), photo, 95); };
    SetPhotos(page, {file(0), file(1), file(2), file(3)}, {kFitStretch, kFitStretch, kFitInside, kFitCut});
    const QImage decoded = QImage(page.Fotos[0].NomeDoArquivo).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(decoded.size(), QSize(2400, 1600));
    const Bitmap screen = OnScreen(page, 630, 260);

    EXPECT_TRUE(SameFrame(Part(screen, frames[0]), FrameWithQt(decoded, {240, 160}, false, {0, 0, 2400, 1600}, {0, 0, 240, 160})));
    EXPECT_TRUE(SameFrame(Part(screen, frames[1]), FrameWithQt(decoded, {160, 240}, true, {0, 0, 1600, 2400}, {0, 0, 160, 240})));
    EXPECT_TRUE(SameFrame(Part(screen, frames[2]), FrameWithQt(decoded, {200, 200}, true, {0, 0, 1600, 2400}, {34, 0, 132, 200})));
    EXPECT_TRUE(SameFrame(Part(screen, frames[3]), FrameWithQt(decoded, {240, 80}, false, {0, 400, 2400, 800}, {0, 0, 240, 80})));
    // The borders of the inside fit, to the pixel.
    EXPECT_TRUE(AllWhite(screen, Rect{420, 0, 454, 200}) && AllWhite(screen, Rect{586, 0, 620, 200}));
    EXPECT_NE(At(screen, 454, 100), QColor(Qt::white));
    EXPECT_NE(At(screen, 585, 100), QColor(Qt::white));
    // Every photo is cached, each as its half-size copy.
    EXPECT_EQ(cache->Proxima(), 4);
    EXPECT_EQ(CachedSize(cache, 3), QSize(640, 427));
}

TEST(JpegOnScreen, TheWorkersFramePixelsAreTakenFromTheDecodeBudget)
{
    // 1 mm = 1 pixel: one frame of 2000 x 1500, 12 MB of pixels the worker fills and holds until the
    // frame is drawn.
    ScopedCache cache;
    TPagina page = Page(2100, 1600, {Rect{0, 0, 2000, 1500}});
    SetPhotos(page, {WriteJpeg(QStringLiteral("budget-frame.jpg"), Quads(400, 300), 95)});
    ResetDecodeMemoryHighWater();
    const Bitmap screen = OnScreen(page, 2100, 1600);
    EXPECT_GE(DecodeMemoryHighWater(), 2000LL * 1500 * 4);
    EXPECT_EQ(DecodeMemoryInUse(), 0);
    ExpectColours(screen, {{{500, 375}, kRed}, {{1500, 375}, kGreen}, {{500, 1125}, kBlue}, {{1500, 1125}, kYellow}});
}

TEST(PageViewFill, FramesAtOnceThenEachPhotoWhenItArrives)
{
    ScopedCache cache;
    const QString red = WriteJpeg(QStringLiteral("fill-red.jpg"), SolidImage(1200, 800, kRed), 90);
    const QString blue = WriteJpeg(QStringLiteral("fill-blue.jpg"), SolidImage(1200, 800, kBlue), 90);
    TPagina page = Page(300, 100, {Rect{0, 0, 120, 80}, Rect{150, 0, 270, 80}});
    page.Fotos[0].NomeDoArquivo = red; // frame 1 is empty: the placeholder
    Bitmap screen(300, 100);
    int filled = 0;
    PreenchimentoDaTela fill([&] { ++filled; });

    fill.Desenhar(page, screen.GetCanvas());
    EXPECT_TRUE(fill.Pendente());
    EXPECT_TRUE(AllWhite(screen, Rect{0, 0, 120, 80}));     // the photo comes later
    EXPECT_FALSE(AllWhite(screen, Rect{150, 0, 270, 80}));   // the placeholder at once
    EXPECT_FALSE(cache->Contem(red));
    fill.Esperar();
    EXPECT_FALSE(fill.Pendente());
    EXPECT_EQ(filled, 1);
    ExpectColours(screen, {{{60, 40}, kRed}, {{1, 1}, kRed}, {{118, 78}, kRed}});
    EXPECT_TRUE(cache->Contem(red));

    // A frame drawn anew before its photo arrives keeps what was drawn there; the copy is cached.
    page.Fotos[1].NomeDoArquivo = blue;
    fill.Desenhar(page, screen.GetCanvas());
    EXPECT_TRUE(Near(At(screen, 60, 40), kRed)); // from the cache, at once
    fill.Esquecer(1);
    screen.GetCanvas().brush.color = kGreen;
    screen.GetCanvas().brush.style = BrushStyle::Solid;
    screen.GetCanvas().FillRect(Rect{150, 0, 270, 80});
    fill.Esperar();
    EXPECT_EQ(filled, 2);
    EXPECT_TRUE(Near(At(screen, 200, 40), kGreen));
    EXPECT_TRUE(cache->Contem(blue));

    // A later drawing takes the canvas: a photo of the earlier one does not land there.
    page.Fotos[0].NomeDoArquivo = WriteJpeg(QStringLiteral("fill-yellow.jpg"), SolidImage(1200, 800, kYellow), 90);
    fill.Desenhar(page, screen.GetCanvas());
    page.Fotos[0].NomeDoArquivo = red;
    fill.Desenhar(page, screen.GetCanvas());
    EXPECT_TRUE(fill.Pendente() == false);
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Near(At(screen, 60, 40), kRed));
    EXPECT_EQ(filled, 2);

    // Drawn again before its photo arrives (the window laid out anew): the photo still comes, once.
    const QString green = WriteJpeg(QStringLiteral("fill-green.jpg"), SolidImage(1200, 800, kGreen), 90);
    page.Fotos[0].NomeDoArquivo = green;
    fill.Desenhar(page, screen.GetCanvas());
    fill.Desenhar(page, screen.GetCanvas());
    EXPECT_TRUE(AllWhite(screen, Rect{0, 0, 120, 80}));
    fill.Esperar();
    EXPECT_TRUE(Near(At(screen, 60, 40), kGreen));
    EXPECT_EQ(filled, 3);
    EXPECT_TRUE(cache->Contem(green));
}
