#include "install/file_routines.h"

#include <QFileInfo>

#include <cerrno>

#include "platform/shell/desktop_launcher.h"
#include "platform/shell/file_operations.h"
#include "platform/shell/special_folders.h"

namespace lumoria {

bool CriarAtalho(const QString& alvo, const QString& argumentos, const QString& pastaDeTrabalho, const QString& nome,
                 const QString& subpasta, std::uint8_t local, QString* motivo)
{
    QString pasta;
    if (local == kAtalhoNaAreaDeTrabalho) {
        pasta = PastaAreaDeTrabalho();
    } else if (local == kAtalhoNoMenuIniciar) {
        pasta = PastaMenuIniciar();
        // An unknown menu folder would put the launchers under the file system's root.
        if (pasta.isEmpty())
            return false;
        pasta += QLatin1Char('/') + subpasta;
        // Launchers written through a link would land wherever it points.
        if (platform::isLink(pasta)) {
            if (motivo)
                *motivo = platform::describeSystemError(ELOOP);
            return false;
        }
        platform::makeFolder(pasta);
    } else {
        return false;
    }
    if (pasta.isEmpty())
        return false;
    platform::DesktopLauncher atalho;
    atalho.name = nome;
    atalho.program = alvo;
    if (!argumentos.isEmpty())
        atalho.arguments = QStringList{argumentos};
    atalho.workingFolder = pastaDeTrabalho;
    return platform::writeDesktopLauncher(pasta + QLatin1Char('/') + nome + QLatin1String(platform::kLauncherSuffix),
                                          atalho, motivo);
}

QString PastaDoWindows() { return platform::userExecutablesFolder(); }

QString PastaArquivosDeProgramas() { return platform::installedProgramsFolder(); }

QString PastaMeusDocumentos() { return platform::documentsFolder(); }

QString PastaAreaDeTrabalho() { return platform::desktopFolder(); }

QString PastaMenuIniciar() { return platform::applicationsMenuFolder(); }

bool CopiarArquivo(const QString& origem, const QString& destino, QString* motivo)
{
    return platform::copyFileContents(origem, destino, motivo);
}

bool CopiarPasta(QWidget* /*janela*/, const QString& origem, const QString& destino, platform::CopyRecord* registro)
{
    return platform::copyFolder(origem, destino, registro);
}

bool ApagarArquivo(const QString& arquivo, bool permitirDesfazer)
{
    const auto existe = [&arquivo] {
        const QFileInfo info(arquivo);
        return info.exists() && !info.isDir();
    };
    if (!existe())
        return true;
    if (permitirDesfazer)
        platform::moveToTrash(arquivo);
    else
        platform::removeFile(arquivo);
    return !existe();
}

bool ApagarPasta(const QString& pasta, bool permitirDesfazer)
{
    if (permitirDesfazer)
        return platform::pathExists(pasta) && platform::moveToTrash(pasta);
    return platform::removePath(pasta);
}

} // namespace lumoria
