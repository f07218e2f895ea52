// A read transaction on a connection of its own.
#include "store/ReadSnapshot.h"

#include <sqlite3.h>

namespace tavri {

ReadSnapshot::ReadSnapshot(const Database& db) : db_(Database::open(db.path())) {
    db_->exec("BEGIN");
    // A deferred transaction takes its snapshot at its first read.
    (void)entryCount();
}

ReadSnapshot::~ReadSnapshot() {
    if (db_->isOpen()) {
        sqlite3_exec(db_->handle(), "COMMIT", nullptr, nullptr, nullptr);
    }
}

qint64 ReadSnapshot::entryCount() const {
    sqlite3_stmt* stmt = nullptr;
    int rc =
        sqlite3_prepare_v2(db_->handle(), "SELECT count(*) FROM \"Tavri\"", -1, &stmt, nullptr);
    qint64 count = 0;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            count = sqlite3_column_int64(stmt, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK) {
        throw db_->error(QStringLiteral("counting the entries"), rc);
    }
    return count;
}

}  // namespace tavri
