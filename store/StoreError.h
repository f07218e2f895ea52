// The error every store operation throws: what failed, in words a user can act on.
#pragma once

#include <QString>

#include "base/Error.h"

namespace tavri {

class StoreError : public Error {
public:
    explicit StoreError(const QString& message) : Error(message) {}
};

}  // namespace tavri
