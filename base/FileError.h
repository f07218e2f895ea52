// The error of a file operation: names the file and gives the system's reason.
#pragma once

#include <QString>

#include "base/Error.h"

namespace tavri {

class FileError : public Error {
public:
    explicit FileError(const QString& message) : Error(message) {}
    // "Cannot <doing> <path>: <reason>."
    FileError(const QString& doing, const QString& path, const QString& reason)
        : FileError(QStringLiteral("Cannot %1 %2: %3.").arg(doing, path, reason)) {}
};

}  // namespace tavri
