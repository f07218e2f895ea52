// The compendium as one publication reads it, and the flags the publication may clear.
//
// A publication holds one read snapshot (ReadSnapshot) from its start until its changed flags
// are cleared: all its walks see the same moment, whatever another window or program saves
// meanwhile. Clearing then compares each flagged entry with the snapshot and clears the flag
// only when the entry's text is still the text that was published; an entry added or edited
// during the run keeps its flag, so the next Publish Changed writes it.
#pragma once

#include <memory>

#include "app/AppState.h"
#include "publish/Progress.h"
#include "store/ReadSnapshot.h"
#include "store/Recordset.h"

namespace tavri {

class Publication {
public:
    explicit Publication(const AppState& state);
    // A cursor on the entries of the snapshot.
    Recordset& entries() { return *entries_; }
    qint64 entryCount() const { return count_; }

private:
    ReadSnapshot snapshot_;
    std::unique_ptr<Recordset> entries_;
    qint64 count_;
};

// Clears, in one transaction (all of them or, on failure, none), the changed flag of every
// entry whose name, race/location, date, summary and notes are as published read them.
// Reports the phase "Clearing changed flag:". Leaves EntryRs on index "id".
void ClearChangedFlags(AppState& state, Publication& published, PublishProgress& progress);

}  // namespace tavri
