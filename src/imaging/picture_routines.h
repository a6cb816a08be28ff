#pragma once
// Preparing pictures and bitmaps for pixel work.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/picture.h"

namespace lumoria {

// A picture holding anything but a bitmap gets, in its place, a 32-bit bitmap copy of it; a bitmap is
// left as it is, its pixel format too.
void ConverterFiguraParaBitmap(platform::Picture& figura);

// When the picture exists and holds a non-empty bitmap, lets go of the bitmap's image memory and lets
// pending events run.
void LiberarBitmapDaFigura(platform::Picture* figura);

// LiberarBitmapDaFigura (destino), then destino takes a copy of origem.
void AtribuirFigura(const platform::Picture& origem, platform::Picture& destino);

// destino takes a copy of origem, after letting go of its own image when it has one.
void AtribuirGrafico(const platform::Graphic& origem, platform::Bitmap& destino);

// Lets pending events other than the user's input run (on the interface thread only; elsewhere it does
// nothing). User input waits, so that a click cannot change the album in the middle of a drawing.
void ProcessarMensagensPendentes();

} // namespace lumoria
