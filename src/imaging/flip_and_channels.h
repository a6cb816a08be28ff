#pragma once
// Mirroring a bitmap and scaling its colour channels.
#include "imaging/editor_progress.h"
#include "platform/graphics/bitmap.h"

namespace lumoria {

// A new bitmap of the source's size and format, mirrored top to bottom and/or left to right (both:
// turned by 180 degrees; neither: a plain copy).
platform::Bitmap FlipReverseScanLine(bool cimaParaBaixo, bool esquerdaParaDireita, const platform::Bitmap& origem);

// Limited to 0..255.
int LimitarCanalDeCor(int valor);

// Each channel times its percentage / 100, rounded (halves to even) and limited to 0..255. The bitmap
// ends 32-bit. Columns, with the editor's progress bar (highest value width + 1).
void EditarCanaisDeCorDeBitmap(EditorProgress& progresso, int vermelho, int verde, int azul,
                               platform::Bitmap& bitmap);

} // namespace lumoria
