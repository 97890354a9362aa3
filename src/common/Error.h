#pragma once

#include <QString>
#include <stdexcept>

namespace tarlok {

// An error with a Polish text for the user. The window's action that meets one stops and shows the text.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// A text that does not read as a number or a date; the message quotes the text.
class ConversionError : public Error {
public:
    using Error::Error;
};

} // namespace tarlok
