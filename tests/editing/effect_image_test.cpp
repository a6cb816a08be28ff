// The effect picture control: identity, the setters' limits and exclusions, the colour chain's worked
// examples, the area filters and noise layers through their setters, the conversion of the picture,
// the reset, and one effect pass (one noise layer) per change.
#include <gtest/gtest.h>

#include "editing/effect_image.h"
#include "imaging/effect_filters.h"
#include "platform/graphics/jpeg_image.h"
#include "support/draw_support.h"
#include "support/pixel_pictures.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

const Bitmap& Display(const TEffectImage& image)
{
    return static_cast<const Bitmap&>(*image.DisplayPicture().GetGraphic());
}

void Show(TEffectImage& image, const Bitmap& bitmap)
{
    image.SetPictureOriginalGraphic(&bitmap);
}

class EffectImage : public ::testing::Test {
protected:
    const Bitmap& Display() const { return ::Display(image); }
    const Bitmap& Original() const { return static_cast<const Bitmap&>(*image.PictureOriginal().GetGraphic()); }
    void Show(const Bitmap& bitmap) { ::Show(image, bitmap); }

    TEffectImage image;
};

// One pixel through the chain.
QColor Through(const QColor& in, const std::function<void(TEffectImage&)>& set)
{
    TEffectImage image;
    const Bitmap b = MakeBitmap(1, 1, [&](int, int) { return in; });
    Show(image, b);
    set(image);
    return PixelOf(Display(image), 0, 0);
}

} // namespace

TEST_F(EffectImage, WithoutEffectsTheDisplayIsTheOriginalIn24Bits)
{
    EXPECT_EQ(image.size(), QSize(105, 105));
    const Bitmap source = NoisyBitmap(9, 7, PixelFormat::Bits32);
    Show(source);
    EXPECT_EQ(Original().Format(), PixelFormat::Bits24);
    EXPECT_EQ(Display().Format(), PixelFormat::Bits24);
    EXPECT_TRUE(SamePixels(Display(), source));
    // Setting effects back to zero gives the same pixels through the pass.
    image.SetPicBrightness(40);
    image.SetPicBrightness(0);
    EXPECT_TRUE(SamePixels(Display(), source));
}

TEST_F(EffectImage, SettersKeepTheirRanges)
{
    struct Case {
        const char* name;
        std::function<void(TEffectImage&, int)> set;
        std::function<int(const TEffectImage&)> get;
        int given, kept;
    };
    const Case cases[] = {
        {"brightness", &TEffectImage::SetPicBrightness, &TEffectImage::PicBrightness, 300, 255},
        {"brightness", &TEffectImage::SetPicBrightness, &TEffectImage::PicBrightness, -300, -255},
        {"contrast", &TEffectImage::SetPicContrast, &TEffectImage::PicContrast, -400, -255},
        {"contrast", &TEffectImage::SetPicContrast, &TEffectImage::PicContrast, 900, 900},
        {"lightness", &TEffectImage::SetPicLightness, &TEffectImage::PicLightness, 300, 255},
        {"lightness", &TEffectImage::SetPicLightness, &TEffectImage::PicLightness, -900, -900},
        {"darkness", &TEffectImage::SetPicDarkness, &TEffectImage::PicDarkness, 256, 255},
        {"saturation", &TEffectImage::SetPicSaturation, &TEffectImage::PicSaturation, -256, -255},
        {"splitlight", &TEffectImage::SetPicSplitlight, &TEffectImage::PicSplitlight, 11, 10},
        {"posterize", &TEffectImage::SetPicPosterize, &TEffectImage::PicPosterize, -1, 0},
        {"solorize", &TEffectImage::SetPicSolorize, &TEffectImage::PicSolorize, -5, 0},
        {"solorize", &TEffectImage::SetPicSolorize, &TEffectImage::PicSolorize, 256, 255},
        {"color noise", &TEffectImage::SetPicColorNoise, &TEffectImage::PicColorNoise, -2, 0},
        {"splitblur", &TEffectImage::SetPicSplitBlur, &TEffectImage::PicSplitBlur, 300, 255},
        {"gaussian", &TEffectImage::SetPicGaussianBlur, &TEffectImage::PicGaussianBlur, 51, 50},
        {"antialias", &TEffectImage::SetPicAntiAlias, &TEffectImage::PicAntiAlias, 51, 50},
        {"trace", &TEffectImage::SetPicTrace, &TEffectImage::PicTrace, 11, 10},
        {"mosaic", &TEffectImage::SetPicMosaic, &TEffectImage::PicMosaic, -1, 0},
    };
    for (const Case& c : cases) {
        TEffectImage empty; // no picture: only the value is kept
        c.set(empty, c.given);
        EXPECT_EQ(c.get(empty), c.kept) << c.name << " " << c.given;
        EXPECT_EQ(empty.DisplayPicture().GetGraphic(), nullptr);
    }
}

TEST_F(EffectImage, ChainExamples)
{
    // Posterize 100: 255 -> 300, clamped; 150 -> 200 (1.5 -> 2); 250 -> 200 (2.5 -> 2).
    EXPECT_EQ(Through(QColor(255, 150, 250), [](TEffectImage& i) { i.SetPicPosterize(100); }), QColor(255, 200, 200));
    // Contrast 255: 127 stays, 128 -> 129, 0 -> 0.
    EXPECT_EQ(Through(QColor(127, 128, 0), [](TEffectImage& i) { i.SetPicContrast(255); }), QColor(127, 129, 0));
    // Solarise above the threshold: the mean 200 > 255 - 100.
    EXPECT_EQ(Through(QColor(200, 210, 190), [](TEffectImage& i) { i.SetPicSolorize(100); }), QColor(55, 45, 65));
    EXPECT_EQ(Through(QColor(100, 110, 90), [](TEffectImage& i) { i.SetPicSolorize(100); }), QColor(100, 110, 90));
    // Lightness 255 makes white, darkness 255 black; brightness adds.
    EXPECT_EQ(Through(QColor(10, 20, 30), [](TEffectImage& i) { i.SetPicLightness(255); }), QColor(255, 255, 255));
    EXPECT_EQ(Through(QColor(10, 20, 30), [](TEffectImage& i) { i.SetPicDarkness(255); }), QColor(0, 0, 0));
    EXPECT_EQ(Through(QColor(10, 20, 250), [](TEffectImage& i) { i.SetPicBrightness(10); }), QColor(20, 30, 255));
    // Split light once: Round(sin(128 / 255 x pi / 2) x 255) = Round(180.87) = 181.
    EXPECT_EQ(Through(QColor(128, 0, 255), [](TEffectImage& i) { i.SetPicSplitlight(1); }), QColor(181, 0, 255));
    // 85 lands on sin(pi / 6) x 255 = 127.5: the extended product is a hair above it, so 128 (in double
    // it falls a hair below, 127).
    EXPECT_EQ(Through(QColor(85, 85, 85), [](TEffectImage& i) { i.SetPicSplitlight(1); }), QColor(128, 128, 128));
    // Grey 0.3 R + 0.59 G + 0.11 B: 30 + 59 + 11 = 100; with saturation set too, grey wins.
    EXPECT_EQ(Through(QColor(100, 100, 100), [](TEffectImage& i) { i.SetPicGrayScale(true); }), QColor(100, 100, 100));
    const auto saturadoECinza = [](TEffectImage& i) { i.SetPicSaturation(200); i.SetPicGrayScale(true); };
    EXPECT_EQ(Through(QColor(200, 0, 0), saturadoECinza), QColor(60, 60, 60));
    // Saturation -255 makes the mean; +255 doubles the distance from it.
    EXPECT_EQ(Through(QColor(90, 30, 60), [](TEffectImage& i) { i.SetPicSaturation(-255); }), QColor(60, 60, 60));
    EXPECT_EQ(Through(QColor(90, 30, 60), [](TEffectImage& i) { i.SetPicSaturation(255); }), QColor(120, 0, 60));
    EXPECT_EQ(Through(QColor(90, 30, 60), [](TEffectImage& i) { i.SetPicInvert(true); }), QColor(165, 225, 195));
}

TEST_F(EffectImage, ExclusiveSetters)
{
    Show(NoisyBitmap(6, 6));
    image.SetPicPosterize(20);
    image.SetPicSolorize(30);
    EXPECT_EQ(image.PicPosterize(), 0);
    image.SetPicPosterize(20);
    EXPECT_EQ(image.PicSolorize(), 0);

    image.SetPicColorNoise(5);
    image.SetPicMonoNoise(6);
    EXPECT_EQ(image.PicColorNoise(), 0);
    image.SetPicColorNoise(5);
    EXPECT_EQ(image.PicMonoNoise(), 0);

    image.SetPicEmboss(true);
    image.SetPicMosaic(5);
    EXPECT_EQ(std::pair(image.PicEmboss(), image.PicMosaic()), std::pair(false, 5));
    image.SetPicTrace(2);
    EXPECT_EQ(std::pair(image.PicMosaic(), image.PicTrace()), std::pair(0, 2));
    image.SetPicTrace(0);
    EXPECT_EQ(image.FilterBitmap(), nullptr);
}

TEST_F(EffectImage, MosaicLargerThanThePictureTakesTheTopLeftColour)
{
    const Bitmap source = NoisyBitmap(7, 5);
    Show(source);
    image.SetPicMosaic(1000);
    EXPECT_EQ(image.PicMosaic(), 7);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(PixelOf(Display(), x, y), PixelOf(source, 0, 0));
    // A new picture rebuilds the mosaic as its setter does, limited to the new picture.
    Show(NoisyBitmap(3, 2));
    EXPECT_EQ(image.PicMosaic(), 3);
    EXPECT_EQ(PixelOf(Display(), 2, 1), PixelOf(NoisyBitmap(3, 2), 0, 0));
    Show(source);
    // Emboss then mosaic: only the mosaic shows.
    image.SetPicEmboss(true);
    image.SetPicMosaic(1);
    EXPECT_TRUE(SamePixels(Display(), source));
}

TEST_F(EffectImage, GaussianRunsOneMoreSplitBlurThanItsValue)
{
    const Bitmap source = NoisyBitmap(20, 17);
    Show(source);
    image.SetPicGaussianBlur(0);
    EXPECT_TRUE(SamePixels(Display(), source));
    image.SetPicGaussianBlur(1);
    Bitmap twice = source;
    SplitBlurBitmap(twice, 3);
    SplitBlurBitmap(twice, 3);
    EXPECT_TRUE(SamePixels(Display(), twice));
    // The filter comes from the original each time, and the colour effects run on its result.
    image.SetPicSplitBlur(1);
    Bitmap once = source;
    SplitBlurBitmap(once, 1);
    EXPECT_TRUE(SamePixels(Display(), once));
    image.SetPicInvert(true);
    EXPECT_EQ(PixelOf(Display(), 3, 3).red(), 255 - PixelOf(once, 3, 3).red());
    EXPECT_TRUE(SamePixels(Original(), source));
}

TEST_F(EffectImage, TilesReadBackAndRepeat)
{
    const Bitmap source = NoisyBitmap(100, 80);
    Show(source);
    image.SetPicTile(20);
    EXPECT_EQ(image.PicTile(), 10);
    image.SetPicTile(4);
    EXPECT_EQ(image.PicTile(), 4);
    const Bitmap& shown = Display();
    for (int y = 0; y < 80; y += 7)
        for (int x = 0; x < 100; x += 3)
            ASSERT_EQ(PixelOf(shown, x, y), PixelOf(shown, x % 25, y % 20)) << x << "," << y;
    // The first tile is the whole original resampled to 25 x 20.
    Bitmap tile(25, 20, PixelFormat::Bits24);
    ResampleBitmap(source, tile);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 25; ++x)
            ASSERT_EQ(PixelOf(shown, x, y), PixelOf(tile, x, y));

    // A new picture too small for tiles of 10 leaves no tiles (the value goes back to 0).
    Show(NoisyBitmap(8, 6));
    EXPECT_EQ(image.PicTile(), 0);
    EXPECT_EQ(image.FilterBitmap(), nullptr);
    EXPECT_TRUE(SamePixels(Display(), NoisyBitmap(8, 6)));
}

TEST_F(EffectImage, NoiseOfOneChangesNothingGreyNoiseRaisesAllThree)
{
    image.Random().Seed(17);
    const Bitmap source = NoisyBitmap(8, 6);
    Show(source);
    image.SetPicColorNoise(1);
    EXPECT_TRUE(SamePixels(Display(), source));
    // Grey noise adds one amount to the three channels, and only raises them.
    image.SetPicMonoNoise(30);
    const QColor a = PixelOf(source, 1, 1);
    const QColor b = PixelOf(Display(), 1, 1);
    EXPECT_GE(b.red(), a.red());
    EXPECT_EQ(b.red() - a.red(), b.green() - a.green());
}

TEST_F(EffectImage, OneNoiseLayerPerChange)
{
    // A colour noise layer of 4 x 3 draws 36 numbers: setting it, then another effect, leaves the
    // generator exactly 36 draws on (no second layer, no second pass building one).
    // What a generator of that seed draws next after so many draws below 50.
    const auto drawAfter = [](std::uint64_t seed, int draws) {
        RandomSource reference(seed);
        for (int i = 0; i < draws; ++i)
            reference.Random(50);
        return reference.Random(1000000);
    };
    image.Random().Seed(99);
    Show(NoisyBitmap(4, 3));
    image.SetPicColorNoise(50);
    image.SetPicBrightness(20);
    EXPECT_EQ(image.Random().Random(1000000), drawAfter(99, 36));

    // A new picture drops the layer; the pass rebuilds it once at the new size.
    image.Random().Seed(5);
    Show(NoisyBitmap(2, 2));
    ASSERT_NE(image.NoiseBitmap(), nullptr);
    EXPECT_EQ(image.NoiseBitmap()->Width(), 2);
    EXPECT_EQ(image.Random().Random(1000000), drawAfter(5, 12));
}

TEST_F(EffectImage, AJpegBecomesA24BitBitmap)
{
    JpegImage jpeg;
    jpeg.Assign(MakeBitmap(16, 8, [](int, int) { return QColor(40, 80, 160); }));
    image.SetPictureOriginalGraphic(&jpeg);
    ASSERT_EQ(image.PictureOriginal().GetGraphic()->Kind(), GraphicKind::Bitmap);
    EXPECT_EQ(Original().Format(), PixelFormat::Bits24);
    EXPECT_EQ(Original().Width(), 16);
    EXPECT_TRUE(SamePixels(Display(), Original()));

    image.SetPictureOriginalGraphic(nullptr);
    EXPECT_EQ(image.DisplayPicture().GetGraphic(), nullptr);
}

TEST_F(EffectImage, ResetShowsTheOriginalAtOnce)
{
    const Bitmap source = NoisyBitmap(10, 10);
    Show(source);
    image.SetPicInvert(true);
    image.SetPicMonoNoise(10);
    image.SetPicEmboss(true);
    image.ResetEffects();
    EXPECT_EQ(std::tuple(image.PicInvert(), image.PicEmboss(), image.PicMonoNoise()), std::tuple(false, false, 0));
    EXPECT_EQ(image.NoiseBitmap(), nullptr);
    EXPECT_EQ(image.FilterBitmap(), nullptr);
    EXPECT_TRUE(SamePixels(Display(), source));
}

TEST_F(EffectImage, AutoSizeTakesThePictureSizeAndTheCanvasClipsToTheControl)
{
    image.resize(100, 60);
    Show(NoisyBitmap(40, 20));
    image.SetAutoSize(true);
    EXPECT_EQ(image.size(), QSize(40, 20));
    TEffectImage empty;
    empty.resize(30, 20);
    EXPECT_EQ(empty.GetCanvas().ClipRect(), (Rect{0, 0, 30, 20}));
}

TEST_F(EffectImage, DateStampOnTheDisplayUntilTheNextPass)
{
    const Bitmap source = MakeBitmap(1000, 800, [](int, int) { return QColor(90, 120, 150); });
    Show(source);
    AplicarDataNaFotoEfeito(image, QStringLiteral("07/12/2026"));
    ExpectPixels(Display().Image(),
                 {{{200, 728}, Qt::white}, {{799, 791}, Qt::white}, {{800, 760}, QColor(90, 120, 150)}});
    EXPECT_TRUE(SamePixels(Original(), source));
    image.SetPicBrightness(0);
    EXPECT_TRUE(SamePixels(Display(), source));
}

TEST_F(EffectImage, PaintsTheDisplayWhereItsModesPlaceIt)
{
    QWidget parent;
    parent.resize(100, 60);
    parent.setStyleSheet(QStringLiteral("background: rgb(0, 255, 0)"));
    TEffectImage shown(&parent);
    shown.setGeometry(0, 0, 100, 60);
    // Left half red, right half blue, bottom-left pixel red.
    ::Show(shown, MakeBitmap(20, 10, [](int x, int) { return x < 10 ? QColor(Qt::red) : QColor(Qt::blue); }));
    shown.SetPicInvert(true); // cyan and yellow on the screen
    parent.show();
    const auto seen = [&] { return parent.grab().toImage(); };
    const QColor green(0, 255, 0);
    // At (0, 0) as large as the picture, then centred over (40, 25) - (59, 34), then over the whole control.
    ExpectPixels(seen(),
                 {{{0, 0}, Qt::cyan}, {{15, 5}, Qt::yellow}, {{19, 9}, Qt::yellow}, {{20, 5}, green}, {{5, 10}, green}});
    shown.SetCenter(true);
    ExpectPixels(seen(), {{{40, 25}, Qt::cyan}, {{59, 34}, Qt::yellow}, {{39, 25}, green}, {{40, 24}, green},
                          {{60, 34}, green}, {{59, 35}, green}, {{5, 5}, green}});
    shown.SetStretch(true);
    ExpectPixels(seen(), {{{0, 59}, Qt::cyan}, {{10, 50}, Qt::cyan}, {{90, 10}, Qt::yellow}, {{99, 0}, Qt::yellow}});
    shown.SetTransparent(true); // the bottom-left colour lets the parent show
    ExpectPixels(seen(), {{{10, 50}, green}, {{90, 10}, Qt::yellow}});
}
