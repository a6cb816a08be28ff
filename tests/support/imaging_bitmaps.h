#pragma once
// Pictures and readable failures for the tests of the picture routines and the editors.
#include "platform/rect.h"
#include "support/pixel_pictures.h"

#include <QColor>
#include <QSize>
#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QColor& c, std::ostream* os)
{
    *os << "rgb(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace lumoria {
inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
} // namespace lumoria

namespace lumoria::test {

inline platform::Bitmap SolidBitmap(int w, int h, QColor colour, platform::PixelFormat format = platform::PixelFormat::Bits24)
{
    return MakeBitmap(w, h, [&](int, int) { return colour; }, format);
}

// Grey pictures given and expected row by row.
template <int W, int H>
platform::Bitmap GreyBitmap(const int (&v)[H][W])
{
    return MakeBitmap(W, H, [&](int x, int y) { return QColor(v[y][x], v[y][x], v[y][x]); });
}

template <int W, int H>
void ExpectGrey(const platform::Bitmap& b, const int (&v)[H][W])
{
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            EXPECT_EQ(PixelOf(b, x, y), QColor(v[y][x], v[y][x], v[y][x])) << "(" << x << ", " << y << ")";
}

} // namespace lumoria::test
