#include "platform/ui/outer_size.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace lumoria::platform {

namespace {

class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize designSize) : QObject(window), m_window(window), m_design(designSize)
    {
        window->setMinimumSize(designSize);
        window->resize(designSize);
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window) {
            switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::WindowStateChange:
                follow();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    // The client size that gives the design size with the frame of the moment.
    QSize inner(QSize frame) const { return QSize(std::max(1, m_design.width() - frame.width()), std::max(1, m_design.height() - frame.height())); }

    void follow()
    {
        if (!m_window->isVisible() || m_following)
            return;
        const QSize frame = m_window->frameGeometry().size() - m_window->size();
        if (frame == m_frame || frame.width() < 0 || frame.height() < 0)
            return;
        m_following = true;
        const QSize before = inner(m_frame);
        m_frame = frame;
        m_window->setMinimumSize(inner(frame));
        const Qt::WindowStates full = Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;
        if (!(m_window->windowState() & full) && m_window->size() == before)
            m_window->resize(inner(frame));
        m_following = false;
    }

    QWidget* m_window;
    QSize m_design;
    QSize m_frame{0, 0};
    bool m_following = false;
};

} // namespace

void keepOuterDesignSize(QWidget* window, QSize designSize) { new OuterSizeKeeper(window, designSize); }

} // namespace lumoria::platform
