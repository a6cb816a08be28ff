// Pictures whose few bytes claim a huge number of pixels, and paths that are not files: each is
// refused before memory is spent or the program waits.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/picture.h"
#include "support/test_env.h"
#include "support/test_files.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

using namespace lumoria;
using namespace lumoria::platform;

using lumoria::test::homeDir;
using lumoria::test::writeFile;

namespace {

void Put16(QByteArray& d, std::uint32_t v)
{
    d += char(v & 0xff);
    d += char((v >> 8) & 0xff);
}

void Put32(QByteArray& d, std::uint32_t v)
{
    Put16(d, v & 0xffff);
    Put16(d, v >> 16);
}

// A run-length BMP of width x height whose data are a few runs and the end mark: about 100 bytes.
QByteArray RunLengthBomb(int width, int height)
{
    QByteArray runs;
    for (int k = 0; k < 8; ++k)
        runs += QByteArray("\xff\x01", 2);
    runs += QByteArray("\x00\x01", 2); // end of the picture
    QByteArray d = "BM";
    Put32(d, std::uint32_t(14 + 40 + 8 + runs.size()));
    Put32(d, 0);
    Put32(d, 14 + 40 + 8);
    Put32(d, 40);
    Put32(d, std::uint32_t(width));
    Put32(d, std::uint32_t(height));
    Put16(d, 1);
    Put16(d, 8);
    Put32(d, 1); // RLE8
    Put32(d, std::uint32_t(runs.size()));
    Put32(d, 2835);
    Put32(d, 2835);
    Put32(d, 2); // colours used
    Put32(d, 0);
    Put32(d, 0x00ffffff);
    Put32(d, 0x000000ff);
    return d + runs;
}

// A GIF of one pixel on a logical screen of width x height: 35 bytes.
QByteArray ScreenBomb(int width, int height)
{
    QByteArray d = "GIF89a";
    Put16(d, std::uint32_t(width));
    Put16(d, std::uint32_t(height));
    d += QByteArray("\x80\x00\x00", 3);             // a global table of two colours
    d += QByteArray("\xff\xff\xff\x00\x00\x00", 6);
    d += QByteArray("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
    d += QByteArray("\x02\x02\x44\x01\x00\x3b", 6);
    return d;
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

QString WriteBomb(const QString& name, const QByteArray& data)
{
    const QString path = QString::fromStdString((homeDir() / name.toStdString()).string());
    writeFile(path, data);
    return path;
}

} // namespace

TEST(Bombs, RunLengthScreenAndProgressiveBombsAreRefusedWithinTheMemoryBudget)
{
    const long before = lumoria::test::peakMegabytes();
    const QByteArray bmp = RunLengthBomb(14000, 14000);
    const QByteArray gif = ScreenBomb(14000, 14000);
    const QByteArray jpeg = ProgressiveBomb(14000, 14000);
    ASSERT_LT(bmp.size(), 200);
    ASSERT_FALSE(jpeg.isEmpty());
    ASSERT_LT(jpeg.size(), 1000);
    ASSERT_EQ(gif.size(), 35);
    for (int k = 0; k < 8; ++k) {
        Picture p;
        EXPECT_THROW(p.LoadFromFile(WriteBomb(QStringLiteral("bomb%1.bmp").arg(k), bmp)), InvalidPicture);
        EXPECT_THROW(p.LoadFromFile(WriteBomb(QStringLiteral("bomb%1.gif").arg(k), gif)), InvalidPicture);
        EXPECT_THROW(p.LoadFromFile(WriteBomb(QStringLiteral("bomb%1.jpg").arg(k), jpeg)), InvalidPicture);
    }
    EXPECT_LT(lumoria::test::peakMegabytes() - before, 100);

    // Runs that fill their picture, and a screen the size of its frame, still load.
    Picture small;
    ASSERT_NO_THROW(small.LoadFromFile(WriteBomb(QStringLiteral("runs.bmp"), RunLengthBomb(255, 8))));
    EXPECT_EQ(small.Width(), 255);
    ASSERT_NO_THROW(small.LoadFromFile(WriteBomb(QStringLiteral("dot.gif"), ScreenBomb(1, 1))));
    EXPECT_EQ(small.Width(), 1);
    ASSERT_NO_THROW(small.LoadFromFile(WriteBomb(QStringLiteral("margin.gif"), ScreenBomb(300, 200))));
    EXPECT_EQ(small.Width(), 300);
    ASSERT_NO_THROW(small.LoadFromFile(WriteBomb(QStringLiteral("small.jpg"), ProgressiveBomb(8, 8))));
    EXPECT_EQ(small.Width(), 8);
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
