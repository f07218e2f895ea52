// The error every store operation throws: what failed, in words a user can act on.
#pragma once

#include <QString>
#include <stdexcept>

namespace tavri {

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

}  // namespace tavri
