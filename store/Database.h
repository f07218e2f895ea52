// One compendium database file: a plain SQLite file that any SQLite tool can read and change.
//
// Promises:
// - An operation that returned has reached the disk (WAL, synchronous FULL), and a crash at any
//   moment leaves the file consistent with every update whole or absent. A second program
//   holding the file busy makes an operation wait a few seconds and then fail with a StoreError
//   that says so; nothing is ever half-written.
// - The file needs nothing of ours to be read: the order of "namedex" and "rldex" lives in
//   sort-key columns ("namekey", "rlkey") that SQLite compares as bytes, and plain-SQL triggers
//   clear a key whose text another tool changed. Opening fills the keys that are missing, and
//   makes every key again when the file was ordered under another collation version
//   (collationVersion()), in one transaction, before anything reads.
// - PRAGMA user_version names the layout. A file of the first layout is upgraded in place, in
//   one transaction; a file of a newer layout is refused untouched.
// - Opening checks before it writes: a file that is empty, not SQLite, damaged, of a newer
//   layout, or lacking a table or field of the compendium is refused with a message that says
//   which, and its bytes are left as they were.
// - A read-only Database never writes; every write is refused with one message that says so.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "store/StoreError.h"

struct sqlite3;

namespace tavri {

class Database {
public:
    // How a compendium is opened. ReadOnly still sees what other programs write; Immutable is
    // for a medium that nobody can write (SQLite then needs no lock or journal files beside it).
    enum class Access { ReadWrite, ReadOnly, Immutable };

    // The layout this program writes, as PRAGMA user_version.
    static constexpr int kLayout = 1;

    // Opens an existing compendium; throws StoreError naming the file and what is wrong.
    static std::unique_ptr<Database> open(const QString& path, Access access = Access::ReadWrite);
    // Creates a new compendium file with both tables and the one options row; refuses an
    // existing file.
    static std::unique_ptr<Database> create(const QString& path, const QString& campaign);
    // A second, read-only connection to the compendium this one has open and has checked, for a
    // long read beside it; it repeats none of the checks or mending that opening does.
    std::unique_ptr<Database> openReader() const;

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    bool isOpen() const { return db_ != nullptr; }
    bool readOnly() const { return access_ != Access::ReadWrite; }
    void close();

    sqlite3* handle() const;

    // Throws the one read-only message when the compendium cannot be written.
    void requireWritable() const;
    static QString readOnlyMessage(const QString& path);

    // Facts about the compendium kept in its table "meta": "" for a key it does not hold.
    QString meta(const QString& key) const;
    void setMeta(const QString& key, const QString& value);

    // One line for each thing opening did that the user should hear of (an order rebuilt).
    const QStringList& notices() const { return notices_; }

    // Makes the sort keys that are missing (rows another tool added or renamed); returns how
    // many rows got keys. Does nothing on a read-only compendium.
    int fillMissingKeys();

    // Runs SQL that binds nothing (schema and pragmas only).
    void exec(const char* sql);

    // A StoreError for the connection's last failure, naming what was being done.
    StoreError error(const QString& doing, int code) const;

    // Groups many writes into one: committed by commit(), rolled back if it goes out of scope
    // first. Transactions do not nest; beginning one inside another throws.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Database* db_;
        bool open_ = true;
    };

private:
    Database(sqlite3* db, QString path, Access access)
        : db_(db), path_(std::move(path)), access_(access) {}
    static std::unique_ptr<Database> connect(const QString& path, int flags, Access access);
    void configure();
    int queryInt(const char* sql) const;
    void checkFields() const;
    void checkIntact() const;
    void upgradeFirstLayout();
    void makeKeys(bool all);
    void bringOrderUpToDate();

    sqlite3* db_;
    QString path_;
    Access access_;
    QStringList notices_;
};

}  // namespace tavri
