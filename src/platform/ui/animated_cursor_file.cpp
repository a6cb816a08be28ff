#include "platform/ui/animated_cursor_file.h"

#include <QFile>

#include "platform/failure.h"
#include "platform/graphics/bmp_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace lumoria::platform {

namespace {

constexpr qsizetype kIconDirSize = 6;
constexpr qsizetype kIconEntrySize = 16;
constexpr std::uint32_t kAniIconFrames = 1;  // anih flag: frames are icon or cursor files
constexpr std::uint32_t kAniSequence = 2;    // anih flag: a "seq " chunk gives the order
constexpr int kMaxSteps = 4096;

std::uint16_t u16(const QByteArray& d, qsizetype at)
{
    return std::uint16_t(std::uint8_t(d[at]) | std::uint8_t(d[at + 1]) << 8);
}

std::uint32_t u32(const QByteArray& d, qsizetype at)
{
    return std::uint32_t(u16(d, at)) | std::uint32_t(u16(d, at + 2)) << 16;
}

// One frame out of a cursor or icon file: the image nearest 32 pixels wide, with its hot spot.
std::optional<CursorFrame> readIconFile(const QByteArray& d)
{
    if (d.size() < kIconDirSize || u16(d, 0) != 0)
        return std::nullopt;
    const int type = u16(d, 2);
    const int count = u16(d, 4);
    if ((type != 1 && type != 2) || count == 0 || d.size() < kIconDirSize + count * kIconEntrySize)
        return std::nullopt;

    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = kIconDirSize + i * kIconEntrySize;
        const int width = std::uint8_t(d[at]) == 0 ? 256 : std::uint8_t(d[at]);
        const int distance = std::abs(width - 32);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    const qsizetype entry = kIconDirSize + best * kIconEntrySize;
    const std::uint32_t size = u32(d, entry + 8);
    const std::uint32_t offset = u32(d, entry + 12);
    if (size == 0 || offset > std::uint32_t(d.size()) || size > std::uint32_t(d.size()) - offset)
        return std::nullopt;
    const QByteArray image = d.mid(offset, size);

    QImage decoded;
    if (image.startsWith("\x89PNG")) {
        decoded = QImage::fromData(image, "png");
    } else {
        try {
            decoded = DecodeIconDib(reinterpret_cast<const uchar*>(image.constData()), image.size());
        } catch (const InvalidPicture&) {
            return std::nullopt;
        }
    }
    if (decoded.isNull())
        return std::nullopt;
    CursorFrame frame;
    frame.image = decoded.convertToFormat(QImage::Format_ARGB32);
    if (type == 2)
        frame.hotSpot = QPoint(u16(d, entry + 4), u16(d, entry + 6));
    else
        frame.hotSpot = QPoint(decoded.width() / 2, decoded.height() / 2);
    frame.hotSpot.setX(std::min(frame.hotSpot.x(), std::max(0, decoded.width() - 1)));
    frame.hotSpot.setY(std::min(frame.hotSpot.y(), std::max(0, decoded.height() - 1)));
    return frame;
}

struct Chunk {
    QByteArray id;
    qsizetype start;
    qsizetype size;
};

// The chunks between begin and end; nothing when one runs past the end.
std::optional<QList<Chunk>> chunksOf(const QByteArray& d, qsizetype begin, qsizetype end)
{
    QList<Chunk> chunks;
    qsizetype at = begin;
    while (at + 8 <= end) {
        const std::uint32_t size = u32(d, at + 4);
        if (size > std::uint32_t(end - at - 8))
            return std::nullopt;
        chunks.append({d.mid(at, 4), at + 8, qsizetype(size)});
        at += 8 + qsizetype(size) + (size & 1);
    }
    return chunks;
}

QList<int> readNumbers(const QByteArray& d, const Chunk& c, int count)
{
    QList<int> values;
    for (int i = 0; i < count; ++i)
        values.append(int(std::min<std::uint32_t>(u32(d, c.start + 4 * i), 0x7FFFFFFF)));
    return values;
}

std::optional<CursorFileData> readAni(const QByteArray& d)
{
    const qsizetype declared = qsizetype(u32(d, 4));
    const qsizetype end = std::min<qsizetype>(d.size(), 8 + declared);
    const auto chunks = chunksOf(d, 12, end);
    if (!chunks)
        return std::nullopt;

    const Chunk* header = nullptr;
    const Chunk* rate = nullptr;
    const Chunk* seq = nullptr;
    QList<CursorFrame> frames;
    for (const Chunk& c : *chunks) {
        if (c.id == "anih" && c.size >= 36) {
            header = &c;
        } else if (c.id == "rate") {
            rate = &c;
        } else if (c.id == "seq ") {
            seq = &c;
        } else if (c.id == "LIST" && c.size >= 4 && d.mid(c.start, 4) == "fram") {
            const auto icons = chunksOf(d, c.start + 4, c.start + c.size);
            if (!icons)
                return std::nullopt;
            for (const Chunk& icon : *icons) {
                if (icon.id != "icon")
                    continue;
                auto frame = readIconFile(d.mid(icon.start, icon.size));
                if (!frame)
                    return std::nullopt;
                frames.append(*frame);
            }
        }
    }
    if (!header || frames.isEmpty())
        return std::nullopt;
    const std::uint32_t frameCount = u32(d, header->start + 4);
    const std::uint32_t stepCount = u32(d, header->start + 8);
    const int displayRate = int(std::min<std::uint32_t>(u32(d, header->start + 28), 0x7FFFFFFF));
    const std::uint32_t flags = u32(d, header->start + 32);
    if (!(flags & kAniIconFrames) || frameCount == 0 || frameCount > std::uint32_t(frames.size()))
        return std::nullopt;
    frames.resize(frameCount);

    CursorFileData out;
    out.frames = frames;
    const bool sequenced = (flags & kAniSequence) && seq;
    const int steps = int(std::min<std::uint32_t>(sequenced ? stepCount : frameCount, kMaxSteps));
    if (steps == 0)
        return std::nullopt;
    if (sequenced) {
        if (seq->size < qsizetype(steps) * 4)
            return std::nullopt;
        out.sequence = readNumbers(d, *seq, steps);
        for (int index : std::as_const(out.sequence))
            if (index < 0 || index >= out.frames.size())
                return std::nullopt;
    } else {
        for (int i = 0; i < steps; ++i)
            out.sequence.append(i);
    }
    if (rate && rate->size >= qsizetype(steps) * 4)
        out.rates = readNumbers(d, *rate, steps);
    else
        out.rates = QList<int>(steps, displayRate);
    // A step of no time would spin the timer.
    for (int& r : out.rates)
        r = std::max(r, 1);
    return out;
}

} // namespace

std::optional<CursorFileData> readCursorData(const QByteArray& data)
{
    if (data.size() >= 12 && data.startsWith("RIFF") && data.mid(8, 4) == "ACON")
        return readAni(data);
    auto frame = readIconFile(data);
    if (!frame)
        return std::nullopt;
    CursorFileData out;
    out.frames.append(*frame);
    out.sequence.append(0);
    out.rates.append(1);
    return out;
}

std::optional<CursorFileData> readCursorFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return readCursorData(file.readAll());
}

} // namespace lumoria::platform
