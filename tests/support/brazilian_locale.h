#pragma once
// Numbers formatted as under a Brazilian user's settings (comma decimals, full-stop thousands) for
// the life of the object, whatever the machine's own locale.
#include <QLocale>

namespace lumoria::test {

class LocalidadeBrasileira {
public:
    LocalidadeBrasileira() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    ~LocalidadeBrasileira() { QLocale::setDefault(QLocale::system()); }
    LocalidadeBrasileira(const LocalidadeBrasileira&) = delete;
    LocalidadeBrasileira& operator=(const LocalidadeBrasileira&) = delete;
};

} // namespace lumoria::test
