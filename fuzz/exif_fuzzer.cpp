// The search for the camera's small picture in a JPEG's Exif block, decoded as the thumbnails do,
// and the reading of the way the picture lies from the block.
#include "fuzz_support.h"

#include "platform/failure.h"
#include "platform/graphics/jpeg_exif.h"
#include "platform/graphics/jpeg_image.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lumoria::fuzz::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        lumoria::platform::ReadJpegInfo(bytes);
    } catch (const lumoria::InvalidPicture&) {
    }
    const QByteArray thumbnail = lumoria::platform::ExifThumbnail(bytes);
    if (thumbnail.isEmpty())
        return 0;
    try {
        lumoria::platform::JpegImage jpeg;
        jpeg.LoadFromData(thumbnail);
    } catch (const lumoria::InvalidPicture&) {
    }
    return 0;
}
