#pragma once
// Free rotation of a bitmap by any angle: 16.16 fixed point, nearest neighbour, inverse mapping, the
// bounding box of the turned picture with the uncovered corners in a fill colour. The rows of the
// result are computed on every pixel thread; the pixels do not depend on how the work is split.
#include <QSize>

#include "platform/graphics/bitmap.h"
#include "platform/rect.h"
#include "platform/ui/colors.h"

namespace lumoria {

// The angle within one turn, keeping its sign (450 gives 90, -450 gives -90). A turn of 270 or -270
// is taken as -90 or 90, which is the same orientation turned exactly.
long double AnguloDentroDeUmaVolta(long double angulo);

// The fixed-point cosine and sine of the turn (Trunc of cos and sin of -a times 65536), the size of the
// result for a source of that size, and the result's centre pixel: (cx, cy) are the walk's coordinates of the
// top row's last pixel, so that the centre pixel is NW - 1 - cx from the left and cy from the top.
struct GiroFixo {
    long double a = 0;
    std::int32_t C = 65536;
    std::int32_t S = 0;
    QSize tamanho;
    int cx = 0;
    int cy = 0;
};
GiroFixo CalcularGiro(long double angulo, QSize origem);

// A new 32-bit bitmap holding the source turned by the angle in degrees (positive is anticlockwise on
// screen). Sizes and sums are 64-bit, so the fixed-point steps hold for pictures of any size; a result
// larger than a picture may be (image_memory.h) raises OutOfMemory before anything is allocated.
platform::Bitmap RotateBitmap(const platform::Bitmap& origem, platform::ColorRef fundo, long double angulo);

// Maps the points 0..ultimo in place by a scale and an offset: x' = Round(x sx + dx), y' = Round(y sy
// + dy). The cross terms are carried for the caller's sake and are always 0.
void RotatePoints(Point* pontos, int ultimo, float sx, float cruzado1, float cruzado2, float sy, float dx, float dy);

// a b / c with a 64-bit product, rounded to nearest with halves away from zero.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

} // namespace lumoria
