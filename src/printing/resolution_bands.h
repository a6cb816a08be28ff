#pragma once
// The quality bands of print resolution that the photo analysis's verdict and the reference table's
// colours share.
#include <QString>

#include "platform/ui/colors.h"

namespace lumoria {

enum class FaixaDeResolucao { Adequado, Aceitavel, Ruim, NaoRecomendado };

// At least 300 dots per inch is adequate, at least 200 acceptable, at least 100 poor, below that
// not recommended.
FaixaDeResolucao FaixaDaResolucao(long double dpi);

// "Adequado", "Aceitável", "Ruim", "Não Recomendado".
QString NomeDaFaixa(FaixaDeResolucao faixa);

// The colour of the band in the table and its legend.
platform::ColorRef CorDaFaixa(FaixaDeResolucao faixa);

} // namespace lumoria
