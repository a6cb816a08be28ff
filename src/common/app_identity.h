#pragma once
// The program's name with its short version, and the folder it runs from.
#include <QString>

namespace lumoria {

// "v" + the version up to its second full stop ("1.2.3.4" gives "v1.2"); the whole text when it
// has fewer than two full stops ("vPadrão").
QString VersaoCurta(const QString& versaoCompleta);
QString VersaoCurta();

// "Lumoria " + the short version, e.g. "Lumoria v1.0": the main window's title, the start of most
// message texts and failure captions.
QString TituloDoAplicativo();

// The program's folder, letter case kept, ending in "/".
QString PastaDoAplicativo();

} // namespace lumoria
