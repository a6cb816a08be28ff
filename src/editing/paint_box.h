#pragma once
// A control that its owner paints: the owner's paint handler draws on a canvas of the whole control,
// and presses (with whether they were double clicks), moves and releases reach the owner as signals in
// control coordinates. With a circle colour set, a filled circle outlined in white fills the control
// under the owner's drawing, as a shape placed beneath it would.
#include <QWidget>

#include <functional>
#include <optional>

#include "platform/ui/colors.h"

namespace lumoria {

namespace platform {
class Canvas;
}

class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    std::function<void(platform::Canvas&)> OnPaint;
    std::optional<platform::ColorRef> CircleColor;

signals:
    void mousePressed(Qt::MouseButton button, bool doubleClick, int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace lumoria
