// The one error type the program throws for failures a user can act on: a message in words,
// kept as text for the user and as what() for the logs. FileError and StoreError are its two
// kinds; code that handles both alike catches Error.
#pragma once

#include <QString>
#include <stdexcept>

namespace tavri {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

}  // namespace tavri
