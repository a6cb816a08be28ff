#pragma once
// The paper and photo sizes that the two size lists of the main window offer, in millimetres.
#include <QStringList>

#include <cstdint>

namespace lumoria {

class TPagina;

constexpr int kPaperTypeCount = 3;
constexpr int kPhotoListItemCount = 7;
constexpr int kCustomPhotoType = 7; // the page's custom size; only a job file sets it

// The items of the paper list and of the photo list, in index order.
const QStringList& paperListItems();
const QStringList& photoListItems();
// The item's text, empty for an index without an item (a list without selection).
QString paperListText(int item);
QString photoListText(int item);

// Paper size of a paper list item; any other index leaves largura and altura as they were.
void PegarLarguraAlturaDaPaginaConfigurada(int indice, std::int32_t& largura, std::int32_t& altura);

// Photo size of a photo list item, before any turn: "10 x 15" is 100 x 148 when the paper list
// shows A4; item 7 is the custom size of paginaAtual. Any other index leaves the sizes as they were.
void photoSizeForItem(int itemFoto, int itemPapel, const TPagina& paginaAtual, std::int32_t& largura,
                      std::int32_t& altura);

} // namespace lumoria
