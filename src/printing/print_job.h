#pragma once
// The page loop of printing, without windows: a range of the album's pages sent to a printer as one
// document, each page drawn at the printer's resolution and handed over before the next is drawn,
// so that memory holds one page at a time whatever the length of the job.
#include <QString>

#include <functional>

namespace lumoria {

namespace platform {
class Printer;
}

class TAlbum;

struct TrabalhoDeImpressao {
    int primeira = 0;        // 0-based, inclusive
    int ultima = 0;
    bool ajustarBordas = false;
    QString titulo;
};

// Runs after each page has been handed over, with the pages done so far.
using AndamentoDaImpressao = std::function<void(int paginasFeitas)>;

// Turns the paper upright, begins the document, draws each page with DesenharParaImpressao and
// starts a new printer page between pages, then ends the document. A failure (a page that does not
// draw, a printer that refuses the job or a page) abandons the document and passes on.
void ImprimirPaginas(platform::Printer& impressora, TAlbum& album, const TrabalhoDeImpressao& trabalho,
                     const AndamentoDaImpressao& andamento = {});

} // namespace lumoria
