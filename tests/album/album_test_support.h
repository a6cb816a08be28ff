#pragma once
// Readable failure output for the album's value types.
#include "album/album_document.h"
#include "platform/rect.h"

#include <QString>

#include <ostream>

namespace lumoria {

inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

inline Rect frameRect(const TFoto& f) { return {f.Left, f.Top, f.Right, f.Bottom}; }
inline Rect pageRect(const TPagina& p) { return {p.Left, p.Top, p.Right, p.Bottom}; }

} // namespace lumoria

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
