// The SQLite connection behind a compendium, and the schema of a new one.
#include "store/Database.h"

#include <sqlite3.h>
#include <QFileInfo>

#include "store/Collation.h"

namespace tavri {
namespace {

// How long an operation waits for another program to release the file.
constexpr int kBusyTimeoutMs = 5000;

// The entry table. "id" is the rowid, so the table itself is the "id" order; AUTOINCREMENT keeps
// an id from ever being handed out twice, even after the newest row is deleted. The key columns
// carry the compendium collation, so every comparison and index on them ignores letter case.
// The length checks back up the store's own, friendlier check in Recordset::update.
constexpr const char* kSchema = R"sql(
CREATE TABLE "Tavri" (
  "id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "name" TEXT NOT NULL DEFAULT '' COLLATE TAVRI CHECK (length("name") <= 25),
  "race-location" TEXT NOT NULL DEFAULT '' COLLATE TAVRI CHECK (length("race-location") <= 25),
  "date" TEXT,
  "desc" TEXT CHECK (length("desc") <= 150),
  "details" TEXT,
  "changed" INTEGER NOT NULL DEFAULT 0 CHECK ("changed" IN (0, 1))
);
CREATE INDEX "namedex" ON "Tavri" ("name");
CREATE INDEX "rldex" ON "Tavri" ("race-location", "name");
CREATE TABLE "options" (
  "campaign" TEXT,
  "nameH" TEXT,
  "inkcolour" TEXT,
  "linkcolour" TEXT,
  "bookmark" INTEGER NOT NULL DEFAULT 0
);
)sql";

}  // namespace

std::unique_ptr<Database> Database::connect(const QString& path, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw,
                                   flags | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE, nullptr);
    std::unique_ptr<Database> db(new Database(raw, path));
    if (rc != SQLITE_OK) {
        const QString reason =
            raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        db->close();
        throw StoreError(
            QStringLiteral("The compendium %1 cannot be opened: %2.").arg(path, reason));
    }
    db->configure();
    return db;
}

void Database::configure() {
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    if (registerCollation(db_) != SQLITE_OK) {
        throw error(QStringLiteral("registering the collation"), sqlite3_errcode(db_));
    }
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=FULL");
    // Reads of a large compendium come from memory rather than through read() calls.
    exec("PRAGMA mmap_size=1073741824");
    exec("PRAGMA cache_size=-65536");
}

std::unique_ptr<Database> Database::open(const QString& path) {
    if (!QFileInfo::exists(path)) {
        throw StoreError(QStringLiteral("The compendium %1 cannot be opened: the file does not "
                                        "exist.")
                             .arg(path));
    }
    auto db = connect(path, SQLITE_OPEN_READWRITE);
    sqlite3_stmt* stmt = nullptr;
    const char* check =
        "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN ('Tavri', 'options')";
    int rc = sqlite3_prepare_v2(db->db_, check, -1, &stmt, nullptr);
    int tables = 0;
    if (rc == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
        tables = sqlite3_column_int(stmt, 0);
    }
    rc = sqlite3_finalize(stmt);
    if (rc != SQLITE_OK) {
        throw db->error(QStringLiteral("reading its tables"), rc);
    }
    if (tables != 2) {
        throw StoreError(QStringLiteral("The compendium %1 cannot be opened: it has no tables "
                                        "\"Tavri\" and \"options\", so it is not a Tavri "
                                        "compendium.")
                             .arg(path));
    }
    return db;
}

std::unique_ptr<Database> Database::create(const QString& path, const QString& campaign) {
    if (QFileInfo::exists(path)) {
        throw StoreError(QStringLiteral("%1 exists already; a new compendium is never written "
                                        "over it.")
                             .arg(path));
    }
    auto db = connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    Transaction tx(*db);
    db->exec(kSchema);
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db->db_,
                                "INSERT INTO \"options\" (\"campaign\", \"nameH\", \"inkcolour\", "
                                "\"linkcolour\", \"bookmark\") VALUES (?1, '', '', '', 0)",
                                -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray utf8 = campaign.toUtf8();
        sqlite3_bind_text(stmt, 1, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
        rc = sqlite3_step(stmt);
        rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK) {
        throw db->error(QStringLiteral("writing its options record"), rc);
    }
    tx.commit();
    return db;
}

Database::~Database() {
    close();
}

void Database::close() {
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

sqlite3* Database::handle() const {
    if (db_ == nullptr) {
        throw StoreError(QStringLiteral("The compendium %1 is closed.").arg(path_));
    }
    return db_;
}

void Database::exec(const char* sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(handle(), sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        if ((rc & 0xff) == SQLITE_BUSY) {
            throw error(QString(), rc);
        }
        throw StoreError(QStringLiteral("Database error in %1: %2.").arg(path_, reason));
    }
}

StoreError Database::error(const QString& doing, int code) const {
    const QString reason =
        db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(code));
    if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED) {
        return StoreError(QStringLiteral("The compendium %1 is in use by another program and did "
                                         "not become free in time (%2). Nothing was changed; try "
                                         "again when the other program has finished.")
                              .arg(path_, reason));
    }
    if (doing.isEmpty()) {
        return StoreError(QStringLiteral("Database error in %1: %2.").arg(path_, reason));
    }
    return StoreError(
        QStringLiteral("Database error in %1 while %2: %3.").arg(path_, doing, reason));
}

Database::Transaction::Transaction(Database& db) : db_(&db) {
    if (!sqlite3_get_autocommit(db.handle())) {
        throw StoreError(QStringLiteral("A transaction is already open on %1.").arg(db.path()));
    }
    db.exec("BEGIN IMMEDIATE");
}

Database::Transaction::~Transaction() {
    if (open_ && db_->isOpen()) {
        sqlite3_exec(db_->db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Database::Transaction::commit() {
    if (open_) {
        db_->exec("COMMIT");
        open_ = false;
    }
}

}  // namespace tavri
