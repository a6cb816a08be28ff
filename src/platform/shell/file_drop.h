#pragma once
// Files dropped from the desktop's file manager onto a window.
#include <QStringList>

class QMimeData;
class QWidget;

namespace lumoria::platform {

// Lets a window take drops of local files: drags that carry them are accepted over the window and
// its children that do not take them themselves, and the drop reaches the window's dropEvent.
// Other drags are left to the window's own handlers.
void acceptFileDrops(QWidget* window);

// The local files a drag carries, in the order given; empty when it carries none.
QStringList droppedFilePaths(const QMimeData* data);

} // namespace lumoria::platform
