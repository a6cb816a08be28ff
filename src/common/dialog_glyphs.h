#pragma once
// The pictures stored with the small windows, drawn here so that they are our own: 24 x 24 button
// glyphs on a magenta key colour (their bottom-left pixel, which the button leaves transparent) and
// the picture of the author window.
#include <QImage>

namespace lumoria {

QImage GlyphYes();      // a green tick
QImage GlyphNo();       // a red cross
QImage GlyphOnScreen(); // a monitor
QImage GlyphPrinted();  // a printer
QImage AuthorPicture(); // 300 x 300: a photo print with a landscape

} // namespace lumoria
