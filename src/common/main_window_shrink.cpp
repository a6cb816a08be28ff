#include "common/main_window_shrink.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace lumoria {

namespace {

// Keeps chosen events from the window's own handlers.
class HandlerRemover : public QObject {
public:
    explicit HandlerRemover(QWidget* window) : QObject(window) { window->installEventFilter(this); }
    void Remove(QEvent::Type type) { m_removed.append(type); }

protected:
    bool eventFilter(QObject*, QEvent* event) override { return m_removed.contains(event->type()); }

private:
    QList<QEvent::Type> m_removed;
};

} // namespace

void ReduzTamanhoFormularioPrincipal(QWidget* principal)
{
    if (!principal)
        return;
    auto* remover = new HandlerRemover(principal);
    remover->Remove(QEvent::Resize);
    principal->setMinimumSize(1, 1);
    principal->resize(1, 1);
    remover->Remove(QEvent::Hide);
    principal->hide();
}

} // namespace lumoria
