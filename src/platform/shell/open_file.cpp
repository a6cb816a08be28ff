#include "platform/shell/open_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace lumoria::platform {

bool openWithAssociatedProgram(const QString& fileOrAddress, const std::function<void()>& notOpened)
{
    if (fileOrAddress.trimmed().isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(fileOrAddress, QDir::currentPath());
    if (!url.isValid())
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;

    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process, notOpened](int exitCode, QProcess::ExitStatus status) {
        process->deleteLater();
        if ((status != QProcess::NormalExit || exitCode != 0) && notOpened)
            notOpened();
    });
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    return true;
}

} // namespace lumoria::platform
