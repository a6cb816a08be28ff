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

struct GifRowReader::Private {
    QByteArray data;
    MemoryReader reader{&data};
    GifFileType* file = nullptr;
    GifCloser closer{nullptr};
    GifImageDesc desc{};
    QRgb colours[256];
    int transparentIndex = NO_TRANSPARENT_COLOR;
    int screenW = 0;
    int screenH = 0;
    std::vector<GifPixelType> row;
    std::vector<uchar> bgr;
    int nextRow = 0;

    // The frame's next row of indexes, in the file's order.
    void ReadIndexes(int y)
    {
        if ((y & 63) == 0)
            ThrowIfDecodeStopped();
        if (DGifGetLine(file, row.data(), desc.Width) == GIF_ERROR)
            Fail(file->Error);
    }
};

GifRowReader::GifRowReader(const QByteArray& data) : m(std::make_unique<Private>())
{
    if (data.size() < 6 || !(data.startsWith("GIF87a") || data.startsWith("GIF89a")))
        throw InvalidPicture("GIF error: not a GIF file");
    m->data = data;
    int error = 0;
    m->file = DGifOpen(&m->reader, ReadFromMemory, &error);
    if (!m->file)
        Fail(error);
    m->closer.file = m->file;
    GifFileType* file = m->file;
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
                    m->transparentIndex = control.TransparentColor;
            }
            while (block) {
                if (DGifGetExtensionNext(file, &block) == GIF_ERROR)
                    Fail(file->Error);
            }
            continue;
        }
        if (type == IMAGE_DESC_RECORD_TYPE)
            break;
    }

    if (DGifGetImageDesc(file) == GIF_ERROR)
        Fail(file->Error);
    m->desc = file->Image;
    const GifImageDesc& desc = m->desc;
    const int frameW = desc.Width;
    const int frameH = desc.Height;
    CheckPictureSize(frameW, frameH, "GIF");
    m->screenW = file->SWidth > 0 ? file->SWidth : frameW;
    m->screenH = file->SHeight > 0 ? file->SHeight : frameH;
    CheckPictureSize(m->screenW, m->screenH, "GIF");
    // LZW packs at most a few thousand pixels into a byte; more than that cannot be in the file.
    if (std::int64_t(frameW) * frameH > std::int64_t(data.size()) * 4096)
        throw InvalidPicture("GIF error: the image is larger than the file can hold");
    // The screen around the frame is only background: one far larger than both the frame and
    // what the file could describe is a bomb.
    if (std::int64_t(m->screenW) * m->screenH > std::max(std::int64_t(frameW) * frameH, std::int64_t(data.size()) * 4096))
        throw InvalidPicture("GIF error: the screen is larger than the file can hold");

    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : file->SColorMap;
    for (int i = 0; i < 256; ++i)
        m->colours[i] = qRgb(i, i, i); // no colour table: grey levels
    if (map && map->Colors)
        for (int i = 0; i < std::min(map->ColorCount, 256); ++i)
            m->colours[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    if (m->transparentIndex >= 0 && m->transparentIndex < 256)
        m->colours[m->transparentIndex] = qRgba(0, 0, 0, 0);
    m->row.assign(std::size_t(frameW), 0);
}

GifRowReader::~GifRowReader() = default;

QSize GifRowReader::ScreenSize() const
{
    return QSize(m->screenW, m->screenH);
}

bool GifRowReader::Opaque() const
{
    return (m->transparentIndex < 0 || m->transparentIndex > 255) && m->desc.Left == 0 && m->desc.Top == 0
           && m->desc.Width == m->screenW && m->desc.Height == m->screenH;
}

bool GifRowReader::RowsInOrder() const
{
    return Opaque() && !m->desc.Interlace;
}

const uchar* GifRowReader::NextRow()
{
    if (!RowsInOrder() || m->nextRow >= m->screenH)
        return nullptr;
    m->ReadIndexes(m->nextRow++);
    m->bgr.resize(std::size_t(m->screenW) * 3);
    uchar* to = m->bgr.data();
    for (const GifPixelType index : m->row) {
        const QRgb c = m->colours[index];
        *to++ = uchar(qBlue(c));
        *to++ = uchar(qGreen(c));
        *to++ = uchar(qRed(c));
    }
    return m->bgr.data();
}

QImage DecodeGif(const QByteArray& data)
{
    const DecodeScope scope;
    GifRowReader reader(data);
    GifRowReader::Private& m = *reader.m;
    const GifImageDesc& desc = m.desc;
    // An opaque frame that fills its screen keeps its colour indexes: a quarter of the memory, and
    // drawing converts a band of rows at a time.
    const bool indexed = reader.Opaque();
    const QImage::Format format = indexed ? QImage::Format_Indexed8 : QImage::Format_ARGB32_Premultiplied;
    DecodeMemory memory = ReserveDecodeMemory(ImageBytes(m.screenW, m.screenH, format));
    QImage image = AllocateImage(m.screenW, m.screenH, format, std::move(memory));
    if (indexed)
        image.setColorTable(QList<QRgb>(std::begin(m.colours), std::end(m.colours)));
    else
        image.fill(Qt::transparent);
    // Each row goes to its place in the picture as it comes (interlaced rows come in four passes),
    // so that no second copy of the picture's indexes is held.
    const QRect frame = QRect(desc.Left, desc.Top, desc.Width, desc.Height).intersected(image.rect());
    auto readRow = [&](int y) {
        m.ReadIndexes(y);
        const int at = desc.Top + y;
        if (at < frame.top() || at > frame.bottom())
            return;
        if (indexed) {
            std::copy(m.row.begin(), m.row.end(), image.scanLine(at));
            return;
        }
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(at));
        for (int x = frame.left(); x <= frame.right(); ++x)
            dst[x] = m.colours[m.row[std::size_t(x - desc.Left)]];
    };
    if (desc.Interlace) {
        static const int offsets[] = {0, 4, 2, 1};
        static const int jumps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = offsets[pass]; y < desc.Height; y += jumps[pass])
                readRow(y);
    } else {
        for (int y = 0; y < desc.Height; ++y)
            readRow(y);
    }
    return image;
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
