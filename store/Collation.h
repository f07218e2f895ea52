// The one text order of the compendium.
//
// Names and race/locations are ordered and sought ignoring letter case, as a dictionary would:
// ICU's English rules at secondary strength, so letter case is ignored in every alphabet and
// accents are kept ("ORC" equals "orc"; "Élan" sorts beside "elan" but is not equal to it).
//
// The file holds the order as sort-key bytes (sortKey), which any SQLite tool compares with
// memcmp, so the file needs no collation of ours to be read, checked, dumped or changed.
// compareKeys orders texts exactly as their keys do; the list's sort and the pick lists use it,
// so a name found by one is found by all. Keys that compare equal are ordered by id wherever an
// order is needed.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

struct sqlite3;

namespace tavri {

// <0, 0 or >0 as a sorts before, with or after b.
int compareKeys(QStringView a, QStringView b);

// The sort key of a text: two texts compare as their keys do under memcmp (shorter first on a
// common prefix), and equal texts under compareKeys have equal keys.
QByteArray sortKey(QStringView text);

// Names the rules and the ICU version that made the keys. A file whose keys were made under
// another text than this one must have them made again before its order can be trusted.
QString collationVersion();

// The case-blind collation "TAVRI" that compendiums of the first layout put on their key columns;
// registered only while such a file is upgraded. Returns an SQLite result code.
int registerLegacyCollation(sqlite3* db);

}  // namespace tavri
