#include "common/jpeg_resource.h"

#include "platform/failure.h"
#include "platform/system/resources.h"

namespace lumoria {

std::unique_ptr<platform::JpegImage> CarregarJpegDoRecurso(const QString& nomeDoRecurso)
{
    const std::optional<QByteArray> dados = platform::readRawResource(nomeDoRecurso);
    if (!dados)
        throw ResourceNotFound(nomeDoRecurso.toStdString());
    auto figura = std::make_unique<platform::JpegImage>();
    figura->LoadFromData(*dados);
    return figura;
}

} // namespace lumoria
