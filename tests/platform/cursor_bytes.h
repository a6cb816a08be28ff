#pragma once
// Cursor files written byte by byte for the reader's tests.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>

#include <cstdint>

#include "support/little_endian.h"
#include "support/picture_files.h"

namespace lumoria::test {

// A cursor (type 2) or icon (type 1) file of one 32-bit picture of one colour, whose top-left pixel
// is white so that the picture's orientation shows.
inline QByteArray iconFile(int type, int size, QColor colour, int hotX, int hotY)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    image.setPixelColor(0, 0, Qt::white);
    QByteArray file = IcoBytes(image);
    file[2] = char(type);
    if (type == 2) { // the planes and bit count of an icon's entry are a cursor's hot spot
        QByteArray hotSpot;
        AppendU16(hotSpot, std::uint64_t(hotX));
        AppendU16(hotSpot, std::uint64_t(hotY));
        file.replace(10, 4, hotSpot);
    }
    return file;
}

inline QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray c(id, 4);
    AppendU32(c, std::uint64_t(body.size()));
    c.append(body);
    if (body.size() & 1)
        c.append('\0');
    return c;
}

struct AniSpec {
    QList<QByteArray> frames;
    QList<std::uint32_t> sequence;  // empty: no "seq " chunk
    QList<std::uint32_t> rates;     // empty: no "rate" chunk
    std::uint32_t displayRate = 10;
    std::uint32_t flags = 1;        // 1: icon frames, 2: sequence
    std::uint32_t steps = 0;        // 0: as many as the sequence, or the frames
    QByteArray before;              // chunks placed before the header
};

inline QByteArray aniFile(const AniSpec& s)
{
    QByteArray header;
    const std::uint32_t steps = s.steps ? s.steps : std::uint32_t(s.sequence.isEmpty() ? s.frames.size() : s.sequence.size());
    AppendU32s(header, {36, std::uint32_t(s.frames.size()), steps, 0, 0, 0, 0, s.displayRate, s.flags});

    QByteArray frames("fram");
    for (const QByteArray& f : s.frames)
        frames.append(chunk("icon", f));

    QByteArray body("ACON");
    body.append(s.before);
    body.append(chunk("anih", header));
    const auto numbers = [](const QList<std::uint32_t>& values) {
        QByteArray d;
        for (std::uint32_t v : values)
            AppendU32(d, v);
        return d;
    };
    if (!s.rates.isEmpty())
        body.append(chunk("rate", numbers(s.rates)));
    if (!s.sequence.isEmpty())
        body.append(chunk("seq ", numbers(s.sequence)));
    body.append(chunk("LIST", frames));
    return chunk("RIFF", body);
}

} // namespace lumoria::test
