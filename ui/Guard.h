#pragma once

#include <QObject>
#include <functional>
#include <type_traits>

namespace ui {

// Runs one event handler. An error that escapes it is shown in one message box that says what
// failed, and the program goes on.
void guarded(const std::function<void()>& handler);

// Calls the handler with the arguments it takes: all of them, or none.
template <typename Handler, typename... Arguments>
void callHandler(const Handler& handler, const Arguments&... arguments)
{
    if constexpr (std::is_invocable_v<const Handler&, const Arguments&...>)
        handler(arguments...);
    else
        handler();
}

// Connects a signal to a handler that runs guarded; the handler may ignore the arguments.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection onEvent(Sender* sender, Signal signal, Handler handler)
{
    return QObject::connect(sender, signal, sender, [handler](auto... arguments) {
        guarded([&] { callHandler(handler, arguments...); });
    });
}

}  // namespace ui
