#pragma once

#include "common/Error.h"
#include "platform/Dialogs.h"
#include "store/EngineError.h"

#include <exception>

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

} // namespace tarlok
