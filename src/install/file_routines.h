#pragma once
// Shortcuts, special folders and silent file and folder operations used by the install modes (and,
// for the documents folder, by start-up and the photo editors). Folders are returned without a
// trailing "/"; callers append it.
#include <QString>

#include "platform/shell/file_operations.h"

#include <cstdint>

class QIODevice;
class QWidget;

namespace lumoria {

// Where CriarAtalho puts a shortcut.
inline constexpr std::uint8_t kAtalhoNaAreaDeTrabalho = 0;
inline constexpr std::uint8_t kAtalhoNoMenuIniciar = 1;

// Writes the launcher <folder>/<nome>.desktop running `alvo` with `argumentos` (one argument, left
// out when empty) in `pastaDeTrabalho`. On the Desktop the subfolder is not used and nothing but the
// launcher is created; in the applications menu the folder <menu>/<subpasta> is created with all
// its parents. Any other location writes nothing. A link standing at the subfolder's or the
// launcher's name is refused, never written through. True when the launcher was written; otherwise
// the reason, when there is one, in `motivo`.
bool CriarAtalho(const QString& alvo, const QString& argumentos, const QString& pastaDeTrabalho, const QString& nome,
                 const QString& subpasta, std::uint8_t local, QString* motivo = nullptr);

// The folder for the uninstaller copy and shared files: the user's executables folder.
QString PastaDoWindows();
// The folder programs are installed into, or empty.
QString PastaArquivosDeProgramas();
QString PastaMeusDocumentos();
QString PastaAreaDeTrabalho();
// The applications menu folder.
QString PastaMenuIniciar();

// Copies a file in blocks, then gives the copy the source's date and permissions. False for the
// same file (also through links; another letter case is another file here), an unreadable source,
// a destination that cannot be created (a link standing at its name among them), or a read or
// write that fails, with the reason in `motivo`; an incomplete destination stays.
bool CopiarArquivo(const QString& origem, const QString& destino, QString* motivo = nullptr);

// Copies the folder's contents into the destination folder, merging into it when it exists, never
// through a link. Silent; true when everything was copied; what was written, and why a copy
// failed, in `registro`. The window is the owner of no dialog: none is shown.
bool CopiarPasta(QWidget* janela, const QString& origem, const QString& destino,
                 platform::CopyRecord* registro = nullptr);

// Deletes the file (to the trash when undo is allowed) when it exists. True when no file stands
// at the path afterwards, also when there was none.
bool ApagarArquivo(const QString& arquivo, bool permitirDesfazer);

// Deletes the folder with its contents (to the trash when undo is allowed). False when the folder
// is missing or could not be deleted whole.
bool ApagarPasta(const QString& pasta, bool permitirDesfazer);

// The copy loop of CopiarArquivo.
using platform::copyInBlocks;

} // namespace lumoria
