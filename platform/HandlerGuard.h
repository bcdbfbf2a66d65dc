#pragma once

#include "platform/AppError.h"
#include "platform/ErrorBox.h"

#include <QObject>

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

// Runs one event handler. An exception that leaves it abandons the rest of the handler and
// is shown in the error box; it never reaches Qt's event loop.
template<typename Handler>
void runGuarded(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const AppError &error) {
        ErrorBox::show(error.message());
    } catch (const std::exception &error) {
        ErrorBox::show(QString::fromUtf8(error.what()));
    } catch (...) {
        ErrorBox::show(QString());
    }
}

namespace HandlerGuardDetail {

// Callable with exactly the leading signal arguments the handler takes, so that Qt passes
// only those.
template<typename Receiver, typename Handler>
struct GuardedCall
{
    Receiver *receiver;
    Handler handler;

    template<typename... Args,
             typename = std::enable_if_t<std::is_invocable_v<Handler, Receiver *, Args...>>>
    void operator()(Args &&...args) const
    {
        runGuarded([&] { std::invoke(handler, receiver, std::forward<Args>(args)...); });
    }
};

} // namespace HandlerGuardDetail

// Connects a signal to a member handler of receiver through the guard. The handler takes
// as many of the signal's leading arguments as it declares.
template<typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, Receiver *receiver,
                                       Handler handler)
{
    return QObject::connect(sender, signal, receiver,
                            HandlerGuardDetail::GuardedCall<Receiver, Handler>{receiver, handler});
}
