#include "platform/system/resources.h"

#include <QFile>

namespace lumoria::platform {

QString rawResourcePath(const QString& name) { return QStringLiteral(":/rcdata/") + name; }

std::optional<QByteArray> readRawResource(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    QFile file(rawResourcePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace lumoria::platform
