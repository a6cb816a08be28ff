#include "platform/ui/screen_cursor.h"

#include "platform/ui/animated_cursor_file.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <optional>

namespace lumoria::platform {

namespace {

// A frame becomes a cursor the first time it shows: an animated set has many frames that a start
// need not convert.
struct Frame {
    QImage image;
    QPoint hotSpot;
    std::optional<QCursor> cursor;

    const QCursor& get()
    {
        if (!cursor)
            cursor = image.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
        return *cursor;
    }
};

struct Registered {
    QList<Frame> frames;
    QList<int> sequence;
    QList<int> delays;  // milliseconds per step
    int step = 0;
    QPointer<QTimer> timer;
};

QHash<CursorId, Registered>& registry()
{
    static QHash<CursorId, Registered> cursors;
    return cursors;
}

QHash<const QWidget*, CursorId>& controls()
{
    static QHash<const QWidget*, CursorId> bound;
    return bound;
}

CursorId g_screenCursor = kCursorDefault;

QCursor fallbackFor(CursorId id)
{
    // Only the standard design cursors have shapes of their own; an id of the program's set whose
    // file could not be loaded (the wait cursor too) shows the default cursor.
    switch (id) {
    case kCursorHourGlass:
        return QCursor(Qt::WaitCursor);
    case kCursorAppStart:
        return QCursor(Qt::BusyCursor);
    case kCursorVerticalSplit:
        return QCursor(Qt::SplitVCursor);
    case kCursorUpArrow:
        return QCursor(Qt::UpArrowCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

// Shows the id's current cursor wherever it is in use.
void showEverywhere(CursorId id)
{
    std::optional<QCursor> cursor;
    const auto current = [&]() -> const QCursor& {
        if (!cursor)
            cursor = cursorFor(id);
        return *cursor;
    };
    for (auto it = controls().cbegin(); it != controls().cend(); ++it)
        if (it.value() == id)
            const_cast<QWidget*>(it.key())->setCursor(current());
    if (id == g_screenCursor && id != kCursorDefault && qGuiApp)
        QGuiApplication::changeOverrideCursor(current());
}

void stopAnimation(Registered& entry)
{
    if (entry.timer)
        delete entry.timer.data();
}

void advance(CursorId id)
{
    auto it = registry().find(id);
    if (it == registry().end() || it->sequence.isEmpty())
        return;
    it->step = (it->step + 1) % int(it->sequence.size());
    if (it->timer)
        it->timer->setInterval(it->delays[it->step]);
    showEverywhere(id);
}

void replace(CursorId id, Registered entry)
{
    auto old = registry().find(id);
    if (old != registry().end())
        stopAnimation(*old);
    if (entry.sequence.size() > 1 && QCoreApplication::instance()) {
        // The timer lives with the application, so none outlives it.
        auto* timer = new QTimer(QCoreApplication::instance());
        timer->setInterval(entry.delays[0]);
        QObject::connect(timer, &QTimer::timeout, timer, [id] { advance(id); });
        timer->start();
        entry.timer = timer;
    }
    registry().insert(id, std::move(entry));
    showEverywhere(id);
}

int jiffiesToMilliseconds(int jiffies)
{
    const long long ms = static_cast<long long>(jiffies) * 1000 / 60;
    return int(std::clamp<long long>(ms, 1, INT_MAX));
}

} // namespace

void registerCursor(CursorId id, const QCursor& cursor)
{
    Registered entry;
    entry.frames.append(Frame{QImage(), QPoint(), cursor});
    entry.sequence.append(0);
    entry.delays.append(0);
    replace(id, std::move(entry));
}

void registerAnimatedCursor(CursorId id, const CursorFileData& data)
{
    if (data.frames.isEmpty() || data.sequence.isEmpty())
        return;
    Registered entry;
    for (const CursorFrame& frame : data.frames)
        entry.frames.append(Frame{frame.image, frame.hotSpot, std::nullopt});
    for (qsizetype i = 0; i < data.sequence.size(); ++i) {
        entry.sequence.append(std::clamp(data.sequence[i], 0, int(entry.frames.size()) - 1));
        entry.delays.append(jiffiesToMilliseconds(i < data.rates.size() ? data.rates[i] : 1));
    }
    replace(id, std::move(entry));
}

bool loadCursorFile(CursorId id, const QString& path)
{
    const auto data = readCursorFile(path);
    if (!data)
        return false;
    registerAnimatedCursor(id, *data);
    return true;
}

void unregisterCursor(CursorId id)
{
    auto it = registry().find(id);
    if (it == registry().end())
        return;
    stopAnimation(*it);
    registry().erase(it);
    showEverywhere(id);
}

bool isCursorRegistered(CursorId id) { return registry().contains(id); }

QCursor cursorFor(CursorId id)
{
    const auto it = registry().find(id);
    if (it == registry().end())
        return fallbackFor(id);
    return it->frames[it->sequence[it->step]].get();
}

int cursorStep(CursorId id)
{
    const auto it = registry().constFind(id);
    return it == registry().constEnd() ? 0 : it->step;
}

void setControlCursor(QWidget* control, CursorId id)
{
    if (!control)
        return;
    if (!controls().contains(control))
        QObject::connect(control, &QObject::destroyed, [control] { controls().remove(control); });
    controls().insert(control, id);
    if (id == kCursorDefault && !isCursorRegistered(id))
        control->unsetCursor();
    else
        control->setCursor(cursorFor(id));
}

CursorId controlCursor(const QWidget* control) { return controls().value(control, kCursorDefault); }

CursorId screenCursor() { return g_screenCursor; }

void setScreenCursor(CursorId id)
{
    if (id == g_screenCursor)
        return;
    const bool hadOverride = g_screenCursor != kCursorDefault;
    g_screenCursor = id;
    if (!qGuiApp)
        return;
    if (id == kCursorDefault) {
        if (hadOverride)
            QGuiApplication::restoreOverrideCursor();
    } else if (hadOverride) {
        QGuiApplication::changeOverrideCursor(cursorFor(id));
    } else {
        QGuiApplication::setOverrideCursor(cursorFor(id));
    }
}

ScreenCursorGuard::ScreenCursorGuard(CursorId shown) : m_saved(screenCursor()) { setScreenCursor(shown); }

ScreenCursorGuard::~ScreenCursorGuard() { setScreenCursor(m_saved); }

} // namespace lumoria::platform
