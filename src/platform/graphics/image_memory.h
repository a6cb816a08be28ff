#pragma once
// Limits and allocation of pixel buffers. Every size product is 64-bit; a picture beyond the limits
// is refused before anything is allocated, and an allocation that fails raises OutOfMemory.
#include <QImage>

#include <cstdint>

namespace lumoria::platform {

// The largest picture the program holds: 65535 pixels a side and 200 megapixels in all.
constexpr std::int64_t kMaxPictureSide = 65535;
constexpr std::int64_t kMaxPicturePixels = 200'000'000;

// Raises InvalidPicture when a picture of this size may not be held (what names the kind of file).
void CheckPictureSize(std::int64_t width, std::int64_t height, const char* what);

// A new image of that size and format (contents undefined); OutOfMemory when it cannot be had.
QImage AllocateImage(int width, int height, QImage::Format format);

} // namespace lumoria::platform
