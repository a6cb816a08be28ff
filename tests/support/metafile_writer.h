#pragma once
// Small hand-made metafiles for tests: a white background and coloured rectangles, as WMF (with the
// placeable header) and as EMF.
#include <QByteArray>
#include <QColor>
#include <QRect>

#include <vector>

namespace lumoria::test {

struct MetaRect {
    QRect rect; // left, top and size in the metafile's units (pixels)
    QColor colour;
};

// A placeable WMF of width x height units at 96 units per inch.
QByteArray MakeWmf(int width, int height, const std::vector<MetaRect>& rects);
// An EMF of width x height device pixels (96 dots per inch).
QByteArray MakeEmf(int width, int height, const std::vector<MetaRect>& rects);

} // namespace lumoria::test
