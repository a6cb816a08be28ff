#pragma once
// Quarter turns anticlockwise of pictures and bitmaps: the pixel (x, y) of the result is the source
// pixel (W - 1 - y, x). Page drawing turns photos to their frame's orientation with them, on screen
// with the width-limited routine and for printing with the full-size one. They keep no state and need
// no editor window.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/picture.h"

namespace lumoria {

// The widest source the screen routine turns.
constexpr int kLarguraMaximaRotacaoNaTela = 3200;

// Screen: the picture becomes a bitmap of its graphic reduced to at most 3200 pixels of width, turned.
// The picture must hold a graphic of positive width.
void RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(platform::Picture& picture);

// Printing: the picture becomes a 24-bit bitmap of its graphic at full size, turned.
void RotacionarPictureNoventaGrausAntiHorario_LarguraNaoLimitada(platform::Picture& picture);

// The destination takes the source's height as width and its width as height and receives the
// turned source (in the destination's pixel format). The source is not changed. Returns true.
bool RotacionarBitmapNoventaGrausAntiHorarioUsandoAPIDoWindowsFuncaoPLGBLT(const platform::Bitmap& origem,
                                                                           platform::Bitmap& destino);

// The full-size turn built from strips of 2000 source columns (nothing calls it).
void RotacionarPictureNoventaGrausAntiHorario_FatiandoOsBitmapsGigantes(platform::Picture& picture);

// Turns the bitmap in place; it ends 24-bit with width and height swapped. When the memory for the
// turn cannot be had, OutOfMemory is raised before the bitmap is touched.
void RotacionarBitmapNoventaGraus(platform::Bitmap& bitmap);

} // namespace lumoria
