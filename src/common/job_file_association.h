#pragma once
// The job files' association, kept in a store standing for the class registry, plus the desktop's
// own association (MIME type and application entry). Start-up writes it for the copy that runs; the
// install writes it for the installed copy and the uninstall removes it.
#include <QString>

#include "platform/shell/file_association.h"
#include "platform/system/settings_store.h"

namespace lumoria {

// The job files' extension and the description they are registered with.
inline constexpr char kExtensaoDosTrabalhos[] = ".pvo";
inline constexpr char kDescricaoDosTrabalhos[] = "Lumoria";

// The store standing for the class registry.
platform::SettingsStore fileClassesStore();

// The desktop's names for a job-file type: its MIME type, glob and application entry.
platform::FileTypeAssociation desktopAssociationFor(const QString& extensao, const QString& descricao,
                                                    const QString& programa);

// Registers the extension (with or without its full stop, any case) as opened by the program: the
// four keys ".E", "E_auto_file", its "shell\open\command" and "defaulticon" in the classes store (a
// refused write raises SettingsWriteError), then the desktop's MIME type and application entry,
// written only when they changed. False when the desktop's files could not be written.
bool RegistrarExtensaoDeArquivo(platform::SettingsStore& classes, const QString& extensao, const QString& descricao,
                                const QString& programa);
// The same for the running program, in the user's classes store.
bool RegistrarExtensaoDeArquivo(const QString& extensao, const QString& descricao);

// Removes what the registration wrote: the keys ".E" and "E_auto_file" with the keys below it, the
// MIME type and the application entry. True when nothing of it is left.
bool RemoverExtensaoDeArquivo(platform::SettingsStore& classes, const QString& extensao, const QString& descricao);

} // namespace lumoria
