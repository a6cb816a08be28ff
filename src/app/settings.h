#pragma once
// The program's two settings and the job-file association, kept in the settings store in place of
// the registry: the settings under the per-user key, the association under a store standing for the
// class registry, plus the desktop's own association for the job files.
#include "common/job_file_association.h"
#include "platform/system/settings_store.h"

#include <QString>

#include <cstdint>

namespace lumoria {

// The main window owns these fields; the routines below read and write them.
struct Configuracoes {
    bool EntrarMaximizada = true;          // start with the main window maximised
    std::int32_t ContadorDeUtilizacoes = 0; // runs counted for the welcome tip
};

inline constexpr char kChaveDeConfiguracoes[] = ".DEFAULT\\SOFTWARE\\Karvel\\Lumoria";
inline constexpr char kValorEntrarMaximizada[] = "Entrar_Com_Janela_Maximizada";
inline constexpr char kValorContadorDeUtilizacoes[] = "Numero_Da_Utilizacao_Para_Orientacao";

// The user's settings store.
platform::SettingsStore userSettingsStore();

// Fills the fields from the store, in order: the first value missing or not an integer stops the
// reading (the fields after it keep their defaults) and then both values are written back at once;
// a refused write raises SettingsWriteError.
void LerConfiguracoesDoRegistro(platform::SettingsStore& store, Configuracoes& configuracoes);
void LerConfiguracoesDoRegistro(Configuracoes& configuracoes);

// Writes both values, maximised first; a refused write raises SettingsWriteError.
void GravarConfiguracoesNoRegistro(platform::SettingsStore& store, const Configuracoes& configuracoes);
void GravarConfiguracoesNoRegistro(const Configuracoes& configuracoes);

} // namespace lumoria
