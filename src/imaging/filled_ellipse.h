#pragma once
// Filled ellipses with exact pixels (no antialiasing): a pixel belongs to the ellipse inscribed in a
// bounding rectangle (right and bottom edges excluded) when its centre lies inside or on the ellipse.
// The test is made in integers, so the same rectangle always gives the same pixels, symmetric about
// the centre, touching all four sides of the rectangle.
#include "platform/graphics/bitmap.h"
#include "platform/rect.h"

#include <QColor>

namespace lumoria {

// The columns [*inicio, *fim) of row y inside the ellipse of caixa, not cut to any picture; false when
// the row misses the ellipse.
bool FaixaDaElipseNaLinha(const Rect& caixa, int y, int* inicio, int* fim);

// Paints the ellipse of caixa in cor on the bitmap; the part outside the bitmap is cut off.
void PreencherElipse(platform::Bitmap& bitmap, const Rect& caixa, QColor cor);

} // namespace lumoria
