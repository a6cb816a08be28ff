#include "printing/resolution_table.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "common/general_routines.h"
#include "common/text_trim.h"

namespace lumoria {

namespace {

struct Dimensao {
    std::int32_t a, b;
};

constexpr std::array<Dimensao, 13> kResolucoesDeFotos{{{640, 480},
                                                       {800, 600},
                                                       {1024, 768},
                                                       {1152, 864},
                                                       {1280, 960},
                                                       {1280, 1024},
                                                       {1600, 1200},
                                                       {1920, 1440},
                                                       {2048, 1536},
                                                       {2080, 1560},
                                                       {2258, 1915},
                                                       {2803, 2000},
                                                       {3072, 2048}}};

// Centimetres.
constexpr std::array<Dimensao, 19> kTamanhosDeImpressao{{{2, 2},   {3, 4},   {5, 7},   {9, 12},  {10, 15},
                                                         {13, 18}, {15, 21}, {18, 24}, {18, 27}, {20, 25},
                                                         {20, 28}, {20, 30}, {20, 35}, {24, 30}, {30, 40},
                                                         {30, 45}, {30, 90}, {50, 60}, {50, 75}}};

constexpr int kColunasFixas = 3;
static_assert(kColunasDaTabela == kColunasFixas + static_cast<int>(kTamanhosDeImpressao.size()));
static_assert(kLinhasDaTabela == 1 + static_cast<int>(kResolucoesDeFotos.size()));

QString F(int decimais, long double valor) { return Trim(FormatarNumero(14, decimais, valor)); }

const QString kDpi = QStringLiteral(" DPI");

} // namespace

QString TextoDaCelulaDaTabela(int coluna, int linha)
{
    if (coluna < 0 || coluna >= kColunasDaTabela || linha < 0 || linha >= kLinhasDaTabela)
        return QString();
    if (linha == 0) {
        switch (coluna) {
        case 0:
            return QStringLiteral("Foto Original");
        case 1:
            return QStringLiteral("Mega Pixels");
        case 2:
            return QStringLiteral("Proporção");
        default: {
            const Dimensao t = kTamanhosDeImpressao[coluna - kColunasFixas];
            return QStringLiteral("%1 x %2 cm").arg(t.a).arg(t.b);
        }
        }
    }
    const Dimensao r = kResolucoesDeFotos[linha - 1];
    const std::int64_t pixels = std::int64_t{r.a} * r.b;
    switch (coluna) {
    case 0:
        return QStringLiteral("%1 x %2").arg(r.a).arg(r.b);
    case 1:
        return F(2, static_cast<long double>(pixels) / (1024.0L * 1024.0L));
    case 2:
        return F(3, static_cast<long double>(r.a) / r.b);
    default: {
        const Dimensao t = kTamanhosDeImpressao[coluna - kColunasFixas];
        const std::int64_t milimetrosQuadrados = std::int64_t{t.a} * 100 * t.b;
        const long double dpi =
            25.4L * std::sqrt(static_cast<long double>(pixels) / static_cast<long double>(milimetrosQuadrados));
        return F(0, dpi) + kDpi;
    }
    }
}

std::optional<long long> ResolucaoDaCelula(const QString& texto)
{
    const qsizetype fim = texto.indexOf(kDpi);
    if (fim < 0)
        return std::nullopt;
    long long n = 0;
    bool algum = false;
    for (const QChar c : texto.left(fim)) {
        if (c.isDigit() && c.digitValue() >= 0) {
            n = n * 10 + c.digitValue();
            algum = true;
            if (n > 1'000'000'000'000LL)
                break;
        }
    }
    if (!algum)
        return std::nullopt;
    return n;
}

} // namespace lumoria
