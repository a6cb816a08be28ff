#pragma once
// The editors' working copy of a photo: at most 3200 pixels wide, the height in proportion.
#include <QSize>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphic.h"

namespace lumoria {

constexpr int kLarguraMaximaDaCopiaDeTrabalho = 3200;

// min(3200, w) wide and Round(h x that width / w) high (the product in integers first).
QSize TamanhoDaCopiaDeTrabalho(QSize foto);

// A new 32-bit bitmap of that size with the picture stretched over it, also when the picture is no
// wider than 3200 pixels. A copy that cannot be had raises OutOfMemory.
platform::Bitmap MontarCopiaDeTrabalho(const platform::Graphic& foto);

} // namespace lumoria
