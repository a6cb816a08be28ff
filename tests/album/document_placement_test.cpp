// Placing photos and undoing them on the document alone, with no window.
#include <gtest/gtest.h>

#include "album/album_document.h"
#include "album_test_support.h"


using namespace lumoria;

namespace {

QString photo(int k) { return QStringLiteral("/fotos/%1.jpg").arg(k); }

} // namespace

TEST(DocumentPlacement, SettingAPhotoRecordsTheFrameAsItWasAndMarksTheJob)
{
    AlbumDocument doc;
    relayout(doc, false, 0, 3); // A4, 9 x 12: four frames
    ASSERT_EQ(doc.currentPage().frameCount(), 4);
    doc.currentPage().Foto(2).NomeDoArquivo = photo(0);
    doc.currentPage().Foto(2).Ajuste = kFitInside;

    doc.SetarFotoNaPaginaAtual(2, kFitCut, photo(1));

    EXPECT_EQ(doc.currentPage().Foto(2).NomeDoArquivo, photo(1));
    EXPECT_EQ(doc.currentPage().Foto(2).Ajuste, kFitCut);
    EXPECT_TRUE(doc.modified());
    const RegistroDeDesfazer& r = doc.undoStack().Backups()[0];
    EXPECT_EQ(r.Moldura, 2);
    EXPECT_EQ(r.Ajuste, kFitInside);
    EXPECT_EQ(r.NomeDoArquivo, photo(0));
    EXPECT_EQ(r.Pagina, doc.currentPage().Identidade());
    EXPECT_EQ(doc.undoStack().Backups()[1].Moldura, -1);
}

TEST(DocumentPlacement, TheStackKeepsTheNewest150AndUndoesThemInReverse)
{
    AlbumDocument doc;
    relayout(doc, false, 0, 3); // A4, 9 x 12: four frames
    for (int k = 1; k <= 151; ++k)
        doc.SetarFotoNaPaginaAtual(k % 4, kFitStretch, photo(k));

    // Undo walks back through 150 changes; the first change (frame 1 taking photo 1) is gone.
    for (int k = 151; k >= 2; --k) {
        const DesfazerAplicado feito = doc.Desfazer();
        ASSERT_EQ(feito.moldura, k % 4) << "change " << k;
        EXPECT_EQ(doc.currentPage().Foto(k % 4).NomeDoArquivo, k > 4 ? photo(k - 4) : QString()) << "change " << k;
    }
    EXPECT_EQ(doc.Desfazer().moldura, -1);
    EXPECT_EQ(doc.currentPage().Foto(1).NomeDoArquivo, photo(1)) << "the dropped record is never undone";
}

TEST(DocumentPlacement, UndoGoesToTheRecordsOwnPageAndSkipsRecordsWhosePageOrFrameIsGone)
{
    AlbumDocument doc;
    relayout(doc, false, 0, 3); // A4, 9 x 12: four frames
    doc.SetarFotoNaPaginaAtual(0, kFitStretch, photo(1)); // on the first page
    doc.Album().InserirPaginaDepois(0);                     // the new page becomes current
    ASSERT_EQ(doc.currentPageIndex(), 1);
    doc.SetarFotoNaPaginaAtual(3, kFitStretch, photo(2)); // on the second page
    doc.Album().InserirPaginaDepois(1);
    doc.SetarFotoNaPaginaAtual(1, kFitStretch, photo(3)); // on the third page
    doc.Album().EliminarPagina(2);                          // its record now has no page
    doc.setCurrentPageIndex(0);
    doc.Album().InserirPaginaAntes(0); // page identities move with their pages
    doc.setCurrentPageIndex(0);

    DesfazerAplicado feito = doc.Desfazer();
    EXPECT_EQ(feito.moldura, 3);
    EXPECT_EQ(feito.pagina, 2) << "the second page, now third after the insertion";
    EXPECT_EQ(doc.currentPageIndex(), 2);
    EXPECT_EQ(doc.Pagina(2).Foto(3).NomeDoArquivo, QString());

    feito = doc.Desfazer();
    EXPECT_EQ(feito.pagina, 1);
    EXPECT_EQ(doc.Pagina(1).Foto(0).NomeDoArquivo, QString());
    EXPECT_EQ(doc.Desfazer().moldura, -1);
}

TEST(DocumentPlacement, ARecordForAFrameThePageNoLongerHasIsDropped)
{
    AlbumDocument doc;
    relayout(doc, false, 0, 3); // A4, 9 x 12: four frames
    doc.SetarFotoNaPaginaAtual(3, kFitStretch, photo(1));
    // 18 x 27 leaves one frame on A4.
    relayout(doc, false, 0, 0);
    ASSERT_EQ(doc.currentPage().frameCount(), 1);
    EXPECT_EQ(doc.Desfazer().moldura, -1);
}
