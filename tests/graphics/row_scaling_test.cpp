// Scaling a picture as its rows arrive (the print path's way): the same pixels as scaling the whole
// picture, laid as asked (mirrored, turned), clipped to the target; rows read from a JPEG file one at a time; rows
// handed between two threads.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/image_rotation.h"
#include "platform/graphics/image_scaling.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/parallel.h"
#include "support/draw_support.h"
#include "support/picture_files.h"
#include "support/pixel_pictures.h"

#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// Every pixel different and busy in all three channels.
QImage Noise(int w, int h, QImage::Format format)
{
    return NoisyBitmap(w, h, PixelFormat::Bits32).Image().convertToFormat(format);
}

// The rows of source fed to a scaler writing into a white target of that size, or to several, each
// making its own columns of the result.
QImage ScaledByRows(const QImage& source, const QRectF& part, QSize size, Orientation lay, QSize targetSize, QPoint at,
                    int pieces = 1)
{
    QImage target(targetSize, QImage::Format_RGB32);
    target.fill(Qt::white);
    const int bytes = source.format() == QImage::Format_BGR888 ? 3 : 4;
    std::vector<std::unique_ptr<RowScaler>> scalers;
    for (int i = 0; i < pieces; ++i)
        scalers.push_back(std::make_unique<RowScaler>(source.width(), source.height(), bytes, part, size, lay,
                                                      target.bits(), target.bytesPerLine(), target.size(), at,
                                                      size.width() * i / pieces, size.width() * (i + 1) / pieces));
    for (int y = 0; y < source.height(); ++y)
        for (auto& scaler : scalers)
            if (!scaler->Done())
                scaler->Push(y, source.constScanLine(y));
    for (auto& scaler : scalers)
        scaler->Finish();
    return target;
}

struct Escala {
    QRect part;
    QSize size;
};

// Each laying as an Exif tag (1 to 8) names it; the expected pixels come from Qt's own transforms.
class RowScaling : public ::testing::TestWithParam<std::tuple<Escala, int, QImage::Format>> {};

TEST_P(RowScaling, GivesThePixelsOfTheWholePictureScaled)
{
    const auto& [escala, tag, format] = GetParam();
    const QImage source = Noise(97, 61, format);
    const QImage expected = ShownByExif(ScaleImage(source, escala.part, escala.size), tag);
    const Orientation lay = Orientation::FromExif(tag);
    const QImage got = ScaledByRows(source, QRectF(escala.part), escala.size, lay, expected.size(), QPoint());
    EXPECT_EQ(got, expected);
    // Three scalers sharing the columns make the same pixels.
    EXPECT_EQ(ScaledByRows(source, QRectF(escala.part), escala.size, lay, expected.size(), QPoint(), 3), expected);
}

INSTANTIATE_TEST_SUITE_P(
    PartsAndSizes, RowScaling,
    ::testing::Combine(::testing::Values(Escala{QRect(0, 0, 97, 61), QSize(40, 25)},  // shrunk
                                         Escala{QRect(0, 0, 97, 61), QSize(97, 61)},  // as it is
                                         Escala{QRect(0, 0, 97, 61), QSize(250, 140)}, // enlarged
                                         Escala{QRect(13, 9, 50, 40), QSize(33, 21)},  // a cut
                                         Escala{QRect(13, 9, 50, 40), QSize(70, 90)}), // a cut, stretched
                       ::testing::Range(1, 9), ::testing::Values(QImage::Format_BGR888, QImage::Format_RGB32)));

TEST(RowScalingEdges, ResultsReachingPastTheTargetAreClipped)
{
    const QImage source = Noise(80, 50, QImage::Format_BGR888);
    const QImage whole = RotateAnticlockwise(ScaleImage(source, source.rect(), QSize(40, 30)));
    // The turned result is 30 x 40; placed at (-5, 20) in a 28 x 45 target, 25 x 25 of it shows.
    const auto clipped = [&](Orientation lay, int pieces) {
        return ScaledByRows(source, QRectF(source.rect()), QSize(40, 30), lay, QSize(28, 45), QPoint(-5, 20), pieces);
    };
    const QImage got = clipped(Orientation::Anticlockwise(), 1);
    EXPECT_EQ(got.copy(0, 20, 25, 25), whole.copy(5, 0, 25, 25));
    EXPECT_EQ(clipped(Orientation::Anticlockwise(), 2), got);
    EXPECT_EQ(clipped({}, 2), clipped({}, 1));
    // Mirrored both ways and swapped (tag 7), the same clipping: the turned result back to front.
    EXPECT_EQ(clipped(Orientation::FromExif(7), 1).copy(0, 20, 25, 25), whole.mirrored(true, false).copy(5, 0, 25, 25));
    EXPECT_EQ(got.pixel(0, 19), qRgb(255, 255, 255));
    EXPECT_EQ(got.pixel(25, 30), qRgb(255, 255, 255));
}

TEST(RowScalingEdges, APartBeginningWithinAPixelTakesItsShare)
{
    // Black columns 0-3, white from 4: the part from 2.5 to 6.5 scaled to 2 pixels gives a pixel of
    // 1.5 black and 0.5 white, then a white one.
    const QImage source = PixelPicture(8, 2, [](int x, int) { return x < 4 ? qRgb(0, 0, 0) : qRgb(255, 255, 255); });
    const QImage got = ScaledByRows(source, QRectF(2.5, 0, 4, 2), QSize(2, 1), {}, QSize(2, 1), QPoint());
    EXPECT_NEAR(qRed(got.pixel(0, 0)), 64, 1);
    EXPECT_EQ(qRed(got.pixel(1, 0)), 255);
}

// Fine detail both ways (sines of periods 2.7 and 3.3 pixels, from 0 to 255) and a bright mark in
// one corner, so that a tap taken from the wrong column, row or channel shows.
QImage Detailed(int w, int h, QImage::Format format)
{
    const auto wave = [](double t, double period) { return int(std::lround(127.5 + 127.5 * std::sin(2 * M_PI * t / period))); };
    return PixelPicture(w, h, [&](int x, int y) {
               const bool mark = x < 9 && y < 5 && (x < 3 || y < 2);
               return mark ? qRgb(255, 255, 255) : qRgb(wave(x + y, 7.1), wave(y, 3.3), wave(x, 2.7));
           })
        .convertToFormat(format);
}

// For each output position of one axis, the source pixels and their shares: the area each output
// pixel covers when shrinking, the two nearest pixels (centres aligned) when enlarging.
using Shares = std::vector<std::vector<std::pair<int, double>>>;

Shares SharesOf(double start, double length, int available, int size)
{
    Shares shares{std::size_t(size)};
    const double scale = length / size;
    for (int o = 0; o < size; ++o) {
        if (scale > 1) {
            const double a = start + o * scale;
            const double b = start + (o + 1) * scale;
            for (int i = int(a); i < b && i < available; ++i)
                shares[std::size_t(o)].push_back({i, (std::min(b, i + 1.0) - std::max(a, double(i))) / scale});
        } else {
            const double s = std::clamp(start + (o + 0.5) * scale - 0.5, 0.0, available - 1.0);
            const int i = int(s);
            shares[std::size_t(o)].push_back({i, 1 - (s - i)});
            if (s > i)
                shares[std::size_t(o)].push_back({i + 1, s - i});
        }
    }
    return shares;
}

// The part of source scaled to size in floating point, upright.
QImage ExactlyScaled(const QImage& source, const QRectF& part, QSize size)
{
    const int left = int(part.x());
    const int top = int(part.y());
    const auto across = SharesOf(part.x() - left, part.width(), int(std::ceil(part.right())) - left, size.width());
    const auto down = SharesOf(part.y() - top, part.height(), int(std::ceil(part.bottom())) - top, size.height());
    QImage result(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            double sum[3] = {};
            for (const auto& [j, wy] : down[std::size_t(y)])
                for (const auto& [i, wx] : across[std::size_t(x)]) {
                    const QRgb p = source.pixel(left + i, top + j);
                    sum[0] += wx * wy * qRed(p);
                    sum[1] += wx * wy * qGreen(p);
                    sum[2] += wx * wy * qBlue(p);
                }
            result.setPixel(x, y, qRgb(int(std::lround(sum[0])), int(std::lround(sum[1])), int(std::lround(sum[2]))));
        }
    return result;
}

struct Factor {
    QRectF part;
    QSize size;
};

// The scaler's fixed-point pixels stay within one level of the exact area average or blend, at the
// print path's factors (a baseline photo's 1.73, a progressive one's 1.08), beyond four taps, when
// enlarging and from a part beginning within a pixel; turned and not, odd sizes, shared columns.
class RowScalingDetail : public ::testing::TestWithParam<std::tuple<Factor, int, QImage::Format>> {};

TEST_P(RowScalingDetail, StaysWithinOneLevelOfTheExactResult)
{
    const auto& [factor, tag, format] = GetParam();
    const QImage source = Detailed(211, 149, format);
    const QImage expected = ShownByExif(ExactlyScaled(source, factor.part, factor.size), tag);
    const Orientation lay = Orientation::FromExif(tag);
    for (int pieces : {1, 3}) {
        const QImage got = ScaledByRows(source, factor.part, factor.size, lay, expected.size(), QPoint(), pieces);
        EXPECT_LE(MaxDifference(got, expected), 1) << pieces << " pieces";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Factors, RowScalingDetail,
    ::testing::Combine(::testing::Values(Factor{QRectF(0, 0, 211, 149), QSize(122, 86)},       // 1.73
                                         Factor{QRectF(7, 3, 197, 141), QSize(183, 131)},      // 1.08, a cut
                                         Factor{QRectF(0, 0, 211, 149), QSize(37, 29)},        // 5.7: two loads
                                         Factor{QRectF(0, 0, 211, 149), QSize(301, 203)},      // enlarged
                                         Factor{QRectF(2.5, 1.25, 205, 144.5), QSize(119, 83)}), // within pixels
                       ::testing::Values(1, 8), ::testing::Values(QImage::Format_BGR888, QImage::Format_RGB32)));

TEST(JpegRows, MatchTheWholeDecodeAtEveryScale)
{
    const QString colour = WriteJpeg(QStringLiteral("rows-colour.jpg"), Noise(203, 117, QImage::Format_RGB32));
    const QString grey = WriteJpeg(QStringLiteral("rows-grey.jpg"), Noise(90, 64, QImage::Format_RGB32), 95, true);
    // Progressive: decoded through a buffer of the whole picture's coefficients, whose rows are let
    // go of as the rows come out (tall enough for many memory pages of them).
    const QString progressive = TempPath(QStringLiteral("rows-progressive.jpg"));
    QImageWriter writer(progressive, "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(Noise(301, 700, QImage::Format_RGB32)));
    ASSERT_TRUE(ReadJpegInfo(ReadBytes(progressive)).progressive);
    for (const QString& file : {colour, grey, progressive}) {
        for (int eighths : {8, 3, 1}) {
            const QImage whole = DecodeJpeg(ReadBytes(file), JpegOutput::Rgb32, eighths).convertToFormat(QImage::Format_BGR888);
            JpegRowReader reader(file);
            EXPECT_EQ(reader.Start(eighths), whole.size());
            QImage rows(whole.size(), QImage::Format_BGR888);
            for (int y = 0; y < rows.height(); ++y) {
                EXPECT_EQ(reader.NextRowIndex(), y);
                const uchar* row = reader.NextRow();
                ASSERT_NE(row, nullptr);
                std::memcpy(rows.scanLine(y), row, std::size_t(rows.width()) * 3);
            }
            EXPECT_EQ(reader.NextRow(), nullptr);
            EXPECT_EQ(rows, whole) << file.toStdString() << " at " << eighths << "/8";
        }
    }
}

TEST(JpegRows, BadFilesRaiseTheirFailures)
{
    EXPECT_THROW(JpegRowReader(TempPath(QStringLiteral("no such.jpg"))), FileNotFound);
    const QString bmp = WriteBmp(QStringLiteral("rows-not-a-jpeg.jpg"), SolidImage(10, 10, Qt::red));
    EXPECT_THROW(JpegRowReader{bmp}, InvalidPicture);
    QByteArray bytes = ReadBytes(WriteJpeg(QStringLiteral("rows-whole.jpg"), Noise(120, 120, QImage::Format_RGB32)));
    bytes.truncate(bytes.size() / 2);
    const QString cut = WriteTempFile(QStringLiteral("rows-cut.jpg"), bytes);
    EXPECT_THROW(
        {
            JpegRowReader reader(cut);
            reader.Start(8);
            while (reader.NextRow()) {
            }
        },
        InvalidPicture);
}

TEST(RowPipelineTest, HandsEveryRowOverInOrderAndStopsOnAbort)
{
    RowPipeline pipeline(4, 3, 2);
    std::thread producer([&] {
        for (std::uint32_t i = 0; i < 100; ++i)
            pipeline.Put(reinterpret_cast<const unsigned char*>(&i));
        pipeline.Close();
    });
    std::uint32_t expected = 0;
    while (const unsigned char* row = pipeline.Take()) {
        std::uint32_t value;
        std::memcpy(&value, row, 4);
        EXPECT_EQ(value, expected++);
    }
    producer.join();
    EXPECT_EQ(expected, 100u);

    // A consumer that gives up: the producer's waits end.
    RowPipeline stopped(4, 1, 2);
    std::thread blocked([&] {
        const std::uint32_t v = 1;
        for (int i = 0; i < 50; ++i)
            stopped.Put(reinterpret_cast<const unsigned char*>(&v));
    });
    stopped.Take();
    stopped.Abort();
    blocked.join();
    EXPECT_EQ(stopped.Take(), nullptr);
}

} // namespace
