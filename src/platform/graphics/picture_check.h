#pragma once
// Whether a picture file can be drawn, asked before a job is printed.
#include <QString>

namespace lumoria::platform {

// True when the file exists and decodes to its end as printing reads it (a JPEG through every row of
// its scan, at the smallest scale; any other kind loaded whole). A missing, empty, cut-short or
// foreign file is not readable. Safe on any thread.
bool PictureFileReadable(const QString& path);

} // namespace lumoria::platform
