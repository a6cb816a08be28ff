#include "platform/ui/screen_centre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/numeric.h"

namespace lumoria::platform {

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.left() + Div(area.width() - outer.width(), 2), area.top() + Div(area.height() - outer.height(), 2));
}

} // namespace lumoria::platform
