#pragma once
// Lets GoogleTest show QStrings as text (line breaks made visible) when a comparison fails.
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r"), QStringLiteral("\\r")).replace(QStringLiteral("\n"), QStringLiteral("\\n"));
    *os << '"' << shown.toStdString() << '"';
}
