#pragma once

#include "common/Error.h"
#include "platform/Dialogs.h"
#include "store/EngineError.h"

#include <QObject>

#include <exception>
#include <functional>
#include <type_traits>

namespace tarlok {

// Runs the body of one user action (a handler). An error the action does not expect stops it and its
// Polish text is shown in a message box; Abort stops it silently. Nothing escapes into the event loop.
template <class Body> void runAction(Dialogs& dialogs, Body&& body) {
    try {
        body();
    } catch (const Abort&) {
    } catch (const Error& e) {
        dialogs.message(e.text());
    } catch (const std::exception& e) {
        dialogs.message(
            QStringLiteral("Nieoczekiwany błąd programu: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

// Connects `signal` of `sender` to the handler `slot` of `receiver` so that the handler always runs as
// one user action inside runAction: no error of a handler reaches the event loop. A handler takes the
// signal's arguments or none.
template <class Sender, class Signal, class Receiver, class Slot>
QMetaObject::Connection connectAction(Dialogs& dialogs, const Sender* sender, Signal signal,
                                      Receiver* receiver, Slot slot) {
    return QObject::connect(sender, signal, receiver, [&dialogs, receiver, slot](auto&&... args) {
        runAction(dialogs, [&] {
            if constexpr (std::is_invocable_v<Slot, Receiver*, decltype(args)...>)
                std::invoke(slot, receiver, std::forward<decltype(args)>(args)...);
            else
                std::invoke(slot, receiver);
        });
    });
}

} // namespace tarlok
