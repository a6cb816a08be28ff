#pragma once
// A picture control that cuts its parent window to the shape of its picture (every pixel unlike the
// picture's bottom-left one, inside the rectangle the picture is drawn in) and, when Movable, drags
// the parent window with any mouse button. The splash window is built on it.
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

#include "components/picture_control.h"
#include "platform/graphics/picture.h"
#include "platform/rect.h"

namespace lumoria {

class TImageShape : public TPictureControl {
    Q_OBJECT
public:
    explicit TImageShape(QWidget* parent = nullptr);
    ~TImageShape() override;

    // The picture is changed only through the calls below, each of which runs PictureChanged.
    const platform::Picture& Picture() const { return m_picture; }
    void SetPicture(const platform::Picture& value);
    // Null empties the picture.
    void SetGraphic(const platform::Graphic* graphic);
    // On failure the picture keeps what it held and nothing changes.
    void LoadPictureFromFile(const QString& path);

    bool Movable() const { return m_movable; }
    void SetMovable(bool value) { m_movable = value; }
    bool Proportional() const { return m_proportional; }
    void SetProportional(bool value);

    // Where the picture is drawn, in control coordinates.
    Rect DestRect() const;
    // Whether the control paints every pixel of itself.
    bool Opaque() const { return m_opaque; }
    bool Dragging() const { return m_dragging; }
    // The part of the parent's window region this control gave last (window coordinates).
    const QRegion& StoredRegion() const { return m_storedRegion; }

    // Redraws and rebuilds the parent window's shape; runs after every change of the picture.
    void PictureChanged() override;

    // The pixels of the picture drawn into dest on a client of the given size, less those of the
    // colour of the picture's bottom-left pixel, clipped to the client and to dest.
    static QRegion BitmapToRegion(const QImage& source, const QSize& client, const Rect& dest);

protected:
    QSize ShownPictureSize() const override { return QSize(m_picture.Width(), m_picture.Height()); }
    const platform::Graphic* ShownGraphic() const override { return m_picture.GetGraphic(); }
    Rect DrawnRect() const override { return DestRect(); }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool GraphicTransparent() const;
    void ShapeParent();

    QPoint m_lastCursor;
    bool m_dragging = false;
    bool m_movable = true;
    platform::Picture m_picture;
    bool m_proportional = false;
    bool m_opaque = false;
    QRegion m_storedRegion;
};

} // namespace lumoria
