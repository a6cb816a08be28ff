// The program's entry point: the splash, the main window and the message loop.
#include <QApplication>

#include <memory>

#include "app/main_window.h"
#include "common/failure_messages.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/termination.h"

int main(int argc, char** argv)
{
    lumoria::platform::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumoria"));
    lumoria::installFailureHandler();
    const QStringList argumentos = QCoreApplication::arguments().mid(1);

    auto janela = std::make_unique<lumoria::TfrmPrincipal>(argumentos);

    int resultado = 0;
    // A request to end made during start-up (a second copy, a screen too small, an error) is kept as
    // a flag: quit() before exec() would be forgotten.
    if (!lumoria::platform::terminationRequested()) {
        janela->show();
        resultado = QApplication::exec();
    }
    janela.reset();
    return resultado;
}
