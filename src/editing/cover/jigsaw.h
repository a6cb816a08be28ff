#pragma once
// The jigsaw effect: outlines of puzzle pieces drawn over a bitmap, a border round the picture and a
// grid of sides with a knob on every inner side bulging one way or the other at random. Nothing in
// the program offers it yet; it keeps no window state.
#include "imaging/random_source.h"
#include "platform/graphics/bitmap.h"
#include "platform/rect.h"

#include <QColor>

#include <array>
#include <cstdint>
#include <vector>

namespace lumoria {

struct MedidasDoQuebraCabeca {
    int unidade = 0;      // u: the knob curves are drawn in these units
    int peca = 0;         // s = 15 u
    int deslocamento = 0; // o = 4 u: the grid starts this far above and left of the picture
    int colunas = 0;
    int linhas = 0;
};

// Side codes of a cell: 0 draws nothing, 1 and 2 are a side whose knob bulges one way or the other.
enum LadoDaPeca { kLadoEsquerdo = 0, kLadoDeCima = 1, kLadoDireito = 2, kLadoDeBaixo = 3 };
using LadosDaCelula = std::array<std::uint8_t, 4>;

// Raises RangeError for fewer than one piece or a unit below 1 pixel.
MedidasDoQuebraCabeca CalcularMedidasDoQuebraCabeca(int largura, int altura, int pecasNaHorizontal);

// The side codes, row by row (cell (i, j) at i * colunas + j); two draws per inner cell, top first.
std::vector<LadosDaCelula> SortearLadosDoQuebraCabeca(const MedidasDoQuebraCabeca& medidas,
                                                      RandomSource& gerador);

// The ten points of one side's curve (three cubic Bézier segments), in picture pixels, for a cell
// whose corner is canto: the top side when deCima, else the left side, with code 1 or 2.
std::array<Point, 10> CurvaDoLado(bool deCima, int codigo, Point canto, int unidade);

void AplicarQuebraCabecaEmBitmap(platform::Bitmap& bitmap, int pecasNaHorizontal, QColor cor, int larguraDaLinha,
                                 RandomSource& gerador);

} // namespace lumoria
