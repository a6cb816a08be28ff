#pragma once
// Direct row access shared by the effect routines: 24-bit and 32-bit bitmaps, blue, green, red first.
#include "platform/graphics/bitmap.h"

#include <cstdint>
#include <type_traits>

namespace lumoria::pixels {

// Palette bitmaps become 24-bit first, as drawing on them does; returns the bytes per pixel (3 or 4).
inline int PrepareDirect(platform::Bitmap& bitmap)
{
    if (bitmap.Format() == platform::PixelFormat::Bits1 || bitmap.Format() == platform::PixelFormat::Bits8)
        bitmap.SetPixelFormat(platform::PixelFormat::Bits24);
    return bitmap.Format() == platform::PixelFormat::Bits24 ? 3 : 4;
}

inline int BytesPerPixel(const platform::Bitmap& bitmap)
{
    return bitmap.Format() == platform::PixelFormat::Bits24 ? 3 : 4;
}

// Gives the bitmap pixels of its own before rows are written from several threads at once.
inline void Detach(platform::Bitmap& bitmap)
{
    if (!bitmap.Empty())
        bitmap.ScanLine(0);
}

// Clamps to 0..255.
inline std::uint8_t ClampByte(std::int64_t value)
{
    return std::uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

namespace detail {
template <int Bpp, class F> void ForEachPixelOf(platform::Bitmap& b, int x0, int x1, int y0, int y1, F& f)
{
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* p = b.ScanLine(y) + std::size_t(x0) * Bpp;
        for (int x = x0; x < x1; ++x, p += Bpp)
            f(p);
    }
}
} // namespace detail

// f(pixel) on every pixel of the part (x0, y0)-(x1, y1), the pixel size fixed at compile time.
template <class F> void ForEachPixel(platform::Bitmap& b, int bpp, int x0, int x1, int y0, int y1, F&& f)
{
    if (bpp == 3)
        detail::ForEachPixelOf<3>(b, x0, x1, y0, y1, f);
    else
        detail::ForEachPixelOf<4>(b, x0, x1, y0, y1, f);
}

// f(std::integral_constant<int, bpp>) with the pixel size as a compile-time constant.
template <class F> void WithPixelSize(int bpp, F&& f)
{
    if (bpp == 3)
        f(std::integral_constant<int, 3>());
    else
        f(std::integral_constant<int, 4>());
}

} // namespace lumoria::pixels
