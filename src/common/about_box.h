#pragma once
// The author box, hidden behind the main window's exit button.
#include <QString>
#include <Qt>

namespace lumoria {

// The title, a blank line and the four lines that name the author.
QString TextoDoAutor();

// The exit button's mouse-up handler: the right button released while Shift, Ctrl and Alt are all
// held shows the author box; any other release does nothing. Returns whether the box was shown.
bool spdSairMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift);

} // namespace lumoria
