#pragma once
// Resources made up by a test: compiled with Qt's rcc at run time and registered in the process,
// so a test can give the program resources that the build does not carry.
#include <QByteArray>
#include <QMap>
#include <QString>

namespace lumoria::test {

// Registers every file (path under the resource root, e.g. "rcdata/Name") with its bytes. Returns
// the rcc file to hand to unregisterResources, or empty when rcc failed.
QString registerResources(const QMap<QString, QByteArray>& files);
void unregisterResources(const QString& rccFile);

} // namespace lumoria::test
