#include "support/metafile_writer.h"

#include <cstdint>

namespace lumoria::test {

namespace {

void W16(QByteArray& b, int v)
{
    b.append(char(v & 0xff));
    b.append(char((v >> 8) & 0xff));
}

void W32(QByteArray& b, std::int64_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}

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
        W32(records, 3 + std::int64_t(words.size()));
        W16(records, function);
        for (int w : words)
            W16(records, w);
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
    W16(header, 1);     // memory metafile
    W16(header, 9);     // header words
    W16(header, 0x0300);
    W32(header, (18 + records.size()) / 2);
    W16(header, 2);     // objects
    W32(header, 8);     // largest record
    W16(header, 0);

    QByteArray placeable;
    W32(placeable, 0x9AC6CDD7);
    W16(placeable, 0);
    W16(placeable, 0);
    W16(placeable, 0);
    W16(placeable, width);
    W16(placeable, height);
    W16(placeable, 96); // units per inch
    W32(placeable, 0);
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= (uchar(placeable[2 * i]) | (uchar(placeable[2 * i + 1]) << 8));
    W16(placeable, sum);
    return placeable + header + records;
}

QByteArray MakeEmf(int width, int height, const std::vector<MetaRect>& rects)
{
    QByteArray body;
    int records = 0;
    auto record = [&](int type, std::initializer_list<std::int64_t> values) {
        W32(body, type);
        W32(body, 8 + 4 * std::int64_t(values.size()));
        for (std::int64_t v : values)
            W32(body, v);
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
    W32(header, 1);
    W32(header, 108);
    W32(header, 0); W32(header, 0); W32(header, width - 1); W32(header, height - 1); // bounds
    // Frame in hundredths of a millimetre at 96 dots per inch.
    W32(header, 0); W32(header, 0);
    W32(header, std::int64_t(width) * 2540 / 96 - 1); W32(header, std::int64_t(height) * 2540 / 96 - 1);
    W32(header, 0x464D4520);
    W32(header, 0x10000);
    W32(header, 0);     // bytes, set below
    W32(header, 0);     // records, set below
    W16(header, 3);     // handles
    W16(header, 0);
    W32(header, 0); W32(header, 0); W32(header, 0); // description, palette
    W32(header, 1024); W32(header, 768);             // device pixels
    W32(header, 270); W32(header, 203);              // device millimetres (96 dpi)
    W32(header, 0); W32(header, 0); W32(header, 0);  // pixel format, OpenGL
    W32(header, 270000); W32(header, 203000);        // micrometres
    QByteArray all2 = header + body;
    Set32(all2, 48, all2.size());
    Set32(all2, 52, records + 1);
    return all2;
}

} // namespace lumoria::test
