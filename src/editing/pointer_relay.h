#pragma once
// A control that hands its mouse presses, double clicks, moves and releases to its owner as signals
// in control coordinates (the editors' picture layers and the angle dial).
#include <QWidget>

namespace lumoria {

class PointerRelay : public QWidget {
    Q_OBJECT
public:
    explicit PointerRelay(QWidget* parent = nullptr) : QWidget(parent) {}

signals:
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y);
    // The second press of a double click (in place of its mousePressed).
    void mouseDoubleClicked(Qt::MouseButton button, int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace lumoria
