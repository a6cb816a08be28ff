#pragma once
// Reference colours of the shaped button's bevel, worked out here from the ring rule so that the
// button's pictures can be checked against them.
#include <QRgb>

#include <cmath>

namespace lumoria::test {

inline int ClampChannel(int c) { return c < 0 ? 0 : c > 255 ? 255 : c; }

// Each channel moved by d within 0..255.
inline QRgb Shift(QRgb c, int d)
{
    return qRgb(ClampChannel(qRed(c) + d), ClampChannel(qGreen(c) + d), ClampChannel(qBlue(c) + d));
}

// Ring i of fw rings over a base colour: from 80 darker at the rim toward the base along a quarter
// circle, halves to even.
inline QRgb Ring(QRgb base, int fw, int i)
{
    const QRgb dark = Shift(base, -80);
    const double k = std::sqrt(double(fw * fw - (fw - i) * (fw - i))) / fw;
    const auto ch = [k](int d, int b) { return d + int(std::nearbyint((b - d) * k)); };
    return qRgb(ch(qRed(dark), qRed(base)), ch(qGreen(dark), qGreen(base)), ch(qBlue(dark), qBlue(base)));
}

} // namespace lumoria::test
