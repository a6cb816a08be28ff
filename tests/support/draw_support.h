#pragma once
// What the drawing tests share: listed points of a picture checked against the colours they must
// have, and files written by hand or in the test's home.
#include "support/picture_files.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace lumoria::test {

// Little-endian fields appended to a file written by hand.
inline void PutLe16(QByteArray& d, std::uint32_t v)
{
    d += char(v & 0xff);
    d += char((v >> 8) & 0xff);
}

inline void PutLe32(QByteArray& d, std::uint32_t v)
{
    PutLe16(d, v & 0xffff);
    PutLe16(d, v >> 16);
}

// An RGB32 picture of that size whose pixel (x, y) is colour(x, y), a QRgb.
template <class Colour>
QImage PixelPicture(int width, int height, Colour colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colour(x, y));
    return image;
}

// Writes the bytes to a file of that name in the test's home; its path.
inline QString WriteTempFile(const QString& name, const QByteArray& data)
{
    const QString path = TempPath(name);
    WriteBytes(path, data);
    return path;
}

struct PixelAt {
    QPoint point;
    QColor colour;
};

// Each point within `tolerance` levels of its colour in every channel (0: exactly); a failure names
// the point and both colours.
inline void ExpectPixels(const QImage& image, std::initializer_list<PixelAt> points, int tolerance = 0)
{
    for (const PixelAt& p : points) {
        const QColor got = image.pixelColor(p.point);
        EXPECT_TRUE(Near(got, p.colour, tolerance)) << "at " << p.point.x() << "," << p.point.y() << ": "
                                                     << got.name().toStdString() << ", not "
                                                     << p.colour.name().toStdString();
    }
}

} // namespace lumoria::test
