#pragma once
#include <QString>

namespace lumoria {

// The text without its leading and trailing blanks and control characters (every character up to
// and including the blank).
QString Trim(const QString& text);

} // namespace lumoria
