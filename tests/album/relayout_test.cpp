#include <gtest/gtest.h>

#include "album/album_document.h"
#include "album/size_tables.h"
#include "album_test_support.h"

#include <vector>

using namespace lumoria;

namespace {

// The relayout under test, as the window's size lists run it.
const PageLegend& relayout(AlbumDocument& doc, bool lembrar, int paper, int photo)
{
    return doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(lembrar, {paper, photo});
}

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
    SizeListSelection lists{0, 2};
    doc.setSizeListReader([&] { return lists; });
    std::int32_t w = 0, h = 0;
    doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 148); // "10 x 15" on A4
    lists = {1, 2};
    doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
    EXPECT_EQ(h, 150);
    lists = {-1, 2};
    doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
    EXPECT_EQ(h, 150);
    lists = {0, 6};
    doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
    EXPECT_EQ(w, 20);
    EXPECT_EQ(h, 20);
    lists = {0, 7}; // custom: width = second value, height = first
    doc.currentPage().TamanhoPersonalizado1 = 45;
    doc.currentPage().TamanhoPersonalizado2 = 35;
    doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
    EXPECT_EQ(w, 35);
    EXPECT_EQ(h, 45);
    lists = {0, -1}; // no selection leaves the values
    doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
    EXPECT_EQ(w, 35);
    lists = {0, 8};
    doc.PegarLarguraAlturaDasFotosConfigurada(w, h);
    EXPECT_EQ(h, 45);
}

TEST(Relayout, LegendTextsColoursAndHint)
{
    AlbumDocument doc;
    PageLegend l = relayout(doc, false, 0, 3);
    EXPECT_EQ(l.caption, "4 Fotos Por Folha");
    EXPECT_EQ(l.colour, 0xFF000015u); // cl3DDkShadow
    EXPECT_EQ(l.hint, "Página a Ser Impressa\r\nArraste Fotos Sobre Ela ou Clique Para Editar\r\n\r\n"
                      "Papel A4, 210 x 297 mm\r\nFotos 9 x 12 cm");

    l = relayout(doc, false, 2, 2);
    EXPECT_EQ(l.frames, 1);
    EXPECT_EQ(l.caption, "Uma Foto Por Folha");
    EXPECT_EQ(l.colour, PageLegend::kCl3DDkShadow);
    EXPECT_TRUE(l.hint.endsWith("\r\n\r\nPapel 10 x 15, 100 x 150 mm\r\nFotos 10 x 15 cm"));

    l = relayout(doc, false, 1, 0);
    EXPECT_EQ(l.frames, 0);
    EXPECT_EQ(l.caption, "Não Cabe Sequer Uma");
    EXPECT_EQ(l.colour, 0x0000BFu);
    EXPECT_TRUE(doc.currentPage().Fotos.empty());

    l = relayout(doc, false, 0, 6);
    EXPECT_EQ(l.caption, "140 Fotos Por Folha");
    EXPECT_EQ(doc.legenda(), l);
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

TEST(Relayout, EmptyFramesAreRememberedToo)
{
    AlbumDocument doc;
    relayout(doc, true, 0, 3);
    nameFrames(doc.currentPage(), "a");
    relayout(doc, true, 0, 0);
    doc.currentPage().Foto(0).NomeDoArquivo.clear(); // the operator removed the photo
    relayout(doc, true, 0, 3);
    EXPECT_EQ(names(doc.currentPage()), (QStringList{"", "/fotos/a1.jpg", "/fotos/a2.jpg", "/fotos/a3.jpg"}));
}

TEST(Relayout, WithoutLembrarFramesStayEmptyAndTheBufferIsKept)
{
    AlbumDocument doc;
    relayout(doc, true, 0, 3);
    nameFrames(doc.currentPage(), "a");
    relayout(doc, true, 0, 0);
    relayout(doc, false, 0, 3);
    EXPECT_EQ(names(doc.currentPage()), (QStringList{"", "", "", ""}));
    relayout(doc, false, 0, 0);
    relayout(doc, true, 0, 3); // remembers the one empty frame, brings back the rest
    EXPECT_EQ(names(doc.currentPage()), (QStringList{"", "/fotos/a1.jpg", "/fotos/a2.jpg", "/fotos/a3.jpg"}));
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

TEST(Relayout, NavigationForgetsTheRememberedNames)
{
    AlbumDocument doc;
    relayout(doc, true, 0, 3);
    nameFrames(doc.currentPage(), "a");
    relayout(doc, true, 0, 0);
    doc.ZerarNomesDosArquivosQueEstavamNaPaginaAntesDaCarga();
    relayout(doc, true, 0, 3);
    EXPECT_EQ(names(doc.currentPage()), (QStringList{"/fotos/a0.jpg", "", "", ""}));
}

// The names remembered on one page must never turn up on another page or in another job.
class RememberedNamesStayOnTheirPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        relayout(doc, true, 0, 3);
        nameFrames(doc.currentPage(), "a");
        doc.currentPage().TipoDaFoto = 0; // as the photo list's handler stores it
        relayout(doc, true, 0, 0);        // frames 1..3 now live only in the buffer
    }
    // Grows the page shown back to four frames, remembering.
    QStringList grownNames()
    {
        relayout(doc, true, 0, 3);
        return names(doc.currentPage());
    }
    AlbumDocument doc;
};

TEST_F(RememberedNamesStayOnTheirPage, AfterInsertingBefore)
{
    doc.Album().InserirPaginaAntes(0);
    EXPECT_EQ(grownNames(), (QStringList{"", "", "", ""}));
}

TEST_F(RememberedNamesStayOnTheirPage, AfterInsertingAfter)
{
    doc.Album().InserirPaginaDepois(0);
    EXPECT_EQ(grownNames(), (QStringList{"", "", "", ""}));
}

TEST_F(RememberedNamesStayOnTheirPage, AfterRemovingTheCurrentPage)
{
    doc.Album().InserirPaginaDepois(0); // page 1, now current
    relayout(doc, false, 0, 0);         // one empty frame
    doc.setCurrentPageIndex(0);         // back to page 0 without navigation
    relayout(doc, true, 0, 3);
    nameFrames(doc.currentPage(), "b");
    relayout(doc, true, 0, 0); // b1..b3 now live only in the buffer
    doc.Album().EliminarPagina(0);
    ASSERT_EQ(doc.currentPageIndex(), 0);
    ASSERT_EQ(doc.currentPage().frameCount(), 1);
    EXPECT_EQ(grownNames(), (QStringList{"", "", "", ""}));
}

TEST_F(RememberedNamesStayOnTheirPage, ButRemovingALaterPageKeepsThem)
{
    doc.Album().Paginas.push_back(std::make_unique<TPagina>());
    doc.Album().EliminarPagina(1);
    EXPECT_EQ(grownNames(), (QStringList{"/fotos/a0.jpg", "/fotos/a1.jpg", "/fotos/a2.jpg", "/fotos/a3.jpg"}));
}

TEST_F(RememberedNamesStayOnTheirPage, AfterReplacingTheAlbum)
{
    doc.replaceAlbum();
    EXPECT_EQ(grownNames(), (QStringList{"", "", "", ""}));
}

TEST_F(RememberedNamesStayOnTheirPage, AfterTheAlbumLosesAllItsPages)
{
    doc.Album().removeAllPages();
    EXPECT_EQ(doc.Album().pageCount(), 0);
    doc.Album().Paginas.push_back(std::make_unique<TPagina>());
    EXPECT_EQ(grownNames(), (QStringList{"", "", "", ""}));
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
