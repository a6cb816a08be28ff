#pragma once
// Pixel checks of the drawing tests: listed points of a picture against the colours they must have.
#include "support/picture_files.h"

#include <QColor>
#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <initializer_list>

namespace lumoria::test {

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
