#include "printing/resolution_bands.h"

namespace lumoria {

FaixaDeResolucao FaixaDaResolucao(long double dpi)
{
    if (dpi >= 300)
        return FaixaDeResolucao::Adequado;
    if (dpi >= 200)
        return FaixaDeResolucao::Aceitavel;
    if (dpi >= 100)
        return FaixaDeResolucao::Ruim;
    return FaixaDeResolucao::NaoRecomendado;
}

QString NomeDaFaixa(FaixaDeResolucao faixa)
{
    switch (faixa) {
    case FaixaDeResolucao::Adequado:
        return QStringLiteral("Adequado");
    case FaixaDeResolucao::Aceitavel:
        return QStringLiteral("Aceitável");
    case FaixaDeResolucao::Ruim:
        return QStringLiteral("Ruim");
    case FaixaDeResolucao::NaoRecomendado:
        break;
    }
    return QStringLiteral("Não Recomendado");
}

platform::ColorRef CorDaFaixa(FaixaDeResolucao faixa)
{
    switch (faixa) {
    case FaixaDeResolucao::Adequado:
        return platform::colorRef(0, 0, 255);
    case FaixaDeResolucao::Aceitavel:
        return platform::colorRef(0, 128, 0);
    case FaixaDeResolucao::Ruim:
        return platform::colorRef(232, 116, 0);
    case FaixaDeResolucao::NaoRecomendado:
        break;
    }
    return platform::colorRef(191, 0, 0);
}

} // namespace lumoria
