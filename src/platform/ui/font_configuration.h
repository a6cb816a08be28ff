#pragma once
// The font configuration (fontconfig's files and its list of installed fonts) is read the first time
// any text is measured: a few milliseconds that the first paint of a window would otherwise wait for.

#include <QFont>

namespace lumoria::platform {

// Reads the configuration now, once for the process. Safe on any thread: a text measured meanwhile
// on another thread reads it itself and the later of the two readings is let go.
void LoadFontConfiguration();

// A copy of the font that shares nothing with it. A font keeps what it loads in data its plain copies
// share, unguarded, so a font used on another thread must not be a plain copy of one used here.
QFont FontOfItsOwn(const QFont& font);

} // namespace lumoria::platform
