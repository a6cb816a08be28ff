#pragma once
// A control that shows a bitmap at its top-left corner, unscaled, as a picture control on a form
// does. It has no bitmap until something draws on its canvas; the bitmap then keeps its own size,
// which the owner sets. Mouse movement, clicks and the context menu request reach the owner as
// signals in control coordinates.
#include <QWidget>

#include <memory>

namespace lumoria::platform {

class Bitmap;
class Canvas;

class PictureControl : public QWidget {
    Q_OBJECT
public:
    explicit PictureControl(QWidget* parent = nullptr);
    ~PictureControl() override;

    bool hasGraphic() const { return m_bitmap != nullptr; }
    // The bitmap, made (empty) when there is none yet.
    Bitmap& bitmap();
    // The bitmap's canvas; drawing on it makes the bitmap when there is none. Call update() after.
    Canvas& canvas();
    // With stretching on, the bitmap is drawn scaled to the whole control.
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);

signals:
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);
    // A left button pressed and released over the control.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<Bitmap> m_bitmap;
    bool m_leftDown = false;
    bool m_stretch = false;
};

} // namespace lumoria::platform
