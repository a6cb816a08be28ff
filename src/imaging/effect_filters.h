#pragma once
// The pixel work behind the effect picture control: its area filters (in place on a 24-bit bitmap),
// the bilinear resampling of its tiles, its noise layers and the per-pixel colour chain. Rows are
// top-down, pixels blue, green, red. Each filter keeps the in-place reads of the step-by-step loop
// (a blur reads rows it has already blurred), since the pictures they make depend on it.
#include "imaging/random_source.h"
#include "platform/graphics/bitmap.h"

namespace lumoria {

// Four-sample diagonal blur at distance n; the samples fall back to the pixel's own row or column
// where they would leave the picture. Nothing for n <= 0.
void SplitBlurBitmap(platform::Bitmap& bitmap, int distance);

// Each pixel with the negative of its neighbour three right and one down. A picture one row high is
// left as it is.
void EmbossBitmap(platform::Bitmap& bitmap);

// n x n blocks from the top-left corner, each in the colour of its top-left pixel. Nothing for n < 1.
void MosaicBitmap(platform::Bitmap& bitmap, int block);

// Mean of the four neighbours inside the rectangle, limited to leave the one-pixel border alone.
void AntiAliasBitmap(platform::Bitmap& bitmap, int x1, int y1, int x2, int y2);

// Black lines on one side of the edges between colours (a fixed reduction to 8-bit indices decides
// where colours differ). Passes from the second on add the backward marks.
void TraceBitmap(platform::Bitmap& bitmap, int intensity);

// Bilinear scaling of the whole source into the whole destination (15-bit fixed point); the
// destination keeps its size and becomes 24-bit.
void ResampleBitmap(const platform::Bitmap& source, platform::Bitmap& destination);

// The tile filter's size rule: the stored value and the tile size for a picture of width x height
// (no picture: width or height 0).
struct TileLayout {
    int value = 0;
    int tileWidth = 10;
    int tileHeight = 10;
};
TileLayout TileLayoutFor(int value, int width, int height);

// Fills the bitmap with copies of the source resampled to one tile, from the top-left corner; tiles
// are cut at the right and bottom edges.
void TileBitmap(const platform::Bitmap& source, platform::Bitmap& bitmap, int tileWidth, int tileHeight);

// Noise layers of width x height, 24-bit: each channel ClampByte(Random(n) - n div 2), drawn red,
// green, blue per pixel (colour) or once per pixel for all three (grey), rows from the top.
platform::Bitmap ColorNoiseLayer(int width, int height, int amount, RandomSource& random);
platform::Bitmap MonoNoiseLayer(int width, int height, int amount, RandomSource& random);

// The per-pixel effects, in the order they are applied.
struct ColourEffects {
    int posterize = 0;
    int solorize = 0;
    int contrast = 0;
    int lightness = 0;
    int darkness = 0;
    int brightness = 0;
    int splitlight = 0;
    bool grayScale = false;
    int saturation = 0;
    bool invert = false;
};

// Writes the effects of every source pixel (plus the noise layer's amounts, when given) into the
// display, which takes the source's size and becomes 24-bit. The source must be 24-bit.
void ApplyColourEffects(const platform::Bitmap& source, const platform::Bitmap* noise, const ColourEffects& effects,
                        platform::Bitmap& display);

} // namespace lumoria
