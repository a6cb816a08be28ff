#pragma once
// Pixel-exact convex shapes for the shaped button. A pixel belongs to a shape when its centre lies
// inside it; the right and bottom edges of the bounding rectangle are exclusive, as regions are. The
// same shape serves filling, outlining and hit testing, so what is painted is what is clicked.
#include <QRgb>
#include <QImage>

namespace lumoria {

class PixelShape {
public:
    // A rectangle (l, t, r, b) with corners cut by quarter ellipses of ew x eh (0 for square corners).
    static PixelShape roundRect(int l, int t, int r, int b, int ew, int eh);
    static PixelShape ellipse(int l, int t, int r, int b);
    static PixelShape rect(int l, int t, int r, int b);

    bool contains(int x, int y) const;
    // The run of pixels [x0, x1) the shape covers in row y; x0 >= x1 when the row is empty.
    void span(int y, int& x0, int& x1) const;
    // A pixel of the shape with a horizontal or vertical neighbour outside it: the 1-pixel outline.
    bool onOutline(int x, int y) const;

    // Paints every covered pixel (clipped to the image).
    void fill(QImage& image, QRgb colour) const;
    // Paints every pixel of the outline (clipped to the image), a row at a time.
    void outline(QImage& image, QRgb colour) const;

private:
    PixelShape(int l, int t, int r, int b, double rx, double ry);

    int m_left, m_top, m_right, m_bottom;
    double m_rx, m_ry; // corner radii
};

} // namespace lumoria
