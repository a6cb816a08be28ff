#include "printing/photo_analysis.h"

#include <algorithm>
#include <cmath>

#include "album/album_model.h"
#include "common/general_routines.h"
#include "common/text_trim.h"
#include "platform/numeric.h"
#include "printing/resolution_bands.h"

namespace lumoria {

namespace {

constexpr long double kMilimetrosPorPolegada = 25.4L;

QString F(int decimais, long double valor) { return Trim(FormatarNumero(14, decimais, valor)); }

} // namespace

std::optional<MedidasDaAnalise> MedirFotoNaMoldura(std::int32_t larguraDaFoto, std::int32_t alturaDaFoto,
                                                   const TFoto& moldura)
{
    const std::int64_t larguraDaMoldura = std::int64_t{moldura.Right} - moldura.Left;
    const std::int64_t alturaDaMoldura = std::int64_t{moldura.Bottom} - moldura.Top;
    if (larguraDaFoto <= 0 || alturaDaFoto <= 0 || larguraDaMoldura <= 0 || alturaDaMoldura <= 0)
        return std::nullopt;
    MedidasDaAnalise m;
    m.pmin = std::min(larguraDaFoto, alturaDaFoto);
    m.pmax = std::max(larguraDaFoto, alturaDaFoto);
    m.fmin = std::min(larguraDaMoldura, alturaDaMoldura);
    m.fmax = std::max(larguraDaMoldura, alturaDaMoldura);
    const std::int64_t pixels = std::int64_t{m.pmin} * m.pmax;
    // Real: two frame sides of up to 2^32 would overflow even 64 bits.
    const long double area = static_cast<long double>(m.fmin) * static_cast<long double>(m.fmax);
    m.A = kMilimetrosPorPolegada * std::sqrt(static_cast<long double>(pixels) / area);
    return m;
}

QString TextoDoAjusteDaFotoNaMoldura(std::uint8_t ajuste)
{
    switch (ajuste) {
    case kFitStretch:
        return QStringLiteral("Esticada, Mesmo Que Fique Desproporcional");
    case kFitInside:
        return QStringLiteral("Proporcional, Por Dentro, Fazendo Bordas");
    case kFitCut:
        return QStringLiteral("Proporcional, Por Fora, Fazendo Cortes");
    default:
        return QString();
    }
}

QString TextoDoResultadoEsperado(long double A) { return NomeDaFaixa(FaixaDaResolucao(A)); }

QStringList LinhasDaAnalise(const MedidasDaAnalise& m, std::uint8_t ajuste)
{
    const long double pmin = m.pmin, pmax = m.pmax;
    const long double fmin = static_cast<long double>(m.fmin), fmax = static_cast<long double>(m.fmax);
    return {
        QStringLiteral("Dimensões da Foto: %1 x %2 Pixels").arg(m.pmin).arg(m.pmax),
        QStringLiteral("Dimensões da Impressão: ") + F(0, fmin / 10) + QStringLiteral(" x ") + F(0, fmax / 10) +
            QStringLiteral(" Centímetros"),
        QString(),
        QStringLiteral("Proporção Original: ") + F(3, pmax / pmin),
        QStringLiteral("Proporção de Impressão: ") + F(3, fmax / fmin),
        QStringLiteral("Ajuste Da Foto Na Moldura: ") + TextoDoAjusteDaFotoNaMoldura(ajuste),
        QString(),
        QStringLiteral("Resolução de Impressão, Por Dimensão: ") + F(0, kMilimetrosPorPolegada * pmin / fmin) +
            QStringLiteral(" x ") + F(0, kMilimetrosPorPolegada * pmax / fmax) + QStringLiteral(" DPI"),
        QStringLiteral("Resolução de Impressão, Por Área Final: ") + F(0, m.A) + QStringLiteral(" DPI"),
        QStringLiteral("Resultado Esperado Da Impressão Nestas Dimensões: \"") + TextoDoResultadoEsperado(m.A) +
            QLatin1Char('"'),
        QString(),
    };
}

Rect RetanguloDaImagemNoPainel(std::int32_t larguraDoPainel, std::int32_t alturaDoPainel, std::int32_t larguraDaImagem,
                               std::int32_t alturaDaImagem)
{
    const long double PW = larguraDoPainel, PH = alturaDoPainel;
    const long double iw = larguraDaImagem, ih = alturaDaImagem;
    std::int32_t w = larguraDoPainel;
    std::int32_t h = alturaDoPainel;
    // Compared before narrowing: a very tall, narrow picture gives a height past 32 bits here.
    const std::int64_t alturaNaLargura = Round(ih * PW / iw);
    if (alturaNaLargura > alturaDoPainel)
        w = RoundToInt32(iw * PH / ih);
    else
        h = ToInt32(alturaNaLargura);
    const std::int32_t largura = RoundToInt32(w * 0.9L);
    const std::int32_t altura = RoundToInt32(h * 0.9L);
    const std::int32_t esquerda = RoundToInt32((PW - largura) / 2);
    const std::int32_t topo = RoundToInt32((PH - altura) / 2);
    return Rect{esquerda, topo, esquerda + largura, topo + altura};
}

} // namespace lumoria
