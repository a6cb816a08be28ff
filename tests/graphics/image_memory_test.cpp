#include <gtest/gtest.h>

#include <QImage>

#include "platform/graphics/image_memory.h"

using namespace lumoria::platform;

// Pictures small, middling (to be filled: their memory mapped at once) and large (aligned for huge
// pages) are each of the size and format asked for, with rows padded to whole words, every byte of
// them writable, and a copy parts from the picture when written.
TEST(AllocateImage, EverySizeGivesAWritablePictureItsCopiesPartFrom)
{
    struct Case {
        const char* name;
        int width, height;
        QImage::Format format;
        bool toFill;
    };
    const Case cases[] = {
        {"small", 64, 48, QImage::Format_RGB32, false},
        {"small, to fill", 64, 48, QImage::Format_RGB32, true},
        {"middling", 400, 400, QImage::Format_ARGB32_Premultiplied, false},
        {"middling, to fill", 400, 400, QImage::Format_ARGB32_Premultiplied, true},
        {"middling to fill, padded rows", 333, 333, QImage::Format_BGR888, true},
        {"middling to fill, one bit", 5001, 700, QImage::Format_Mono, true},
        {"large, to fill", 1800, 1300, QImage::Format_RGB32, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image = c.toFill ? AllocateImageToFill(c.width, c.height, c.format) : AllocateImage(c.width, c.height, c.format);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
        EXPECT_EQ(image.format(), c.format);
        const int depth = image.depth();
        EXPECT_EQ(image.bytesPerLine(), (qsizetype(c.width) * depth + 31) / 32 * 4);
        EXPECT_EQ(ImageBytes(c.width, c.height, c.format), image.sizeInBytes());
        // Every row, first and last byte: a picture shorter than asked would be written past its end.
        for (int y = 0; y < c.height; ++y) {
            uchar* row = image.scanLine(y);
            row[0] = uchar(y);
            row[image.bytesPerLine() - 1] = uchar(y + 1);
        }
        const QImage copy = image;
        image.scanLine(c.height - 1)[0] = 0xAB;
        EXPECT_EQ(copy.constScanLine(c.height - 1)[0], uchar(c.height - 1));
        EXPECT_EQ(copy.constScanLine(c.height - 1)[copy.bytesPerLine() - 1], uchar(c.height));
        EXPECT_EQ(image.constScanLine(c.height - 1)[0], 0xAB);
    }
}
