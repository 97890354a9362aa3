#pragma once

#include "common/Error.h"

namespace tarlok {

// An error of the table engine, with a Polish text for the user. A caller that expects one catches it;
// otherwise the window's action stops and the text is shown in a message box.
class EngineError : public Error {
public:
    using Error::Error;
};

// A move refused because a row with computed fields is pending: the window keeps the row and asks the
// user to save or cancel it first.
class PendingRowError : public EngineError {
public:
    using EngineError::EngineError;
};

// Stops the current action silently (the handler has already told the user why, or nothing needs
// saying).
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "abort"; }
};

} // namespace tarlok
