#include <gtest/gtest.h>

#include "album/album_document.h"
#include "album_test_support.h"
#include "platform/failure.h"

using namespace lumoria;

namespace {

// An album whose pages have the given frame counts; page i's first frame is named "p<i>".
void fillPages(AlbumDocument& doc, std::initializer_list<int> frameCounts)
{
    TAlbum& a = doc.Album();
    a.Paginas.clear();
    int i = 0;
    for (int n : frameCounts) {
        auto p = std::make_unique<TPagina>();
        p->Fotos.resize(static_cast<std::size_t>(n));
        if (n > 0)
            p->Fotos[0].NomeDoArquivo = QString("p%1").arg(i);
        p->TamanhoPersonalizado1 = 100 + i; // tells the pages apart
        a.Paginas.push_back(std::move(p));
        ++i;
    }
}

} // namespace

TEST(AlbumPages, ANewDocumentHasOneDefaultPage)
{
    AlbumDocument doc;
    ASSERT_EQ(doc.Album().pageCount(), 1);
    EXPECT_EQ(doc.currentPageIndex(), 0);
    EXPECT_EQ(doc.frameUnderMouse(), -1);
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.currentPage().TipoDoPapel, 0);
    EXPECT_EQ(doc.currentPage().TipoDaFoto, 3);
}

TEST(AlbumPages, AccessOutsideTheListsFails)
{
    AlbumDocument doc;
    fillPages(doc, {4, 0});
    EXPECT_NO_THROW(doc.Pagina(1));
    EXPECT_THROW(doc.Pagina(2), ListIndexError);
    EXPECT_THROW(doc.Album().Pagina(-1), ListIndexError);
    EXPECT_NO_THROW(doc.Foto(0, 3));
    EXPECT_THROW(doc.Foto(0, 4), ListIndexError);
    EXPECT_THROW(doc.Foto(1, 0), ListIndexError);
    EXPECT_THROW(doc.Foto(5, 0), ListIndexError);
    try {
        doc.Pagina(7);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "List index out of bounds (7)");
    }
}

TEST(AlbumPages, CountingFramesClampsTheRange)
{
    AlbumDocument doc;
    fillPages(doc, {4, 0, 6});
    const TAlbum& a = doc.Album();
    EXPECT_EQ(a.ContarFotos(-1, -1), 10);
    EXPECT_EQ(a.ContarFotos(2, 1), 0);
    EXPECT_EQ(a.ContarFotos(0, 0), 4);
    EXPECT_EQ(a.ContarFotos(1, 2), 6);
    EXPECT_EQ(a.ContarFotos(3, 0), 4);   // first above the end becomes 0
    EXPECT_EQ(a.ContarFotos(-5, 1), 4);  // first below 0 becomes 0
    EXPECT_EQ(a.ContarFotos(2, 9), 6);   // last above the end becomes the last page
    EXPECT_EQ(a.ContarFotos(2, -1), 6);
    EXPECT_EQ(a.ContarFotos(9, 9), 10);  // both clamped: the whole album
    fillPages(doc, {});
    EXPECT_EQ(doc.Album().ContarFotos(-1, -1), 0);
}

TEST(AlbumPages, InsertingBeforeCopiesTypesAndShowsTheNewEmptyPage)
{
    AlbumDocument doc;
    fillPages(doc, {1, 1, 1, 1});
    doc.Pagina(2).TipoDoPapel = 2;
    doc.Pagina(2).TipoDaFoto = 4;
    doc.setCurrentPageIndex(2);
    doc.setModified(false);
    doc.setFrameUnderMouse(3);
    doc.Album().InserirPaginaAntes(2);

    ASSERT_EQ(doc.Album().pageCount(), 5);
    EXPECT_EQ(doc.currentPageIndex(), 2);
    const TPagina& nova = doc.Pagina(2);
    EXPECT_EQ(nova.TipoDoPapel, 2);
    EXPECT_EQ(nova.TipoDaFoto, 4);
    EXPECT_EQ(nova.TamanhoPersonalizado1, 102);
    EXPECT_EQ(nova.TamanhoPersonalizado2, 60);
    // Laid out as 5 x 7 on 10 x 15 paper, every frame empty.
    EXPECT_EQ(pageRect(nova), (Rect{0, 0, 100, 150}));
    ASSERT_EQ(nova.frameCount(), 4);
    for (const TFoto& f : nova.Fotos)
        EXPECT_TRUE(f.NomeDoArquivo.isEmpty());
    EXPECT_EQ(doc.Pagina(3).Foto(0).NomeDoArquivo, "p2"); // the old page moved on
    EXPECT_EQ(doc.frameUnderMouse(), -1);
    EXPECT_EQ(doc.legenda().caption, "4 Fotos Por Folha");
    EXPECT_FALSE(doc.modified()); // the page-control window marks the job, not the album
}

TEST(AlbumPages, InsertingAfterShowsTheNextPosition)
{
    AlbumDocument doc;
    fillPages(doc, {1, 1});
    doc.Album().InserirPaginaDepois(1);
    ASSERT_EQ(doc.Album().pageCount(), 3);
    EXPECT_EQ(doc.currentPageIndex(), 2);
    EXPECT_EQ(doc.Pagina(2).TamanhoPersonalizado1, 101);
    EXPECT_EQ(doc.Pagina(2).frameCount(), 4); // A4, 9 x 12
    doc.Album().InserirPaginaDepois(0);
    EXPECT_EQ(doc.currentPageIndex(), 1);
    EXPECT_EQ(doc.Pagina(1).TamanhoPersonalizado1, 100);
    EXPECT_EQ(doc.Pagina(2).Foto(0).NomeDoArquivo, "p1");
}

TEST(AlbumPages, RemovingMovesTheCurrentIndexBack)
{
    const struct {
        const char* name;
        int current, removed, nowCurrent;
        const char* shown; // the first frame's name on the page now current
    } cases[] = {
        {"page 0 while current: the old second page", 0, 0, 0, "p1"},
        {"the last page while current: the one before it", 3, 3, 2, "p2"},
        {"an earlier page: the page before the removed one", 3, 2, 1, "p1"},
        {"a later page: the index stays", 1, 3, 1, "p1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AlbumDocument doc;
        fillPages(doc, {1, 1, 1, 1});
        doc.setCurrentPageIndex(c.current);
        doc.Album().EliminarPagina(c.removed);
        EXPECT_EQ(doc.Album().pageCount(), 3);
        EXPECT_EQ(doc.currentPageIndex(), c.nowCurrent);
        EXPECT_EQ(doc.currentPage().Foto(0).NomeDoArquivo, c.shown);
    }
}

TEST(AlbumPages, InsertingFromOrRemovingAMissingPageFailsAndChangesNothing)
{
    AlbumDocument doc;
    fillPages(doc, {1, 1});
    doc.setCurrentPageIndex(1);
    EXPECT_THROW(doc.Album().InserirPaginaDepois(2), ListIndexError);
    EXPECT_THROW(doc.Album().InserirPaginaAntes(-1), ListIndexError);
    EXPECT_THROW(doc.Album().EliminarPagina(2), ListIndexError);
    EXPECT_THROW(doc.Album().EliminarPagina(-1), ListIndexError);
    EXPECT_EQ(doc.Album().pageCount(), 2);
    EXPECT_EQ(doc.currentPageIndex(), 1);
}

TEST(AlbumPages, ReplacingTheAlbumStartsOverWithOneDefaultPage)
{
    AlbumDocument doc;
    fillPages(doc, {3, 2, 1});
    doc.setCurrentPageIndex(2);
    doc.setFrameUnderMouse(1);
    doc.replaceAlbum();
    ASSERT_EQ(doc.Album().pageCount(), 1);
    EXPECT_EQ(doc.currentPageIndex(), 0);
    EXPECT_EQ(doc.frameUnderMouse(), -1);
    EXPECT_TRUE(doc.currentPage().Fotos.empty());
    EXPECT_EQ(doc.currentPage().TipoDaFoto, 3);
}

TEST(AlbumPages, EveryPageHasItsOwnIdentityCopiesIncluded)
{
    TPagina a;
    TPagina b;
    EXPECT_NE(a.Identidade(), b.Identidade());
    a.TipoDaFoto = 5;
    TPagina c(a);
    EXPECT_EQ(c.TipoDaFoto, 5);
    EXPECT_NE(c.Identidade(), a.Identidade());
    const auto own = b.Identidade();
    b = a;
    EXPECT_EQ(b.TipoDaFoto, 5);
    EXPECT_EQ(b.Identidade(), own);
}
