// A table cursor in the manner of a table-type recordset: the one way the program reads and
// writes the tables "Tavri" and "options".
//
// Use: select an index by name ("namedex", "rldex" or "id" on "Tavri"; "options" has none and is
// read in the order its rows were stored), then moveFirst / moveNext until eof, or seek "=" or
// ">=" on the index's first field and test noMatch. Fields are read by name, the name matched
// without regard to letter case; a missing value reads as a null QVariant. Changes go through
// addNew or edit, setField, update.
//
// Invariants kept here:
// - Rows are visited in the index's order, the order of the sort-key columns that every write
//   here keeps in step with their texts; equal keys in id order.
// - A scan visits every row that exists when it reaches it exactly once, even when the scanning
//   code edits rows as it goes: the cursor continues from the key of the last row it fetched,
//   not from a live statement, so an update never makes SQLite skip or repeat a row. (A row
//   whose key an edit moves further along the order is met again there.)
// - update refuses a value longer than its field ("name" and "race-location" 25 characters,
//   "desc" 150, counted in code points) with a StoreError naming the field, and stores nothing.
// - After update of an addNew, the cursor stands on the new row, so its "id" can be read.
// - On a read-only compendium, addNew, edit and remove throw the one read-only message.
#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/Database.h"

struct sqlite3_stmt;

namespace tavri {

struct TableDef;
struct RowBuffer;

class Recordset {
public:
    // Opens a cursor on table "Tavri" or "options" (names matched ignoring case).
    Recordset(Database& db, const QString& table);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    const QString& tableName() const;

    // Makes an index the current order; takes effect at the next move or seek.
    void setIndex(QStringView indexName);
    QString index() const;

    void moveFirst();
    void moveNext();
    bool eof() const;
    // Is there a current row to read (not past the end, not after a failed seek or a delete)?
    bool hasCurrent() const;

    // op is "=" or ">="; the key is compared with the index's first field.
    void seek(QStringView op, const QVariant& key);
    bool noMatch() const { return noMatch_; }

    // A field of the current row (or of the row being built after addNew / edit).
    QVariant field(QStringView name) const;
    // The field as text, read by appending it to the empty text: null gives "", a yes/no
    // "True" or "False", a number its decimal digits.
    QString text(QStringView name) const;

    void addNew();
    void edit();
    void setField(QStringView name, const QVariant& value);
    void update();
    void cancelUpdate();
    void remove();

    void close();
    bool isOpen() const { return db_ != nullptr; }

    // The id of the row the last update of an addNew stored.
    qint64 lastAddedId() const { return lastAddedId_; }

private:
    enum class EditMode { None, Edit, Add };
    struct Row {
        std::vector<QVariant> values;  // in the table's field order
    };

    Database& database() const;
    int fieldIndex(QStringView name) const;
    void fetch(const QString& where, const std::vector<QVariant>& args, int limit);
    void fetchMoreAfterLast();
    void requireWritable() const;
    std::vector<QByteArray> keysOf(const Row& row) const;
    void restoreKeysOfEqualTexts(const std::vector<QByteArray>& keys, const QVariant& rowid);
    Row currentRow() const;
    void requireCurrent() const;
    void checkLengths(const Row& row) const;
    void requireOpen() const;
    void finalizeStatements();

    Database* db_;
    const TableDef* table_;
    int index_ = 0;                    // position in the table's index list; 0 is its natural order
    std::unique_ptr<RowBuffer> rows_;  // the rows of the last fetch
    size_t pos_ = 0;
    bool exhausted_ = true;
    bool positioned_ = false;  // a row is current (false before MoveFirst, after Delete)
    bool noMatch_ = false;
    int batch_ = 1;
    std::vector<QVariant> lastKey_;      // index key + id of the last fetched row, as fetched
    std::vector<std::string> keyBytes_;  // the key columns of the row just fetched
    EditMode mode_ = EditMode::None;
    Row pending_;
    Row original_;  // the row as it stood when edit() began
    qint64 lastAddedId_ = 0;
    std::unordered_map<QString, sqlite3_stmt*> statements_;  // prepared once, reused
};

}  // namespace tavri
