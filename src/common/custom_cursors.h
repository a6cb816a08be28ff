#pragma once
// The program's set of nine animated cursors: written beside the program from its resources at
// start, loaded into cursor ids 5376 to 5384, and deleted on exit. Every window maps its controls'
// designed cursors onto the set when it is created.
#include <QString>

#include <array>

#include "platform/ui/screen_cursor.h"

class QWidget;

namespace lumoria {

constexpr platform::CursorId crApontar = 5376;
constexpr platform::CursorId crCortar = 5377;
constexpr platform::CursorId crDivHorizontal = 5378;
constexpr platform::CursorId crEsperar = 5379;
constexpr platform::CursorId crExecutar = 5380;
constexpr platform::CursorId crMovimentar = 5381;
constexpr platform::CursorId crNormal = 5382;
constexpr platform::CursorId crPintar = 5383;
constexpr platform::CursorId crTocar = 5384;

struct CursorAnimado {
    platform::CursorId id;
    const char* arquivo;
    const char* recurso;
};

// In the order of writing, loading and deleting.
extern const std::array<CursorAnimado, 9> kCursoresAnimados;

// The cursor of the set that replaces a designed cursor.
platform::CursorId MapearCursorDesenhado(platform::CursorId desenhado);

// Deletes each cursor file in the folder and writes it again from the resources (a file that cannot
// be deleted stays as it is). A file that cannot be written raises the file failure.
void GravarArquivosDeCursores(const QString& pasta);
// Deletes the cursor files from the folder.
void ApagarArquivosDeCursores(const QString& pasta);

// Loads the nine files of the folder into their ids (a file that cannot be loaded leaves its id on
// the default cursor) and gives the main window the ordinary cursor 5382.
void CarregarCursoresAnimados(const QString& pasta, QWidget* janelaPrincipal);

// Maps every control of the window onto the set and makes every panel paint its own colour. The
// window's own cursor is left alone.
void AplicarCursoresNosControles(QWidget* janela);

} // namespace lumoria
