#include <gtest/gtest.h>

#include "album/album_document.h"
#include "album/size_tables.h"
#include "album_test_support.h"

#include <functional>
#include <vector>

using namespace lumoria;

namespace {

void nameFrames(TPagina& p, const QString& prefix)
{
    for (int j = 0; j < p.frameCount(); ++j)
        p.Foto(j).NomeDoArquivo = QString("/fotos/%1%2.jpg").arg(prefix).arg(j);
}

QStringList names(const TPagina& p)
{
    QStringList out;
    for (const TFoto& f : p.Fotos)
        out << f.NomeDoArquivo;
    return out;
}

// Four frames named a0..a3, then the page cut to one frame: a1..a3 live only in the remembered names.
void cutToOneFrame(AlbumDocument& doc)
{
    relayout(doc, true, 0, 3);
    nameFrames(doc.currentPage(), "a");
    doc.currentPage().TipoDaFoto = 0; // as the photo list's handler stores it
    relayout(doc, true, 0, 0);
}

} // namespace

TEST(SizeTables, ListItemsAndSizes)
{
    EXPECT_EQ(paperListItems(),
              (QStringList{"A4, 210 x 297 mm", "10 x 18, 100 x 180 mm", "10 x 15, 100 x 150 mm"}));
    EXPECT_EQ(photoListItems(), (QStringList{"18 x 27", "14 x 19", "10 x 15", "9 x 12", "5 x 7", "3 x 4", "2 x 2"}));
    EXPECT_EQ(paperListText(-1), "");
    EXPECT_EQ(photoListText(7), "");

    std::int32_t w = -7, h = -9;
    PegarLarguraAlturaDaPaginaConfigurada(3, w, h);
    PegarLarguraAlturaDaPaginaConfigurada(-1, w, h);
    EXPECT_EQ(w, -7);
    EXPECT_EQ(h, -9);
    PegarLarguraAlturaDaPaginaConfigurada(1, w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 180);
}

TEST(SizeTables, PhotoSizeReadsBothListsAndTheCustomSize)
{
    AlbumDocument doc;
    doc.currentPage().TamanhoPersonalizado1 = 45;
    doc.currentPage().TamanhoPersonalizado2 = 35;
    const struct {
        SizeListSelection lists;
        std::int32_t w, h;
    } cases[] = {
        {{0, 2}, 100, 148}, // "10 x 15" on A4
        {{1, 2}, 100, 150},
        {{-1, 2}, 100, 150},
        {{0, 6}, 20, 20},
        {{0, 7}, 35, 45}, // custom: width = second value, height = first
        {{0, -1}, -7, -9}, // no selection leaves the values
        {{0, 8}, -7, -9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "lists " << c.lists.paperItem << "/" << c.lists.photoItem);
        doc.setSizeListReader([&] { return c.lists; });
        std::int32_t w = -7, h = -9;
        doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
    }
}

TEST(Relayout, LegendTextsColoursAndHint)
{
    AlbumDocument doc;
    // Captions and colours of every paper and photo pair: Tables/EveryPaperAndPhoto.
    const PageLegend l = relayout(doc, false, 0, 3);
    EXPECT_EQ(l.colour, 0xFF000015u); // cl3DDkShadow
    EXPECT_EQ(l.hint, "Página a Ser Impressa\r\nArraste Fotos Sobre Ela ou Clique Para Editar\r\n\r\n"
                      "Papel A4, 210 x 297 mm\r\nFotos 9 x 12 cm");
    EXPECT_EQ(doc.legenda(), l);
    EXPECT_TRUE(relayout(doc, false, 2, 2).hint.endsWith("\r\n\r\nPapel 10 x 15, 100 x 150 mm\r\nFotos 10 x 15 cm"));
}

TEST(Relayout, ReadsTheSizeListsAndNotThePageTypes)
{
    AlbumDocument doc;
    doc.currentPage().TipoDoPapel = 2;
    doc.currentPage().TipoDaFoto = 4;
    // Without a window the lists show the page's types.
    EXPECT_EQ(doc.sizeListSelection(), (SizeListSelection{2, 4}));
    doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true);
    EXPECT_EQ(pageRect(doc.currentPage()), (Rect{0, 0, 100, 150}));
    // A window's lists win over the page's types.
    doc.setSizeListReader([] { return SizeListSelection{0, 6}; });
    doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true);
    EXPECT_EQ(pageRect(doc.currentPage()), (Rect{0, 0, 210, 297}));
    EXPECT_EQ(doc.currentPage().frameCount(), 140);
    EXPECT_EQ(doc.currentPage().TipoDoPapel, 2); // the relayout does not store the types
}

TEST(Relayout, ResetsTheFrameUnderTheMouseAndKeepsTheModifiedFlag)
{
    AlbumDocument doc;
    doc.setFrameUnderMouse(2);
    doc.setModified(true);
    relayout(doc, true, 0, 3);
    EXPECT_EQ(doc.frameUnderMouse(), -1);
    EXPECT_TRUE(doc.modified());
    doc.setModified(false);
    relayout(doc, true, 0, 4);
    EXPECT_FALSE(doc.modified());
}

TEST(Relayout, TellsTheListenerEveryTime)
{
    AlbumDocument doc;
    std::vector<QString> seen;
    doc.setLegendListener([&](const PageLegend& l) { seen.push_back(l.caption); });
    relayout(doc, true, 0, 3);
    doc.Album().InserirPaginaDepois(0); // a page insertion lays its page out too
    relayout(doc, true, 1, 0);
    EXPECT_EQ(seen, (std::vector<QString>{"4 Fotos Por Folha", "4 Fotos Por Folha", "Não Cabe Sequer Uma"}));
}

TEST(Relayout, PhotosStayWithTheirFrameIndexAcrossSizeChanges)
{
    AlbumDocument doc;
    relayout(doc, true, 0, 3); // 4 frames
    nameFrames(doc.currentPage(), "a");
    doc.currentPage().Foto(1).Ajuste = 2;
    relayout(doc, true, 0, 0); // 1 frame: only frame 0 keeps its photo
    EXPECT_EQ(names(doc.currentPage()), (QStringList{"/fotos/a0.jpg"}));

    relayout(doc, true, 0, 4); // 16 frames: the vanished photos come back, fit modes do not
    const TPagina& p = doc.currentPage();
    ASSERT_EQ(p.frameCount(), 16);
    EXPECT_EQ(p.Foto(0).NomeDoArquivo, "/fotos/a0.jpg");
    EXPECT_EQ(p.Foto(1).NomeDoArquivo, "/fotos/a1.jpg");
    EXPECT_EQ(p.Foto(3).NomeDoArquivo, "/fotos/a3.jpg");
    EXPECT_EQ(p.Foto(1).Ajuste, 0);
    for (int j = 4; j < 16; ++j)
        EXPECT_TRUE(p.Foto(j).NomeDoArquivo.isEmpty()) << j;
}

// The names remembered on one page come back when it grows again, remembering, and never turn up
// on another page or in another job.
TEST(Relayout, RememberedNamesComeBackOnlyOnTheirPage)
{
    const QString a0 = "/fotos/a0.jpg", a1 = "/fotos/a1.jpg", a2 = "/fotos/a2.jpg", a3 = "/fotos/a3.jpg";
    const QStringList none{"", "", "", ""};
    const struct {
        const char* name;
        std::function<void(AlbumDocument&)> between;
        QStringList grown;
    } cases[] = {
        // Empty frames are remembered too.
        {"the operator removed the photo left", [](AlbumDocument& d) { d.currentPage().Foto(0).NomeDoArquivo.clear(); },
         {"", a1, a2, a3}},
        {"without remembering, the frames stay empty and the names are kept",
         [&](AlbumDocument& d) {
             relayout(d, false, 0, 3);
             EXPECT_EQ(names(d.currentPage()), none);
             relayout(d, false, 0, 0);
         },
         {"", a1, a2, a3}},
        {"navigation", [](AlbumDocument& d) { d.ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga(); }, {a0, "", "", ""}},
        {"inserting before", [](AlbumDocument& d) { d.Album().InserirPaginaAntes(0); }, none},
        {"inserting after", [](AlbumDocument& d) { d.Album().InserirPaginaDepois(0); }, none},
        {"removing the current page",
         [](AlbumDocument& d) {
             d.Album().InserirPaginaDepois(0); // page 1, now current
             relayout(d, false, 0, 0);         // one empty frame
             d.setCurrentPageIndex(0);         // back to page 0 without navigation
             relayout(d, true, 0, 3);
             nameFrames(d.currentPage(), "b");
             relayout(d, true, 0, 0); // b1..b3 now live only in the remembered names
             d.Album().EliminarPagina(0);
             ASSERT_EQ(d.currentPageIndex(), 0);
             ASSERT_EQ(d.currentPage().frameCount(), 1);
         },
         none},
        {"removing a later page",
         [](AlbumDocument& d) {
             d.Album().Paginas.push_back(std::make_unique<TPagina>());
             d.Album().EliminarPagina(1);
         },
         {a0, a1, a2, a3}},
        {"replacing the album", [](AlbumDocument& d) { d.replaceAlbum(); }, none},
        {"the album losing all its pages",
         [](AlbumDocument& d) {
             d.Album().removeAllPages();
             EXPECT_EQ(d.Album().pageCount(), 0);
             d.Album().Paginas.push_back(std::make_unique<TPagina>());
         },
         none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AlbumDocument doc;
        cutToOneFrame(doc);
        c.between(doc);
        relayout(doc, true, 0, 3);
        EXPECT_EQ(names(doc.currentPage()), c.grown);
    }
}

TEST(Relayout, OnlyTheFirst140FramesKeepTheirNames)
{
    AlbumDocument doc;
    TPagina& p = doc.currentPage();
    p.TipoDaFoto = kCustomPhotoType;
    p.TamanhoPersonalizado1 = 10;
    p.TamanhoPersonalizado2 = 10;
    relayout(doc, true, 0, -1); // 21 x 29 frames of 10 x 10
    ASSERT_EQ(p.frameCount(), 609);
    nameFrames(p, "c");
    relayout(doc, true, 0, -1);
    EXPECT_EQ(p.Foto(0).NomeDoArquivo, "/fotos/c0.jpg");
    EXPECT_EQ(p.Foto(139).NomeDoArquivo, "/fotos/c139.jpg");
    EXPECT_TRUE(p.Foto(140).NomeDoArquivo.isEmpty());
    EXPECT_TRUE(p.Foto(608).NomeDoArquivo.isEmpty());
}

TEST(Relayout, NoPhotoSelectionUsesTheCustomSize)
{
    AlbumDocument doc;
    TPagina& p = doc.currentPage();
    p.TipoDaFoto = kCustomPhotoType;
    p.TamanhoPersonalizado1 = 80; // height
    p.TamanhoPersonalizado2 = 60; // width
    EXPECT_EQ(doc.sizeListSelection(), (SizeListSelection{0, -1}));
    const PageLegend& l = doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true);
    // Upright 3 x 3 = 9, turned Trunc(297/60) * Trunc(210/80) = 4 x 2 = 8.
    EXPECT_EQ(l.frames, 9);
    EXPECT_EQ(frameRect(p.Foto(0)), (Rect{15, 28, 75, 108}));
    EXPECT_TRUE(l.hint.endsWith("\r\nFotos  cm"));
}

TEST(Relayout, NoUsableSizeLeavesThePageAsItWas)
{
    AlbumDocument doc;
    relayout(doc, true, 0, 3);
    nameFrames(doc.currentPage(), "a");
    doc.currentPage().Foto(2).Ajuste = 1;
    const TPagina before = doc.currentPage();
    auto unchanged = [&] {
        const TPagina& p = doc.currentPage();
        EXPECT_EQ(pageRect(p), pageRect(before));
        ASSERT_EQ(p.frameCount(), before.frameCount());
        for (int j = 0; j < p.frameCount(); ++j) {
            EXPECT_EQ(frameRect(p.Foto(j)), frameRect(before.Foto(j)));
            EXPECT_EQ(p.Foto(j).NomeDoArquivo, before.Foto(j).NomeDoArquivo);
            EXPECT_EQ(p.Foto(j).Ajuste, before.Foto(j).Ajuste);
        }
    };
    for (const auto& custom : {std::pair{0, 60}, std::pair{80, 0}, std::pair{-80, 60}, std::pair{80, -1}}) {
        doc.currentPage().TamanhoPersonalizado1 = custom.first;
        doc.currentPage().TamanhoPersonalizado2 = custom.second;
        doc.setFrameUnderMouse(1);
        const PageLegend& l = relayout(doc, true, 0, -1);
        unchanged();
        EXPECT_EQ(l.caption, "4 Fotos Por Folha");
        EXPECT_EQ(doc.frameUnderMouse(), -1);
    }
    // A paper list without selection (a paper type the list does not offer).
    const PageLegend& l = relayout(doc, true, -1, 3);
    unchanged();
    EXPECT_EQ(l.caption, "4 Fotos Por Folha");
    EXPECT_TRUE(l.hint.contains("\r\nPapel \r\nFotos 9 x 12 cm"));
}
