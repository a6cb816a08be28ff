#pragma once
// The disc label of the cover editor, without widgets: the disc and its centre hole for a picture
// size and the three slider positions, the offset ranges of a picture, and the mask that keeps the
// photo only on the ring and whitens the rest.
#include "platform/graphics/bitmap.h"
#include "platform/rect.h"

namespace lumoria {

// One slider step moves the disc by this many pixels.
constexpr int kPixelsPorPassoDeDeslocamento = 10;

struct GeometriaDaCapaDeCD {
    Rect disco;
    Rect furo;
};

// porcentual: the disc's diameter in percent of the picture's shorter side; passosHorizontais and
// passosVerticais: the offset sliders' positions (negative to the left and up).
GeometriaDaCapaDeCD CalcularGeometriaDaCapaDeCD(int largura, int altura, int porcentual, int passosHorizontais,
                                                int passosVerticais);

// The highest position of an offset slider for a picture side (the lowest is its negative): the
// disc's centre can move by half the side.
int LimiteDoDeslocamento(int lado);

// Whitens the bitmap outside the disc and inside the hole; the ring keeps the photo.
void AplicarCapaDeCDEmBitmap(platform::Bitmap& foto, int porcentual, int passosHorizontais, int passosVerticais);

} // namespace lumoria
