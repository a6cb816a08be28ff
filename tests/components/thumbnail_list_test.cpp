// The thumbnail list: folders, the live count and resync, cells drawn fitted and centred, and the
// pictures read only for painted cells.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QStyle>
#include <QTest>

#include <atomic>
#include <thread>

#include "components/thumbnail_list.h"
#include "platform/graphics/decode_budget.h"
#include "platform/shell/folder_listing.h"
#include "support/picture_files.h"
#include "support/test_env.h"
#include "support/test_files.h"

namespace lumoria {
namespace {

using namespace test;

const QColor kVermelho(210, 0, 0);

class ThumbnailListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lista = std::make_unique<TThumbnailList>();
        lista->SetColor(platform::clGray);
        lista->SetColumns(3);
        lista->SetMultiSelect(true);
        lista->setFrameShape(QFrame::NoFrame);
        QPalette branca = lista->palette();
        branca.setColor(QPalette::Text, Qt::white);
        lista->setPalette(branca);
    }

    QString Pasta(const QString& nome) { return freshFolder(nome); }

    void Mostrar(int largura, int altura)
    {
        lista->resize(largura, altura);
        lista->show();
        QApplication::processEvents();
    }

    // Paints the list as the screen would and waits for the pictures its cells asked for.
    QImage Pintar()
    {
        lista->grab();
        EXPECT_TRUE(lista->WaitForPictures());
        return lista->grab().toImage();
    }

    std::unique_ptr<TThumbnailList> lista;
};

TEST_F(ThumbnailListTest, LoadFolderKeepsThePictureExtensionsInTheFileSystemsOrder)
{
    const QString pasta = Pasta(QStringLiteral("cinco"));
    for (const char* nome : {"a.jpg", "b.Jpeg", "c.png", "d.tif", "e.bmp"})
        writeFile(pasta + QLatin1Char('/') + QLatin1String(nome), "x");
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));

    QStringList esperados;
    for (const QString& nome : platform::folderEntryNames(pasta, QStringLiteral("*.*")))
        if (nome != QStringLiteral("c.png") && nome != QStringLiteral("d.tif"))
            esperados << nome;
    ASSERT_EQ(lista->Thumbnails().Count(), 3);
    EXPECT_EQ(lista->Count(), 3);
    QStringList vistos;
    for (int i = 0; i < 3; ++i) {
        TThumbnail* item = lista->Thumbnails()[i];
        vistos << item->Caption();
        EXPECT_EQ(item->Filename(), pasta + QLatin1Char('/') + item->Caption());
        EXPECT_EQ(item->Source, tsFile);
        EXPECT_TRUE(item->Picture().Empty());
    }
    EXPECT_EQ(vistos, esperados);
}

TEST_F(ThumbnailListTest, HiddenFilesAndFoldersWithAPictureExtensionAreListedToo)
{
    const QString pasta = Pasta(QStringLiteral("ocultos"));
    writeFile(pasta + QStringLiteral("/.escondida.GIF"), "x");
    QDir().mkpath(pasta + QStringLiteral("/album.jpg"));
    writeFile(pasta + QStringLiteral("/semextensao"), "x");
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    QStringList vistos;
    for (int i = 0; i < lista->Thumbnails().Count(); ++i)
        vistos << lista->Thumbnails()[i]->Caption();
    vistos.sort();
    EXPECT_EQ(vistos, QStringList({QStringLiteral(".escondida.GIF"), QStringLiteral("album.jpg")}));
}

TEST_F(ThumbnailListTest, NothingIsDecodedBeforeItsCellIsPainted)
{
    const QString pasta = Pasta(QStringLiteral("muitas"));
    const QByteArray bmp = BmpBytes(SolidImage(40, 30, kVermelho), 24);
    for (int i = 0; i < 30; ++i)
        writeFile(pasta + QStringLiteral("/f%1.bmp").arg(i, 2, 10, QLatin1Char('0')), bmp);
    lista->SetThumbnailSize(73);
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(lista->Thumbnails()[i]->loading(), TThumbnail::Loading::None);
    EXPECT_EQ(lista->PendingPictures(), 0);

    // Two rows of three columns show, above the sideways scroll bar.
    Mostrar(220, 146 + lista->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    Pintar();
    int lidas = 0;
    for (int i = 0; i < 30; ++i) {
        const TThumbnail* item = lista->Thumbnails()[i];
        const bool visivel = lista->viewport()->rect().intersects(lista->visualRect(lista->model()->index(i, 0)));
        EXPECT_EQ(item->loading() == TThumbnail::Loading::Done, visivel) << i;
        lidas += item->loading() == TThumbnail::Loading::Done;
    }
    EXPECT_GE(lidas, 4);
    EXPECT_LE(lidas, 9);
    // The cells flow down the columns: the second item stands under the first.
    EXPECT_EQ(lista->ItemRect(1).left(), lista->ItemRect(0).left());
    EXPECT_EQ(lista->ItemRect(1).top(), lista->ItemRect(0).top() + 73);
}

TEST_F(ThumbnailListTest, APictureThatFailsIsNotTriedAgainUntilTheFolderIsLoadedAgain)
{
    const QString pasta = Pasta(QStringLiteral("falha"));
    writeFile(pasta + QStringLiteral("/texto.jpg"), "não é foto");
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    Mostrar(220, 150);
    Pintar();
    EXPECT_EQ(lista->Thumbnails()[0]->loading(), TThumbnail::Loading::Failed);
    lista->grab();
    EXPECT_EQ(lista->PendingPictures(), 0);
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    EXPECT_EQ(lista->Thumbnails()[0]->loading(), TThumbnail::Loading::None);
}

// Holds the first decode that reaches a check until it is no longer wanted (or the test lets it go),
// and counts the checks made after.
struct HeldDecode {
    std::atomic<int> checks{0};
    std::atomic<bool> entered{false}, letGo{false}, wasStopped{false};

    HeldDecode()
    {
        platform::SetDecodeCheckpointForTesting([this] {
            if (checks++ > 0)
                return;
            entered = true;
            while (!platform::DecodeStopped() && !letGo)
                std::this_thread::yield();
            wasStopped = platform::DecodeStopped();
        });
    }
    ~HeldDecode() { platform::SetDecodeCheckpointForTesting(nullptr); }

    void WaitUntilEntered()
    {
        while (!entered)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
};

TEST_F(ThumbnailListTest, AFolderLeftBehindStopsItsDecodesWhereTheyAre)
{
    const QString pasta = Pasta(QStringLiteral("lenta"));
    WriteJpeg(pasta + QStringLiteral("/foto.jpg"), QuadrantsImage(640, 480, kVermelho, Qt::blue, Qt::green, Qt::yellow));
    const QString outra = Pasta(QStringLiteral("outra"));
    HeldDecode decode;
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    Mostrar(220, 150);
    lista->grab();
    decode.WaitUntilEntered();
    lista->LoadFolder(outra + QStringLiteral("/*.*"));
    decode.letGo = true;
    EXPECT_TRUE(lista->WaitForPictures());
    // The decode ended at the check that held it: its remaining rows were never read.
    EXPECT_TRUE(decode.wasStopped);
    EXPECT_EQ(decode.checks, 1);
    EXPECT_EQ(lista->Thumbnails().Count(), 0);
}

TEST_F(ThumbnailListTest, ClosingTheListStopsItsDecodesInsteadOfWaitingForThem)
{
    const QString pasta = Pasta(QStringLiteral("fechar"));
    WriteJpeg(pasta + QStringLiteral("/foto.jpg"), QuadrantsImage(640, 480, kVermelho, Qt::blue, Qt::green, Qt::yellow));
    HeldDecode decode;
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    Mostrar(220, 150);
    lista->grab();
    decode.WaitUntilEntered();
    // The decode is let go only by its stop: waiting for its end first would never return.
    lista.reset();
    EXPECT_TRUE(decode.wasStopped);
    EXPECT_EQ(decode.checks, 1);
}

TEST_F(ThumbnailListTest, AFolderOfLargePicturesIsDecodedWithinTheDecodeMemory)
{
    // Each picture holds 16 MB of indexes and a 64 MB copy while it is drawn: with room for one,
    // eight workers draw them one after another.
    const std::int64_t old = platform::SetDecodeMemoryBudget(100 * 1024 * 1024);
    const QString pasta = Pasta(QStringLiteral("grandes"));
    const QByteArray bmp = RunLengthPicture(4000, 4000);
    for (int i = 0; i < 8; ++i)
        writeFile(pasta + QStringLiteral("/r%1.bmp").arg(i), bmp);
    const long before = peakMegabytes();
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    Mostrar(300, 600);
    Pintar();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(lista->Thumbnails()[i]->loading(), TThumbnail::Loading::Done) << i;
    EXPECT_LT(peakMegabytes() - before, 250);
    platform::SetDecodeMemoryBudget(old);
}

TEST_F(ThumbnailListTest, ACellShowsThePictureFittedAndCentredWithoutEnlarging)
{
    struct Caso {
        int w, h;
        QRect esperado; // within the 60 x 60 picture area
    } casos[] = {
        {640, 480, QRect(0, 7, 60, 45)},
        {30, 20, QRect(15, 20, 30, 20)},
        {100, 100, QRect(0, 0, 60, 60)},
    };
    for (const Caso& c : casos) {
        const QString pasta = Pasta(QStringLiteral("celula"));
        writeFile(pasta + QStringLiteral("/f.bmp"), BmpBytes(SolidImage(c.w, c.h, kVermelho), 24));
        lista->SetShowCaption(false);
        lista->SetThumbnailSize(64);
        lista->LoadFolder(pasta + QStringLiteral("/*.*"));
        Mostrar(192, 64);
        const QImage tela = Pintar();
        const QRect celula = lista->ItemRect(0).translated(-lista->viewport()->pos());
        const QRect area = celula.adjusted(2, 2, -2, -2);
        const QRect alvo = c.esperado.translated(area.topLeft());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor visto = tela.pixelColor(x + lista->viewport()->x(), y + lista->viewport()->y());
                const QColor esperado = alvo.contains(x, y) ? kVermelho : QColor(128, 128, 128);
                if (!Near(visto, esperado, 8)) {
                    ADD_FAILURE() << c.w << "x" << c.h << " at " << x << "," << y;
                    y = area.bottom() + 1;
                    break;
                }
            }
    }
}

TEST_F(ThumbnailListTest, AThumbnailHoldsNoBytesAndACopyNoLargerThanItsCell)
{
    const QString pasta = Pasta(QStringLiteral("memoria"));
    writeFile(pasta + QStringLiteral("/grande.jpg"), ReadBytes(WriteJpeg(QStringLiteral("g.jpg"),
                                                                         HalvesImage(2000, 1500, kVermelho, Qt::blue))));
    lista->SetThumbnailSize(73);
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    Mostrar(220, 150);
    Pintar();
    const TIPicture& figura = lista->Thumbnails()[0]->Picture();
    EXPECT_TRUE(figura.Data().isEmpty());
    EXPECT_LE(figura.Reduced().width(), 69);
    EXPECT_EQ(figura.PictureWidth(), 2000);
    EXPECT_EQ(figura.PictureHeight(), 1500);

    // A larger cell gets a copy made again for it.
    const int antes = figura.Reduced().width();
    lista->SetThumbnailSize(146);
    Pintar();
    EXPECT_GT(lista->Thumbnails()[0]->Picture().Reduced().width(), antes);
}

TEST_F(ThumbnailListTest, TheStringsFollowTheLiveCountAtEachResync)
{
    lista->BeginUpdate();
    for (int i = 0; i < 4; ++i)
        lista->Thumbnails().Add();
    EXPECT_EQ(lista->Count(), 0);
    EXPECT_EQ(lista->Thumbnails().LiveCount(), 4);
    lista->EndUpdate();
    EXPECT_EQ(lista->Count(), 4);
    lista->Thumbnails().Clear();
    EXPECT_EQ(lista->Count(), 0);
    EXPECT_EQ(lista->Thumbnails().LiveCount(), 0);
}

TEST_F(ThumbnailListTest, VersionSizeAndColumns)
{
    EXPECT_EQ(lista->Version(), QStringLiteral("1.1.0.2"));
    lista->SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(lista->Version(), QStringLiteral("1.1.0.2"));
    lista->SetThumbnailSize(0);
    EXPECT_EQ(lista->ThumbnailSize(), 1);
    EXPECT_EQ(lista->ItemHeight(), 1);
    lista->SetThumbnailSize(73);
    Mostrar(220, 200);
    EXPECT_EQ(lista->Columns(), 3);
    Mostrar(300, 200);
    EXPECT_EQ(lista->Columns(), 4);
}

TEST_F(ThumbnailListTest, TheHorizontalOrientationIsOneRowOfAColumnPerItem)
{
    const QString pasta = Pasta(QStringLiteral("linha"));
    for (int i = 0; i < 5; ++i)
        writeFile(pasta + QStringLiteral("/f%1.bmp").arg(i), BmpBytes(SolidImage(10, 10, kVermelho), 24));
    lista->SetOrientation(toHorizontal);
    lista->SetThumbnailSize(50);
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    Mostrar(120, 100);
    EXPECT_EQ(lista->Columns(), 5);
    const int barra = lista->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(lista->ItemHeight(), 100 - barra - 4);
    EXPECT_EQ(lista->ItemRect(1).top(), lista->ItemRect(0).top());
    EXPECT_EQ(lista->ItemRect(1).left(), lista->ItemRect(0).left() + 50);
    Mostrar(120, 140);
    EXPECT_EQ(lista->ItemHeight(), 140 - barra - 4);
}

TEST_F(ThumbnailListTest, ALongCaptionEndsInAnEllipsis)
{
    const QString pasta = Pasta(QStringLiteral("legenda"));
    writeFile(pasta + QStringLiteral("/uma-legenda-comprida-demais-para-a-celula.bmp"),
              BmpBytes(SolidImage(10, 10, kVermelho), 24));
    lista->SetThumbnailSize(73);
    lista->LoadFolder(pasta + QStringLiteral("/*.*"));
    Mostrar(220, 100);
    const QImage tela = Pintar();
    // White text at the bottom of the cell, none past its right edge.
    const QRect celula = lista->ItemRect(0);
    int brancos = 0;
    for (int y = celula.bottom() - 15; y < celula.bottom(); ++y)
        for (int x = celula.left(); x < celula.right(); ++x)
            brancos += tela.pixelColor(x, y).lightness() > 200;
    EXPECT_GT(brancos, 20);
    for (int y = celula.bottom() - 15; y < celula.bottom(); ++y)
        EXPECT_FALSE(tela.pixelColor(celula.right() + 3, y).lightness() > 200);
}

} // namespace
} // namespace lumoria
