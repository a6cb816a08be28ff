#pragma once
// Every event handler runs through runGuarded, so that an exception never crosses Qt's event loop:
// it goes to the application-wide failure handler instead. Application::notify catches whatever an
// unguarded handler lets through.
#include <QApplication>
#include <QObject>
#include <QString>

#include <cstddef>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace lumoria::platform {

// Receives the message of every failure that reached the event loop.
using FailureHandler = std::function<void(const QString& message)>;

// Replaces the application-wide handler and returns the previous one. Without a handler a failure
// is written to the error output and the program ends.
FailureHandler setFailureHandler(FailureHandler handler);

// Hands the exception being handled (call inside a catch block) to the failure handler. A failure
// while the handler itself runs ends the program at once, without a second report.
void reportCurrentException();
// Hands a message to the failure handler, as a caught exception with that message would.
void reportFailure(const QString& message);
// True while the failure handler runs.
bool reportingFailure();

// Runs a handler; an exception it throws goes to the failure handler. Returns false when it threw.
template <typename F>
bool runGuarded(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

namespace detail {

template <typename F, typename Tuple, typename Seq>
struct InvocableWithLeading;
template <typename F, typename Tuple, std::size_t... I>
struct InvocableWithLeading<F, Tuple, std::index_sequence<I...>>
    : std::is_invocable<F&, std::tuple_element_t<I, Tuple>&...> {};

// Calls f with as many of the leading arguments as it takes, as Qt does for a slot.
template <std::size_t N, typename F, typename Tuple>
void callWithLeading(F& f, Tuple& args)
{
    if constexpr (InvocableWithLeading<F, Tuple, std::make_index_sequence<N>>::value) {
        [&]<std::size_t... I>(std::index_sequence<I...>) { f(std::get<I>(args)...); }(std::make_index_sequence<N>());
    } else {
        static_assert(N > 0, "the slot cannot take the signal's arguments");
        if constexpr (N > 0)
            callWithLeading<N - 1>(f, args);
    }
}

} // namespace detail

// connect() whose slot runs guarded. The slot may take fewer arguments than the signal gives.
template <typename Sender, typename Signal, typename Functor>
QMetaObject::Connection connectGuarded(const Sender* sender, Signal signal, const QObject* context,
                                       Functor slot)
{
    return QObject::connect(sender, signal, context, [slot = std::move(slot)](auto... args) mutable {
        auto tuple = std::make_tuple(args...);
        runGuarded([&] { detail::callWithLeading<sizeof...(args)>(slot, tuple); });
    });
}

// The program's application object: events whose handlers throw end in the failure handler.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace lumoria::platform
