#pragma once
// Shows a window modally and waits for its result. Unlike QDialog::exec the wait does not end when
// the window is hidden (printing hides the preview and shows it again); it ends when endModal is
// called, when the user closes the window (result kModalCancel), when the window is destroyed, or when
// the program is asked to end.
#include <QWidget>

namespace lumoria::platform {

constexpr int kModalCancel = 2;

// Returns the result given to endModal, or kModalCancel. The window is hidden again on return.
// A request to end the program made before returns kModalCancel at once.
int runModal(QWidget* window);

// Ends the modal wait of a window with a result (no effect on a window that is not waiting).
void endModal(QWidget* window, int result);

// True while the window's modal wait runs.
bool isRunningModal(const QWidget* window);

} // namespace lumoria::platform
