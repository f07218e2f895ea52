// The SQLite connection behind a compendium: the layout of a new one, the checks and upgrades
// of opening, and the sort keys that carry the order.
#include "store/Database.h"

#include <sqlite3.h>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <tuple>
#include <vector>

#include "store/Collation.h"

namespace tavri {
namespace {

// How long an operation waits for another program to release the file.
constexpr int kBusyTimeoutMs = 5000;

// The meta key that names the collation the sort keys were made with.
constexpr const char* kCollationKey = "collation";

// The entry table. "id" is the rowid, so the table itself is the "id" order; AUTOINCREMENT keeps
// an id from ever being handed out twice, even after the newest row is deleted. "namekey" and
// "rlkey" hold the sort keys of "name" and "race-location": SQLite orders BLOBs with memcmp,
// so every tool sees the compendium's order without a collation of ours. A key is NULL when it
// is still to be made; the triggers make it so when another tool changes the text but not the
// key. The length checks back up the store's own, friendlier check in Recordset::update.
constexpr const char* kEntryTable = R"sql(
CREATE TABLE "Tavri" (
  "id" INTEGER PRIMARY KEY AUTOINCREMENT,
  "name" TEXT NOT NULL DEFAULT '' CHECK (length("name") <= 25),
  "race-location" TEXT NOT NULL DEFAULT '' CHECK (length("race-location") <= 25),
  "date" TEXT,
  "desc" TEXT CHECK (length("desc") <= 150),
  "details" TEXT,
  "changed" INTEGER NOT NULL DEFAULT 0 CHECK ("changed" IN (0, 1)),
  "namekey" BLOB,
  "rlkey" BLOB
);
)sql";

constexpr const char* kEntryIndexes = R"sql(
CREATE INDEX "namedex" ON "Tavri" ("namekey", "id");
CREATE INDEX "rldex" ON "Tavri" ("rlkey", "namekey", "id");
CREATE TRIGGER "namekey-stale" AFTER UPDATE OF "name" ON "Tavri"
  WHEN NEW."name" IS NOT OLD."name" AND NEW."namekey" IS OLD."namekey"
BEGIN
  UPDATE "Tavri" SET "namekey" = NULL WHERE "id" = NEW."id";
END;
CREATE TRIGGER "rlkey-stale" AFTER UPDATE OF "race-location" ON "Tavri"
  WHEN NEW."race-location" IS NOT OLD."race-location" AND NEW."rlkey" IS OLD."rlkey"
BEGIN
  UPDATE "Tavri" SET "rlkey" = NULL WHERE "id" = NEW."id";
END;
CREATE TABLE "meta" ("key" TEXT PRIMARY KEY, "value" TEXT NOT NULL);
)sql";

constexpr const char* kOptionsTable = R"sql(
CREATE TABLE "options" (
  "campaign" TEXT,
  "nameH" TEXT,
  "inkcolour" TEXT,
  "linkcolour" TEXT,
  "bookmark" INTEGER NOT NULL DEFAULT 0
);
)sql";

// The fields every compendium must have, whatever its layout.
struct RequiredTable {
    const char* name;
    std::vector<const char*> fields;
};
const RequiredTable kRequired[] = {
    {"Tavri", {"id", "name", "race-location", "date", "desc", "details", "changed"}},
    {"options", {"campaign", "nameH", "inkcolour", "linkcolour", "bookmark"}},
};

// A statement that finalizes itself.
class Query {
public:
    Query(const Database& db, const char* sql) : db_(db) {
        const int rc = sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr);
        if (rc != SQLITE_OK) {
            throw db.error(QStringLiteral("reading its layout"), rc);
        }
    }
    ~Query() { sqlite3_finalize(stmt_); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc != SQLITE_DONE) {
            throw db_.error(QString(), rc);
        }
        sqlite3_reset(stmt_);
        return false;
    }
    void bindText(int i, const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(stmt_, i, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
    }
    void bindBlob(int i, const QByteArray& bytes) {
        sqlite3_bind_blob(stmt_, i, bytes.constData(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
    }
    void bindInt(int i, qint64 value) { sqlite3_bind_int64(stmt_, i, value); }
    QString text(int col) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col)),
                                 sqlite3_column_bytes(stmt_, col));
    }
    qint64 number(int col) const { return sqlite3_column_int64(stmt_, col); }

private:
    const Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Reads the first bytes of the file without opening it as a database, so that a file that is
// no compendium is refused before SQLite could write anything into it.
void checkHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw StoreError(QStringLiteral("The compendium %1 cannot be opened: %2.")
                             .arg(path, file.errorString()));
    }
    const QByteArray head = file.read(16);
    if (head.isEmpty()) {
        throw StoreError(QStringLiteral("The compendium %1 is an empty file (0 bytes), so it "
                                        "holds no compendium. It was left untouched.")
                             .arg(path));
    }
    if (head != QByteArray("SQLite format 3", 16)) {
        throw StoreError(QStringLiteral("The compendium %1 is damaged: it is not a database "
                                        "that this program can read. It was left untouched.")
                             .arg(path));
    }
}

}  // namespace

std::unique_ptr<Database> Database::connect(const QString& path, int flags, Access access) {
    QByteArray name = path.toUtf8();
    if (access == Access::Immutable) {
        name = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toUtf8() + "?immutable=1";
        flags |= SQLITE_OPEN_URI;
    }
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &raw,
                                   flags | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE, nullptr);
    std::unique_ptr<Database> db(new Database(raw, path, access));
    if (rc != SQLITE_OK) {
        const QString reason =
            raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        db->close();
        throw StoreError(
            QStringLiteral("The compendium %1 cannot be opened: %2.").arg(path, reason));
    }
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    // A double-quoted name that is no column is an error, never a text of its own.
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    return db;
}

// Settings of a connection that may write; they change the file's header, so they come only
// after the file has passed its checks.
void Database::configure() {
    if (!readOnly()) {
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=FULL");
    }
    // Reads of a large compendium come from memory rather than through read() calls.
    exec("PRAGMA mmap_size=1073741824");
    exec("PRAGMA cache_size=-65536");
}

int Database::queryInt(const char* sql) const {
    Query q(*this, sql);
    return q.step() ? static_cast<int>(q.number(0)) : 0;
}

void Database::checkFields() const {
    for (const RequiredTable& table : kRequired) {
        Query q(*this, "SELECT name FROM pragma_table_info(?1)");
        q.bindText(1, QLatin1String(table.name));
        QStringList present;
        while (q.step()) {
            present << q.text(0);
        }
        if (present.isEmpty()) {
            throw StoreError(QStringLiteral("The compendium %1 cannot be opened: it has no table "
                                            "\"%2\", so it is not a Tavri compendium. It was "
                                            "left untouched.")
                                 .arg(path_, QLatin1String(table.name)));
        }
        for (const char* field : table.fields) {
            if (!present.contains(QLatin1String(field), Qt::CaseInsensitive)) {
                throw StoreError(QStringLiteral("The compendium %1 cannot be opened: its table "
                                                "\"%2\" has no field \"%3\". It was left "
                                                "untouched.")
                                     .arg(path_, QLatin1String(table.name), QLatin1String(field)));
            }
        }
    }
}

// A file whose pages are damaged is refused before anything is written to it. The quick check
// reads every page once, without the cross-checks of indexes that integrity_check adds.
void Database::checkIntact() const {
    Query q(*this, "PRAGMA quick_check(1)");
    const QString verdict = q.step() ? q.text(0) : QString();
    if (verdict != QLatin1String("ok")) {
        throw StoreError(QStringLiteral("The compendium %1 is damaged (%2). It was left "
                                        "untouched; restore it from a backup.")
                             .arg(path_, verdict));
    }
}

std::unique_ptr<Database> Database::open(const QString& path, Access access) {
    if (!QFileInfo::exists(path)) {
        throw StoreError(QStringLiteral("The compendium %1 cannot be opened: the file does not "
                                        "exist.")
                             .arg(path));
    }
    checkHeader(path);
    auto db = connect(
        path, access == Access::ReadWrite ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, access);
    const int layout = db->queryInt("PRAGMA user_version");
    if (layout > kLayout) {
        throw StoreError(QStringLiteral("The compendium %1 was made by a newer Tavri (layout %2; "
                                        "this one knows layouts up to %3). It was left "
                                        "untouched.")
                             .arg(path)
                             .arg(layout)
                             .arg(kLayout));
    }
    db->checkFields();
    // A file of the first layout has no key columns; a current one whose user_version a
    // reload from a dump lost has them.
    const bool firstLayout = db->queryInt(
                                 "SELECT count(*) FROM pragma_table_info('Tavri') "
                                 "WHERE name = 'namekey'") == 0;
    if (firstLayout && registerLegacyCollation(db->db_) != SQLITE_OK) {
        throw db->error(QStringLiteral("reading its layout"), sqlite3_errcode(db->db_));
    }
    db->checkIntact();
    if (firstLayout && db->readOnly()) {
        throw StoreError(QStringLiteral("The compendium %1 was made by an older Tavri and must "
                                        "be upgraded, but it is read-only here. Open it once "
                                        "where it can be written. It was left untouched.")
                             .arg(path));
    }
    db->configure();
    if (!db->readOnly()) {
        if (firstLayout) {
            db->upgradeFirstLayout();
        } else if (layout != kLayout) {
            db->exec("PRAGMA user_version = 1");
        }
        db->bringOrderUpToDate();
    } else if (db->meta(QLatin1String(kCollationKey)) != collationVersion() ||
               db->queryInt("SELECT count(*) FROM \"Tavri\" WHERE \"namekey\" IS NULL OR "
                            "\"rlkey\" IS NULL") > 0) {
        db->notices_ << QStringLiteral(
                            "The order of %1 is out of date and cannot be mended "
                            "while it is read-only; some entries may be out of "
                            "place.")
                            .arg(path);
    }
    return db;
}

std::unique_ptr<Database> Database::openReader() const {
    auto db = connect(path_, SQLITE_OPEN_READONLY,
                      access_ == Access::Immutable ? Access::Immutable : Access::ReadOnly);
    db->configure();
    return db;
}

// Moves a compendium of the first layout, whose key columns carried a collation of this
// program, to the current one: same rows, same ids, the id sequence kept, all in one
// transaction so that a failure leaves the old file as it was.
void Database::upgradeFirstLayout() {
    Transaction tx(*this);
    const int sequence = queryInt(
        "SELECT coalesce(max(seq), 0) FROM sqlite_sequence "
        "WHERE name = 'Tavri'");
    exec(
        "DROP INDEX IF EXISTS \"namedex\"; DROP INDEX IF EXISTS \"rldex\";"
        "ALTER TABLE \"Tavri\" RENAME TO \"Tavri-first-layout\";");
    exec(kEntryTable);
    exec(
        "INSERT INTO \"Tavri\" (\"id\", \"name\", \"race-location\", \"date\", \"desc\", "
        "\"details\", \"changed\") SELECT \"id\", \"name\", \"race-location\", \"date\", "
        "\"desc\", \"details\", \"changed\" FROM \"Tavri-first-layout\";"
        "DROP TABLE \"Tavri-first-layout\";");
    exec(kEntryIndexes);
    Query seq(*this, "UPDATE sqlite_sequence SET seq = max(seq, ?1) WHERE name = 'Tavri'");
    seq.bindInt(1, sequence);
    seq.step();
    exec("PRAGMA user_version = 1");
    makeKeys(true);
    setMeta(QLatin1String(kCollationKey), collationVersion());
    tx.commit();
    notices_ << QStringLiteral("%1 was upgraded to the current layout.").arg(path_);
}

void Database::bringOrderUpToDate() {
    exec("CREATE TABLE IF NOT EXISTS \"meta\" (\"key\" TEXT PRIMARY KEY, \"value\" TEXT NOT NULL)");
    const QString recorded = meta(QLatin1String(kCollationKey));
    const QString current = collationVersion();
    if (recorded == current) {
        fillMissingKeys();
        return;
    }
    Transaction tx(*this);
    makeKeys(true);
    setMeta(QLatin1String(kCollationKey), current);
    tx.commit();
    if (!recorded.isEmpty()) {
        notices_ << QStringLiteral("The order of %1 was rebuilt for %2 (it was made with %3).")
                        .arg(path_, current, recorded);
    }
}

int Database::fillMissingKeys() {
    if (readOnly()) {
        return 0;
    }
    if (queryInt("SELECT EXISTS (SELECT 1 FROM \"Tavri\" WHERE \"namekey\" IS NULL) OR EXISTS "
                 "(SELECT 1 FROM \"Tavri\" WHERE \"rlkey\" IS NULL)") == 0) {
        return 0;
    }
    const int missing = queryInt(
        "SELECT count(*) FROM \"Tavri\" WHERE \"namekey\" IS NULL OR "
        "\"rlkey\" IS NULL");
    if (sqlite3_get_autocommit(db_)) {
        Transaction tx(*this);
        makeKeys(false);
        tx.commit();
    } else {
        makeKeys(false);
    }
    return missing;
}

// Makes the keys of every row, or of the rows that miss one. The new keys are set in the same
// statement for both columns, so the triggers, which watch the texts, never fire.
void Database::makeKeys(bool all) {
    Query rows(*this, all ? "SELECT \"id\", \"name\", \"race-location\" FROM \"Tavri\""
                          : "SELECT \"id\", \"name\", \"race-location\" FROM \"Tavri\" "
                            "WHERE \"namekey\" IS NULL OR \"rlkey\" IS NULL");
    Query set(*this, "UPDATE \"Tavri\" SET \"namekey\" = ?1, \"rlkey\" = ?2 WHERE \"id\" = ?3");
    std::vector<std::tuple<qint64, QByteArray, QByteArray>> keys;
    while (rows.step()) {
        keys.emplace_back(rows.number(0), sortKey(rows.text(1)), sortKey(rows.text(2)));
    }
    for (const auto& [id, nameKey, rlKey] : keys) {
        set.bindBlob(1, nameKey);
        set.bindBlob(2, rlKey);
        set.bindInt(3, id);
        set.step();
    }
}

std::unique_ptr<Database> Database::create(const QString& path, const QString& campaign) {
    if (QFileInfo::exists(path)) {
        throw StoreError(QStringLiteral("%1 exists already; a new compendium is never written "
                                        "over it.")
                             .arg(path));
    }
    auto db = connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, Access::ReadWrite);
    db->configure();
    Transaction tx(*db);
    db->exec(kEntryTable);
    db->exec(kEntryIndexes);
    db->exec(kOptionsTable);
    db->exec("PRAGMA user_version = 1");
    db->setMeta(QLatin1String(kCollationKey), collationVersion());
    Query options(*db,
                  "INSERT INTO \"options\" (\"campaign\", \"nameH\", \"inkcolour\", "
                  "\"linkcolour\", \"bookmark\") VALUES (?1, '', '', '', 0)");
    options.bindText(1, campaign);
    options.step();
    tx.commit();
    return db;
}

QString Database::meta(const QString& key) const {
    if (queryInt("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'meta'") ==
        0) {
        return QString();
    }
    Query q(*this, "SELECT \"value\" FROM \"meta\" WHERE \"key\" = ?1");
    q.bindText(1, key);
    return q.step() ? q.text(0) : QString();
}

void Database::setMeta(const QString& key, const QString& value) {
    requireWritable();
    Query q(*this,
            "INSERT INTO \"meta\" (\"key\", \"value\") VALUES (?1, ?2) "
            "ON CONFLICT (\"key\") DO UPDATE SET \"value\" = excluded.\"value\"");
    q.bindText(1, key);
    q.bindText(2, value);
    q.step();
}

QString Database::readOnlyMessage(const QString& path) {
    return QStringLiteral("The compendium %1 is open read-only, so nothing can be changed.")
        .arg(path);
}

void Database::requireWritable() const {
    if (readOnly()) {
        throw StoreError(readOnlyMessage(path_));
    }
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
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_CORRUPT ||
            (rc & 0xff) == SQLITE_NOTADB) {
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
    if ((code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB) {
        return StoreError(QStringLiteral("The compendium %1 is damaged (%2). Restore it from a "
                                         "backup.")
                              .arg(path_, reason));
    }
    if ((code & 0xff) == SQLITE_READONLY) {
        return StoreError(readOnlyMessage(path_));
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
    db.requireWritable();
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
