#pragma once
// Red-eye retouch: in a bitmap or a patch of one, every pixel whose red is clearly above both green
// and blue (more than 1.75 times each) gets the smaller of green and blue as its red.
#include "imaging/editor_progress.h"
#include "platform/graphics/bitmap.h"
#include "platform/rect.h"

namespace lumoria {

// The half side of the square patch a click retouches: (x - 8, y - 8) to (x + 8, y + 8).
constexpr int kMeioLadoDoRetoque = 8;

// The rule for one pixel; false when it stays.
inline bool ReduzirVermelho(int& r, int g, int b)
{
    if (r > 1.75 * b && r > 1.75 * g) {
        r = g < b ? g : b;
        return true;
    }
    return false;
}

// The rule on every pixel, column by column; the bitmap becomes 32-bit. After each column the abort
// flag is tested (the routine then stops) and the bar is given the column number. The progress may
// be null.
void EditarCanaisDeCorDeBitmapReduzindoVermelho(platform::Bitmap& bitmap, EditorProgress* progresso);

// The rule on the patch of the bitmap (right and bottom edges excluded); only the part of the patch
// inside the bitmap changes. The bitmap becomes 32-bit.
void RemoverCanalVermelhoDePedacoDeBitmap(const Rect& pedaco, platform::Bitmap& bitmap, EditorProgress* progresso);

} // namespace lumoria
