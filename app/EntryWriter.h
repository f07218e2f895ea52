// Reading an entry into the editor's five texts and writing them back: the one place where the
// entry commands turn typed texts into a stored entry.
//
// Promises: WriteEntry stores the trimmed texts and the changed flag in one update, or stores
// nothing at all. Blank notes are never written, so an existing entry keeps the notes it had and
// a new one has none.
#pragma once

#include <QString>
#include <QtGlobal>

#include "store/Recordset.h"

namespace tavri {

struct EntryTexts {
    QString name;
    QString raceLocation;
    QString date;
    QString desc;
    QString details;
};

// The five texts of the current record of rs, each trimmed of spaces; a missing value gives "".
EntryTexts ReadEntryTexts(const Recordset& rs);

// Writes texts into the record that rs is adding (after addNew) or editing (after edit): the
// four required texts trimmed, the notes trimmed and only when not blank, "changed" true; then
// updates. Returns the record's id (for a new record, the id the database assigned). When the
// update fails, the pending change is dropped and the StoreError propagates.
qint64 WriteEntry(Recordset& rs, const EntryTexts& typed);

}  // namespace tavri
