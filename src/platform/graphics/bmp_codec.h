#pragma once
// Device-independent bitmaps: BMP files (1, 4, 8, 16, 24 and 32 bits; uncompressed, run-length and
// bit-field encodings) and the bitmaps inside icons. Everything is bounds-checked; a bad or short
// file raises InvalidPicture.
#include "platform/graphics/bitmap.h"

#include <QByteArray>
#include <QImage>

namespace lumoria::platform {

struct DecodedBitmap {
    QImage image;
    PixelFormat format = PixelFormat::Device;
};

// A whole BMP file.
DecodedBitmap DecodeBmp(const QByteArray& data);
// A bitmap without file header (header, colours, pixels), as metafiles carry them.
DecodedBitmap DecodeDib(const uchar* data, qsizetype size);
// A bitmap as icons hold it: header, colours, pixels, then the 1-bit transparency mask (the height in
// the header counts both). The result is premultiplied ARGB32.
QImage DecodeIconDib(const uchar* data, qsizetype size);
// A BMP file of the image: 1 and 8 bits with their colours, 24 bits, or 32 bits for the rest.
QByteArray EncodeBmp(const QImage& image, PixelFormat format);

} // namespace lumoria::platform
