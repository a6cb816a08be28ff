#include "platform/ui/screen_cursor.h"

#include <QGuiApplication>
#include <QHash>

namespace lumoria::platform {

namespace {

QHash<CursorId, QCursor>& registry()
{
    static QHash<CursorId, QCursor> cursors;
    return cursors;
}

CursorId g_screenCursor = kCursorDefault;

} // namespace

void registerCursor(CursorId id, const QCursor& cursor)
{
    registry().insert(id, cursor);
    if (id == g_screenCursor && id != kCursorDefault && qGuiApp)
        QGuiApplication::changeOverrideCursor(cursor);
}

QCursor cursorFor(CursorId id)
{
    const auto it = registry().constFind(id);
    if (it != registry().constEnd())
        return *it;
    return id == kCursorWait ? QCursor(Qt::WaitCursor) : QCursor(Qt::ArrowCursor);
}

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
