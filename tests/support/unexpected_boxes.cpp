#include "support/unexpected_boxes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "common/message_window.h"

namespace lumoria::test {

namespace {

int g_delay = 8000;
constexpr const char* kAnswered = "lumoriaTestAnswers";

class Watcher : public QObject {
public:
    Watcher()
    {
        m_timer.setInterval(100);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Check(); });
        m_timer.start();
    }

private:
    void Check()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            m_modal = nullptr;
            return;
        }
        if (modal->property(kAnswered).toBool())
            return;
        if (modal != m_modal) {
            m_modal = modal;
            m_since.start();
            return;
        }
        if (m_since.elapsed() < g_delay)
            return;
        QString text;
        if (auto* box = qobject_cast<TfrmDialogo*>(modal))
            text = box->LabelText().simplified();
        ADD_FAILURE() << "an unexpected modal window came and nothing answered it: "
                      << modal->metaObject()->className() << " \"" << modal->windowTitle().toStdString()
                      << "\" " << text.toStdString();
        m_modal = nullptr;
        modal->close();
    }

    QTimer m_timer;
    QPointer<QWidget> m_modal;
    QElapsedTimer m_since;
};

} // namespace

void WatchForUnexpectedBoxes()
{
    static Watcher* watcher = new Watcher;
    (void)watcher;
}

void MarkAnswered(QWidget* modal)
{
    if (modal)
        modal->setProperty(kAnswered, true);
}

int SetUnexpectedBoxDelay(int milliseconds)
{
    const int old = g_delay;
    g_delay = milliseconds;
    return old;
}

} // namespace lumoria::test
