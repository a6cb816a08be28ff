#pragma once
// The application-wide cursor set, addressed by cursor id as the rest of the program does: the screen
// cursor, the cursors of controls, and animated cursors read from cursor files and played by a timer.
// Id 0 is the default cursor; negative ids are the standard design cursors; ids without a registered
// cursor fall back to a standard Qt shape.
#include <QCursor>
#include <QString>

class QWidget;

namespace lumoria::platform {

struct CursorFileData;

using CursorId = int;

constexpr CursorId kCursorDefault = 0;
constexpr CursorId kCursorWait = 5379;

// Standard design cursors a control may be given.
constexpr CursorId kCursorUpArrow = -10;
constexpr CursorId kCursorHourGlass = -11;
constexpr CursorId kCursorVerticalSplit = -15;
constexpr CursorId kCursorAppStart = -19;

// Registers (or replaces) the cursor shown for an id.
void registerCursor(CursorId id, const QCursor& cursor);
// Registers (or replaces) an animated cursor: each step shows its frame for its rate in jiffies.
void registerAnimatedCursor(CursorId id, const CursorFileData& data);
// Reads a cursor file (animated or not) into an id. A file that cannot be read registers nothing and
// leaves the id as it was; the result says whether it was loaded.
bool loadCursorFile(CursorId id, const QString& path);
void unregisterCursor(CursorId id);
bool isCursorRegistered(CursorId id);
// The cursor registered for an id (the frame showing now), or the standard fallback.
QCursor cursorFor(CursorId id);
// The step of an animated cursor showing now (0 for a still one).
int cursorStep(CursorId id);

// A control's cursor by id; it follows the animation and any later registration under that id.
void setControlCursor(QWidget* control, CursorId id);
// The id given to a control, kCursorDefault when none was.
CursorId controlCursor(const QWidget* control);

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
