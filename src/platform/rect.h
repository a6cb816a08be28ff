#pragma once
// Points and rectangles as the program's geometry uses them: a rectangle is its four edges, and a
// rectangle of width w has Right = Left + w (neighbours share the edge coordinate). QRect counts its
// right edge as Left + width - 1, so the two are converted explicitly.
#include <QRect>

#include <cstdint>

namespace lumoria {

struct Point {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect fromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
inline QRect toQRect(const Rect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

} // namespace lumoria
