#include "platform/ui/modal_runner.h"

#include "platform/ui/termination.h"

#include <QEvent>
#include <QEventLoop>
#include <QHash>
#include <QPointer>
#include <QTimer>

namespace lumoria::platform {

namespace {

// Watches one window during its modal wait. A close event followed at once by the window hiding is
// a close the window accepted; a hide on its own (printing) leaves the wait running.
class ModalWatch : public QObject {
public:
    ModalWatch(QWidget* window, QEventLoop* loop) : m_window(window), m_loop(loop)
    {
        window->installEventFilter(this);
    }

    void finish(int result)
    {
        if (m_done)
            return;
        m_done = true;
        m_result = result;
        m_loop->exit(0);
    }

    int result() const { return m_result; }
    bool done() const { return m_done; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::Close) {
            m_closing = true;
            // A close the window refuses is not followed by a hide; forget it once it is over.
            QTimer::singleShot(0, this, [this] { m_closing = false; });
        } else if (event->type() == QEvent::Hide && m_closing) {
            finish(kModalCancel);
        }
        return false;
    }

private:
    QWidget* m_window;
    QEventLoop* m_loop;
    bool m_closing = false;
    bool m_done = false;
    int m_result = kModalCancel;
};

QHash<const QWidget*, ModalWatch*>& watches()
{
    static QHash<const QWidget*, ModalWatch*> running;
    return running;
}

} // namespace

int runModal(QWidget* window)
{
    if (!window || terminationRequested())
        return kModalCancel;
    QPointer<QWidget> guard(window);
    QEventLoop loop;
    ModalWatch watch(window, &loop);
    watches().insert(window, &watch);
    const QMetaObject::Connection gone =
        QObject::connect(window, &QObject::destroyed, &loop, [&watch] { watch.finish(kModalCancel); });

    const Qt::WindowModality oldModality = window->windowModality();
    const bool wasVisible = window->isVisible();
    if (wasVisible)
        window->hide();
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    if (!watch.done() && !terminationRequested())
        loop.exec(QEventLoop::DialogExec);
    QObject::disconnect(gone);
    if (guard) {
        watches().remove(window);
        window->removeEventFilter(&watch);
        window->hide();
        window->setWindowModality(oldModality);
    } else {
        watches().remove(window);
    }
    return watch.done() ? watch.result() : kModalCancel;
}

void endModal(QWidget* window, int result)
{
    if (ModalWatch* watch = watches().value(window))
        watch->finish(result);
}

bool isRunningModal(const QWidget* window) { return watches().contains(window); }

} // namespace lumoria::platform
