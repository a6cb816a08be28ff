#include "platform/graphics/picture_loader.h"

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/gif_image.h"
#include "platform/graphics/icon_image.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/metafile.h"

namespace lumoria::platform {

namespace {

bool StartsWith(const QByteArray& data, std::initializer_list<unsigned char> bytes)
{
    if (data.size() < qsizetype(bytes.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : bytes)
        if (static_cast<unsigned char>(data[i++]) != b)
            return false;
    return true;
}

unsigned LeU16(const QByteArray& data, qsizetype at)
{
    return unsigned(static_cast<unsigned char>(data[at])) | unsigned(static_cast<unsigned char>(data[at + 1])) << 8;
}

std::unique_ptr<Graphic> NewGraphicForContents(const QByteArray& data)
{
    if (StartsWith(data, {0xFF, 0xD8}))
        return std::make_unique<JpegImage>();
    if (StartsWith(data, {'G', 'I', 'F', '8'}))
        return std::make_unique<GifImage>();
    if (StartsWith(data, {'B', 'M'}))
        return std::make_unique<Bitmap>();
    if (StartsWith(data, {0x00, 0x00, 0x01, 0x00}))
        return std::make_unique<IconImage>();
    // Placeable WMF key; EMF header record (type 1, " EMF" signature at 40).
    if (StartsWith(data, {0xD7, 0xCD, 0xC6, 0x9A}))
        return std::make_unique<Metafile>();
    if (data.size() >= 44 && StartsWith(data, {0x01, 0x00, 0x00, 0x00}) && data.mid(40, 4) == " EMF")
        return std::make_unique<Metafile>();
    // A plain WMF header: memory or disk type, header size 9 words.
    if (data.size() >= 18 && (LeU16(data, 0) == 1 || LeU16(data, 0) == 2) && LeU16(data, 2) == 9)
        return std::make_unique<Metafile>();
    return nullptr;
}

} // namespace

std::unique_ptr<Graphic> LoadGraphicFromData(const QByteArray& data)
{
    std::unique_ptr<Graphic> graphic = NewGraphicForContents(data);
    if (!graphic)
        throw InvalidPicture("Unknown picture format");
    graphic->LoadFromData(data);
    return graphic;
}

} // namespace lumoria::platform
