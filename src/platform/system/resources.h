#pragma once
// Raw-data resources carried in the program file. The resource named N is the file
// resources/rcdata/N of the source tree, compiled in as ":/rcdata/N".
#include <QByteArray>
#include <QString>

#include <optional>

namespace lumoria::platform {

QString rawResourcePath(const QString& name);

// The whole resource, or nothing when the program holds no resource of that name.
std::optional<QByteArray> readRawResource(const QString& name);

} // namespace lumoria::platform
