#pragma once

#include <QObject>
#include <functional>
#include <type_traits>

namespace ui {

// Runs one event handler. An error that escapes it is shown in one message box that says what
// failed, and the program goes on.
void guarded(const std::function<void()>& handler);

// Connects a signal to a handler that runs guarded; the handler may ignore the arguments.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection onEvent(Sender* sender, Signal signal, Handler handler)
{
    return QObject::connect(sender, signal, sender, [handler](auto... arguments) {
        guarded([&] {
            if constexpr (std::is_invocable_v<Handler, decltype(arguments)...>)
                handler(arguments...);
            else
                handler();
        });
    });
}

}  // namespace ui
