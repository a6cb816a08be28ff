#pragma once
// The application-wide screen cursor, addressed by cursor id as the rest of the program does.
// Id 0 is the default cursor. Ids without a registered cursor fall back to a standard Qt shape.
#include <QCursor>

namespace lumoria::platform {

using CursorId = int;

constexpr CursorId kCursorDefault = 0;
constexpr CursorId kCursorWait = 5379;

// Registers (or replaces) the cursor shown for an id.
void registerCursor(CursorId id, const QCursor& cursor);
// The cursor registered for an id, or the standard fallback.
QCursor cursorFor(CursorId id);

CursorId screenCursor();
void setScreenCursor(CursorId id);

// Remembers the screen cursor, shows another one and puts the remembered one back when it ends.
class ScreenCursorGuard {
public:
    explicit ScreenCursorGuard(CursorId shown);
    ~ScreenCursorGuard();
    ScreenCursorGuard(const ScreenCursorGuard&) = delete;
    ScreenCursorGuard& operator=(const ScreenCursorGuard&) = delete;

private:
    CursorId m_saved;
};

} // namespace lumoria::platform
