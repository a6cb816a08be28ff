#pragma once
#include <QString>
#include <QStringList>

namespace lumoria::platform {

// Starts a program on its own, not waiting for it and not ending with this process. The working
// folder is the program's own when none is given. False when it could not be started.
bool startProgramDetached(const QString& program, const QStringList& arguments = {},
                          const QString& workingFolder = QString());

} // namespace lumoria::platform
