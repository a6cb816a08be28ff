#include "common/jpeg_resource.h"

#include "platform/failure.h"

#include <QFile>

namespace lumoria {

std::unique_ptr<platform::JpegImage> CarregarJpegDoRecurso(const QString& nomeDoRecurso)
{
    // The raw-data resource N is compiled in as ":/rcdata/N".
    QFile recurso(QStringLiteral(":/rcdata/") + nomeDoRecurso);
    if (nomeDoRecurso.isEmpty() || !recurso.open(QIODevice::ReadOnly))
        throw ResourceNotFound(nomeDoRecurso.toStdString());
    auto figura = std::make_unique<platform::JpegImage>();
    figura->LoadFromData(recurso.readAll());
    return figura;
}

} // namespace lumoria
