#include "common/job_file_association.h"

#include <QLocale>
#include <QRegularExpression>

#include "platform/system/program_info.h"

namespace lumoria {

namespace {

// A letter-and-digit version of a name, for MIME subtypes and file names.
QString identifier(const QString& text)
{
    static const QRegularExpression others(QStringLiteral("[^a-z0-9]+"));
    return text.toLower().replace(others, QStringLiteral("-"));
}

QString extensionLetters(const QString& extensao)
{
    QString e = QLocale().toUpper(extensao);
    if (e.startsWith(QLatin1Char('.')))
        e.remove(0, 1);
    return e;
}

} // namespace

platform::SettingsStore fileClassesStore()
{
    return platform::SettingsStore::inConfigFolder(QStringLiteral("lumoria/classes.json"));
}

platform::FileTypeAssociation desktopAssociationFor(const QString& extensao, const QString& descricao,
                                                    const QString& programa)
{
    const QString e = extensionLetters(extensao).toLower();
    platform::FileTypeAssociation a;
    a.mimeType = QStringLiteral("application/x-") + identifier(descricao) + QLatin1Char('-') + identifier(e);
    a.description = descricao;
    a.globPattern = QStringLiteral("*.") + e;
    a.desktopFileName = identifier(descricao) + QLatin1Char('-') + identifier(e) + QStringLiteral(".desktop");
    a.program = programa;
    return a;
}

bool RegistrarExtensaoDeArquivo(platform::SettingsStore& classes, const QString& extensao, const QString& descricao,
                                const QString& programa)
{
    const QString e = extensionLetters(extensao);
    const QString classe = e + QStringLiteral("_auto_file");
    const QString aspas = QStringLiteral("\"");
    classes.writeString(QLatin1Char('.') + e, QString(), classe);
    classes.writeString(classe, QString(), descricao);
    classes.writeString(classe + QStringLiteral("\\shell\\open\\command"), QString(),
                        aspas + programa + aspas + QStringLiteral(" \"%1\""));
    classes.writeString(classe + QStringLiteral("\\defaulticon"), QString(), programa + QStringLiteral(", 0"));
    return platform::associateFileType(desktopAssociationFor(extensao, descricao, programa)).ok;
}

bool RegistrarExtensaoDeArquivo(const QString& extensao, const QString& descricao)
{
    platform::SettingsStore classes = fileClassesStore();
    return RegistrarExtensaoDeArquivo(classes, extensao, descricao, platform::programFilePath());
}

bool RemoverExtensaoDeArquivo(platform::SettingsStore& classes, const QString& extensao, const QString& descricao)
{
    const QString e = extensionLetters(extensao);
    const bool chaves = classes.deleteKey(QLatin1Char('.') + e) && classes.deleteKey(e + QStringLiteral("_auto_file"));
    const bool desktop = platform::dissociateFileType(desktopAssociationFor(extensao, descricao, QString()));
    return chaves && desktop;
}

} // namespace lumoria
