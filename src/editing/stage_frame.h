#pragma once
// The frame drawn 9 pixels outside the photo on an editor's stage: a rectangle outline with a clear
// brush that lets the mouse through.
#include <QWidget>

namespace lumoria {

class StageFrame : public QWidget {
    Q_OBJECT
public:
    explicit StageFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lumoria
