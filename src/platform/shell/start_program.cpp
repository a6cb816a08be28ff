#include "platform/shell/start_program.h"

#include <QFileInfo>
#include <QProcess>

namespace lumoria::platform {

bool startProgramDetached(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder.isEmpty() ? QFileInfo(program).absolutePath() : workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace lumoria::platform
