#pragma once
#include <QString>

#include <functional>

namespace lumoria::platform {

// Opens a file with the program the desktop associates with it, or an address in the browser,
// through xdg-open. A path that names no local file is taken as an address. False when nothing
// could be started. xdg-open finds out only after it has started that there is no program for the
// file; notOpened then runs later on the GUI thread (straight from the event loop: it must not throw). Its end is watched, not waited for: with some
// desktops it lasts as long as the program it ran.
bool openWithAssociatedProgram(const QString& fileOrAddress, const std::function<void()>& notOpened = {});

} // namespace lumoria::platform
