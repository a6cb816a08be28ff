#pragma once
// Linear mapping between rectangles: millimetres of a page onto the pixels of a canvas and back.
#include "platform/rect.h"

#include <cstdint>

namespace lumoria {

// Maps v from the range a0..a1 onto b0..b1, rounded to nearest (halves to even). An empty source
// range (a1 = a0) maps everything onto b0. A result beyond 32 bits raises RangeError.
std::int32_t MapearCoordenada(std::int32_t a0, std::int32_t a1, std::int32_t v, std::int32_t b0, std::int32_t b1);

Point MapearPontoEntreRetangulos(const Rect& de, const Point& ponto, const Rect& para);

// The two corners are mapped separately as points.
Rect MapearRetanguloEntreRetangulos(const Rect& de, const Rect& retangulo, const Rect& para);

} // namespace lumoria
