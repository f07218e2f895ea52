// The error of a file operation: names the file and gives the system's reason.
#pragma once

#include <QString>
#include <stdexcept>

namespace tavri {

class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    // "Cannot <doing> <path>: <reason>."
    FileError(const QString& doing, const QString& path, const QString& reason)
        : FileError(QStringLiteral("Cannot %1 %2: %3.").arg(doing, path, reason)) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

}  // namespace tavri
