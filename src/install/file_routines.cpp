#include "install/file_routines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "platform/shell/desktop_launcher.h"
#include "platform/shell/file_operations.h"
#include "platform/shell/special_folders.h"

namespace lumoria {

bool CriarAtalho(const QString& alvo, const QString& argumentos, const QString& pastaDeTrabalho, const QString& nome,
                 const QString& subpasta, std::uint8_t local)
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
        QDir().mkpath(pasta);
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
                                          atalho);
}

QString PastaDoWindows() { return platform::userExecutablesFolder(); }

QString PastaArquivosDeProgramas() { return platform::installedProgramsFolder(); }

QString PastaMeusDocumentos() { return platform::documentsFolder(); }

QString PastaAreaDeTrabalho() { return platform::desktopFolder(); }

QString PastaMenuIniciar() { return platform::applicationsMenuFolder(); }

bool copyInBlocks(QIODevice& origem, QIODevice& destino, std::int64_t tamanho)
{
    char bloco[2048];
    std::int64_t restante = tamanho;
    while (restante > 0) {
        const qint64 lidos = origem.read(bloco, std::min<std::int64_t>(sizeof bloco, restante));
        if (lidos <= 0)
            return false; // the source ended early or failed; the copy would never complete
        if (destino.write(bloco, lidos) != lidos)
            return false;
        restante -= lidos;
    }
    return true;
}

bool CopiarArquivo(const QString& origem, const QString& destino)
{
    if (platform::isSameFile(origem, destino))
        return false;
    QFile entrada(origem);
    if (!entrada.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const std::int64_t tamanho = entrada.size();
    // Unbuffered, so that a failed write shows at the write itself.
    QFile saida(destino);
    if (!saida.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    if (!copyInBlocks(entrada, saida, tamanho))
        return false;
    saida.close();
    if (saida.error() != QFileDevice::NoError)
        return false;
    platform::copyFileTime(origem, destino);
    platform::copyFilePermissions(origem, destino);
    return true;
}

bool CopiarPasta(QWidget* /*janela*/, const QString& origem, const QString& destino)
{
    return platform::copyFolder(origem, destino);
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
        QFile::remove(arquivo);
    return !existe();
}

bool ApagarPasta(const QString& pasta, bool permitirDesfazer)
{
    if (permitirDesfazer)
        return platform::pathExists(pasta) && platform::moveToTrash(pasta);
    return platform::removePath(pasta);
}

} // namespace lumoria
