#include "platform/ui/colors.h"

namespace lumoria::platform {

namespace {

struct SystemColorEntry {
    ColorRef color;
    int red, green, blue;
};

// The one table of system colours (the classic scheme of the desktop the designs were made on).
constexpr SystemColorEntry kSystemColors[] = {
    {clWindow, 255, 255, 255},
    {clHighlight, 10, 36, 106},
    {clHighlightText, 255, 255, 255},
    {clBtnFace, 212, 208, 200},
    {clBtnShadow, 128, 128, 128},
    {clBtnHighlight, 255, 255, 255},
    {cl3DDkShadow, 64, 64, 64},
};

} // namespace

QRgb toRgb(ColorRef c)
{
    if (isSystemColor(c)) {
        for (const auto& entry : kSystemColors)
            if (entry.color == c)
                return qRgb(entry.red, entry.green, entry.blue);
        return qRgb(0, 0, 0);
    }
    return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

QColor toQColor(ColorRef c)
{
    if (c == clNone)
        return {};
    return QColor::fromRgb(toRgb(c));
}

} // namespace lumoria::platform
