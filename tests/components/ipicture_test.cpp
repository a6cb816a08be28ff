// The thumbnail's picture: bytes kept as read, the GIF frame cutting, sizes, and its failures.
#include <gtest/gtest.h>

#include <QImage>

#include "components/ipicture.h"
#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "support/picture_files.h"
#include "support/test_files.h"

namespace lumoria {
namespace {

using namespace test;

const QColor kVermelho(200, 0, 0), kVerde(0, 180, 0), kAzul(0, 0, 220);

// Three frames on a 12 x 10 screen, each at its own place.
QByteArray TresQuadros()
{
    return GifAnimationBytes(12, 10, {{QRect(0, 0, 12, 10), kVermelho}, {QRect(2, 1, 6, 5), kVerde},
                                      {QRect(4, 3, 7, 6), kAzul}});
}

QColor CorDesenhada(const TIPicture& figura, int w, int h, int x, int y)
{
    platform::Bitmap alvo(w, h);
    figura.Draw(alvo.GetCanvas(), Rect{0, 0, w, h});
    return alvo.GetCanvas().Pixel(x, y);
}

TEST(TIPicture, AThreeFrameGifLoadsWholeWithTheFirstFrameRectangle)
{
    const QString caminho = home() + QStringLiteral("/anim.gif");
    writeFile(caminho, TresQuadros());
    TIPicture figura;
    int mudancas = 0;
    figura.OnChange = [&] { ++mudancas; };
    figura.LoadFromFile(caminho);

    EXPECT_FALSE(figura.Empty());
    EXPECT_EQ(figura.Frame(), 1);
    EXPECT_EQ(mudancas, 1);
    EXPECT_EQ(figura.GetFrameCount(), 3);
    EXPECT_EQ(figura.Data(), TresQuadros());
    EXPECT_EQ(figura.FrameLeft(), 0);
    EXPECT_EQ(figura.FrameWidth(), 12);
    EXPECT_EQ(figura.FrameHeight(), 10);
    EXPECT_EQ(figura.PictureWidth(), 12);
    EXPECT_EQ(figura.PictureHeight(), 10);
    EXPECT_TRUE(Near(CorDesenhada(figura, 12, 10, 6, 5), kVermelho));
}

TEST(TIPicture, SettingFrameThreeCutsTheEarlierFramesAndTellsTheFrameChange)
{
    TIPicture figura;
    const QByteArray bytes = TresQuadros();
    figura.LoadFromStream(&bytes);
    int mudancas = 0, quadros = 0;
    figura.OnChange = [&] { ++mudancas; };
    figura.OnFrameChange = [&] { ++quadros; };
    figura.SetFrame(3);

    EXPECT_EQ(quadros, 1);
    EXPECT_EQ(mudancas, 0);
    EXPECT_EQ(figura.FrameLeft(), 4);
    EXPECT_EQ(figura.FrameTop(), 3);
    EXPECT_EQ(figura.FrameWidth(), 7);
    EXPECT_EQ(figura.FrameHeight(), 6);
    // The third frame decoded alone, drawn moved by its own corner: its pixel at screen (6, 5)
    // lands at (10, 8).
    EXPECT_TRUE(Near(CorDesenhada(figura, 12, 10, 10, 8), kAzul));
    // The bytes kept are still the whole file.
    EXPECT_EQ(figura.Data(), bytes);
}

TEST(TIPicture, AFrameBeyondTheLastDecodesTheBytesBeforeTheFirstMarkerWhichHoldNoImage)
{
    TIPicture figura;
    const QByteArray bytes = TresQuadros();
    figura.LoadFromStream(&bytes);
    try {
        figura.SetFrame(9);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), TIPicture::kErroDeFormato);
    }
    EXPECT_EQ(figura.Width(), 0);
}

TEST(TIPicture, AGifWithoutMarkersTakesItsSizeFromThePicture)
{
    TIPicture figura;
    // Opaque frames without a graphic control extension: no marker.
    const QByteArray still = GifBytes(SolidImage(5, 4, kVerde));
    figura.LoadFromStream(&still);
    EXPECT_EQ(figura.GetFrameCount(), 0);
    EXPECT_EQ(figura.GifScreenWidth(), 0);
    EXPECT_EQ(figura.PictureWidth(), 5);
    EXPECT_EQ(figura.PictureHeight(), 4);
}

TEST(TIPicture, FourBytesGif8IsNoGifAndDoesNotLoad)
{
    TIPicture figura;
    const QByteArray bytes("GIF8");
    EXPECT_THROW(figura.LoadFromStream(&bytes), Failure);
    EXPECT_FALSE(figura.IsGIF());
    EXPECT_EQ(figura.GetFrameCount(), -1);
    // Loading from a stream passes the failure on and leaves the flag as set before the decode.
    EXPECT_FALSE(figura.Empty());
}

TEST(TIPicture, CutOrDamagedGifsNeverCrash)
{
    const QByteArray inteira = TresQuadros();
    for (int tamanho = 5; tamanho < inteira.size(); tamanho += 3) {
        TIPicture figura;
        const QByteArray cortada = inteira.left(tamanho);
        try {
            figura.LoadFromStream(&cortada);
            figura.SetFrame(2);
        } catch (const Failure&) {
        }
    }
    // A marker whose descriptor runs past the end reads the missing bytes as 0.
    QByteArray curta("GIF89a");
    curta.append(QByteArray("\x0c\x00\x0a\x00\x00\x00\x00", 7));
    curta.append(QByteArray("\x21\xF9\x04\x00\x00\x00\x00\x00\x2C\x05", 10));
    TIPicture figura;
    EXPECT_THROW(figura.LoadFromStream(&curta), Failure);
    EXPECT_EQ(figura.GetFrameCount(), 1);
    EXPECT_EQ(figura.FrameLeft(), 5);
    EXPECT_EQ(figura.FrameTop(), 0);
}

TEST(TIPicture, ATextFileNamedJpgLoadsEmptySilentlyButFromAStreamItFails)
{
    const QString caminho = home() + QStringLiteral("/texto.jpg");
    writeFile(caminho, "isto não é uma foto\n");
    TIPicture figura;
    int mudancas = 0;
    figura.OnChange = [&] { ++mudancas; };
    figura.LoadFromFile(caminho);
    EXPECT_TRUE(figura.Empty());
    EXPECT_EQ(mudancas, 0);
    EXPECT_EQ(figura.Width(), 0);
    // The bytes read stay.
    EXPECT_EQ(figura.Data(), QByteArray("isto não é uma foto\n"));
    figura.LoadFromFile(home() + QStringLiteral("/nao-existe.jpg"));
    EXPECT_TRUE(figura.Empty());

    // From a stream the failure reaches the caller.
    const QByteArray bytes("nada disso");
    try {
        figura.LoadFromStream(&bytes);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "Could not load image. Invalid format");
    }
}

TEST(TIPicture, SizesArePixelsAtNinetySixDpi)
{
    TIPicture figura;
    const QByteArray bmp = BmpBytes(SolidImage(96, 48, kAzul), 24);
    figura.LoadFromStream(&bmp);
    EXPECT_EQ(figura.NaturalSize(), QSize(2540, 1270));
    EXPECT_EQ(figura.Width(), 96);
    EXPECT_EQ(figura.Height(), 48);
    figura.SetWidth(5);
    EXPECT_EQ(figura.Width(), 96);
}

TEST(TIPicture, SettingFrameWithoutBytesOnlyStoresIt)
{
    TIPicture figura;
    int quadros = 0;
    figura.OnFrameChange = [&] { ++quadros; };
    figura.SetFrame(4);
    EXPECT_EQ(figura.Frame(), 4);
    EXPECT_EQ(quadros, 0);
    EXPECT_TRUE(figura.Empty());
}

TEST(TIPicture, AssignCopiesTheBytesAndBuildsWithItsOwnFrameButToItselfKeepsThem)
{
    TIPicture origem, copia;
    const QByteArray bytes = TresQuadros();
    origem.LoadFromStream(&bytes);
    copia.SetFrame(2);
    int mudancas = 0;
    copia.OnChange = [&] { ++mudancas; };
    copia.Assign(&origem);
    EXPECT_EQ(copia.Data(), bytes);
    EXPECT_EQ(copia.FrameLeft(), 2);
    EXPECT_EQ(mudancas, 1);
    copia.Assign(static_cast<const TIPicture*>(nullptr));
    EXPECT_TRUE(copia.Data().isEmpty());
    EXPECT_TRUE(copia.Empty());
    EXPECT_EQ(mudancas, 2);

    // Assigned to itself a picture keeps what it has.
    origem.Assign(&origem);
    EXPECT_FALSE(origem.Empty());
    EXPECT_EQ(origem.Data(), bytes);
    EXPECT_EQ(origem.Width(), 12);
    EXPECT_EQ(CorDesenhada(origem, 12, 10, 1, 1), kVermelho);
}

TEST(TIPicture, AReducedCopyKeepsNeitherBytesNorPictureButStillTheSize)
{
    const QString caminho = WriteJpeg(QStringLiteral("grande.jpg"), HalvesImage(1600, 1200, kVermelho, kAzul));
    TIPicture figura;
    ASSERT_TRUE(figura.LoadReducedFromFile(caminho, QSize(80, 70)));
    EXPECT_TRUE(figura.Data().isEmpty());
    EXPECT_EQ(figura.Reduced().size(), QSize(80, 60));
    EXPECT_EQ(figura.PictureWidth(), 1600);
    EXPECT_EQ(figura.PictureHeight(), 1200);
    EXPECT_TRUE(Near(CorDesenhada(figura, 80, 60, 10, 30), kVermelho, 20));
    EXPECT_TRUE(Near(CorDesenhada(figura, 80, 60, 70, 30), kAzul, 20));
}

TEST(TIPicture, AReducedCopyComesFromTheExifThumbnailOnlyWhenItFitsThePhoto)
{
    const QByteArray paisagem = ReadBytes(WriteJpeg(QStringLiteral("exif-foto.jpg"), HalvesImage(1600, 900, kVermelho, kAzul)));
    const QByteArray retrato = ReadBytes(WriteJpeg(QStringLiteral("exif-retrato.jpg"), HalvesImage(900, 1600, kVermelho, kAzul)));
    auto miniatura = [](int w, int h) {
        return ReadBytes(WriteJpeg(QStringLiteral("exif-mini.jpg"), SolidImage(w, h, kVerde)));
    };
    // An upright camera file carrying its thumbnail; a shifted offset points off the thumbnail's bytes.
    auto ComMiniatura = [](const QByteArray& foto, const QByteArray& mini, quint32 desvio = 0) {
        return WithExifOrientation(foto, 1, false, mini, desvio);
    };
    struct Caso {
        const char* nome;
        QByteArray arquivo;
        QSize foto;
        bool daMiniatura;
    } casos[] = {
        {"same proportions, large enough", ComMiniatura(paisagem, miniatura(160, 90)), {1600, 900}, true},
        {"square thumbnail", ComMiniatura(paisagem, miniatura(160, 160)), {1600, 900}, false},
        {"smaller than the cell", ComMiniatura(paisagem, miniatura(32, 18)), {1600, 900}, false},
        {"offset past the block", ComMiniatura(paisagem, miniatura(160, 90), 100000), {1600, 900}, false},
        {"offset inside, wrong bytes", ComMiniatura(paisagem, miniatura(160, 90), 3), {1600, 900}, false},
        {"portrait photo, portrait thumbnail", ComMiniatura(retrato, miniatura(90, 160)), {900, 1600}, true},
        {"portrait photo, landscape thumbnail", ComMiniatura(retrato, miniatura(160, 90)), {900, 1600}, false},
        {"landscape photo, portrait thumbnail", ComMiniatura(paisagem, miniatura(90, 160)), {1600, 900}, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const QString caminho = home() + QStringLiteral("/exif.jpg");
        writeFile(caminho, c.arquivo);
        TIPicture figura;
        ASSERT_TRUE(figura.LoadReducedFromFile(caminho, QSize(80, 70)));
        // Within 80 x 70: 80 x Trunc(900 / 20) for the landscape photo, Trunc(900 / (1600 / 70)) x 70
        // for the portrait one.
        const QSize reduzida = c.foto.width() > c.foto.height() ? QSize(80, 45) : QSize(39, 70);
        EXPECT_EQ(figura.Reduced().size(), reduzida);
        EXPECT_EQ(figura.PictureWidth(), c.foto.width());
        EXPECT_EQ(figura.PictureHeight(), c.foto.height());
        // The photo's left half is red; the thumbnail is green all over.
        const QColor esquerda = CorDesenhada(figura, reduzida.width(), reduzida.height(), reduzida.width() / 8,
                                             reduzida.height() / 2);
        EXPECT_EQ(Near(esquerda, kVerde, 30), c.daMiniatura);
        EXPECT_EQ(Near(esquerda, kVermelho, 30), !c.daMiniatura);
    }
}

TEST(FitThumbnail, ShrinksKeepingProportionsAndNeverEnlarges)
{
    struct Caso {
        int pw, ph, cw, ch;
        QSize esperado;
    } casos[] = {
        {640, 480, 60, 47, QSize(60, 45)},
        {30, 20, 60, 47, QSize(30, 20)},
        {100, 100, 50, 50, QSize(50, 50)},
        {300, 400, 60, 60, QSize(45, 60)},
        {0, 0, 60, 60, QSize(0, 0)},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(FitThumbnail(c.pw, c.ph, c.cw, c.ch), c.esperado) << c.pw << "x" << c.ph;
}

} // namespace
} // namespace lumoria
