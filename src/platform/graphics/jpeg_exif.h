#pragma once
// What cameras store in a JPEG file's Exif block (APP1): the way the picture lies, and the small
// picture of the second image directory, found without decoding anything. Every offset is checked against the bytes given: a damaged or
// hostile block gives nothing.
#include <QByteArray>

namespace lumoria::platform {

// The embedded thumbnail's JPEG bytes; empty when the bytes (a whole file or just its start) hold
// none. Only the segments before the first scan are looked at.
QByteArray ExifThumbnail(const QByteArray& data);

// The orientation tag (1 to 8) of an APP1 segment's contents (from "Exif"); 1 when it holds none
// or a value outside 1 to 8.
int ExifOrientation(const QByteArray& app1);

} // namespace lumoria::platform
