#include "platform/graphics/image_memory.h"

#include "platform/failure.h"

#include <cstdlib>
#include <string>

#include <sys/mman.h>

namespace lumoria::platform {

namespace {

constexpr std::int64_t kHugePage = 2 * 1024 * 1024;
constexpr std::int64_t kLargeBuffer = 8 * 1024 * 1024;

} // namespace

void CheckPictureSize(std::int64_t width, std::int64_t height, const char* what)
{
    if (width <= 0 || height <= 0)
        throw InvalidPicture(std::string(what) + " image has no pixels (" + std::to_string(width) + " x "
                             + std::to_string(height) + ")");
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
        throw InvalidPicture(std::string(what) + " image is too large (" + std::to_string(width) + " x "
                             + std::to_string(height) + ")");
}

QImage AllocateImage(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const std::int64_t pixels = std::int64_t(width) * height;
    if (width > kMaxPictureSide || height > kMaxPictureSide || pixels > kMaxPicturePixels)
        throw OutOfMemory();
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const std::int64_t bytesPerLine = (std::int64_t(width) * depth + 31) / 32 * 4;
    const std::int64_t bytes = bytesPerLine * height;
    if (bytes < kLargeBuffer) {
        QImage image(width, height, format);
        if (image.isNull())
            throw OutOfMemory();
        return image;
    }
    // Large pictures live in memory aligned for huge pages: far fewer page faults when first written.
    const std::size_t rounded = std::size_t((bytes + kHugePage - 1) / kHugePage * kHugePage);
    void* memory = nullptr;
    if (posix_memalign(&memory, std::size_t(kHugePage), rounded) != 0 || !memory)
        throw OutOfMemory();
    ::madvise(memory, rounded, MADV_HUGEPAGE);
    QImage image(static_cast<uchar*>(memory), width, height, qsizetype(bytesPerLine), format,
                 [](void* p) { std::free(p); }, memory);
    if (image.isNull()) {
        std::free(memory);
        throw OutOfMemory();
    }
    return image;
}

} // namespace lumoria::platform
