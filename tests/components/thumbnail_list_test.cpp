// The thumbnail list: folders, the live count and resync, cells drawn fitted and centred, and the
// pictures read only for painted cells.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QTest>

#include <atomic>
#include <functional>
#include <thread>

#include "components/thumbnail_list.h"
#include "platform/graphics/decode_budget.h"
#include "platform/shell/folder_listing.h"
#include "platform/system/cross_thread.h"
#include "support/picture_files.h"
#include "support/test_env.h"
#include "support/test_files.h"

namespace lumoria {
namespace {

using namespace test;

const QColor kVermelho(210, 0, 0);

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

    void Carregar(const QString& pasta) { lista->LoadFolder(pasta + QStringLiteral("/*.*")); }

    // A folder of BMPs f0.bmp, f1.bmp... of one size, one per colour.
    static QString PastaDeBmps(const QString& nome, const QList<QColor>& cores, int largura, int altura)
    {
        const QString pasta = freshFolder(nome);
        for (int i = 0; i < cores.size(); ++i)
            writeFile(pasta + QStringLiteral("/f%1.bmp").arg(i), BmpBytes(SolidImage(largura, altura, cores[i]), 24));
        return pasta;
    }

    // A shown folder of one photo, its decode held at its first check.
    void MostrarComDecodificacaoPresa(const QString& nome, HeldDecode& decode)
    {
        const QString pasta = freshFolder(nome);
        WriteJpeg(pasta + QStringLiteral("/foto.jpg"), QuadrantsImage(640, 480, kVermelho, Qt::blue, Qt::green, Qt::yellow));
        Carregar(pasta);
        Mostrar(220, 150);
        lista->grab();
        decode.WaitUntilEntered();
    }

    QStringList Legendas()
    {
        QStringList vistas;
        for (int i = 0; i < lista->Thumbnails().Count(); ++i)
            vistas << lista->Thumbnails()[i]->Caption();
        return vistas;
    }

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

TEST_F(ThumbnailListTest, LoadFolderKeepsThePictureExtensionsInNameOrder)
{
    // Created out of order: listed by name, letter case ignored, digits as numbers.
    const QString pasta = freshFolder(QStringLiteral("cinco"));
    for (const char* nome : {"IMG_10.jpg", "e.bmp", "c.png", "img_2.JPG", "a.jpg", "IMG_0003.gif", "d.tif", "b.Jpeg",
                             "IMG_1.jpg"})
        writeFile(pasta + QLatin1Char('/') + QLatin1String(nome), "x");
    Carregar(pasta);

    EXPECT_EQ(Legendas(), QStringList({"a.jpg", "b.Jpeg", "e.bmp", "IMG_1.jpg", "img_2.JPG", "IMG_0003.gif", "IMG_10.jpg"}));
    EXPECT_EQ(lista->Count(), 7);
    for (int i = 0; i < lista->Thumbnails().Count(); ++i) {
        TThumbnail* item = lista->Thumbnails()[i];
        EXPECT_EQ(item->Filename(), pasta + QLatin1Char('/') + item->Caption());
        EXPECT_EQ(item->Source, tsFile);
        EXPECT_TRUE(item->Picture().Empty());
    }
}

TEST(FolderNames, CompareByNameIgnoringCaseWithDigitsAsNumbers)
{
    struct Caso {
        const char* a;
        const char* b;
        int sinal;
    } casos[] = {
        {"IMG_2.jpg", "IMG_10.jpg", -1},   // as numbers, not as text
        {"img_2.jpg", "IMG_10.jpg", -1},   // letter case ignored
        {"B.jpg", "a.jpg", 1},
        {"Água.jpg", "b.jpg", -1},           // an accented letter among its plain one
        {"IMG_0009.jpg", "IMG_10.jpg", -1}, // leading zeros do not count
        {"x99999999999999999999.jpg", "x100000000000000000000.jpg", -1}, // beyond 64 bits
        {"a.jpg", "a1.jpg", -1},
        {"foto 1 b.jpg", "foto 1 a.jpg", 1}, // after an equal number, the rest decides
        {"A.jpg", "a.jpg", -1},              // equal but for case: an order all the same
        {"a.jpg", "a.jpg", 0},
    };
    for (const Caso& c : casos) {
        const int r = platform::compareFileNames(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        EXPECT_EQ((r > 0) - (r < 0), c.sinal) << c.a << " " << c.b;
        const int inversa = platform::compareFileNames(QString::fromUtf8(c.b), QString::fromUtf8(c.a));
        EXPECT_EQ((inversa > 0) - (inversa < 0), -c.sinal) << c.b << " " << c.a;
    }
}

TEST_F(ThumbnailListTest, HiddenFilesAndFoldersWithAPictureExtensionAreListedToo)
{
    const QString pasta = freshFolder(QStringLiteral("ocultos"));
    writeFile(pasta + QStringLiteral("/.escondida.GIF"), "x");
    QDir().mkpath(pasta + QStringLiteral("/album.jpg"));
    writeFile(pasta + QStringLiteral("/semextensao"), "x");
    Carregar(pasta);
    QStringList vistas = Legendas();
    vistas.sort();
    EXPECT_EQ(vistas, QStringList({QStringLiteral(".escondida.GIF"), QStringLiteral("album.jpg")}));
}

TEST_F(ThumbnailListTest, NothingIsDecodedBeforeItsCellIsPainted)
{
    lista->SetThumbnailSize(73);
    Carregar(PastaDeBmps(QStringLiteral("muitas"), QList<QColor>(30, kVermelho), 40, 30));
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
}

TEST_F(ThumbnailListTest, TheCellsStandInRowsOfThreeInListOrder)
{
    // Six cells of 73 in a list 220 wide: a list taller than its two rows, and lists short enough
    // for the vertical scroll bar, which leaves less than three cells of 73 beside it.
    const QColor cores[] = {Qt::red, Qt::green, Qt::yellow, Qt::cyan, Qt::magenta, Qt::blue};
    lista->SetShowCaption(false);
    lista->SetThumbnailSize(73);
    Carregar(PastaDeBmps(QStringLiteral("seis"), {cores, cores + 6}, 40, 40));
    for (const int altura : {300, 100, 60}) {
        SCOPED_TRACE(altura);
        Mostrar(220, altura);
        const QImage tela = Pintar();
        const QRect c0 = lista->ItemRect(0);
        for (int i = 0; i < 6; ++i) {
            const QRect c = lista->ItemRect(i);
            EXPECT_EQ(c.topLeft(), c0.topLeft() + QPoint((i % 3) * c0.width(), (i / 3) * 73)) << i;
            EXPECT_LE(c.right(), lista->viewport()->geometry().right()) << i;
            // Each cell shows its own item's picture.
            const int n = lista->Thumbnails()[i]->Filename().right(5).left(1).toInt();
            if (c.center().y() < lista->viewport()->geometry().bottom()) {
                EXPECT_TRUE(Near(tela.pixelColor(c.center()), cores[n], 8)) << i;
            }
        }
    }
}

TEST_F(ThumbnailListTest, APictureThatFailsIsNotTriedAgainUntilTheFolderIsLoadedAgain)
{
    const QString pasta = freshFolder(QStringLiteral("falha"));
    writeFile(pasta + QStringLiteral("/texto.jpg"), "não é foto");
    Carregar(pasta);
    Mostrar(220, 150);
    Pintar();
    EXPECT_EQ(lista->Thumbnails()[0]->loading(), TThumbnail::Loading::Failed);
    lista->grab();
    EXPECT_EQ(lista->PendingPictures(), 0);
    Carregar(pasta);
    EXPECT_EQ(lista->Thumbnails()[0]->loading(), TThumbnail::Loading::None);
}

// Loads another folder before the first picture read back from a worker is taken, so that the old
// folder's picture arrives after the change whatever the threads' timing. The workers' results reach
// the list as posted calls on its thread.
struct ChangeFolderBeforeTheFirstPicture : QObject {
    std::function<void()> trocar;
    bool trocou = false;
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() >= QEvent::User && !trocou)
            trocou = true, trocar();
        return false;
    }
};

TEST_F(ThumbnailListTest, APictureOfThePreviousFolderNeverLandsInTheNewFolder)
{
    const QString nova = PastaDeBmps(QStringLiteral("nova"), {Qt::blue}, 30, 40);
    Carregar(PastaDeBmps(QStringLiteral("antiga"), {kVermelho}, 40, 30));
    Mostrar(220, 150);
    ChangeFolderBeforeTheFirstPicture troca;
    troca.trocar = [&] { Carregar(nova); };
    platform::CrossThreadCalls* chegadas = nullptr;
    for (QObject* filho : lista->children())
        if (auto* c = dynamic_cast<platform::CrossThreadCalls*>(filho))
            chegadas = c;
    ASSERT_NE(chegadas, nullptr);
    chegadas->installEventFilter(&troca);
    lista->grab(); // asks for the old folder's picture
    ASSERT_EQ(lista->PendingPictures(), 1);
    lista->hide(); // the new folder's cell is not painted before the old picture comes
    ASSERT_TRUE(QTest::qWaitFor([&] { return lista->PendingPictures() == 0; }, 60000));
    chegadas->removeEventFilter(&troca);
    ASSERT_TRUE(troca.trocou);

    ASSERT_EQ(lista->Thumbnails().Count(), 1);
    EXPECT_EQ(lista->Thumbnails()[0]->Filename(), nova + QStringLiteral("/f0.bmp"));
    EXPECT_EQ(lista->Thumbnails()[0]->loading(), TThumbnail::Loading::None);
    lista->show();
    Pintar();
    EXPECT_EQ(lista->Thumbnails()[0]->loading(), TThumbnail::Loading::Done);
    EXPECT_EQ(lista->Thumbnails()[0]->Picture().PictureWidth(), 30);
}

TEST_F(ThumbnailListTest, AFolderLeftBehindOrAListClosedStopsItsDecodesWhereTheyAre)
{
    for (const bool fechar : {false, true}) {
        SCOPED_TRACE(fechar ? "list closed" : "another folder loaded");
        SetUp();
        HeldDecode decode;
        MostrarComDecodificacaoPresa(QStringLiteral("lenta"), decode);
        if (fechar) {
            lista.reset(); // the decode is let go only by its stop: waiting for its end first would never return
        } else {
            Carregar(freshFolder(QStringLiteral("outra")));
            decode.letGo = true;
            EXPECT_TRUE(lista->WaitForPictures());
            EXPECT_EQ(lista->Thumbnails().Count(), 0);
        }
        // The decode ended at the check that held it: its remaining rows were never read.
        EXPECT_TRUE(decode.wasStopped);
        EXPECT_EQ(decode.checks, 1);
    }
}

TEST_F(ThumbnailListTest, AFolderOfLargePicturesIsDecodedWithinTheDecodeMemory)
{
    // Each picture holds 16 MB of indexes and a 64 MB copy while it is drawn: with room for one,
    // eight workers draw them one after another. What the decodes hold is sampled at every row they
    // check (the process's own peak says little under a sanitizer, which keeps freed memory aside).
    const std::int64_t old = platform::SetDecodeMemoryBudget(100 * 1024 * 1024);
    std::atomic<std::int64_t> mais{0};
    platform::SetDecodeCheckpointForTesting([&mais] {
        const std::int64_t agora = platform::DecodeMemoryInUse();
        std::int64_t visto = mais.load();
        while (agora > visto && !mais.compare_exchange_weak(visto, agora)) {
        }
    });
    const QString pasta = freshFolder(QStringLiteral("grandes"));
    const QByteArray bmp = RunLengthPicture(4000, 4000);
    for (int i = 0; i < 8; ++i)
        writeFile(pasta + QStringLiteral("/r%1.bmp").arg(i), bmp);
    Carregar(pasta);
    Mostrar(300, 600);
    lista->grab();
    EXPECT_TRUE(lista->WaitForPictures(300000));
    platform::SetDecodeCheckpointForTesting(nullptr);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(lista->Thumbnails()[i]->loading(), TThumbnail::Loading::Done) << i;
    EXPECT_GE(mais.load(), 64 * 1024 * 1024);
    EXPECT_LE(mais.load(), 100 * 1024 * 1024);
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
    lista->SetShowCaption(false);
    lista->SetThumbnailSize(64);
    for (const Caso& c : casos) {
        Carregar(PastaDeBmps(QStringLiteral("celula"), {kVermelho}, c.w, c.h));
        Mostrar(220, 64);
        QImage esperada = SolidImage(60, 60, QColor(128, 128, 128));
        QPainter(&esperada).fillRect(c.esperado, kVermelho);
        const QImage area = Pintar().copy(lista->ItemRect(0).adjusted(2, 2, -2, -2));
        EXPECT_LE(MaxDifference(area, esperada), 8) << c.w << "x" << c.h;
    }
}

TEST_F(ThumbnailListTest, AnExifOrientedPhotoAndItsEmbeddedThumbnailShowUpright)
{
    // For each tag: a.jpg carries a thumbnail of other colours (stored as its photo is), b.jpg none.
    const QColor foto[] = {QColor(220, 30, 40), QColor(30, 200, 60), QColor(20, 40, 210), QColor(240, 220, 20)};
    const QColor mini[] = {QColor(20, 200, 210), QColor(200, 40, 190), QColor(250, 250, 250), QColor(10, 10, 10)};
    const QImage emPe = QuadrantsImage(320, 192, foto[0], foto[1], foto[2], foto[3]);
    const QImage miniaturaEmPe = QuadrantsImage(160, 96, mini[0], mini[1], mini[2], mini[3]);
    for (int tag = 1; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        const QString pasta = freshFolder(QStringLiteral("exif%1").arg(tag));
        const QByteArray guardada = ReadBytes(WriteJpeg(QStringLiteral("exif-thumb.jpg"), StoredForExif(emPe, tag)));
        const QByteArray miniatura = ReadBytes(WriteJpeg(QStringLiteral("exif-mini.jpg"), StoredForExif(miniaturaEmPe, tag)));
        writeFile(pasta + QStringLiteral("/a.jpg"), WithExifOrientation(guardada, tag, tag % 2 == 0, miniatura));
        writeFile(pasta + QStringLiteral("/b.jpg"), WithExifOrientation(guardada, tag, tag % 2 == 1));
        lista->SetShowCaption(false);
        lista->SetThumbnailSize(64);
        Carregar(pasta);
        Mostrar(192, 64);
        const QImage tela = Pintar();
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(i);
            // A 60 x 36 picture centred in the 60 x 60 area: the middles of its quarters.
            const QPoint area = lista->ItemRect(i).topLeft() + QPoint(2, 2);
            const QColor* cores = i == 0 ? mini : foto;
            const QPoint quartos[] = {{15, 21}, {45, 21}, {15, 39}, {45, 39}};
            for (int q = 0; q < 4; ++q) {
                const QColor visto = tela.pixelColor(area + quartos[q]);
                EXPECT_TRUE(Near(visto, cores[q], 16)) << q << " " << visto.name().toStdString();
            }
        }
        const TIPicture& semMiniatura = lista->Thumbnails()[1]->Picture();
        EXPECT_EQ(QSize(semMiniatura.PictureWidth(), semMiniatura.PictureHeight()), QSize(320, 192));
    }
}

TEST_F(ThumbnailListTest, AThumbnailHoldsNoBytesAndACopyNoLargerThanItsCell)
{
    const QString pasta = freshFolder(QStringLiteral("memoria"));
    writeFile(pasta + QStringLiteral("/grande.jpg"), ReadBytes(WriteJpeg(QStringLiteral("g.jpg"),
                                                                         HalvesImage(2000, 1500, kVermelho, Qt::blue))));
    lista->SetThumbnailSize(73);
    Carregar(pasta);
    Mostrar(220, 150);
    Pintar();
    const TIPicture& figura = lista->Thumbnails()[0]->Picture();
    EXPECT_TRUE(figura.Data().isEmpty());
    EXPECT_LE(figura.Reduced().width(), 69);
    EXPECT_EQ(QSize(figura.PictureWidth(), figura.PictureHeight()), QSize(2000, 1500));

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
    lista->SetOrientation(toHorizontal);
    lista->SetThumbnailSize(50);
    Carregar(PastaDeBmps(QStringLiteral("linha"), QList<QColor>(5, kVermelho), 10, 10));
    Mostrar(120, 100);
    EXPECT_EQ(lista->Columns(), 5);
    const int barra = lista->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(lista->ItemHeight(), 100 - barra - 4);
    EXPECT_EQ(lista->ItemRect(1).topLeft(), lista->ItemRect(0).topLeft() + QPoint(50, 0));
    Mostrar(120, 140);
    EXPECT_EQ(lista->ItemHeight(), 140 - barra - 4);
}

TEST_F(ThumbnailListTest, ALongCaptionEndsInAnEllipsis)
{
    const QString pasta = freshFolder(QStringLiteral("legenda"));
    writeFile(pasta + QStringLiteral("/uma-legenda-comprida-demais-para-a-celula.bmp"),
              BmpBytes(SolidImage(10, 10, kVermelho), 24));
    lista->SetThumbnailSize(73);
    Carregar(pasta);
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
