#include "album/size_tables.h"

#include "album/album_model.h"

namespace lumoria {

namespace {

struct Tamanho {
    std::int32_t largura;
    std::int32_t altura;
};

constexpr Tamanho kPapeis[kPaperTypeCount] = {{210, 297}, {100, 180}, {100, 150}};
constexpr Tamanho kFotos[kPhotoListItemCount] = {{180, 270}, {140, 190}, {100, 150}, {90, 120},
                                                 {50, 70},   {30, 40},   {20, 20}};
constexpr int kItemA4 = 0;
constexpr int kItemFoto10x15 = 2;
constexpr std::int32_t kAlturaDe10x15NoA4 = 148; // two rows of 150 mm would not fit on 297 mm

QString itemText(const QStringList& items, int item)
{
    return item >= 0 && item < items.size() ? items[item] : QString();
}

} // namespace

const QStringList& paperListItems()
{
    static const QStringList items = {QStringLiteral("A4, 210 x 297 mm"), QStringLiteral("10 x 18, 100 x 180 mm"),
                                      QStringLiteral("10 x 15, 100 x 150 mm")};
    return items;
}

const QStringList& photoListItems()
{
    static const QStringList items = {QStringLiteral("18 x 27"), QStringLiteral("14 x 19"), QStringLiteral("10 x 15"),
                                      QStringLiteral("9 x 12"),  QStringLiteral("5 x 7"),   QStringLiteral("3 x 4"),
                                      QStringLiteral("2 x 2")};
    return items;
}

QString paperListText(int item) { return itemText(paperListItems(), item); }
QString photoListText(int item) { return itemText(photoListItems(), item); }

void PegarLarguraAlturaDaPaginaConfigurada(int indice, std::int32_t& largura, std::int32_t& altura)
{
    if (indice < 0 || indice >= kPaperTypeCount)
        return;
    largura = kPapeis[indice].largura;
    altura = kPapeis[indice].altura;
}

void photoSizeForItem(int itemFoto, int itemPapel, const TPagina& paginaAtual, std::int32_t& largura,
                      std::int32_t& altura)
{
    if (itemFoto == kCustomPhotoType) {
        largura = paginaAtual.TamanhoPersonalizado2;
        altura = paginaAtual.TamanhoPersonalizado1;
        return;
    }
    if (itemFoto < 0 || itemFoto >= kPhotoListItemCount)
        return;
    largura = kFotos[itemFoto].largura;
    altura = kFotos[itemFoto].altura;
    if (itemFoto == kItemFoto10x15 && itemPapel == kItemA4)
        altura = kAlturaDe10x15NoA4;
}

} // namespace lumoria
