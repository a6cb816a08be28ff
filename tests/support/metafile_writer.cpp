#include "support/metafile_writer.h"

#include <cstdint>

#include "support/little_endian.h"

namespace lumoria::test {

namespace {

std::uint32_t ColourRef(const QColor& c)
{
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

void Set32(QByteArray& b, int at, std::int64_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}

} // namespace

QByteArray MakeWmf(int width, int height, const std::vector<MetaRect>& rects)
{
    QByteArray records;
    auto record = [&](int function, std::initializer_list<int> words) {
        AppendU32(records, 3 + std::int64_t(words.size()));
        AppendU16(records, function);
        for (int w : words)
            AppendU16(records, w);
    };
    record(0x0103, {8});                // SETMAPMODE MM_ANISOTROPIC
    record(0x020B, {0, 0});             // SETWINDOWORG y, x
    record(0x020C, {height, width});    // SETWINDOWEXT y, x
    record(0x02FA, {5, 0, 0, 0, 0});    // CREATEPENINDIRECT: null pen
    record(0x012D, {0});                // SELECTOBJECT pen
    const int object = 1; // each brush takes the slot the one before it freed
    std::vector<MetaRect> all;
    all.push_back({QRect(0, 0, width, height), Qt::white});
    all.insert(all.end(), rects.begin(), rects.end());
    for (const MetaRect& r : all) {
        const std::uint32_t c = ColourRef(r.colour);
        record(0x02FC, {0, int(c & 0xffff), int(c >> 16), 0}); // CREATEBRUSHINDIRECT solid
        record(0x012D, {object});                               // SELECTOBJECT
        record(0x041B, {r.rect.y() + r.rect.height(), r.rect.x() + r.rect.width(), r.rect.y(), r.rect.x()});
        record(0x01F0, {object});                               // DELETEOBJECT
    }
    record(0x0000, {}); // EOF

    QByteArray header;
    AppendU16(header, 1);     // memory metafile
    AppendU16(header, 9);     // header words
    AppendU16(header, 0x0300);
    AppendU32(header, (18 + records.size()) / 2);
    AppendU16(header, 2);     // objects
    AppendU32(header, 8);     // largest record
    AppendU16(header, 0);

    QByteArray placeable;
    AppendU32(placeable, 0x9AC6CDD7);
    for (int v : {0, 0, 0, width, height, 96}) // handle, bounds, units per inch
        AppendU16(placeable, v);
    AppendU32(placeable, 0);
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= (uchar(placeable[2 * i]) | (uchar(placeable[2 * i + 1]) << 8));
    AppendU16(placeable, sum);
    return placeable + header + records;
}

QByteArray MakeEmf(int width, int height, const std::vector<MetaRect>& rects)
{
    QByteArray body;
    int records = 0;
    auto record = [&](int type, std::initializer_list<std::int64_t> values) {
        AppendU32(body, type);
        AppendU32(body, 8 + 4 * std::int64_t(values.size()));
        for (std::int64_t v : values)
            AppendU32(body, v);
        ++records;
    };
    std::vector<MetaRect> all;
    all.push_back({QRect(0, 0, width, height), Qt::white});
    all.insert(all.end(), rects.begin(), rects.end());
    record(38, {1, 5, 0, 0});           // CREATEPEN 1: null pen
    record(37, {1});                    // SELECTOBJECT
    for (const MetaRect& r : all) {
        record(39, {2, 0, ColourRef(r.colour), 0}); // CREATEBRUSHINDIRECT 2 solid
        record(37, {2});
        record(43, {r.rect.x(), r.rect.y(), r.rect.x() + r.rect.width(), r.rect.y() + r.rect.height()});
        record(37, {0x80000000 | 4});   // the stock null brush back in
        record(40, {2});                // DELETEOBJECT
    }
    record(14, {0, 16, 20});            // EOF

    QByteArray header;
    AppendU32s(header, {1, 108, 0, 0, std::uint32_t(width - 1), std::uint32_t(height - 1)}); // type, size, bounds
    // Frame in hundredths of a millimetre at 96 dots per inch.
    AppendU32s(header, {0, 0, std::uint64_t(std::int64_t(width) * 2540 / 96 - 1),
                        std::uint64_t(std::int64_t(height) * 2540 / 96 - 1)});
    AppendU32s(header, {0x464D4520, 0x10000, 0, 0}); // signature, version, then bytes and records set below
    AppendU16(header, 3);     // handles
    AppendU16(header, 0);
    // Description, palette, device pixels and millimetres (96 dpi), pixel format, OpenGL, micrometres.
    AppendU32s(header, {0, 0, 0, 1024, 768, 270, 203, 0, 0, 0, 270000, 203000});
    QByteArray all2 = header + body;
    Set32(all2, 48, all2.size());
    Set32(all2, 52, records + 1);
    return all2;
}

} // namespace lumoria::test
