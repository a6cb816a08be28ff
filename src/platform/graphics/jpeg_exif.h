#pragma once
// The small picture that cameras store in a JPEG file's Exif block (APP1, second image directory),
// found without decoding anything. Every offset is checked against the bytes given: a damaged or
// hostile block gives nothing.
#include <QByteArray>

namespace lumoria::platform {

// The embedded thumbnail's JPEG bytes; empty when the bytes (a whole file or just its start) hold
// none. Only the segments before the first scan are looked at.
QByteArray ExifThumbnail(const QByteArray& data);

} // namespace lumoria::platform
