#pragma once
// A picture control that shows its picture turned by any angle. The turned picture is computed once
// per change of picture or angle into a cached 32-bit bitmap the size of the turned picture's bounding
// box; painting only scales that bitmap into the control. The corners that the picture does not cover
// are either left unpainted (clipped to the turned outline) or drawn see-through.
#include <QPolygon>

#include <memory>

#include "components/picture_control.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/picture.h"
#include "platform/rect.h"
#include "platform/ui/colors.h"

namespace lumoria {

namespace platform {
class Canvas;
}

// Center, Stretch, Transparent and AutoSize are the picture controls' own (TPictureControl); an option
// change only places the turned bitmap again, it never turns the picture again.
class TAngleImage : public TPictureControl {
    Q_OBJECT
public:
    explicit TAngleImage(QWidget* parent = nullptr);
    ~TAngleImage() override;

    // Degrees; positive turns anticlockwise on screen. An equal value does nothing.
    long double Angle() const { return m_angle; }
    void SetAngle(long double angle);

    // The picture shown. After changing it in place, call RebuildImage().
    platform::Picture& Picture() { return m_picture; }
    const platform::Picture& Picture() const { return m_picture; }
    void SetPicture(const platform::Picture& picture);
    void SetGraphic(const platform::Graphic& graphic);
    // The picture's change handler: a new source and a new turned bitmap.
    void RebuildImage();
    // An option changed: the turned bitmap is placed and outlined again.
    void PictureChanged() override;

    // The transparent colour fixed on the picture's bitmap; clNone leaves it to the bottom-left
    // pixel. A different value re-renders the corners in it.
    platform::ColorRef TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(platform::ColorRef color);

    bool Proportional() const { return m_proportional; }
    void SetProportional(bool on);
    bool UniqueSize() const { return m_uniqueSize; }
    void SetUniqueSize(bool on);
    // Background of a picture that is not a bitmap, and so its corner colour.
    platform::ColorRef Color() const { return m_color; }
    void SetColor(platform::ColorRef color);

    // The turned bitmap (0 x 0 without a picture); owned by the control.
    const platform::Bitmap& RotatedBitmap() const { return m_rotated; }
    // Round(sqrt(W² + H²)) of the picture, 0 without one.
    int Diagonal() const { return m_diagonal; }
    // Where RotatedBitmap is drawn, in control coordinates.
    Rect GetDestRect();
    // The outline of the turned picture, in the parent's coordinates.
    QPolygon GetRotatedRegion();
    // The canvas of the picture's bitmap (one of the control's size is made when there is no picture);
    // InvalidOperation when the picture holds something else. Call PictureChanged() after drawing.
    platform::Canvas& GetCanvas();

    // How many times the turned bitmap was computed (a change that computes nothing leaves it).
    int RenderCount() const { return m_renderCount; }

protected:
    // The diagonal square with UniqueSize, else the turned bitmap.
    QSize ShownPictureSize() const override;
    const platform::Graphic* ShownGraphic() const override;
    Rect DrawnRect() const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void PrepareSourceBitmap();
    void UpdateRotatedBitmap();
    void InvalidateCaches();
    void ApplyAutoSize();
    QPolygon CalcRotatedCorners(const QList<QPoint>& points) const;

    platform::Picture m_picture;
    std::shared_ptr<const platform::Bitmap> m_source;
    platform::ColorRef m_sourceTransparent = 0x00FFFFFFu;
    platform::Bitmap m_rotated;
    long double m_angle = 0;
    bool m_proportional = false;
    bool m_uniqueSize = true;
    platform::ColorRef m_color = platform::clWindow;
    platform::ColorRef m_transparentColor = platform::clNone;
    int m_diagonal = 0;
    bool m_rebuilding = false;
    int m_renderCount = 0;

    // Cache flags: the destination rectangle and the outline.
    bool m_destValid = false;
    bool m_regionValid = false;
    Rect m_destRect;
    QPolygon m_region;
    // The scaled picture last painted, with its size.
    QImage m_scaled;
};

// Where a bitmap of size (w, h) is drawn in a client area of (cw, ch): stretched or scaled down in
// proportion as the options say, the turned picture centred in its diagonal square with UniqueSize.
struct DestRectOptions {
    bool center = false;
    bool stretch = false;
    bool proportional = false;
    bool uniqueSize = true;
};
Rect CalcDestRect(const DestRectOptions& options, int diagonal, QSize rotated, QSize client);

} // namespace lumoria
