#pragma once
// The program's one argument: everything after the program on its command line.
#include <QString>
#include <QStringList>

namespace lumoria {

// The arguments (the program left out) joined with blanks and trimmed, then double quotes removed
// one by one from the start while it begins with one, then likewise from the end. Empty without
// arguments. A job path with blanks needs no quotes; two quoted parameters come back as one text
// with the inner quotes kept.
QString ParametroDaLinhaDeComando(const QStringList& argumentos);

} // namespace lumoria
