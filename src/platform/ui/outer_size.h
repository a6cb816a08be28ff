#pragma once
#include <QSize>

class QWidget;

namespace lumoria::platform {

// Makes a window's design size, which is also its smallest size, the size of the whole window with
// its title bar and borders, as the platform the windows were designed on counts it: what is left
// inside is the client area. The window manager's frame is known only once the window is shown, so
// the sizes follow it whenever it changes; a window of the design size keeps that outer size.
void keepOuterDesignSize(QWidget* window, QSize designSize);

} // namespace lumoria::platform
