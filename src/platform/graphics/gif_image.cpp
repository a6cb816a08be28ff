#include "platform/graphics/gif_image.h"

#include "platform/failure.h"
#include "platform/graphics/image_memory.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lumoria::platform {

namespace {

struct MemoryReader {
    const QByteArray* data;
    qsizetype position = 0;
};

int ReadFromMemory(GifFileType* file, GifByteType* buffer, int length)
{
    auto* reader = static_cast<MemoryReader*>(file->UserData);
    const qsizetype left = reader->data->size() - reader->position;
    const int count = int(std::clamp<qsizetype>(left, 0, length));
    std::memcpy(buffer, reader->data->constData() + reader->position, std::size_t(count));
    reader->position += count;
    return count;
}

[[noreturn]] void Fail(int code)
{
    const char* text = GifErrorString(code);
    throw InvalidPicture(std::string("GIF error #") + std::to_string(code) + ": " + (text ? text : "unknown"));
}

struct GifCloser {
    GifFileType* file;
    ~GifCloser()
    {
        int error = 0;
        if (file)
            DGifCloseFile(file, &error);
    }
};

} // namespace

QImage DecodeGif(const QByteArray& data)
{
    if (data.size() < 6 || !(data.startsWith("GIF87a") || data.startsWith("GIF89a")))
        throw InvalidPicture("GIF error: not a GIF file");
    MemoryReader reader{&data};
    int error = 0;
    GifFileType* file = DGifOpen(&reader, ReadFromMemory, &error);
    if (!file)
        Fail(error);
    GifCloser closer{file};

    int transparentIndex = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(file, &type) == GIF_ERROR)
            Fail(file->Error);
        if (type == TERMINATE_RECORD_TYPE)
            throw InvalidPicture("GIF error: the file holds no image");
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(file, &code, &block) == GIF_ERROR)
                Fail(file->Error);
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
                GraphicsControlBlock control{};
                if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                    transparentIndex = control.TransparentColor;
            }
            while (block) {
                if (DGifGetExtensionNext(file, &block) == GIF_ERROR)
                    Fail(file->Error);
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;

        if (DGifGetImageDesc(file) == GIF_ERROR)
            Fail(file->Error);
        const GifImageDesc& desc = file->Image;
        const int frameW = desc.Width;
        const int frameH = desc.Height;
        CheckPictureSize(frameW, frameH, "GIF");
        int screenW = file->SWidth > 0 ? file->SWidth : frameW;
        int screenH = file->SHeight > 0 ? file->SHeight : frameH;
        CheckPictureSize(screenW, screenH, "GIF");
        // LZW packs at most a few thousand pixels into a byte; more than that cannot be in the file.
        if (std::int64_t(frameW) * frameH > std::int64_t(data.size()) * 4096)
            throw InvalidPicture("GIF error: the image is larger than the file can hold");
        // The screen around the frame is only background: one far larger than both the frame and
        // what the file could describe is a bomb.
        if (std::int64_t(screenW) * screenH > std::max(std::int64_t(frameW) * frameH, std::int64_t(data.size()) * 4096))
            throw InvalidPicture("GIF error: the screen is larger than the file can hold");

        std::vector<GifPixelType> pixels(std::size_t(frameW) * std::size_t(frameH));
        if (desc.Interlace) {
            static const int offsets[] = {0, 4, 2, 1};
            static const int jumps[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = offsets[pass]; y < frameH; y += jumps[pass])
                    if (DGifGetLine(file, pixels.data() + std::size_t(y) * frameW, frameW) == GIF_ERROR)
                        Fail(file->Error);
        } else {
            for (int y = 0; y < frameH; ++y)
                if (DGifGetLine(file, pixels.data() + std::size_t(y) * frameW, frameW) == GIF_ERROR)
                    Fail(file->Error);
        }

        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : file->SColorMap;
        QRgb colours[256];
        for (int i = 0; i < 256; ++i)
            colours[i] = qRgb(i, i, i); // no colour table: grey levels
        if (map && map->Colors)
            for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
                colours[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
        if (transparentIndex >= 0 && transparentIndex < 256)
            colours[transparentIndex] = qRgba(0, 0, 0, 0);

        QImage image = AllocateImage(screenW, screenH, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QRect frame = QRect(desc.Left, desc.Top, frameW, frameH).intersected(image.rect());
        for (int y = frame.top(); y <= frame.bottom(); ++y) {
            const GifPixelType* src = pixels.data() + std::size_t(y - desc.Top) * frameW;
            auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = frame.left(); x <= frame.right(); ++x)
                dst[x] = colours[src[x - desc.Left]];
        }
        return image;
    }
}

void GifImage::LoadFromData(const QByteArray& data)
{
    QImage image = DecodeGif(data);
    bool transparent = false;
    for (int y = 0; y < image.height() && !transparent; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255) {
                transparent = true;
                break;
            }
    }
    SetDecoded(data, std::move(image));
    m_transparent = transparent;
}

} // namespace lumoria::platform
