#pragma once
// Limits and allocation of pixel buffers. Every size product is 64-bit; a picture beyond the limits
// is refused before anything is allocated, and an allocation that fails raises OutOfMemory.
#include "platform/graphics/decode_budget.h"

#include <QImage>
#include <QRegion>

#include <cstdint>

namespace lumoria::platform {

// The largest picture the program holds: 65535 pixels a side and 200 megapixels in all.
constexpr std::int64_t kMaxPictureSide = 65535;
constexpr std::int64_t kMaxPicturePixels = 200'000'000;

// Raises InvalidPicture when a picture of this size may not be held (what names the kind of file).
void CheckPictureSize(std::int64_t width, std::int64_t height, const char* what);

// A new image of that size and format (contents undefined); OutOfMemory when it cannot be had.
QImage AllocateImage(int width, int height, QImage::Format format);
// The same for a picture about to be written whole at once (filled): a middling one has its pages
// mapped at once instead of one fault at a time, at no cost in memory.
QImage AllocateImageToFill(int width, int height, QImage::Format format);
// The same for a decode's result: the image keeps the decode memory until its pixels are freed.
QImage AllocateImage(int width, int height, QImage::Format format, DecodeMemory memory);
// The bytes of an image of that size and format.
std::int64_t ImageBytes(int width, int height, QImage::Format format);

// The same for pictures made over and over (a turn at every move of a dial): when the last copy of a
// large one lets go of it, its memory is kept for the next such request that fits it, so that it
// need not be given by the system and cleared again. One buffer is kept at a time.
QImage AllocateRecycledImage(int width, int height, QImage::Format format);
// Gives the kept buffer back to the system.
void ReleaseRecycledImageMemory();

// Paints every pixel white; a large 24- or 32-bit image is painted over the pixel threads.
void FillWhite(QImage& image);
// Paints white the pixels of the region (clipped to `size`) in 24- or 32-bit rows of `stride` bytes
// starting at `bits`, where white is every byte 0xFF; a large region over the pixel threads.
void FillWhite(uchar* bits, qsizetype stride, int bytesPerPixel, QSize size, const QRegion& region);

// Gives the memory under a large image's pixels back to the system, the image staying as it is in
// size and format: its pixels are undefined until written again. For an image about to be painted
// over entirely, so that it takes memory only as it is painted.
void DiscardPixels(QImage& image);

} // namespace lumoria::platform
