#pragma once
// A bar the user drags to resize the control on one side of it against the control on the other:
// a top splitter changes the height of the control above it, and the control that fills the rest
// gives or takes the difference. Neither may become smaller than the minimum size.
#include <QWidget>

namespace lumoria::platform {

class Splitter : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultMinSize = 30;

    // resized: the control whose height the drag sets; rest: the control that fills what is left.
    Splitter(QWidget* resized, QWidget* rest, QWidget* parent = nullptr);

    int minSize() const { return m_minSize; }
    void setMinSize(int value) { m_minSize = value; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* m_resized;
    QWidget* m_rest;
    int m_minSize = kDefaultMinSize;
    bool m_dragging = false;
    int m_startY = 0;
    int m_startHeight = 0;
    int m_startRest = 0;
};

} // namespace lumoria::platform
