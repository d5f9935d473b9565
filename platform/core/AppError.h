#pragma once

#include <QString>
#include <stdexcept>
#include <string>

namespace varnelo {

// The one error type of the program. Components, the skin, the settings file
// and program code throw it; the application-wide handler shows message() to
// the user unchanged, so the text must be complete and readable on its own.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message) : std::runtime_error(message.toStdString()) {}
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
    explicit AppError(const char* message) : std::runtime_error(message) {}

    QString message() const { return QString::fromStdString(what()); }
};

} // namespace varnelo
