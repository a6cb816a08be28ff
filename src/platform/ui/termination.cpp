#include "platform/ui/termination.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace lumoria::platform {

namespace {
bool g_requested = false;
}

void requestTermination()
{
    g_requested = true;
    // exit() leaves nested loops too (a modal window that is open).
    if (QCoreApplication::instance())
        QCoreApplication::exit(0);
}

bool terminationRequested() { return g_requested; }

void clearTerminationRequest()
{
    g_requested = false;
    // After QCoreApplication::exit() every new event loop returns at once until exec() runs again;
    // a short exec() puts Qt back into its ordinary state.
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread()->loopLevel() == 0) {
        QTimer::singleShot(0, app, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
}

} // namespace lumoria::platform
