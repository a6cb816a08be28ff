#pragma once
// The user's special folders. Each is given as the system names it, without a trailing "/", and is
// not created (except the executables folder, which programs expect to find); empty when the
// system knows no such folder.
#include <QString>

namespace lumoria::platform {

QString documentsFolder();
// Where the file dialogs start: the documents folder, or the home folder when the user has none
// (a dialog given a missing folder would start in the program's working folder).
QString dialogStartFolder();
QString desktopFolder();
// The applications menu: launchers placed here (also in subfolders) show in the desktop's menu.
QString applicationsMenuFolder();
// Where programs are installed: ~/.local/opt, or /opt for the administrator. Not created.
QString installedProgramsFolder();
// The user's own executables, ~/.local/bin; created when missing.
QString userExecutablesFolder();
// The per-user runtime folder ($XDG_RUNTIME_DIR, or a private folder the system falls back to);
// empty when there is none.
QString runtimeFolder();

} // namespace lumoria::platform
