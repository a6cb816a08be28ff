#include "platform/ui/dispatch.h"

#include "platform/failure.h"
#include "platform/ui/termination.h"

#include <cstdio>
#include <exception>
#include <new>

namespace lumoria::platform {

namespace {

FailureHandler g_handler;
bool g_reporting = false;

QString messageOfCurrentException()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        // Exhausted memory reads as the system's own text, which the failure table knows.
        return QString::fromUtf8(OutOfMemory().what());
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown exception");
    }
}

} // namespace

FailureHandler setFailureHandler(FailureHandler handler)
{
    FailureHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

bool reportingFailure() { return g_reporting; }

void reportFailure(const QString& message)
{
    if (g_reporting || !g_handler) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        requestTermination();
        return;
    }
    g_reporting = true;
    try {
        g_handler(message);
    } catch (...) {
        std::fprintf(stderr, "%s\n", messageOfCurrentException().toLocal8Bit().constData());
        requestTermination();
    }
    g_reporting = false;
}

void reportCurrentException()
{
    QString message;
    try {
        message = messageOfCurrentException();
    } catch (...) {
        message = QStringLiteral("Unknown exception");
    }
    reportFailure(message);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    runGuarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

} // namespace lumoria::platform
