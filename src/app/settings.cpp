#include "app/settings.h"

namespace lumoria {

namespace {

QString chave() { return QString::fromLatin1(kChaveDeConfiguracoes); }

} // namespace

platform::SettingsStore userSettingsStore()
{
    return platform::SettingsStore::inConfigFolder(QStringLiteral("lumoria/users.json"));
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

} // namespace lumoria
