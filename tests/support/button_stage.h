#pragma once
// A shaped button on a parent of a known colour, so that what the button leaves unpainted shows in
// its picture.
#include <QPalette>
#include <QWidget>

#include "components/fancy_button.h"

namespace lumoria::test {

struct ButtonStage {
    QWidget parent;
    TFancyButton* button;
    explicit ButtonStage(QRgb background)
    {
        parent.resize(600, 300);
        QPalette p = parent.palette();
        p.setColor(QPalette::Window, QColor(background));
        parent.setPalette(p);
        parent.setAutoFillBackground(true);
        button = new TFancyButton(&parent);
        button->move(10, 10);
    }
    // What the button's place on the parent shows.
    QImage Picture() { return parent.grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }
};

} // namespace lumoria::test
