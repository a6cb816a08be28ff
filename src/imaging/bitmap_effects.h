#pragma once
// Per-pixel effects the photo editor offers on bitmaps. Each works in place unless stated, reports its
// outer steps (rows, columns or strokes) to the editor's progress bar and ends early when the abort
// flag is set after a step; switching the bar off then gives the visible picture back. The routines
// keep the step-by-step loop's reads of pixels they have already changed and its order of random
// draws, since the pictures they make depend on both. Palette bitmaps become 24-bit first; an empty
// bitmap is left alone.
#include "imaging/editor_progress.h"
#include "imaging/random_source.h"
#include "platform/graphics/bitmap.h"

#include <cstdint>

namespace lumoria {

// Grey (R + G + B) div 3, red grey + 2 depth and green grey + depth, both limited to 0..255. Rows.
void ColocarBitmapEmSepia(EditorProgress& progresso, int profundidade, platform::Bitmap& bitmap);
// The same colours on 24-bit rows; the bitmap ends 32-bit, also after an abort.
void ColocarBitmapEmSepia_Rapido_24Bits(EditorProgress& progresso, int profundidade, platform::Bitmap& bitmap);

// Each pixel takes the colour of a random one at most the amount away (reseeds from the clock unless the
// generator is fixed). A negative amount counts as 0. Columns.
void ColocarBitmapEmSpray(EditorProgress& progresso, RandomSource& aleatorio, int quantidade, platform::Bitmap& bitmap);

// White where the luminance (0.2989, 0.5866, 0.1145, truncated) is above the threshold, else black.
// Columns.
void ColocarBitmapEmPretoBranco(EditorProgress& progresso, std::uint8_t limite, platform::Bitmap& bitmap);

// Black and white with the luminance error carried down and to the right. Columns.
void ColocarBitmapEmDistribuicaoDePixels(EditorProgress& progresso, platform::Bitmap& bitmap);

// strokes + 1 ellipses, each in the mean colour of random samples around a random centre (samples
// outside the bitmap count as white; fewer than 1 sample counts as 1).
void ColocarBitmapEmPinturaImpressionista(EditorProgress& progresso, RandomSource& aleatorio, int raioX, int raioY,
                                          int amostras, int pinceladas, platform::Bitmap& bitmap);

// Destination (x, y) := source moved by a sine of y across and a cosine of x down; black outside. The
// destination takes the source's size. A period of 0 is refused (nothing changes). Columns.
void ColocarBitmapEmDeformacaoSenoidal(EditorProgress& progresso, int periodo, int amplitude,
                                       const platform::Bitmap& origem, platform::Bitmap& destino);

// Moves each pixel's differing neighbours toward it by 50 / (amount + 50), in place; the bitmap ends
// 24-bit. An amount of -50 is refused; results are limited to 0..255. Rows.
void ColocarBitmapEmAntiAliasing(EditorProgress& progresso, int quantidade, platform::Bitmap& bitmap);

// 3 x 3 sharpening (corners -amount, centre 4 amount + 128, divisor 128) from the unchanged bitmap; the
// bitmap ends 24-bit. Rows.
void ColorCarBitmapEmAcentuacaoFiltroSharper(EditorProgress& progresso, int quantidade, platform::Bitmap& bitmap);

// Second := first x w + second x (1 - w), rounded, with w = x / first width (mode 1), 1 - that (mode
// 2) or 0.5, over the area both bitmaps share. Columns.
void MisturarDoisBitmapsRetornandoResultadoNoSegundo(EditorProgress& progresso, int modo,
                                                     const platform::Bitmap& primeiro, platform::Bitmap& segundo);

// Box-filter resize into the destination (new size); steps in single precision, boxes clamped to the
// source. A new size of 0 or less is refused. No progress bar.
void ColocarBitmapEmNovasDimensoes(const platform::Bitmap& origem, platform::Bitmap& destino, int novaLargura,
                                   int novaAltura);

// Truncated, plus one when the fraction is at least one half (negative values just truncate).
std::int32_t ArredondarMeioParaCima(double valor);

} // namespace lumoria
