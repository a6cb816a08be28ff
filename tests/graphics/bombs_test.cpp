// Pictures whose few bytes claim a huge number of pixels, and paths that are not files: each is
// refused before memory is spent or the program waits.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/image_memory.h"
#include "platform/graphics/jpeg_image.h"
#include "platform/graphics/picture.h"
#include "support/draw_support.h"
#include "support/picture_files.h"
#include "support/test_env.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <jpeglib.h>

using namespace lumoria;
using namespace lumoria::platform;

using namespace lumoria::test;

namespace {

// A run-length BMP of 8 rows of 255 pixels (under 100 bytes) under a header that claims width x height.
QByteArray RunLengthBomb(int width, int height)
{
    QByteArray size;
    AppendU32s(size, {std::uint32_t(width), std::uint32_t(height)});
    return RunLengthPicture(255, 8).replace(18, 8, size);
}

// A GIF of one pixel on a logical screen of width x height.
QByteArray ScreenBomb(int width, int height)
{
    return GifAnimationBytes(width, height, {{QRect(0, 0, 1, 1), Qt::black}});
}

// A progressive JPEG of 8 x 8 pixels whose frame header then claims width x height: a few hundred
// bytes that a decoder would meet with a buffer of the whole picture's coefficients.
QByteArray ProgressiveBomb(int width, int height)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    QByteArray d = buffer.data();
    const qsizetype sof = d.indexOf(QByteArray("\xff\xc2", 2));
    if (sof < 0)
        return {};
    d[sof + 5] = char(height >> 8);
    d[sof + 6] = char(height & 0xff);
    d[sof + 7] = char(width >> 8);
    d[sof + 8] = char(width & 0xff);
    return d;
}

// A grey arithmetic-coded progressive JPEG of 16 x 16 pixels in exactly `scans` scans: the DC scan,
// then scans of one AC coefficient each, sent a bit at a time (at most eleven scans a coefficient).
QByteArray ManyScanJpeg(int scans)
{
    std::vector<jpeg_scan_info> script;
    script.push_back({1, {0}, 0, 0, 0, 0});
    for (int k = 1; int(script.size()) < scans; ++k) {
        const int count = std::min(scans - int(script.size()), 11);
        script.push_back({1, {0}, k, k, 0, count - 1});
        for (int a = count - 1; a > 0; --a)
            script.push_back({1, {0}, k, k, a, a - 1});
    }
    jpeg_error_mgr errors{};
    jpeg_compress_struct info{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = 16;
    info.image_height = 16;
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    info.arith_code = TRUE;
    info.scan_info = script.data();
    info.num_scans = int(script.size());
    jpeg_start_compress(&info, TRUE);
    unsigned char row[16];
    while (info.next_scanline < 16) {
        for (int x = 0; x < 16; ++x)
            row[x] = (unsigned char)((x * 13 + int(info.next_scanline) * 29) % 256);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray data(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return data;
}

} // namespace

TEST(Bombs, RunLengthScreenAndProgressiveBombsAreRefusedWithinTheMemoryBudget)
{
    const long before = peakMegabytes();
    const QByteArray bmp = RunLengthBomb(14000, 14000);
    const QByteArray gif = ScreenBomb(14000, 14000);
    const QByteArray jpeg = ProgressiveBomb(14000, 14000);
    ASSERT_FALSE(jpeg.isEmpty());
    for (const QByteArray& bomb : {bmp, gif, jpeg})
        ASSERT_LT(bomb.size(), 1000);
    for (int k = 0; k < 8; ++k) {
        Picture p;
        EXPECT_THROW(p.LoadFromFile(WriteTempFile(QStringLiteral("bomb%1.bmp").arg(k), bmp)), InvalidPicture);
        EXPECT_THROW(p.LoadFromFile(WriteTempFile(QStringLiteral("bomb%1.gif").arg(k), gif)), InvalidPicture);
        const QString jpegFile = WriteTempFile(QStringLiteral("bomb%1.jpg").arg(k), jpeg);
        EXPECT_THROW(p.LoadFromFile(jpegFile), InvalidPicture);
        // The print path's row reader.
        EXPECT_THROW(
            {
                JpegRowReader reader(jpegFile);
                reader.Start(1);
                while (reader.NextRow()) {
                }
            },
            InvalidPicture);
    }
    EXPECT_LT(peakMegabytes() - before, 100);

    // Runs that fill their picture, and a screen the size of its frame, still load.
    const struct {
        const char* name;
        QByteArray bytes;
        int width;
    } small[] = {{"runs.bmp", RunLengthBomb(255, 8), 255}, {"dot.gif", ScreenBomb(1, 1), 1},
                 {"margin.gif", ScreenBomb(300, 200), 300}, {"small.jpg", ProgressiveBomb(8, 8), 8}};
    for (const auto& s : small) {
        SCOPED_TRACE(s.name);
        Picture picture;
        ASSERT_NO_THROW(picture.LoadFromFile(WriteTempFile(QString::fromLatin1(s.name), s.bytes)));
        EXPECT_EQ(picture.Width(), s.width);
    }
    EXPECT_EQ(JpegRowReader(TempPath(QStringLiteral("small.jpg"))).Start(8), QSize(8, 8));
}

TEST(Bombs, EveryJpegDecoderStopsPastOneHundredScans)
{
    struct Case {
        int scans;
        bool decodes;
    };
    for (const Case c : {Case{12, true}, Case{100, true}, Case{101, false}, Case{694, false}}) {
        SCOPED_TRACE(c.scans);
        const QByteArray data = ManyScanJpeg(c.scans);
        ASSERT_EQ(data.count(QByteArray("\xff\xda", 2)), c.scans);
        const QString path = WriteTempFile(QStringLiteral("scans%1.jpg").arg(c.scans), data);
        // The whole picture (the editor, the print path's copies), a reduced one (thumbnails, the
        // camera's small picture), and the print path's row reader.
        auto full = [&] { return DecodeJpeg(data, JpegOutput::Native).width(); };
        auto reduced = [&] { return DecodeJpeg(data, JpegOutput::Rgb32, 1).width(); };
        auto rows = [&] {
            JpegRowReader reader(path);
            const QSize size = reader.Start(8);
            int count = 0;
            while (reader.NextRow())
                ++count;
            return size.width() * 100 + count;
        };
        if (c.decodes) {
            EXPECT_EQ(full(), 16);
            EXPECT_EQ(reduced(), 2);
            EXPECT_EQ(rows(), 1616);
        } else {
            EXPECT_THROW(full(), InvalidPicture);
            EXPECT_THROW(reduced(), InvalidPicture);
            EXPECT_THROW(rows(), InvalidPicture);
        }
    }
}

// Decode memory: sizes above the amount the budget ignores.
constexpr std::int64_t kMB = 1024 * 1024;

// Runs `work` on a thread of its own inside a decode scope.
struct Decoder {
    std::atomic<bool> done{false};
    std::thread thread;
    template <class F>
    explicit Decoder(F work)
        : thread([this, work] {
              const DecodeScope scope;
              work();
              done = true;
          })
    {
    }
    ~Decoder()
    {
        if (thread.joinable())
            thread.join();
    }
};

// Yields until the condition holds (no fixed wait).
template <class F>
void Until(F condition)
{
    while (!condition())
        std::this_thread::yield();
}

// A decode at work that holds `bytes` until it is let go (at the latest when it goes).
struct Holding {
    std::atomic<bool> held{false}, letGo{false};
    Decoder decoder;
    explicit Holding(std::int64_t bytes)
        : decoder([this, bytes] {
              DecodeMemory memory = ReserveDecodeMemory(bytes);
              held = true;
              Until([&] { return letGo.load(); });
          })
    {
        Until([&] { return held.load(); });
    }
    void LetGo()
    {
        letGo = true;
        decoder.thread.join();
    }
    ~Holding() { letGo = true; }
};

// A budget of 100 MB for the test, the old one back after it.
class DecodeBudget : public ::testing::Test {
protected:
    void SetUp() override { m_old = SetDecodeMemoryBudget(100 * kMB); }
    void TearDown() override { SetDecodeMemoryBudget(m_old); }

private:
    std::int64_t m_old = 0;
};

TEST_F(DecodeBudget, ADecodeWaitsWhileAnotherAtWorkHoldsWhatItLacksAndALargerOneRunsAlone)
{
    struct Case {
        std::int64_t first, second;
        bool waits;
    };
    for (const Case c : {Case{60 * kMB, 40 * kMB, false}, Case{60 * kMB, 41 * kMB, true}, Case{60 * kMB, 300 * kMB, true},
                         Case{300 * kMB, 20 * kMB, true}}) {
        SCOPED_TRACE(c.second / kMB);
        Holding first(c.first);
        std::int64_t seen = 0;
        Decoder second([&] {
            DecodeMemory memory = ReserveDecodeMemory(c.second);
            seen = DecodeMemoryInUse();
        });
        Until([&] { return second.done || DecodeMemoryWaiters() == 1; });
        EXPECT_EQ(second.done.load(), !c.waits);
        first.LetGo();
        second.thread.join();
        EXPECT_EQ(seen, c.waits ? c.second : c.first + c.second);
        EXPECT_EQ(DecodeMemoryInUse(), 0);
    }
}

TEST_F(DecodeBudget, NoDecodeWaitsForMemoryNobodyAtWorkWillGiveBack)
{
    // A picture made and kept (its decode ended) does not hold the next decode back.
    DecodeMemory kept;
    Decoder([&] { kept = ReserveDecodeMemory(90 * kMB); });
    Decoder next([&] { DecodeMemory memory = ReserveDecodeMemory(90 * kMB); });
    next.thread.join();
    EXPECT_TRUE(next.done);
    kept.Release();
    // A decode that holds memory takes more without waiting, though others wait for it.
    Holding other(50 * kMB);
    Decoder twice([&] {
        DecodeMemory a = ReserveDecodeMemory(10 * kMB);
        DecodeMemory b = ReserveDecodeMemory(90 * kMB);
    });
    twice.thread.join();
    EXPECT_TRUE(twice.done);
    other.LetGo();
    EXPECT_EQ(DecodeMemoryInUse(), 0);
}

TEST_F(DecodeBudget, WorkDoneAheadGivesUpAtOnceWhenItDoesNotFit)
{
    DecodeMemory kept = ReserveDecodeMemory(60 * kMB); // a picture read ahead, waiting to be taken
    for (const auto& [bytes, defers] : {std::pair{40 * kMB, false}, std::pair{41 * kMB, true}}) {
        SCOPED_TRACE(bytes);
        const DecodeScope ahead(DecodeScope::Short::Defer);
        if (defers) {
            EXPECT_THROW(ReserveDecodeMemory(bytes), InvalidPicture);
        } else {
            EXPECT_NO_THROW(ReserveDecodeMemory(bytes));
        }
        EXPECT_EQ(ahead.Deferred(), defers);
    }
    kept.Release();
    // Alone, it takes what it needs, however large.
    const DecodeScope ahead(DecodeScope::Short::Defer);
    EXPECT_EQ(ReserveDecodeMemory(300 * kMB).Bytes(), 300 * kMB);
    EXPECT_FALSE(ahead.Deferred());
}

TEST_F(DecodeBudget, ADecodeNoLongerWantedStopsWaiting)
{
    Holding first(80 * kMB);
    std::atomic<bool> unwanted{false};
    std::thread second([&] {
        const DecodeScope scope([&] { return unwanted.load(); });
        EXPECT_THROW(ReserveDecodeMemory(80 * kMB), InvalidPicture);
    });
    Until([&] { return DecodeMemoryWaiters() == 1; });
    unwanted = true;
    WakeDecodeWaiters();
    second.join(); // ends, refused, while the first still holds its memory
}

TEST(DecodeMemory, ADecodeHoldsWhatItsPictureTakesUntilThePictureGoes)
{
    const QImage source = QuadrantsImage(2000, 1500, Qt::red, Qt::green, Qt::blue, Qt::yellow);
    const QByteArray jpeg = ReadBytes(WriteJpeg(QStringLiteral("big.jpg"), source));
    const QString bmp = WriteBmp(QStringLiteral("big.bmp"), source);
    {
        const QImage whole = DecodeJpeg(jpeg, JpegOutput::Native);
        EXPECT_EQ(DecodeMemoryInUse(), 2000 * 1500 * 3);
        const QImage drawn = DecodeJpeg(jpeg, JpegOutput::Rgb32);
        EXPECT_EQ(DecodeMemoryInUse(), 2000 * 1500 * 3 + 2000 * 1500 * 4);
        // Small decodes (a reduced one here) are not counted.
        const QImage half = DecodeJpeg(jpeg, JpegOutput::Rgb32, 4);
        EXPECT_EQ(DecodeMemoryInUse(), 2000 * 1500 * 7);
    }
    EXPECT_EQ(DecodeMemoryInUse(), 0);
    {
        Picture picture;
        picture.LoadFromFile(bmp);
        EXPECT_EQ(DecodeMemoryInUse(), 2000 * 1500 * 3);
    }
    EXPECT_EQ(DecodeMemoryInUse(), 0);
    // An opaque GIF that fills its screen holds its indexes only; a palette BMP its indexes and the
    // 32-bit copy drawing it may make (4000 rows of 4000 pixels, rows of 4 bytes a pixel).
    const QString gif = WriteTempFile(QStringLiteral("big.gif"), GifBytes(HalvesImage(3200, 3000, Qt::blue, Qt::red)));
    const QString runs = WriteTempFile(QStringLiteral("runs.bmp"), RunLengthPicture(4000, 4000));
    {
        Picture picture;
        picture.LoadFromFile(gif);
        EXPECT_EQ(DecodeMemoryInUse(), 3200 * 3000);
        Picture other;
        other.LoadFromFile(runs);
        EXPECT_EQ(DecodeMemoryInUse(), 3200 * 3000 + 4000 * 4000 * 5);
    }
    EXPECT_EQ(DecodeMemoryInUse(), 0);
}

TEST(NotFiles, APipeADeviceAndAFolderAreRefusedWithoutWaiting)
{
    const std::string pipe = (homeDir() / "pipe.jpg").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string device = (homeDir() / "zero.bmp").string();
    ASSERT_EQ(symlink("/dev/zero", device.c_str()), 0);
    const std::string folder = (homeDir() / "folder.gif").string();
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    for (const std::string& path : {pipe, device, folder}) {
        SCOPED_TRACE(path);
        Picture p;
        EXPECT_THROW(p.LoadFromFile(QString::fromStdString(path)), FileError);
        EXPECT_EQ(p.Width(), 0);
        // The start of a file, as the thumbnails read it for the camera's own small picture.
        EXPECT_THROW(ReadFileStart(QString::fromStdString(path), 4096), FileError);
    }
}
