// One compendium database file: an SQLite connection opened for durability.
//
// Promises: an operation that returned has reached the disk (WAL, synchronous FULL), and a
// crash at any moment leaves the file consistent with every update whole or absent. A second
// program holding the file busy makes an operation wait a few seconds and then fail with a
// StoreError that says so; nothing is ever half-written. The compendium collation is registered
// before any statement runs.
#pragma once

#include <QString>
#include <memory>

#include "store/StoreError.h"

struct sqlite3;

namespace tavri {

class Database {
public:
    // Opens an existing compendium; throws StoreError naming the file and the engine's reason.
    static std::unique_ptr<Database> open(const QString& path);
    // Creates a new compendium file with both tables and the one options row; refuses an
    // existing file.
    static std::unique_ptr<Database> create(const QString& path, const QString& campaign);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    bool isOpen() const { return db_ != nullptr; }
    void close();

    sqlite3* handle() const;

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
    Database(sqlite3* db, QString path) : db_(db), path_(std::move(path)) {}
    static std::unique_ptr<Database> connect(const QString& path, int flags);
    void configure();

    sqlite3* db_;
    QString path_;
};

}  // namespace tavri
