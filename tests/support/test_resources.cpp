#include "support/test_resources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QResource>
#include <QUuid>

#include "support/test_env.h"

namespace lumoria::test {

QString registerResources(const QMap<QString, QByteArray>& files)
{
    const QString folder = QString::fromStdString((homeDir() / "resources").string()) + QLatin1Char('/') +
                           QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!QDir().mkpath(folder))
        return {};
    QString qrc = QStringLiteral("<RCC><qresource prefix=\"/\">\n");
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString path = folder + QStringLiteral("/files/") + it.key();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            return {};
        // The alias puts the file at the root of the resources, not under files/.
        qrc += QStringLiteral("<file alias=\"") + it.key() + QStringLiteral("\">files/") + it.key() +
               QStringLiteral("</file>\n");
    }
    qrc += QStringLiteral("</qresource></RCC>\n");
    QFile qrcFile(folder + QStringLiteral("/test.qrc"));
    if (!qrcFile.open(QIODevice::WriteOnly) || qrcFile.write(qrc.toUtf8()) < 0)
        return {};
    qrcFile.close();

    const QString rcc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/rcc");
    const QString output = folder + QStringLiteral("/test.rcc");
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(rcc, {QStringLiteral("--binary"), QStringLiteral("-o"), output, QStringLiteral("test.qrc")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    if (!QResource::registerResource(output, QStringLiteral("/")))
        return {};
    return output;
}

void unregisterResources(const QString& rccFile)
{
    if (!rccFile.isEmpty())
        QResource::unregisterResource(rccFile, QStringLiteral("/"));
}

} // namespace lumoria::test
