#include "platform/graphics/image_memory.h"

#include "platform/failure.h"

#include <string>

namespace lumoria::platform {

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
    QImage image(width, height, format);
    if (image.isNull())
        throw OutOfMemory();
    return image;
}

} // namespace lumoria::platform
