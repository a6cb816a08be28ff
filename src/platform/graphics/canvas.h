#pragma once
// A drawing surface with the pen, brush and font of the old device-context style: rectangles that
// exclude their right and bottom edge, lines that leave their end point unpainted, stretched drawing of
// graphics and copies of a part of another canvas. Targets: a bitmap (its own canvas), or a painter
// already open on a window or a printer, with that device's clip rectangle.
#include "platform/rect.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

namespace lumoria::platform {

class Bitmap;
class Graphic;

enum class BrushStyle { Solid, Clear };
enum class PenStyle { Solid, Clear };

struct Brush {
    QColor color = Qt::white;
    BrushStyle style = BrushStyle::Solid;
};

struct Pen {
    QColor color = Qt::black;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    // Round caps and joins (a geometric pen); otherwise flat caps and mitred joins.
    bool round = false;
};

struct Font {
    QString name = QStringLiteral("Verdana");
    int size = 8; // points
    QColor color = Qt::black;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QFont ToQFont() const;
};

class Canvas {
public:
    // The canvas of a bitmap; it follows the bitmap's size.
    explicit Canvas(Bitmap& bitmap);
    // A canvas over a painter that stays open meanwhile (a window being painted, a printer page).
    Canvas(QPainter& painter, const Rect& clip, bool printer = false);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Brush brush;
    Pen pen;
    Font font;

    Rect ClipRect() const;
    bool IsPrinter() const { return m_printer; }
    // The bitmap this canvas draws on, or null.
    Bitmap* OwnerBitmap() const { return m_bitmap; }

    // Fills with the brush, no outline.
    void FillRect(const Rect& r);
    // Filled with the brush and outlined with the pen; the outline runs on the rectangle's last
    // column and row (Right - 1, Bottom - 1), wider pens centred on it.
    void Rectangle(const Rect& r);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(Rect{left, top, right, bottom}); }
    void MoveTo(int x, int y);
    // A line from the pen position to (x, y), which itself is not painted.
    void LineTo(int x, int y);
    Point PenPos() const { return m_penPos; }
    // Cubic Bézier segments through count points (1 + 3 per segment), the first, fourth, ... on the
    // curve; without antialiasing, so the same points always paint the same pixels.
    void PolyBezier(const Point* points, int count);

    // Draws the whole graphic stretched into dest; nothing for an empty dest or graphic.
    void StretchDraw(const Rect& dest, const Graphic& graphic);
    void Draw(int x, int y, const Graphic& graphic);
    // Copies the part source of another canvas (a bitmap's) stretched into dest.
    void CopyRect(const Rect& dest, Canvas& sourceCanvas, const Rect& source);
    // Draws the part source of an image stretched into dest with the program's resampling.
    void DrawImage(const Rect& dest, const QImage& image, const QRect& source);

    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // The colour of one pixel of a bitmap canvas (black outside it or on other targets).
    QColor Pixel(int x, int y) const;

    // Runs f with a painter set to this canvas's target (no pen or brush chosen).
    template <class F> void Paint(F&& f);

private:
    QPainter* BeginPainter();
    void EndPainter(QPainter* painter);
    void ApplyPen(QPainter& painter) const;
    void ApplyBrush(QPainter& painter) const;

    Bitmap* m_bitmap = nullptr;
    QPainter* m_painter = nullptr;
    Rect m_clip;
    bool m_printer = false;
    Point m_penPos;
};

template <class F> void Canvas::Paint(F&& f)
{
    QPainter* painter = BeginPainter();
    if (!painter)
        return;
    try {
        f(*painter);
    } catch (...) {
        EndPainter(painter);
        throw;
    }
    EndPainter(painter);
}

} // namespace lumoria::platform
