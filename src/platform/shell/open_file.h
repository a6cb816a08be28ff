#pragma once
#include <QString>

namespace lumoria::platform {

// Opens a file with the program the desktop associates with it, or an address in the browser.
// A path that names no local file is taken as an address. False when nothing could be started.
bool openWithAssociatedProgram(const QString& fileOrAddress);

} // namespace lumoria::platform
