#include "components/fancy_shape.h"

#include <algorithm>
#include <cmath>

namespace lumoria {

PixelShape::PixelShape(int l, int t, int r, int b, double rx, double ry)
    : m_left(l), m_top(t), m_right(r), m_bottom(b), m_rx(rx), m_ry(ry)
{
}

PixelShape PixelShape::roundRect(int l, int t, int r, int b, int ew, int eh)
{
    // A corner ellipse larger than the rectangle is cut down to it.
    const int w = std::max(0, r - l);
    const int h = std::max(0, b - t);
    return PixelShape(l, t, r, b, std::min(std::max(ew, 0), w) / 2.0, std::min(std::max(eh, 0), h) / 2.0);
}

PixelShape PixelShape::ellipse(int l, int t, int r, int b)
{
    return roundRect(l, t, r, b, r - l, b - t);
}

PixelShape PixelShape::rect(int l, int t, int r, int b) { return PixelShape(l, t, r, b, 0, 0); }

void PixelShape::span(int y, int& x0, int& x1) const
{
    x0 = 0;
    x1 = 0;
    const double py = y + 0.5;
    if (py < m_top || py > m_bottom || m_left >= m_right)
        return;
    double dy = 0;
    if (py < m_top + m_ry)
        dy = m_top + m_ry - py;
    else if (py > m_bottom - m_ry)
        dy = py - (m_bottom - m_ry);
    double dx = m_rx;
    if (dy > 0) {
        const double q = dy / m_ry;
        if (q > 1)
            return;
        dx = m_rx * std::sqrt(1 - q * q);
    }
    const double left = m_left + m_rx - dx;
    const double right = m_right - m_rx + dx;
    x0 = static_cast<int>(std::ceil(left - 0.5));
    x1 = static_cast<int>(std::floor(right - 0.5)) + 1;
    x0 = std::max(x0, m_left);
    x1 = std::min(x1, m_right);
}

bool PixelShape::contains(int x, int y) const
{
    int x0, x1;
    span(y, x0, x1);
    return x >= x0 && x < x1;
}

bool PixelShape::onOutline(int x, int y) const
{
    return contains(x, y) &&
           (!contains(x - 1, y) || !contains(x + 1, y) || !contains(x, y - 1) || !contains(x, y + 1));
}

namespace {

// Writes pixels straight into the rows of 32-bit images (what the button paints on); any other
// format goes through setPixel.
class RowWriter {
public:
    RowWriter(QImage& image, QRgb colour) : m_image(image), m_colour(colour)
    {
        switch (image.format()) {
        case QImage::Format_ARGB32_Premultiplied: // stored as given, as setPixel does
        case QImage::Format_ARGB32:
            m_value = colour;
            m_direct = true;
            break;
        case QImage::Format_RGB32:
            m_value = 0xff000000u | colour;
            m_direct = true;
            break;
        default:
            break;
        }
    }
    void run(int y, int x0, int x1)
    {
        if (m_direct) {
            QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(row + x0, row + x1, m_value);
        } else {
            for (int x = x0; x < x1; ++x)
                m_image.setPixel(x, y, m_colour);
        }
    }
    void pixel(int x, int y) { run(y, x, x + 1); }

private:
    QImage& m_image;
    QRgb m_colour;
    QRgb m_value = 0;
    bool m_direct = false;
};

} // namespace

void PixelShape::fill(QImage& image, QRgb colour) const
{
    RowWriter writer(image, colour);
    const int top = std::max(m_top, 0);
    const int bottom = std::min(m_bottom, image.height());
    for (int y = top; y < bottom; ++y) {
        int x0, x1;
        span(y, x0, x1);
        x0 = std::max(x0, 0);
        x1 = std::min(x1, image.width());
        if (x0 < x1)
            writer.run(y, x0, x1);
    }
}

void PixelShape::outline(QImage& image, QRgb colour) const
{
    // Row y's pixel x lies on the outline when it ends its run or lies outside the run above or below.
    RowWriter writer(image, colour);
    int above0, above1, x0, x1;
    span(-1, above0, above1);
    span(0, x0, x1);
    for (int y = 0; y < image.height(); ++y) {
        int below0, below1;
        span(y + 1, below0, below1);
        const int from = std::max(x0, 0);
        const int to = std::min(x1, image.width());
        for (int x = from; x < to; ++x)
            if (x == x0 || x == x1 - 1 || x < above0 || x >= above1 || x < below0 || x >= below1)
                writer.pixel(x, y);
        above0 = x0;
        above1 = x1;
        x0 = below0;
        x1 = below1;
    }
}

} // namespace lumoria
