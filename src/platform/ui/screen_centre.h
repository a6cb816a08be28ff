#pragma once
class QWidget;

namespace lumoria::platform {

// Puts a window in the middle of the primary screen: (screen size - window size) div 2.
void centreOnScreen(QWidget* window);

} // namespace lumoria::platform
