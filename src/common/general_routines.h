#pragma once
// Free routines shared by the whole program: message text building, number and text formatting,
// a wait that keeps the windows alive, opening files, the program's version, shortened paths,
// resources and dropped files.
#include <QString>

#include <functional>
#include <optional>

#include "platform/system/program_info.h"

class QWidget;

namespace lumoria {

// n times CR LF; empty for n <= 0.
QString QuebrasDeLinha(int n);

// The value with the given decimals, the locale's thousands and decimal separators, halves rounded
// away from zero, padded on the left with blanks to at least the width.
QString FormatarNumero(int largura, int decimais, long double valor);

// The value in decimal, padded on the left with zeros to at least the width (-5 in 4 gives "00-5").
QString ZerosAEsquerda(int valor, int largura);

// Title case: a letter starts a word after a blank or one of @#$%&*-_=+[<({/\ (and at the start).
QString PrimeirasLetrasMaiusculas(const QString& texto);

// Waits the given seconds while processing window events (at least once), with the wait cursor when
// asked; the screen cursor is the same afterwards.
void Esperar(bool cursorDeEspera, long double segundos);

// Opens a file or address with its associated program; false when no program could be started
// (the caller decides whether to tell). naoAbriu runs later, guarded, when the desktop's opener
// started but found no program for it.
bool AbrirComProgramaAssociado(const QString& arquivoOuEndereco, const std::function<void()>& naoAbriu = {});

// The program's version "a.b.c.d", or "Padrão" when it has none.
QString VersaoDoExecutavel();
QString VersaoDoExecutavel(const std::optional<platform::FileVersion>& versao);

// A path shortened for display: the part before the first "/" (empty for an absolute path), "/...",
// then the last folders that fit and the file name.
QString AbreviarCaminho(const QString& caminho, int tamanhoMaximo);

// Writes the program's raw-data resource to the file when the file does not exist yet. A missing
// resource raises ResourceNotFound; a file that cannot be written raises FileError.
void ExtrairRecursoParaArquivo(const QString& nomeDoRecurso, const QString& arquivo);

// Lets the window take files dropped from the file manager (see platform/shell/file_drop.h).
void AceitarArquivosArrastados(QWidget* janela);

} // namespace lumoria
