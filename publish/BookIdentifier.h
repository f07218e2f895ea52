// The e-book's identifier: made once for a compendium and kept in it, so that every export of
// the same compendium is the same book to a reading system (which then keeps the reader's place
// and notes across a new export).
#pragma once

#include <QString>

#include "app/AppState.h"

namespace tavri {

// The compendium's book identifier, "urn:uuid:" + a random UUID, made and stored in the table
// "meta" under "book-id" on first use. A compendium opened read-only that holds none yet gets
// a name-based UUID of its database file's path instead, stable for as long as it stays there.
QString BookIdentifier(AppState& state);

}  // namespace tavri
