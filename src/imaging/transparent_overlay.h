#pragma once
// Laying one bitmap over a drawing surface with one colour of it transparent.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"

#include <QColor>

namespace lumoria {

// Copies origem onto destino with its top-left corner at (x, y); the pixels of origem whose colour is
// cor leave destino as it was. Only the part inside destino is drawn, and origem is not changed.
void DesenharBitmapTransparenteSobreOutro(platform::Canvas& destino, const platform::Bitmap& origem, int x, int y,
                                          QColor cor);

} // namespace lumoria
