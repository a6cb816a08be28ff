#pragma once
// Colours as the window designs write them: $00BBGGRR for a fixed colour, or a system colour
// ($FF0000nn, nn being the system colour index). System colours resolve through one fixed table,
// so every window looks the same whatever the desktop theme.
#include <QColor>

#include <cstdint>

namespace lumoria::platform {

using ColorRef = std::uint32_t;

constexpr ColorRef kSystemColorFlag = 0xFF000000u;

// System colours (classic desktop scheme).
constexpr ColorRef clWindow = kSystemColorFlag | 5;
constexpr ColorRef clHighlight = kSystemColorFlag | 13;
constexpr ColorRef clHighlightText = kSystemColorFlag | 14;
constexpr ColorRef clBtnFace = kSystemColorFlag | 15;
constexpr ColorRef clBtnShadow = kSystemColorFlag | 16;
constexpr ColorRef clBtnHighlight = kSystemColorFlag | 20;
constexpr ColorRef cl3DDkShadow = kSystemColorFlag | 21;

// Fixed colours.
constexpr ColorRef clBlue = 0x00FF0000u;
constexpr ColorRef clAqua = 0x00FFFF00u;
constexpr ColorRef clGray = 0x00808080u;
// No colour at all (a transparent colour left unset).
constexpr ColorRef clNone = 0x1FFFFFFFu;

constexpr ColorRef colorRef(int red, int green, int blue)
{
    return ColorRef(blue & 0xFF) << 16 | ColorRef(green & 0xFF) << 8 | ColorRef(red & 0xFF);
}

constexpr bool isSystemColor(ColorRef c) { return (c & 0xFF000000u) == kSystemColorFlag; }

// The RGB value of a colour: $00BBGGRR read as blue, green, red; a system colour through the table
// (an index the table lacks gives black); clNone gives an invalid QColor.
QColor toQColor(ColorRef c);
QRgb toRgb(ColorRef c);

} // namespace lumoria::platform
