#pragma once
// What a tool window may ask of the window that shows the album: it is given the document and this,
// never the main window itself.
#include <QtCore/qnamespace.h>

namespace lumoria {

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Shows the document's current page again, with the lists, legend and page number.
    virtual void redrawPage() = 0;
    // Hides and shows the main window, as printing does while it runs.
    virtual void hideMainWindow() = 0;
    virtual void showMainWindow() = 0;
    // The main window's state, which the editors and the preview take when they open.
    virtual Qt::WindowStates mainWindowState() const = 0;
};

} // namespace lumoria
