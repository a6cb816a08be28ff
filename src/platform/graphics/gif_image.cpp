#include "platform/graphics/gif_image.h"

#include "platform/failure.h"
#include "platform/graphics/decode_budget.h"
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
    const DecodeScope scope;
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

        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : file->SColorMap;
        QRgb colours[256];
        for (int i = 0; i < 256; ++i)
            colours[i] = qRgb(i, i, i); // no colour table: grey levels
        if (map && map->Colors)
            for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
                colours[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
        if (transparentIndex >= 0 && transparentIndex < 256)
            colours[transparentIndex] = qRgba(0, 0, 0, 0);

        // An opaque frame that fills its screen keeps its colour indexes: a quarter of the memory,
        // and drawing converts a band of rows at a time.
        const bool indexed = (transparentIndex < 0 || transparentIndex > 255) && desc.Left == 0 && desc.Top == 0
                             && frameW == screenW && frameH == screenH;
        const QImage::Format format = indexed ? QImage::Format_Indexed8 : QImage::Format_ARGB32_Premultiplied;
        DecodeMemory memory = ReserveDecodeMemory(ImageBytes(screenW, screenH, format));
        QImage image = AllocateImage(screenW, screenH, format, std::move(memory));
        if (indexed)
            image.setColorTable(QList<QRgb>(std::begin(colours), std::end(colours)));
        else
            image.fill(Qt::transparent);
        // Each row goes to its place in the picture as it comes (interlaced rows come in four
        // passes), so that no second copy of the picture's indexes is held.
        const QRect frame = QRect(desc.Left, desc.Top, frameW, frameH).intersected(image.rect());
        std::vector<GifPixelType> row(std::size_t(frameW), 0);
        auto readRow = [&](int y) {
            if ((y & 63) == 0)
                ThrowIfDecodeStopped();
            if (DGifGetLine(file, row.data(), frameW) == GIF_ERROR)
                Fail(file->Error);
            const int at = desc.Top + y;
            if (at < frame.top() || at > frame.bottom())
                return;
            if (indexed) {
                std::copy(row.begin(), row.end(), image.scanLine(at));
                return;
            }
            auto* dst = reinterpret_cast<QRgb*>(image.scanLine(at));
            for (int x = frame.left(); x <= frame.right(); ++x)
                dst[x] = colours[row[std::size_t(x - desc.Left)]];
        };
        if (desc.Interlace) {
            static const int offsets[] = {0, 4, 2, 1};
            static const int jumps[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = offsets[pass]; y < frameH; y += jumps[pass])
                    readRow(y);
        } else {
            for (int y = 0; y < frameH; ++y)
                readRow(y);
        }
        return image;
    }
}

void GifImage::LoadFromData(const QByteArray& data)
{
    QImage image = DecodeGif(data);
    bool transparent = false;
    for (int y = 0; y < image.height() && image.hasAlphaChannel() && !transparent; ++y) {
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
