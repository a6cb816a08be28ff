// The image cache: full picture first, reduced copy afterwards, the copy's size, the slots taken in
// turn, changed and broken files.
#include <gtest/gtest.h>

#include "album/image_cache.h"
#include "platform/failure.h"
#include "platform/graphics/decode_budget.h"
#include "platform/graphics/picture.h"
#include "support/draw_support.h"
#include "support/picture_files.h"
#include "support/test_files.h"

#include <QFileInfo>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

TEST(ImageCache, FirstLoadIsFullSizeThenTheReducedCopy)
{
    TCacheDeImagensJaCarregadas cache;
    const QString big = WriteJpeg(QStringLiteral("3000x2000.jpg"), SolidImage(3000, 2000, QColor(10, 120, 200)), 80);
    const QString medium = WriteJpeg(QStringLiteral("1000x750.jpg"), SolidImage(1000, 750, QColor(200, 120, 10)), 80);
    Picture p;
    cache.CarregarImagem(p, big);
    EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(3000, 2000));
    cache.CarregarImagem(p, big);
    EXPECT_EQ(p.GetGraphic()->Kind(), GraphicKind::Jpeg);
    EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(640, 427));
    Bitmap decoded;
    decoded.Assign(*p.GetGraphic());
    EXPECT_TRUE(Near(decoded.Image().pixelColor(300, 200), QColor(10, 120, 200), 4));

    cache.CarregarImagem(p, medium);
    EXPECT_EQ(p.Width(), 1000);
    cache.CarregarImagem(p, medium);
    EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(500, 375));
    EXPECT_EQ(cache.Proxima(), 2);
    EXPECT_EQ(cache.NomeDoArquivo(0), big);
    EXPECT_EQ(cache.NomeDoArquivo(1), medium);

    // The picture holds a copy: the slot keeps its own.
    p.GetBitmap();
    EXPECT_EQ(cache.Imagem(1)->Width(), 500);
}

TEST(ImageCache, The151stFileTakesSlot0AndLetterCaseMatters)
{
    TCacheDeImagensJaCarregadas cache;
    const QString first = WriteBmp(QStringLiteral("f0.bmp"), SolidImage(4, 4, Qt::red));
    Picture p;
    cache.CarregarImagem(p, first);
    for (int i = 1; i < 150; ++i)
        cache.CarregarImagem(p, WriteBmp(QStringLiteral("f%1.bmp").arg(i), SolidImage(4, 4, Qt::green)));
    EXPECT_EQ(cache.Proxima(), 0);
    EXPECT_TRUE(cache.Contem(first));
    const QString last = WriteBmp(QStringLiteral("f150.bmp"), SolidImage(4, 4, Qt::blue));
    cache.CarregarImagem(p, last);
    EXPECT_EQ(cache.NomeDoArquivo(0), last);
    EXPECT_EQ(cache.Proxima(), 1);
    EXPECT_FALSE(cache.Contem(first));

    // The same name in other letters is another file name, and another slot.
    const QString upper = WriteBmp(QStringLiteral("F150.bmp"), SolidImage(4, 4, Qt::blue));
    cache.CarregarImagem(p, upper);
    EXPECT_EQ(cache.NomeDoArquivo(1), upper);
    EXPECT_EQ(cache.Proxima(), 2);
}

TEST(ImageCache, AChangedFileIsNotTakenFromTheCache)
{
    TCacheDeImagensJaCarregadas cache;
    const QString path = WriteBmp(QStringLiteral("edited.bmp"), SolidImage(100, 80, Qt::red));
    Picture p;
    cache.CarregarImagem(p, path);
    cache.CarregarImagem(p, path);
    EXPECT_EQ(p.Width(), 50);
    // The photo is edited and saved under the same name (another size, a later time).
    WriteBytes(path, BmpBytes(SolidImage(120, 80, Qt::blue), 24));
    setModificationTime(path, QFileInfo(path).lastModified().addSecs(5));
    EXPECT_FALSE(cache.Contem(path));
    cache.CarregarImagem(p, path);
    EXPECT_EQ(p.Width(), 120);
    EXPECT_EQ(p.GetBitmap().Image().pixelColor(5, 5), QColor(Qt::blue));
    cache.CarregarImagem(p, path);
    EXPECT_EQ(p.Width(), 60);
    Bitmap b;
    b.Assign(*p.GetGraphic());
    EXPECT_TRUE(Near(b.Image().pixelColor(5, 5), QColor(Qt::blue), 8));
}

TEST(ImageCache, ABrokenFileRaisesAndIsNotStored)
{
    TCacheDeImagensJaCarregadas cache;
    const QByteArray good = ReadBytes(WriteJpeg(QStringLiteral("whole.jpg"), SolidImage(200, 100, Qt::red)));
    const QString broken = WriteTempFile(QStringLiteral("half.jpg"), good.left(good.size() / 2));
    Picture p;
    EXPECT_THROW(cache.CarregarImagem(p, broken), InvalidPicture);
    EXPECT_EQ(cache.Proxima(), 0);
    EXPECT_FALSE(cache.Contem(broken));
    EXPECT_TRUE(cache.NomeDoArquivo(0).isEmpty());
    EXPECT_THROW(cache.CarregarImagem(p, TempPath(QStringLiteral("none.jpg"))), FileNotFound);
    EXPECT_EQ(cache.Proxima(), 0);
}

TEST(ImageCache, PlacingAPhotoTakesTheReducedCopyFromTheFirstDraw)
{
    TCacheDeImagensJaCarregadas cache;
    const QImage gradient = PixelPicture(3000, 2000, [](int x, int y) { return qRgb(30 + 200 * x / 3000, 40 + 180 * y / 2000, 120); });
    const QString big = WriteJpeg(QStringLiteral("placed-3000x2000.jpg"), gradient, 95);
    Picture first;
    cache.CarregarImagemReduzida(first, big);
    EXPECT_EQ(first.GetGraphic()->Kind(), GraphicKind::Bitmap); // the copy as made, not yet compressed
    EXPECT_EQ(QSize(first.Width(), first.Height()), QSize(640, 427));
    EXPECT_EQ(cache.NomeDoArquivo(0), big);
    EXPECT_EQ(cache.Proxima(), 1);

    // Later draws take the stored copy: the same picture but for its compression.
    Picture again;
    cache.CarregarImagemReduzida(again, big);
    EXPECT_EQ(again.GetGraphic()->Kind(), GraphicKind::Jpeg);
    EXPECT_EQ(cache.Proxima(), 1);
    Bitmap stored;
    stored.Assign(*again.GetGraphic());
    // Within the stored copy's JPEG compression.
    EXPECT_LE(MaxDifference(first.GetBitmap().Image(), stored.Image()), 6);

    // A file that does not decode raises and stores nothing.
    const QString broken = WriteTempFile(QStringLiteral("placed-broken.jpg"), QByteArray("\xFF\xD8 not really", 13));
    Picture none;
    EXPECT_THROW(cache.CarregarImagemReduzida(none, broken), InvalidPicture);
    EXPECT_EQ(cache.Proxima(), 1);
}

TEST(ImageCache, ReadingAheadStoresTheCopiesInOrderAndLeavesOutWhatDoesNotLoad)
{
    TCacheDeImagensJaCarregadas cache;
    const QString a = WriteJpeg(QStringLiteral("ahead-a.jpg"), SolidImage(1200, 800, QColor(10, 120, 200)), 80);
    const QString b = WriteBmp(QStringLiteral("ahead-b.bmp"), SolidImage(300, 400, QColor(200, 10, 10)));
    const QString broken = WriteTempFile(QStringLiteral("ahead-broken.jpg"), "not a photo");
    cache.Antecipar({a, broken, b, a, TempPath(QStringLiteral("missing.jpg"))});
    EXPECT_EQ(cache.Proxima(), 2);
    EXPECT_EQ(cache.NomeDoArquivo(0), a);
    EXPECT_EQ(cache.NomeDoArquivo(1), b);
    EXPECT_EQ(cache.Imagem(0)->Width(), 600);
    EXPECT_EQ(cache.Imagem(1)->Height(), 200);
    EXPECT_FALSE(cache.Contem(broken));
    // What is cached already is not read again.
    cache.Antecipar({a});
    EXPECT_EQ(cache.Proxima(), 2);
    Picture p;
    cache.CarregarImagem(p, a);
    EXPECT_EQ(p.Width(), 600);
}

TEST(ImageCache, ReadingAheadHoldsNoMoreThanTheDecodeBudget)
{
    // Four pictures of 9 MB, room for two: each is held until its copy is made, so the others wait.
    constexpr std::int64_t kPicture = 2000LL * 1500 * 3;
    const std::int64_t old = SetDecodeMemoryBudget(2 * kPicture + kPicture / 2);
    TCacheDeImagensJaCarregadas cache;
    const QColor colours[] = {QColor(200, 10, 10), QColor(10, 200, 10), QColor(10, 10, 200), QColor(200, 200, 10)};
    QStringList files;
    for (int i = 0; i < 4; ++i)
        files << WriteBmp(QStringLiteral("ahead-big%1.bmp").arg(i), HalvesImage(2000, 1500, colours[i], Qt::white));
    ResetDecodeMemoryHighWater();
    cache.Antecipar(files);
    const std::int64_t held = DecodeMemoryHighWater();
    SetDecodeMemoryBudget(old);
    EXPECT_GE(held, kPicture);
    EXPECT_LE(held, 2 * kPicture);
    EXPECT_EQ(DecodeMemoryInUse(), 0);
    ASSERT_EQ(cache.Proxima(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cache.NomeDoArquivo(i), files[i]);
        Bitmap copy;
        copy.Assign(*cache.Imagem(i));
        const QColor left = copy.Image().pixelColor(100, 200);
        EXPECT_LE(std::abs(left.red() - colours[i].red()) + std::abs(left.blue() - colours[i].blue()), 12) << i;
    }
}
