// The one text order of the compendium.
//
// Names and race/locations are ordered and sought ignoring letter case, as a dictionary would:
// ICU through QCollator, English locale, letter case ignored in every alphabet, accents kept
// ("ORC" equals "orc"; "Élan" sorts beside "elan" but is not equal to it). The indexes, every
// seek and the list's sort use this order, so a name found by one is found by all. Keys that
// compare equal are ordered by id wherever an order is needed.
#pragma once

#include <QStringView>

struct sqlite3;

namespace tavri {

// <0, 0 or >0 as a sorts before, with or after b.
int compareKeys(QStringView a, QStringView b);

// Name of the collation registered on every connection, used by the key columns.
inline constexpr const char* kCollationName = "TAVRI";

// Registers the collation on a connection; returns an SQLite result code.
int registerCollation(sqlite3* db);

}  // namespace tavri
