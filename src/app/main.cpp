// The program's entry point.
#include <QApplication>

#include "app/program.h"
#include "common/failure_messages.h"
#include "platform/system/translations.h"
#include "platform/ui/dispatch.h"

int main(int argc, char** argv)
{
    lumoria::platform::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumoria"));
    lumoria::platform::installQtTranslations();
    lumoria::installFailureHandler();
    return lumoria::ExecutarLumoria(QCoreApplication::arguments().mid(1));
}
