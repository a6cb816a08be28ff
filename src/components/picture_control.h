#pragma once
// The base of the picture controls: the display options that decide where and how the picture is drawn,
// automatic sizing, and the mouse notifications. Each control says what size its shown picture has and
// what happens when the picture or an option changes.
#include <QWidget>

#include "platform/graphics/canvas.h"
#include "platform/graphics/graphic.h"
#include "platform/rect.h"

namespace lumoria {

class TPictureControl : public QWidget {
    Q_OBJECT
public:
    explicit TPictureControl(QWidget* parent = nullptr);

    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    // Kept for the designs that set it; pictures load in one step and report no progress.
    bool IncrementalDisplay() const { return m_incrementalDisplay; }
    void SetIncrementalDisplay(bool value) { m_incrementalDisplay = value; }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);

    // The size automatic sizing gives the control, by its alignment in the parent.
    bool CanAutoSize(int& newWidth, int& newHeight) const;

    // Runs after every change of the shown picture or of an option.
    virtual void PictureChanged() = 0;

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    virtual QSize ShownPictureSize() const = 0;
    // The shown graphic (null when none) and where it is drawn, for painting.
    virtual const platform::Graphic* ShownGraphic() const = 0;
    virtual Rect DrawnRect() const = 0;

    void paintEvent(QPaintEvent* event) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    bool m_stretch = false;
    bool m_center = false;
    bool m_transparent = false;
    bool m_incrementalDisplay = false;
    bool m_autoSize = false;
    // Set while painting, so that a change seen meanwhile does not ask for another paint.
    bool m_drawing = false;
};

// Draws the graphic stretched into dest on the canvas. A transparent bitmap leaves out the colour of its
// bottom-left pixel.
void DrawPictureGraphic(platform::Canvas& canvas, const platform::Graphic& graphic, const Rect& dest,
                        bool transparentBitmap);

} // namespace lumoria
