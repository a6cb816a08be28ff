#include "editing/cover/jigsaw.h"

#include "platform/failure.h"
#include "platform/graphics/canvas.h"
#include "platform/numeric.h"

namespace lumoria {

using platform::Bitmap;
using platform::Canvas;

namespace {

struct PontoDaCurva {
    int x;
    int y;
};
using Curva = std::array<PontoDaCurva, 10>;

// In units: top side bulging up (A), left side bulging right (B), top side bulging down (C), left side
// bulging left (D). They are not mirror images of one another.
constexpr Curva kCurvaA{{{0, 0}, {1, -2}, {6, 2}, {6, 0}, {4, -6}, {11, -4}, {9, 0}, {9, 1}, {15, -1}, {15, 0}}};
constexpr Curva kCurvaB{{{0, 0}, {0, 2}, {0, 4}, {0, 6}, {6, 4}, {5, 11}, {0, 9}, {0, 12}, {0, 13}, {0, 15}}};
constexpr Curva kCurvaC{{{0, 0}, {0, 1}, {6, -2}, {6, 0}, {3, 6}, {10, 5}, {9, 0}, {9, -2}, {15, 0}, {15, 0}}};
constexpr Curva kCurvaD{{{0, 0}, {0, 2}, {0, 3}, {0, 6}, {-6, 4}, {-5, 11}, {0, 9}, {0, 10}, {0, 13}, {0, 15}}};

std::uint8_t SortearCodigo(RandomSource& gerador)
{
    return std::uint8_t(gerador.Random(2) + 1);
}

} // namespace

MedidasDoQuebraCabeca CalcularMedidasDoQuebraCabeca(int largura, int altura, int pecasNaHorizontal)
{
    if (pecasNaHorizontal < 1 || largura < 1 || altura < 1)
        throw RangeError();
    MedidasDoQuebraCabeca m;
    m.unidade = RoundToInt32((long double)RoundToInt32((long double)largura / pecasNaHorizontal) / 15);
    if (m.unidade < 1)
        throw RangeError();
    m.peca = 15 * m.unidade;
    m.deslocamento = 4 * m.unidade;
    m.colunas = largura / m.peca + 2;
    m.linhas = altura / m.peca + 2;
    return m;
}

std::vector<LadosDaCelula> SortearLadosDoQuebraCabeca(const MedidasDoQuebraCabeca& m, RandomSource& gerador)
{
    std::vector<LadosDaCelula> lados(std::size_t(m.colunas) * std::size_t(m.linhas), LadosDaCelula{0, 0, 0, 0});
    const auto celula = [&](int i, int j) -> LadosDaCelula& { return lados[std::size_t(i) * m.colunas + j]; };
    for (int i = 0; i < m.linhas; ++i) {
        for (int j = 0; j < m.colunas; ++j) {
            if (i == 0) {
                celula(i, j)[kLadoDeCima] = 0;
            } else if (i == m.linhas - 1) {
                celula(i - 1, j)[kLadoDeBaixo] = 0;
            } else {
                const std::uint8_t k = SortearCodigo(gerador);
                celula(i, j)[kLadoDeCima] = k;
                celula(i - 1, j)[kLadoDeBaixo] = k;
            }
            if (j == 0) {
                celula(i, j)[kLadoEsquerdo] = 0;
            } else if (j == m.colunas - 1) {
                celula(i, j - 1)[kLadoDireito] = 0;
            } else {
                const std::uint8_t k = SortearCodigo(gerador);
                celula(i, j)[kLadoEsquerdo] = k;
                celula(i, j - 1)[kLadoDireito] = k;
            }
        }
    }
    return lados;
}

std::array<Point, 10> CurvaDoLado(bool deCima, int codigo, Point canto, int unidade)
{
    const Curva& curva = deCima ? (codigo == 1 ? kCurvaA : kCurvaC) : (codigo == 1 ? kCurvaB : kCurvaD);
    std::array<Point, 10> pontos;
    for (std::size_t k = 0; k < curva.size(); ++k)
        pontos[k] = Point{canto.X + unidade * curva[k].x, canto.Y + unidade * curva[k].y};
    return pontos;
}

void AplicarQuebraCabecaEmBitmap(Bitmap& bitmap, int pecasNaHorizontal, QColor cor, int larguraDaLinha,
                                 RandomSource& gerador)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const MedidasDoQuebraCabeca m = CalcularMedidasDoQuebraCabeca(w, h, pecasNaHorizontal);
    const std::vector<LadosDaCelula> lados = SortearLadosDoQuebraCabeca(m, gerador);

    Canvas& canvas = bitmap.GetCanvas();
    canvas.pen = platform::Pen{cor, larguraDaLinha, platform::PenStyle::Solid, true};
    canvas.MoveTo(0, 0);
    canvas.LineTo(w - 1, 0);
    canvas.LineTo(w - 1, h - 1);
    canvas.LineTo(0, h - 1);
    canvas.LineTo(0, 0);
    for (int i = 0; i < m.linhas; ++i) {
        for (int j = 0; j < m.colunas; ++j) {
            const LadosDaCelula& c = lados[std::size_t(i) * m.colunas + j];
            const Point canto{m.peca * j - m.deslocamento, m.peca * i - m.deslocamento};
            if (c[kLadoDeCima] != 0) {
                const auto pontos = CurvaDoLado(true, c[kLadoDeCima], canto, m.unidade);
                canvas.PolyBezier(pontos.data(), int(pontos.size()));
            }
            if (c[kLadoEsquerdo] != 0) {
                const auto pontos = CurvaDoLado(false, c[kLadoEsquerdo], canto, m.unidade);
                canvas.PolyBezier(pontos.data(), int(pontos.size()));
            }
        }
    }
}

} // namespace lumoria
