#include "install/command_line.h"

#include "common/text_trim.h"

namespace lumoria {

QString ParametroDaLinhaDeComando(const QStringList& argumentos)
{
    if (argumentos.isEmpty())
        return QString();
    QString parametro = Trim(argumentos.join(QLatin1Char(' ')));
    while (parametro.startsWith(QLatin1Char('"')))
        parametro.remove(0, 1);
    while (parametro.endsWith(QLatin1Char('"')))
        parametro.chop(1);
    return parametro;
}

} // namespace lumoria
