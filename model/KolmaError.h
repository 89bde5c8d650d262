// The error type of the program: a German text for the user. Every layer raises it; the windows'
// general error handler shows its text.
#pragma once

#include <QString>
#include <stdexcept>

namespace kolma {

class KolmaError : public std::runtime_error {
public:
    explicit KolmaError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Caption of the general error message box, and the program's name in its messages.
inline const char kApplicationTitle[] = "KOLMA";

}  // namespace kolma
