#pragma once
// Window shapes kept in window coordinates, the way the old window-region calls take them: the region
// covers the whole window with its frame, and the part over the client area shapes the widget through
// QWidget::setMask. An empty region leaves nothing of the window on screen (where setMask with an
// empty region would show the whole window again).
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <optional>

class QWidget;

namespace lumoria::platform {

// Where the client area starts inside the whole window, worked out from the two sizes only: the left,
// right and bottom frame are taken as equally wide, everything else lies above the client area.
// A window 8 wider and 30 taller than its client area gives (4, 26).
QPoint clientOffsetInWindow(const QSize& windowSize, const QSize& clientSize);

// The whole window's size: with its frame for a top-level window, the widget itself otherwise.
QSize windowSize(const QWidget* window);

// The region last given to setWindowRegion, in window coordinates; none when it never had one.
std::optional<QRegion> windowRegion(const QWidget* window);

// Shapes the window to the region (window coordinates) and repaints it.
void setWindowRegion(QWidget* window, const QRegion& region);

// The pixels inside area whose colour (red, green and blue) differs from colour. With no colour
// every pixel of the area counts.
QRegion regionOfPixelsUnlike(const QImage& image, std::optional<QRgb> colour, const QRect& area);

} // namespace lumoria::platform
