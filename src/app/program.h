#pragma once
// The life of the program after its application object exists: the splash, the main window and the
// hidden guide window, the message loop with raised priorities, and the end.
#include <QStringList>

namespace lumoria {

// Runs the program with its command-line arguments (the program itself left out) and returns the
// exit code. Without arguments the splash shows for 5 seconds while the start-up finishes. A request
// to end made before the message loop (a second copy, a screen too small, an error) ends the run
// without entering the loop.
int ExecutarLumoria(const QStringList& argumentos);

} // namespace lumoria
