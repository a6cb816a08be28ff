#pragma once
// Loading a picture from a file's bytes without knowing its kind: the first bytes tell it, as a
// picture object loader does (JPEG, GIF, BMP, ICO, placeable and plain WMF, EMF).
#include "platform/graphics/graphic.h"

#include <QByteArray>

#include <memory>

namespace lumoria::platform {

// The graphic the bytes hold; InvalidPicture when they hold none of the kinds above or do not decode.
// Safe on any thread (each call has its own graphic).
std::unique_ptr<Graphic> LoadGraphicFromData(const QByteArray& data);

} // namespace lumoria::platform
