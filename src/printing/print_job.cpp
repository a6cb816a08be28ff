#include "printing/print_job.h"

#include "album/album_model.h"
#include "platform/printing/printer.h"

#include <memory>

namespace lumoria {

void ImprimirPaginas(platform::Printer& impressora, TAlbum& album, const TrabalhoDeImpressao& trabalho,
                     const AndamentoDaImpressao& andamento)
{
    impressora.SetPortrait();
    const std::unique_ptr<platform::PrintDocument> documento = impressora.BeginDoc(trabalho.titulo);
    for (int i = trabalho.primeira; i <= trabalho.ultima; ++i) {
        album.Pagina(i).DesenharParaImpressao(documento->GetCanvas(), trabalho.ajustarBordas);
        if (i < trabalho.ultima)
            documento->NewPage();
        if (andamento)
            andamento(i - trabalho.primeira + 1);
    }
    documento->EndDoc();
}

} // namespace lumoria
