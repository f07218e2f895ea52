// The e-book's identifier: made once for a compendium and kept in it, so that every export of
// the same compendium is the same book to a reading system (which then keeps its place and
// notes across a new export).
#pragma once

#include <QString>

#include "app/AppState.h"

namespace tavri {

// The compendium's book identifier, "urn:uuid:" + a random UUID; made and stored on first use.
QString BookIdentifier(AppState& state);

}  // namespace tavri
