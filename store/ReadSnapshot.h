// A fixed view of a compendium for a long read, such as a publication.
//
// It opens a second connection to the same file and holds one read transaction on it, so every
// walk through it sees the compendium as of the moment it began, whatever the program's own
// connection or another program commits meanwhile (the file is in WAL mode, so those writers
// are not blocked). The transaction ends, and the connection closes, when the snapshot goes.
#pragma once

#include <memory>

#include "store/Database.h"

namespace tavri {

class ReadSnapshot {
public:
    // Begins the snapshot of the compendium that db has open; throws StoreError when it cannot.
    explicit ReadSnapshot(const Database& db);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

    // The snapshot's connection, on which cursors read; nothing may write through it.
    Database& database() { return *db_; }
    // The number of entries in the snapshot.
    qint64 entryCount() const;

private:
    std::unique_ptr<Database> db_;
};

}  // namespace tavri
