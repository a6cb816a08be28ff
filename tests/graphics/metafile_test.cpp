// Metafiles written by the test itself load through the libraries and draw their rectangles where
// the records put them; broken ones fail cleanly.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/metafile.h"
#include "platform/graphics/picture.h"
#include "support/draw_support.h"
#include "support/metafile_writer.h"
#include "support/test_env.h"

#include <algorithm>
#include <initializer_list>

using namespace lumoria;
using namespace lumoria::platform;

namespace {

// Each point of the picture within 8 levels of its colour.
void ExpectColours(const QImage& image, std::initializer_list<std::pair<QPoint, QColor>> points)
{
    for (const auto& [point, colour] : points)
        EXPECT_TRUE(test::Near(image.pixelColor(point), colour, 8))
            << point.x() << "," << point.y() << ": " << image.pixelColor(point).name().toStdString();
}

const std::vector<test::MetaRect> kRects = {
    {QRect(10, 10, 40, 30), QColor(255, 0, 0)},
    {QRect(60, 40, 30, 40), QColor(0, 0, 255)},
};

} // namespace

TEST(Metafile, LoadsWithItsSizeAndDrawsItsRectangles)
{
    for (const bool enhanced : {false, true}) {
        SCOPED_TRACE(enhanced ? "emf" : "wmf");
        const QString path = test::WriteTempFile(enhanced ? QStringLiteral("a.emf") : QStringLiteral("a.wmf"),
                                                 enhanced ? test::MakeEmf(100, 80, kRects) : test::MakeWmf(100, 80, kRects));
        Picture picture;
        picture.LoadFromFile(path);
        ASSERT_NE(picture.GetGraphic(), nullptr);
        ASSERT_EQ(picture.GetGraphic()->Kind(), GraphicKind::Metafile);
        EXPECT_EQ(static_cast<Metafile*>(picture.GetGraphic())->Enhanced(), enhanced);
        EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(100, 80));
        Bitmap b;
        b.Assign(*picture.GetGraphic());
        ExpectColours(b.Image(), {{{30, 25}, QColor(255, 0, 0)}, {{75, 60}, QColor(0, 0, 255)}, {{5, 70}, Qt::white}});
    }
}

TEST(Metafile, RectanglesLandOnTheirPixels)
{
    const std::vector<test::MetaRect> one = {{QRect(20, 10, 30, 20), QColor(0, 160, 0)}};
    const QColor green(0, 160, 0);
    for (const QByteArray& data : {test::MakeWmf(100, 80, one), test::MakeEmf(100, 80, one)}) {
        Metafile m;
        m.LoadFromData(data);
        Bitmap b;
        b.Assign(m);
        ASSERT_EQ(b.Width(), 100);
        // Inside, with a pixel of slack at the edges for the drawing's rounding.
        ExpectColours(b.Image(), {{{21, 11}, green}, {{48, 28}, green}, {{18, 20}, Qt::white}, {{52, 20}, Qt::white},
                                  {{30, 8}, Qt::white}, {{30, 32}, Qt::white}});
        // Stretched to twice the size, the rectangle doubles.
        Bitmap big(200, 160);
        big.GetCanvas().StretchDraw(Rect{0, 0, 200, 160}, m);
        ExpectColours(big.Image(), {{{43, 23}, green}, {{97, 57}, green}, {{36, 40}, Qt::white}});
    }
}

namespace {

void Put32(QByteArray& d, int at, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        d[at + k] = char((v >> (8 * k)) & 0xff);
}

} // namespace

TEST(Metafile, AnEmfHeaderThatLiesAboutItselfIsRefusedBeforeTheConverterSeesIt)
{
    const QByteArray emf = test::MakeEmf(100, 80, kRects);
    // A description of four characters inside a header made longer to hold it reads.
    QByteArray described = emf.left(108) + QByteArray("a\0b\0c\0d\0", 8) + emf.mid(108);
    Put32(described, 4, 116);
    Put32(described, 60, 4);
    Put32(described, 64, 108);
    Put32(described, 48, std::uint32_t(described.size()));
    Metafile m;
    ASSERT_NO_THROW(m.LoadFromData(described));
    EXPECT_EQ(m.Width(), 100);

    // A description of no length is read up to its terminating zero: refused with its place past the
    // record, or with no zero before the record ends; read with a zero inside.
    const struct {
        const char* what;
        std::initializer_list<std::pair<int, std::uint32_t>> fields;
        bool reads;
    } cases[] = {
        {"a header record shorter than a header", {{4, 80}}, false},
        {"a header record longer than the file", {{4, 0x7ffffff0}}, false},
        {"a description past the record", {{60, 9}}, false},
        {"a description starting past the record", {{64, 200}}, false},
        {"a description starting inside the fixed header", {{64, 40}}, false},
        {"a description whose end wraps around 32 bits", {{60, 0x80000002}}, false},
        {"a pixel format past the record", {{88, 40}, {92, 100}}, false},
        {"a terminated description placed past the record", {{60, 0}, {64, 195}}, false},
        {"no zero between 108 and 116", {{60, 0}, {64, 108}}, false},
        {"a zero at 112", {{60, 0}, {64, 108}, {112, 0}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray bad = described;
        for (const auto& [at, value] : c.fields)
            Put32(bad, at, value);
        if (c.reads) {
            EXPECT_NO_THROW(m.LoadFromData(bad));
        } else {
            EXPECT_THROW(m.LoadFromData(bad), InvalidPicture);
        }
    }
    // A header record of 80 bytes, the records following it.
    QByteArray shortHeader = emf.left(80) + emf.mid(108);
    Put32(shortHeader, 4, 80);
    EXPECT_THROW(m.LoadFromData(shortHeader), InvalidPicture);
}

namespace {

// A WMF without the placeable header, written record by record: a 100 x 100 window.
class WmfRecords {
public:
    WmfRecords()
    {
        record(0x020B, {0, 0});     // SETWINDOWORG
        record(0x020C, {100, 100}); // SETWINDOWEXT
    }
    void record(int function, std::initializer_list<int> params)
    {
        const int words = 3 + int(params.size());
        m_maxRecord = std::max(m_maxRecord, words);
        test::AppendU32(m_body, std::uint32_t(words));
        test::AppendU16(m_body, std::uint32_t(function));
        for (int p : params)
            test::AppendU16(m_body, std::uint32_t(p));
    }
    void brush(QRgb colour) { record(0x02FC, {0, int(qRed(colour) | (qGreen(colour) << 8)), qBlue(colour), 0}); }
    void rectangle(int l, int t, int r, int b) { record(0x041B, {b, r, t, l}); }
    QByteArray bytes() const
    {
        QByteArray body = m_body;
        test::AppendU32(body, 3);
        test::AppendU16(body, 0); // EOF
        QByteArray d;
        test::AppendU16(d, 1);
        test::AppendU16(d, 9);
        test::AppendU16(d, 0x0300);
        test::AppendU32(d, std::uint32_t(9 + body.size() / 2));
        test::AppendU16(d, 0); // objects: the header under-counts them
        test::AppendU32(d, std::uint32_t(m_maxRecord));
        test::AppendU16(d, 0);
        return d + body;
    }

private:
    QByteArray m_body;
    int m_maxRecord = 3;
};

QImage Played(const QByteArray& wmf)
{
    Metafile m;
    m.LoadFromData(wmf);
    Bitmap b(100, 100);
    b.GetCanvas().StretchDraw(Rect{0, 0, 100, 100}, m);
    return b.Image().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// Each of these files took minutes or hundreds of megabytes while their drawing grew with the
// square of their records.
TEST(WmfHostile, ManyClipRecordsPlayInLinearTime)
{
    WmfRecords w;
    // 40,000 clip records (560 KB): a checkerboard of excluded cells over the top half, then a clip
    // to the left half.
    for (int k = 0; k < 40000; ++k) {
        const int x = (k * 2) % 100 + (k / 50) % 2, y = (k / 50) % 50;
        w.record(0x0415, {y + 1, x + 1, y, x}); // EXCLUDECLIPRECT
    }
    w.record(0x0416, {100, 50, 0, 0}); // INTERSECTCLIPRECT
    w.brush(qRgb(255, 0, 0));
    w.record(0x012D, {0});
    w.rectangle(0, 0, 100, 100);
    const QImage image = Played(w.bytes());
    EXPECT_EQ(image.pixel(25, 75), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(75, 75), qRgb(255, 255, 255)); // outside the clip
    // The excluded cells stay white: the clip keeps its pieces or, cut too fine, its outline.
    const QRgb top = image.pixel(75, 25);
    EXPECT_EQ(top, qRgb(255, 255, 255));
}

TEST(WmfHostile, ManyObjectsTakeTheLowestFreeSlotInLinearTime)
{
    // 1.2 million brushes (17 MB), never deleted: a scan of the slots for each would take minutes.
    WmfRecords w;
    for (int k = 0; k < 1200000; ++k)
        w.brush(qRgb(k % 256, 0, 255 - k % 256));
    w.record(0x01F0, {3});  // DELETEOBJECT 3
    w.brush(qRgb(0, 200, 0)); // takes slot 3 again
    w.record(0x012D, {3});  // SELECTOBJECT
    w.rectangle(0, 0, 50, 100);
    w.record(0x012D, {7});
    w.rectangle(50, 0, 100, 100);
    const QImage image = Played(w.bytes());
    EXPECT_EQ(image.pixel(25, 50), qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(75, 50), qRgb(7, 0, 248));
}

TEST(WmfHostile, AMillionSavedStatesHoldABoundedStack)
{
    const long before = lumoria::test::peakMegabytes();
    WmfRecords w;
    w.brush(qRgb(0, 0, 255));
    w.record(0x012D, {0});
    for (int k = 0; k < 1000000; ++k)
        w.record(0x001E, {}); // SAVEDC
    w.brush(qRgb(255, 0, 0));
    w.record(0x012D, {1});
    w.record(0x0127, {-1}); // RESTOREDC: a level beyond the stack restores nothing
    w.rectangle(0, 0, 50, 100);
    w.record(0x0127, {1}); // back to the first saved state: the blue brush
    w.rectangle(50, 0, 100, 100);
    const QImage image = Played(w.bytes());
    EXPECT_EQ(image.pixel(25, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(75, 50), qRgb(0, 0, 255));
    EXPECT_LT(lumoria::test::peakMegabytes() - before, 150);
}
