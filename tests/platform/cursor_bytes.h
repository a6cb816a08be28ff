#pragma once
// Cursor files written byte by byte for the reader's tests.
#include <QByteArray>
#include <QColor>
#include <QList>

#include <cstdint>

namespace lumoria::test {

inline void put16(QByteArray& d, unsigned v)
{
    d.append(char(v & 0xFF));
    d.append(char(v >> 8 & 0xFF));
}

inline void put32(QByteArray& d, std::uint32_t v)
{
    put16(d, v & 0xFFFF);
    put16(d, v >> 16);
}

// A cursor (type 2) or icon (type 1) file of one 32-bit picture of one colour, whose top-left pixel
// is white so that the picture's orientation shows.
inline QByteArray iconFile(int type, int size, QColor colour, int hotX, int hotY)
{
    QByteArray dib;
    put32(dib, 40);
    put32(dib, size);
    put32(dib, size * 2);  // colour rows and mask rows
    put16(dib, 1);
    put16(dib, 32);
    for (int i = 0; i < 6; ++i)
        put32(dib, 0);
    for (int row = size - 1; row >= 0; --row)  // bottom-up
        for (int x = 0; x < size; ++x) {
            const QColor c = (row == 0 && x == 0) ? QColor(Qt::white) : colour;
            dib.append(char(c.blue()));
            dib.append(char(c.green()));
            dib.append(char(c.red()));
            dib.append(char(0xFF));
        }
    const int maskStride = ((size + 31) / 32) * 4;
    dib.append(QByteArray(maskStride * size, '\0'));

    QByteArray file;
    put16(file, 0);
    put16(file, type);
    put16(file, 1);
    file.append(char(size));
    file.append(char(size));
    file.append(char(0));
    file.append(char(0));
    put16(file, type == 2 ? hotX : 1);
    put16(file, type == 2 ? hotY : 32);
    put32(file, dib.size());
    put32(file, 22);
    file.append(dib);
    return file;
}

inline QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray c(id, 4);
    put32(c, body.size());
    c.append(body);
    if (body.size() & 1)
        c.append('\0');
    return c;
}

inline QByteArray numbers(const QList<std::uint32_t>& values)
{
    QByteArray d;
    for (std::uint32_t v : values)
        put32(d, v);
    return d;
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
    put32(header, 36);
    put32(header, s.frames.size());
    put32(header, s.steps ? s.steps : std::uint32_t(s.sequence.isEmpty() ? s.frames.size() : s.sequence.size()));
    for (int i = 0; i < 4; ++i)
        put32(header, 0);
    put32(header, s.displayRate);
    put32(header, s.flags);

    QByteArray frames("fram");
    for (const QByteArray& f : s.frames)
        frames.append(chunk("icon", f));

    QByteArray body("ACON");
    body.append(s.before);
    body.append(chunk("anih", header));
    if (!s.rates.isEmpty())
        body.append(chunk("rate", numbers(s.rates)));
    if (!s.sequence.isEmpty())
        body.append(chunk("seq ", numbers(s.sequence)));
    body.append(chunk("LIST", frames));
    return chunk("RIFF", body);
}

} // namespace lumoria::test
