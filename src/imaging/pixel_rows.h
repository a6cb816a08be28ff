#pragma once
// Direct row access shared by the effect routines: 24-bit and 32-bit bitmaps, blue, green, red first.
#include "platform/graphics/bitmap.h"

#include <cstdint>

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

// Clamps to 0..255.
inline std::uint8_t ClampByte(std::int64_t value)
{
    return std::uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace lumoria::pixels
