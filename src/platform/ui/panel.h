#pragma once
// A plain container of controls with a colour. While it takes its parent's background (the default)
// it paints nothing of its own; once that is turned off it fills itself with its colour.
#include <QFrame>

#include "platform/ui/colors.h"

namespace lumoria::platform {

class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);

    // The panel's own colour (a system colour or $00BBGGRR).
    void setColor(ColorRef color);
    QColor color() const;

    void setParentBackground(bool on);
    bool parentBackground() const { return !autoFillBackground(); }
};

} // namespace lumoria::platform
