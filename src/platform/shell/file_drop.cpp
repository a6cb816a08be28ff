#include "platform/shell/file_drop.h"

#include <QDragMoveEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace lumoria::platform {

namespace {

class FileDropFilter : public QObject {
public:
    explicit FileDropFilter(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove)
            return QObject::eventFilter(watched, event);
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFilePaths(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
};

} // namespace

void acceptFileDrops(QWidget* window)
{
    if (!window)
        return;
    window->setAcceptDrops(true);
    for (QObject* child : window->children()) {
        if (dynamic_cast<FileDropFilter*>(child))
            return;
    }
    window->installEventFilter(new FileDropFilter(window));
}

QStringList droppedFilePaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths += url.toLocalFile();
    }
    return paths;
}

} // namespace lumoria::platform
