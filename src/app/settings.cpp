#include "app/settings.h"

#include "platform/system/program_info.h"

#include <QLocale>
#include <QRegularExpression>

namespace lumoria {

namespace {

QString chave() { return QString::fromLatin1(kChaveDeConfiguracoes); }

// A letter-and-digit version of a name, for MIME subtypes and file names.
QString identifier(const QString& text)
{
    static const QRegularExpression others(QStringLiteral("[^a-z0-9]+"));
    return text.toLower().replace(others, QStringLiteral("-"));
}

} // namespace

platform::SettingsStore userSettingsStore()
{
    return platform::SettingsStore::inConfigFolder(QStringLiteral("lumoria/users.json"));
}

platform::SettingsStore fileClassesStore()
{
    return platform::SettingsStore::inConfigFolder(QStringLiteral("lumoria/classes.json"));
}

void LerConfiguracoesDoRegistro(platform::SettingsStore& store, Configuracoes& configuracoes)
{
    configuracoes = Configuracoes();
    bool faltou = false;
    store.createKey(chave()); // a key that cannot be created shows as missing values below
    if (const auto maximizada = store.readInteger(chave(), QString::fromLatin1(kValorEntrarMaximizada))) {
        configuracoes.EntrarMaximizada = *maximizada != 0;
        if (const auto contador = store.readInteger(chave(), QString::fromLatin1(kValorContadorDeUtilizacoes)))
            configuracoes.ContadorDeUtilizacoes = *contador;
        else
            faltou = true;
    } else {
        faltou = true;
    }
    if (faltou)
        GravarConfiguracoesNoRegistro(store, configuracoes);
}

void LerConfiguracoesDoRegistro(Configuracoes& configuracoes)
{
    platform::SettingsStore store = userSettingsStore();
    LerConfiguracoesDoRegistro(store, configuracoes);
}

void GravarConfiguracoesNoRegistro(platform::SettingsStore& store, const Configuracoes& configuracoes)
{
    store.writeInteger(chave(), QString::fromLatin1(kValorEntrarMaximizada), configuracoes.EntrarMaximizada ? 1 : 0);
    store.writeInteger(chave(), QString::fromLatin1(kValorContadorDeUtilizacoes), configuracoes.ContadorDeUtilizacoes);
}

void GravarConfiguracoesNoRegistro(const Configuracoes& configuracoes)
{
    platform::SettingsStore store = userSettingsStore();
    GravarConfiguracoesNoRegistro(store, configuracoes);
}

namespace {

QString extensionLetters(const QString& extensao)
{
    QString e = QLocale().toUpper(extensao);
    if (e.startsWith(QLatin1Char('.')))
        e.remove(0, 1);
    return e;
}

} // namespace

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

} // namespace lumoria
