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

// Connects a signal to a member handler of receiver through the guard. The handler takes
// as many of the signal's leading arguments as it declares.
template<typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, Receiver *receiver,
                                       Handler handler)
{
    auto call = [receiver, handler](auto &&...args) -> void
        requires std::is_invocable_v<Handler, Receiver *, decltype(args)...>
    {
        runGuarded([&] { std::invoke(handler, receiver, std::forward<decltype(args)>(args)...); });
    };
    return QObject::connect(sender, signal, receiver, call);
}
