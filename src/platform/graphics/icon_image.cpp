#include "platform/graphics/icon_image.h"

#include "platform/failure.h"
#include "platform/graphics/bmp_codec.h"
#include "platform/graphics/image_memory.h"

#include <cstdint>

namespace lumoria::platform {

namespace {

std::uint32_t Le16(const QByteArray& d, qsizetype at)
{
    return std::uint32_t(uchar(d[at])) | (std::uint32_t(uchar(d[at + 1])) << 8);
}

std::uint32_t Le32(const QByteArray& d, qsizetype at)
{
    return Le16(d, at) | (Le16(d, at + 2) << 16);
}

} // namespace

void IconImage::LoadFromData(const QByteArray& data)
{
    if (data.size() < 6 || Le16(data, 0) != 0 || (Le16(data, 2) != 1 && Le16(data, 2) != 2))
        throw InvalidPicture("Icon image is not valid (not an icon file)");
    const std::uint32_t count = Le16(data, 4);
    if (count == 0 || 6 + qsizetype(count) * 16 > data.size())
        throw InvalidPicture("Icon image is not valid (cut short)");

    // The largest image, and of two of that size the one with more colours.
    int best = -1;
    std::int64_t bestArea = -1;
    std::uint32_t bestBits = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const qsizetype e = 6 + qsizetype(i) * 16;
        const std::int64_t w = uchar(data[e]) ? uchar(data[e]) : 256;
        const std::int64_t h = uchar(data[e + 1]) ? uchar(data[e + 1]) : 256;
        const std::uint32_t bits = Le16(data, e + 6);
        const std::uint32_t size = Le32(data, e + 8);
        const std::uint32_t offset = Le32(data, e + 12);
        if (offset >= std::uint32_t(data.size()) || size > std::uint32_t(data.size()) - offset)
            continue;
        if (w * h > bestArea || (w * h == bestArea && bits > bestBits)) {
            best = int(i);
            bestArea = w * h;
            bestBits = bits;
        }
    }
    if (best < 0)
        throw InvalidPicture("Icon image is not valid (cut short)");
    const qsizetype e = 6 + qsizetype(best) * 16;
    const qsizetype size = Le32(data, e + 8);
    const qsizetype offset = Le32(data, e + 12);
    const QByteArray part = data.mid(offset, size);

    QImage image;
    if (part.startsWith("\x89PNG\r\n\x1a\n")) {
        image = QImage::fromData(part, "PNG");
        if (image.isNull())
            throw InvalidPicture("Icon image is not valid (bad PNG image)");
        CheckPictureSize(image.width(), image.height(), "Icon");
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } else {
        image = DecodeIconDib(reinterpret_cast<const uchar*>(part.constData()), part.size());
    }
    SetDecoded(data, std::move(image));
}

} // namespace lumoria::platform
