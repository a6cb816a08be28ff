// The jigsaw effect: its sizes, where the sides run, the way each knob bulges as its code says, and
// the same seed giving the same picture.
#include <gtest/gtest.h>

#include "editing/cover/jigsaw.h"
#include "platform/failure.h"
#include "platform/graphics/bitmap.h"

#include <QImage>

#include <cmath>

using namespace lumoria;
using namespace lumoria::platform;

namespace {

constexpr QRgb kLine = 0xFF102030;

bool Inside(const QImage& image, long double x, long double y)
{
    const long px = std::lround(double(x)), py = std::lround(double(y));
    return px >= 0 && py >= 0 && px < image.width() && py < image.height();
}

bool Painted(const QImage& image, long double x, long double y)
{
    const int px = int(std::lround(double(x))), py = int(std::lround(double(y)));
    if (px < 0 || py < 0 || px >= image.width() || py >= image.height())
        return false;
    return image.pixel(px, py) == kLine;
}

// Checks every inner side of the grid against its code: the on-curve points of the side are painted,
// the middle of its knob is painted on the side the code says and not on the other.
void CheckSides(const QImage& image, const MedidasDoQuebraCabeca& m, const std::vector<LadosDaCelula>& lados)
{
    const int u = m.unidade;
    for (int i = 0; i < m.linhas; ++i)
        for (int j = 0; j < m.colunas; ++j) {
            const LadosDaCelula& c = lados[std::size_t(i) * m.colunas + j];
            const long double x0 = m.peca * j - m.deslocamento, y0 = m.peca * i - m.deslocamento;
            if (c[kLadoDeCima]) {
                for (int along : {6, 9})
                    EXPECT_TRUE(Painted(image, x0 + along * u, y0) || x0 + along * u >= image.width())
                        << "top " << i << "," << j;
                // Middle of the knob: curve A at (7.5, -3.75) units, curve C at (6.75, 4.125).
                const bool up = c[kLadoDeCima] == 1;
                if (Inside(image, x0 + 7.5L * u, y0 - 3.75L * u) && Inside(image, x0 + 6.75L * u, y0 + 4.125L * u)) {
                    EXPECT_EQ(Painted(image, x0 + 7.5L * u, y0 - 3.75L * u), up) << "top " << i << "," << j;
                    EXPECT_EQ(Painted(image, x0 + 6.75L * u, y0 + 4.125L * u), !up) << "top " << i << "," << j;
                }
            }
            if (c[kLadoEsquerdo]) {
                // The first segment of a left side runs straight down the side.
                for (int along = 0; along <= 6 * u; along += u) {
                    if (y0 + along >= 0 && y0 + along < image.height()) {
                        EXPECT_TRUE(Painted(image, x0, y0 + along)) << "left " << i << "," << j;
                    }
                }
                // Middle of the knob: curve B at (4.125, 7.5) units, curve D at (-4.125, 7.5).
                const bool right = c[kLadoEsquerdo] == 1;
                if (Inside(image, x0 + 4.125L * u, y0 + 7.5L * u) && Inside(image, x0 - 4.125L * u, y0 + 7.5L * u)) {
                    EXPECT_EQ(Painted(image, x0 + 4.125L * u, y0 + 7.5L * u), right) << "left " << i << "," << j;
                    EXPECT_EQ(Painted(image, x0 - 4.125L * u, y0 + 7.5L * u), !right) << "left " << i << "," << j;
                }
            }
        }
}

// Which draw of the generator gives each cell's top and left code (-1: none), worked out from the
// order of the draws: row by row, each cell's top (inner rows only) before its left (inner columns
// only).
struct OrdemDosSorteios {
    int colunas;
    std::vector<std::array<int, 2>> celulas; // {top, left}, row by row
};

// 300 x 300, one piece across: 3 x 3 cells.
const OrdemDosSorteios kOrdem300 = {3, {{-1, -1}, {-1, 0}, {-1, -1}, //
                                        {1, -1}, {2, 3}, {4, -1},    //
                                        {-1, -1}, {-1, 5}, {-1, -1}}};
// 3200 x 2400, four pieces across: 6 x 5 cells.
const OrdemDosSorteios kOrdem3200 = {6, {{-1, -1}, {-1, 0}, {-1, 1}, {-1, 2}, {-1, 3}, {-1, -1},      //
                                         {4, -1}, {5, 6}, {7, 8}, {9, 10}, {11, 12}, {13, -1},        //
                                         {14, -1}, {15, 16}, {17, 18}, {19, 20}, {21, 22}, {23, -1},  //
                                         {24, -1}, {25, 26}, {27, 28}, {29, 30}, {31, 32}, {33, -1},  //
                                         {-1, -1}, {-1, 34}, {-1, 35}, {-1, 36}, {-1, 37}, {-1, -1}}};

// The codes the generator's draws give in that order (a draw of 0 is code 1, of 1 code 2); the
// neighbour across each side carries the same code.
std::vector<LadosDaCelula> LadosEsperados(const OrdemDosSorteios& ordem, std::uint64_t semente)
{
    RandomSource gerador(semente);
    std::vector<int> sorteios;
    for (int k = 0; k < 38; ++k)
        sorteios.push_back(gerador.Random(2));
    std::vector<LadosDaCelula> lados(ordem.celulas.size(), LadosDaCelula{0, 0, 0, 0});
    for (std::size_t c = 0; c < ordem.celulas.size(); ++c) {
        const auto [cima, esquerda] = ordem.celulas[c];
        if (cima >= 0)
            lados[c][kLadoDeCima] = lados[c - std::size_t(ordem.colunas)][kLadoDeBaixo] = std::uint8_t(sorteios[std::size_t(cima)] + 1);
        if (esquerda >= 0)
            lados[c][kLadoEsquerdo] = lados[c - 1][kLadoDireito] = std::uint8_t(sorteios[std::size_t(esquerda)] + 1);
    }
    return lados;
}

} // namespace

TEST(Jigsaw, SizesFollowThePieceCount)
{
    struct Case {
        int w, h, pieces, u, s, o, c, r;
    };
    const Case cases[] = {
        {3200, 2400, 4, 53, 795, 212, 6, 5},
        {300, 300, 1, 20, 300, 80, 3, 3},
        {3200, 2400, 1, 213, 3195, 852, 3, 2},
        {120, 40, 1, 8, 120, 32, 3, 2},
    };
    for (const Case& k : cases) {
        const MedidasDoQuebraCabeca m = CalcularMedidasDoQuebraCabeca(k.w, k.h, k.pieces);
        EXPECT_EQ(m.unidade, k.u);
        EXPECT_EQ(m.peca, k.s);
        EXPECT_EQ(m.deslocamento, k.o);
        EXPECT_EQ(m.colunas, k.c);
        EXPECT_EQ(m.linhas, k.r);
    }
}

TEST(Jigsaw, RefusesNoPiecesAndUnitsBelowOnePixel)
{
    EXPECT_THROW(CalcularMedidasDoQuebraCabeca(300, 300, 0), RangeError);
    EXPECT_THROW(CalcularMedidasDoQuebraCabeca(300, 300, -2), RangeError);
    EXPECT_THROW(CalcularMedidasDoQuebraCabeca(300, 300, 50), RangeError); // 6 / 15 rounds to 0
    EXPECT_NO_THROW(CalcularMedidasDoQuebraCabeca(300, 300, 37));          // 8 / 15 rounds to 1
    Bitmap b(300, 300);
    RandomSource g(1);
    EXPECT_THROW(AplicarQuebraCabecaEmBitmap(b, 0, Qt::black, 1, g), RangeError);
}

TEST(Jigsaw, SideCodesFollowTheDrawsRowByRowTopBeforeLeft)
{
    struct Caso {
        int w, h;
        int pecas;
        const OrdemDosSorteios& ordem;
    };
    for (const Caso& caso : {Caso{300, 300, 1, kOrdem300}, Caso{3200, 2400, 4, kOrdem3200}})
        for (std::uint64_t semente : {2024u, 5u, 77u}) {
            SCOPED_TRACE(testing::Message() << caso.w << " x " << caso.h << ", seed " << semente);
            RandomSource g(semente);
            const MedidasDoQuebraCabeca m = CalcularMedidasDoQuebraCabeca(caso.w, caso.h, caso.pecas);
            EXPECT_EQ(SortearLadosDoQuebraCabeca(m, g), LadosEsperados(caso.ordem, semente));
        }
}

TEST(Jigsaw, SidesAreDrawnWhereTheSizesAndTheirCodesPutThem)
{
    struct Case {
        int w, h, pieces, width;
        std::uint64_t seed;
        const OrdemDosSorteios& ordem;
        std::vector<QPoint> painted, clear;
    };
    // 3200 x 2400: the border round the picture; straight parts of the vertical sides at x = 583, 1378,
    // 2173, 2968 near each row's corner, nothing 12 pixels either side; inside a piece, far from every
    // side. 300 x 300: 6 and 9 units along the first cell's top (from x = -80), the straight first part
    // of the left side from y = -80.
    std::vector<QPoint> painted4, clear4 = {{980, 980}, {3100, 2300}};
    for (int k : {0, 700, 1599})
        painted4.insert(painted4.end(), {{k, 0}, {3199, k}, {k, 2399}, {0, k}});
    for (int x : {583, 1378, 2173, 2968})
        for (int y : {683, 1478, 2273}) {
            painted4.push_back({x, y});
            clear4.insert(clear4.end(), {{x + 12, y}, {x - 12, y}});
        }
    const Case cases[] = {
        {3200, 2400, 4, 5, 77, kOrdem3200, painted4, clear4},
        {300, 300, 1, 3, 5, kOrdem300, {{220, 220}, {40, 220}, {100, 220}, {220, 280}, {220, 20}}, {{100, 100}, {100, 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        Bitmap b(c.w, c.h);
        RandomSource g(c.seed);
        AplicarQuebraCabecaEmBitmap(b, c.pieces, QColor::fromRgb(kLine), c.width, g);
        const QImage& image = b.Image();
        CheckSides(image, CalcularMedidasDoQuebraCabeca(c.w, c.h, c.pieces), LadosEsperados(c.ordem, c.seed));
        for (QPoint p : c.painted)
            EXPECT_TRUE(Painted(image, p.x(), p.y())) << p.x() << "," << p.y();
        for (QPoint p : c.clear)
            EXPECT_FALSE(Painted(image, p.x(), p.y())) << p.x() << "," << p.y();
    }
}

TEST(Jigsaw, SameSeedSamePicture)
{
    Bitmap a(800, 600), b(800, 600), c(800, 600);
    RandomSource ga(123), gb(123), gc(124);
    AplicarQuebraCabecaEmBitmap(a, 5, Qt::black, 2, ga);
    AplicarQuebraCabecaEmBitmap(b, 5, Qt::black, 2, gb);
    AplicarQuebraCabecaEmBitmap(c, 5, Qt::black, 2, gc);
    EXPECT_EQ(a.Image(), b.Image());
    EXPECT_NE(a.Image(), c.Image());
    // Only line pixels are drawn: no antialiased shades between line and background.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const QRgb p = a.Image().pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << x << "," << y;
        }
}
