#include "common/app_identity.h"

#include "common/general_routines.h"
#include "common/text_trim.h"
#include "lumoria_version.h"
#include "platform/system/program_info.h"

namespace lumoria {

QString VersaoCurta(const QString& versaoCompleta)
{
    const qsizetype primeiro = versaoCompleta.indexOf(QLatin1Char('.'));
    const qsizetype segundo = primeiro < 0 ? -1 : versaoCompleta.indexOf(QLatin1Char('.'), primeiro + 1);
    if (segundo < 0)
        return QStringLiteral("v") + versaoCompleta;
    return QStringLiteral("v") + Trim(versaoCompleta.left(segundo));
}

QString VersaoCurta() { return VersaoCurta(VersaoDoExecutavel()); }

QString TituloDoAplicativo() { return QStringLiteral(LUMORIA_PRODUCT_NAME " ") + VersaoCurta(); }

QString PastaDoAplicativo() { return platform::programFolder(); }

} // namespace lumoria
