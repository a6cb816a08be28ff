#pragma once
// JPEG pictures carried in the program's raw-data resources.
#include "platform/graphics/jpeg_image.h"

#include <QString>

#include <memory>

namespace lumoria {

// A new JPEG picture loaded from the raw-data resource of that name, owned by the caller. A name the
// program holds no resource of raises ResourceNotFound.
std::unique_ptr<platform::JpegImage> CarregarJpegDoRecurso(const QString& nomeDoRecurso);

} // namespace lumoria
