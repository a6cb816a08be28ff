#pragma once
// Pictures as the picture controls take them, for the components' tests.
#include <QImage>

#include "platform/graphics/bitmap.h"

namespace lumoria::test {

inline platform::Bitmap AsBitmap(const QImage& image)
{
    platform::Bitmap bitmap;
    bitmap.SetImage(image, platform::PixelFormat::Bits32);
    return bitmap;
}

} // namespace lumoria::test
