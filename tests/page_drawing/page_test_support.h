#pragma once
// Pages, canvases and pictures for the page-drawing tests.
#include "album/album_model.h"
#include "album/image_cache.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "support/draw_support.h"
#include "support/page_builder.h"
#include "support/picture_files.h"

#include <QColor>
#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <utility>

namespace lumoria::test {

const QColor kRed(220, 30, 40);
const QColor kGreen(30, 190, 60);
const QColor kBlue(30, 50, 210);
const QColor kYellow(240, 220, 30);

// A page of the given size in millimetres with frames (left, top, right, bottom), empty.
inline TPagina Page(int width, int height, std::initializer_list<Rect> frames)
{
    return test::PageWithFrames(width, height, frames);
}

inline QColor At(const platform::Bitmap& b, int x, int y)
{
    return b.Image().pixelColor(x, y);
}

// Each point of the bitmap near its colour.
inline void ExpectColours(const platform::Bitmap& b, std::initializer_list<PixelAt> points, int tolerance = 12)
{
    ExpectPixels(b.Image(), points, tolerance);
}

// Puts the files (an empty name leaves a frame empty) and the fit modes into the page's frames, in order.
inline void SetPhotos(TPagina& page, std::initializer_list<QString> files, std::initializer_list<int> modes = {})
{
    std::size_t i = 0;
    for (const QString& file : files)
        page.Fotos.at(i++).NomeDoArquivo = file;
    i = 0;
    for (const int mode : modes)
        page.Fotos.at(i++).Ajuste = std::uint8_t(mode);
}

// The page drawn as the page view draws it on a new white bitmap of that size.
inline platform::Bitmap OnScreen(TPagina& page, int width, int height, bool placeholders = true)
{
    platform::Bitmap screen(width, height);
    page.DesenharNaTela(screen.GetCanvas(), placeholders);
    return screen;
}

// The part `r` of a white bitmap of that size on which the graphic was stretched over `r`.
inline QImage StretchedOnWhite(const platform::Graphic& graphic, const Rect& r, int width, int height)
{
    platform::Bitmap b(width, height);
    b.GetCanvas().StretchDraw(r, graphic);
    return b.Image().copy(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

inline QImage Quads(int w, int h)
{
    return QuadrantsImage(w, h, kRed, kGreen, kBlue, kYellow);
}

// An image cache in use by the drawing for as long as it lives.
class ScopedCache {
public:
    ScopedCache() { DefinirCacheDeImagens(&m_cache); }
    ~ScopedCache() { DefinirCacheDeImagens(nullptr); }
    TCacheDeImagensJaCarregadas& operator*() { return m_cache; }
    TCacheDeImagensJaCarregadas* operator->() { return &m_cache; }

private:
    TCacheDeImagensJaCarregadas m_cache;
};

// Whether every pixel of the rectangle (right and bottom excluded) is white.
inline bool AllWhite(const platform::Bitmap& b, const Rect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (b.Image().pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

} // namespace lumoria::test
