// The table cursor: keyset paging over SQLite with the compendium's indexes.
#include "store/Recordset.h"

#include <sqlite3.h>

#include <unordered_map>

#include "base/TextCodec.h"
#include "store/Collation.h"

namespace tavri {

enum class FieldKind { Id, Text, Bool, Int };

struct FieldDef {
    const char* name;
    FieldKind kind;
    int maxLength;  // in code points; 0 for no limit
    bool notNull;   // stored as "" (text) or 0 (number) rather than null
};

// A sort-key column: the bytes of sortKey() of one text field, kept by every writer here.
struct KeyColumn {
    const char* name;
    int source;  // the field position it is the key of
};

struct IndexDef {
    const char* name;
    std::vector<int> keys;  // key column positions; the rowid always follows as the last key
};

struct TableDef {
    const char* name;
    std::vector<FieldDef> fields;
    std::vector<KeyColumn> keyColumns;
    std::vector<IndexDef> indexes;
};

// The rows of one fetch, kept as SQLite gave them: numbers as numbers, texts as UTF-8 in one
// arena. A field is decoded only when it is read, so a scan that reads two fields of a row does
// not pay for the rest. The one row that an update changed is kept decoded beside them.
struct RowBuffer {
    struct Cell {
        int type = SQLITE_NULL;
        qint64 number = 0;
        qsizetype offset = 0;
        int length = 0;
    };

    int width = 0;  // fields + the rowid
    size_t count = 0;
    std::vector<Cell> cells;
    QByteArray arena;
    size_t changedRow = SIZE_MAX;
    std::vector<QVariant> changedValues;

    void reset(int w) {
        width = w;
        count = 0;
        cells.clear();
        arena.clear();
        changedRow = SIZE_MAX;
        changedValues.clear();
    }
    size_t size() const { return count; }
    bool empty() const { return count == 0; }

    // Appends the current row of stmt: its columns 1..width-1 are the fields, column 0 the rowid.
    void append(sqlite3_stmt* stmt) {
        for (int i = 1; i < width; ++i) {
            cells.push_back(read(stmt, i));
        }
        cells.push_back(read(stmt, 0));
        ++count;
    }

    QVariant value(size_t row, int col, FieldKind kind) const {
        if (row == changedRow) {
            return changedValues[col];
        }
        const Cell& c = cells[row * width + col];
        switch (c.type) {
            case SQLITE_NULL:
                return QVariant();
            case SQLITE_TEXT:
                return QVariant(QString::fromUtf8(arena.constData() + c.offset, c.length));
            default:
                break;
        }
        if (kind == FieldKind::Bool) {
            return QVariant(c.number != 0);
        }
        return QVariant(static_cast<qlonglong>(c.number));
    }

    void replace(size_t row, std::vector<QVariant> values) {
        changedRow = row;
        changedValues = std::move(values);
    }

private:
    Cell read(sqlite3_stmt* stmt, int col) {
        Cell c;
        c.type = sqlite3_column_type(stmt, col);
        if (c.type == SQLITE_INTEGER || c.type == SQLITE_FLOAT) {
            c.type = SQLITE_INTEGER;
            c.number = sqlite3_column_int64(stmt, col);
        } else if (c.type == SQLITE_TEXT || c.type == SQLITE_BLOB) {
            c.type = SQLITE_TEXT;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
            c.length = sqlite3_column_bytes(stmt, col);
            c.offset = arena.size();
            arena.append(text, c.length);
        }
        return c;
    }
};

namespace {

// The field order here is the column order of every statement this file builds.
const TableDef kEntries{
    "Tavri",
    {
        {"id", FieldKind::Id, 0, true},
        {"name", FieldKind::Text, 25, true},
        {"race-location", FieldKind::Text, 25, true},
        {"date", FieldKind::Text, 0, false},
        {"desc", FieldKind::Text, 150, false},
        {"details", FieldKind::Text, 0, false},
        {"changed", FieldKind::Bool, 0, true},
    },
    {{"namekey", 1}, {"rlkey", 2}},
    {
        {"namedex", {0}}, {"rldex", {1, 0}}, {"id", {}},  // the table's own rowid order
    },
};

const TableDef kOptions{
    "options",
    {
        {"campaign", FieldKind::Text, 0, false},
        {"nameH", FieldKind::Text, 0, false},
        {"inkcolour", FieldKind::Text, 0, false},
        {"linkcolour", FieldKind::Text, 0, false},
        {"bookmark", FieldKind::Int, 0, true},
    },
    {},
    {},
};

constexpr int kFirstBatch = 64;
constexpr int kMaxBatch = 1024;

QString quoted(const char* name) {
    return QLatin1Char('"') + QLatin1String(name) + QLatin1Char('"');
}

// A statement borrowed from the recordset's cache for one use: reset when it goes out of scope.
class Statement {
public:
    Statement(Database& db, std::unordered_map<QString, sqlite3_stmt*>& cache, const QString& sql)
        : db_(db) {
        auto found = cache.find(sql);
        if (found != cache.end()) {
            stmt_ = found->second;
            return;
        }
        const QByteArray utf8 = sql.toUtf8();
        const int rc = sqlite3_prepare_v3(db.handle(), utf8.constData(), -1,
                                          SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
        if (rc != SQLITE_OK) {
            throw db.error(QStringLiteral("preparing a statement"), rc);
        }
        cache.emplace(sql, stmt_);
    }
    ~Statement() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int i, const QVariant& v) {
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt_, i);
        } else if (v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::Int ||
                   v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::UInt ||
                   v.typeId() == QMetaType::ULongLong) {
            rc = sqlite3_bind_int64(stmt_, i, v.toLongLong());
        } else if (v.typeId() == QMetaType::Double) {
            rc = sqlite3_bind_double(stmt_, i, v.toDouble());
        } else if (v.typeId() == QMetaType::QByteArray) {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob(stmt_, i, bytes.constData(), static_cast<int>(bytes.size()),
                                   SQLITE_TRANSIENT);
        } else {
            const QByteArray utf8 = v.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, i, utf8.constData(), static_cast<int>(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) {
            throw db_.error(QStringLiteral("binding a value"), rc);
        }
    }
    // Steps once; true for a row, false when done.
    bool step(const QString& doing) {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc == SQLITE_DONE) {
            return false;
        }
        throw db_.error(doing, rc);
    }
    sqlite3_stmt* get() const { return stmt_; }

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

Recordset::Recordset(Database& db, const QString& table)
    : db_(&db), rows_(std::make_unique<RowBuffer>()) {
    if (table.compare(QLatin1String(kEntries.name), Qt::CaseInsensitive) == 0) {
        table_ = &kEntries;
    } else if (table.compare(QLatin1String(kOptions.name), Qt::CaseInsensitive) == 0) {
        table_ = &kOptions;
    } else {
        throw StoreError(QStringLiteral("The compendium has no table \"%1\".").arg(table));
    }
    index_ = -1;
}

Recordset::~Recordset() {
    finalizeStatements();
}

void Recordset::finalizeStatements() {
    for (auto& [sql, stmt] : statements_) {
        sqlite3_finalize(stmt);
    }
    statements_.clear();
}

const QString& Recordset::tableName() const {
    static const QString entries = QLatin1String(kEntries.name);
    static const QString options = QLatin1String(kOptions.name);
    return table_ == &kEntries ? entries : options;
}

Database& Recordset::database() const {
    requireOpen();
    return *db_;
}

void Recordset::requireOpen() const {
    if (db_ == nullptr) {
        throw StoreError(QStringLiteral("The table \"%1\" is closed.").arg(tableName()));
    }
}

void Recordset::setIndex(QStringView indexName) {
    requireOpen();
    for (size_t i = 0; i < table_->indexes.size(); ++i) {
        if (indexName.compare(QLatin1String(table_->indexes[i].name), Qt::CaseInsensitive) == 0) {
            index_ = static_cast<int>(i);
            return;
        }
    }
    throw StoreError(QStringLiteral("The table \"%1\" has no index \"%2\".")
                         .arg(tableName(), indexName.toString()));
}

QString Recordset::index() const {
    return index_ < 0 ? QString() : QLatin1String(table_->indexes[index_].name);
}

int Recordset::fieldIndex(QStringView name) const {
    for (size_t i = 0; i < table_->fields.size(); ++i) {
        const QLatin1String candidate(table_->fields[i].name);
        if (candidate.size() == name.size() && name.compare(candidate, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    throw StoreError(
        QStringLiteral("The table \"%1\" has no field \"%2\".").arg(tableName(), name.toString()));
}

// Reads up to limit rows in the current order, optionally restricted by a WHERE clause over
// the key columns, into the buffer, replacing what it held.
void Recordset::fetch(const QString& where, const std::vector<QVariant>& args, int limit) {
    const std::vector<int> noKeys;
    const std::vector<int>& keys = index_ >= 0 ? table_->indexes[index_].keys : noKeys;
    QString sql = QStringLiteral("SELECT rowid");
    for (const FieldDef& f : table_->fields) {
        sql += QStringLiteral(", ") + quoted(f.name);
    }
    // The index's key columns follow the fields; only the last row's are kept.
    for (int key : keys) {
        sql += QStringLiteral(", ") + quoted(table_->keyColumns[key].name);
    }
    sql += QStringLiteral(" FROM ") + quoted(table_->name);
    if (!where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + where;
    }
    sql += QStringLiteral(" ORDER BY ");
    for (int key : keys) {
        sql += quoted(table_->keyColumns[key].name) + QStringLiteral(", ");
    }
    sql += QStringLiteral("rowid LIMIT ?");

    Statement stmt(database(), statements_, sql);
    int n = 1;
    for (const QVariant& arg : args) {
        stmt.bind(n++, arg);
    }
    stmt.bind(n, limit);

    const int width = static_cast<int>(table_->fields.size()) + 1;
    rows_->reset(width);
    keyBytes_.resize(keys.size());
    while (stmt.step(QStringLiteral("reading table \"%1\"").arg(tableName()))) {
        rows_->append(stmt.get());
        for (size_t k = 0; k < keys.size(); ++k) {
            const int col = width + static_cast<int>(k);
            keyBytes_[k].assign(static_cast<const char*>(sqlite3_column_blob(stmt.get(), col)),
                                static_cast<size_t>(sqlite3_column_bytes(stmt.get(), col)));
        }
    }
    exhausted_ = static_cast<int>(rows_->size()) < limit;
    pos_ = 0;
    positioned_ = !rows_->empty();
    lastKey_.clear();
    if (!rows_->empty()) {
        for (const std::string& bytes : keyBytes_) {
            lastKey_.emplace_back(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        }
        lastKey_.push_back(rows_->value(rows_->size() - 1, width - 1, FieldKind::Id));
    }
}

// The sort keys of a row's texts, in the order of the table's key columns.
std::vector<QByteArray> Recordset::keysOf(const Row& row) const {
    std::vector<QByteArray> keys;
    for (const KeyColumn& k : table_->keyColumns) {
        keys.push_back(sortKey(row.values[k.source].toString()));
    }
    return keys;
}

void Recordset::fetchMoreAfterLast() {
    QString where = QStringLiteral("(");
    if (index_ >= 0) {
        for (int key : table_->indexes[index_].keys) {
            where += quoted(table_->keyColumns[key].name) + QStringLiteral(", ");
        }
    }
    where += QStringLiteral("rowid) > (");
    for (size_t i = 0; i < lastKey_.size(); ++i) {
        where += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
    }
    where += QLatin1Char(')');
    const std::vector<QVariant> key = lastKey_;
    batch_ = std::min(batch_ * 4, kMaxBatch);
    fetch(where, key, batch_);
}

void Recordset::moveFirst() {
    requireOpen();
    if (index_ >= 0 && !table_->indexes[index_].keys.empty()) {
        // Rows another tool added or renamed since the file was opened get their keys before
        // the scan, so they are met in their place. Should the file be busy, they wait for the
        // next scan rather than stall this one.
        try {
            db_->fillMissingKeys();
        } catch (const StoreError&) {
        }
    }
    mode_ = EditMode::None;
    noMatch_ = false;
    batch_ = kFirstBatch;
    fetch(QString(), {}, batch_);
}

void Recordset::moveNext() {
    requireOpen();
    if (eof()) {
        throw StoreError(QStringLiteral("No current record in table \"%1\".").arg(tableName()));
    }
    mode_ = EditMode::None;
    if (pos_ + 1 < rows_->size()) {
        ++pos_;
        positioned_ = true;
        return;
    }
    if (exhausted_) {
        pos_ = rows_->size();
        positioned_ = false;
        return;
    }
    fetchMoreAfterLast();
}

bool Recordset::eof() const {
    return pos_ >= rows_->size() && exhausted_;
}

bool Recordset::hasCurrent() const {
    return positioned_ && pos_ < rows_->size();
}

void Recordset::seek(QStringView op, const QVariant& key) {
    requireOpen();
    if (index_ < 0) {
        throw StoreError(QStringLiteral("Seek on table \"%1\" needs an index.").arg(tableName()));
    }
    QString comparison;
    if (op == u"=") {
        comparison = QStringLiteral(" = ?");
    } else if (op == u">=") {
        comparison = QStringLiteral(" >= ?");
    } else {
        throw StoreError(QStringLiteral("Seek with \"%1\" is not supported.").arg(op.toString()));
    }
    mode_ = EditMode::None;
    const IndexDef& idx = table_->indexes[index_];
    const bool byKey = !idx.keys.empty();
    const QString column =
        byKey ? quoted(table_->keyColumns[idx.keys.front()].name) : QStringLiteral("rowid");
    batch_ = 4;
    fetch(column + comparison, {byKey ? QVariant(sortKey(key.toString())) : key}, 1);
    noMatch_ = rows_->empty();
    if (noMatch_) {
        exhausted_ = true;
    }
}

void Recordset::requireCurrent() const {
    requireOpen();
    if (!hasCurrent()) {
        throw StoreError(QStringLiteral("No current record in table \"%1\".").arg(tableName()));
    }
}

Recordset::Row Recordset::currentRow() const {
    if (mode_ != EditMode::None) {
        return pending_;
    }
    requireCurrent();
    Row row;
    const int width = rows_->width;
    row.values.reserve(width);
    for (int i = 0; i + 1 < width; ++i) {
        row.values.push_back(rows_->value(pos_, i, table_->fields[i].kind));
    }
    row.values.push_back(rows_->value(pos_, width - 1, FieldKind::Id));
    return row;
}

QVariant Recordset::field(QStringView name) const {
    const int i = fieldIndex(name);
    if (mode_ != EditMode::None) {
        return pending_.values[i];
    }
    requireCurrent();
    return rows_->value(pos_, i, table_->fields[i].kind);
}

QString Recordset::text(QStringView name) const {
    const QVariant v = field(name);
    if (v.isNull()) {
        return QString();
    }
    if (v.typeId() == QMetaType::Bool) {
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    return v.toString();
}

void Recordset::addNew() {
    requireWritable();
    pending_.values.clear();
    for (const FieldDef& f : table_->fields) {
        if (!f.notNull || f.kind == FieldKind::Id) {
            pending_.values.emplace_back();
        } else if (f.kind == FieldKind::Text) {
            pending_.values.emplace_back(QString());
        } else if (f.kind == FieldKind::Bool) {
            pending_.values.emplace_back(false);
        } else {
            pending_.values.emplace_back(qlonglong{0});
        }
    }
    pending_.values.emplace_back();  // rowid, known once stored
    mode_ = EditMode::Add;
}

void Recordset::edit() {
    requireWritable();
    pending_ = currentRow();
    original_ = pending_;
    mode_ = EditMode::Edit;
}

void Recordset::requireWritable() const {
    database().requireWritable();
}

void Recordset::setField(QStringView name, const QVariant& value) {
    requireOpen();
    if (mode_ == EditMode::None) {
        throw StoreError(QStringLiteral("A field of table \"%1\" was written without addNew or "
                                        "edit.")
                             .arg(tableName()));
    }
    const int i = fieldIndex(name);
    const FieldDef& f = table_->fields[i];
    if (f.kind == FieldKind::Id) {
        throw StoreError(
            QStringLiteral("The field \"id\" is set by the compendium, not by a "
                           "writer."));
    }
    QVariant stored;
    if (value.isNull()) {
        if (f.notNull) {
            stored = f.kind == FieldKind::Text ? QVariant(QString()) : QVariant(qlonglong{0});
            if (f.kind == FieldKind::Bool) {
                stored = QVariant(false);
            }
        }
    } else if (f.kind == FieldKind::Text) {
        stored = QVariant(value.toString());
    } else if (f.kind == FieldKind::Bool) {
        stored = QVariant(value.toBool());
    } else {
        stored = QVariant(value.toLongLong());
    }
    pending_.values[i] = stored;
}

void Recordset::checkLengths(const Row& row) const {
    for (size_t i = 0; i < table_->fields.size(); ++i) {
        const FieldDef& f = table_->fields[i];
        if (f.maxLength > 0 && !row.values[i].isNull() &&
            codePointCount(row.values[i].toString()) > f.maxLength) {
            throw StoreError(QStringLiteral("The field \"%1\" holds at most %2 characters; \"%3\" "
                                            "has %4. Nothing was stored.")
                                 .arg(QLatin1String(f.name))
                                 .arg(f.maxLength)
                                 .arg(row.values[i].toString())
                                 .arg(codePointCount(row.values[i].toString())));
        }
    }
}

void Recordset::update() {
    requireOpen();
    if (mode_ == EditMode::None) {
        throw StoreError(
            QStringLiteral("Update on table \"%1\" without addNew or edit.").arg(tableName()));
    }
    checkLengths(pending_);
    QString columns;
    QString params;
    std::vector<QVariant> args;
    for (size_t i = 0; i < table_->fields.size(); ++i) {
        const FieldDef& f = table_->fields[i];
        if (f.kind == FieldKind::Id) {
            continue;
        }
        if (!columns.isEmpty()) {
            columns += QStringLiteral(", ");
            params += QStringLiteral(", ");
        }
        if (mode_ == EditMode::Add) {
            columns += quoted(f.name);
            params += QLatin1Char('?');
        } else {
            columns += quoted(f.name) + QStringLiteral(" = ?");
        }
        args.push_back(pending_.values[i]);
    }
    const std::vector<QByteArray> keys = keysOf(pending_);
    for (size_t k = 0; k < keys.size(); ++k) {
        if (mode_ == EditMode::Add) {
            columns += QStringLiteral(", ") + quoted(table_->keyColumns[k].name);
            params += QStringLiteral(", ?");
        } else {
            columns +=
                QStringLiteral(", ") + quoted(table_->keyColumns[k].name) + QStringLiteral(" = ?");
        }
        args.emplace_back(keys[k]);
    }
    Database& db = database();
    const QString doing = QStringLiteral("storing a row of table \"%1\"").arg(tableName());
    if (mode_ == EditMode::Add) {
        Statement stmt(db, statements_,
                       QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(quoted(table_->name), columns, params));
        for (size_t i = 0; i < args.size(); ++i) {
            stmt.bind(static_cast<int>(i) + 1, args[i]);
        }
        stmt.step(doing);
        lastAddedId_ = sqlite3_last_insert_rowid(db.handle());
        pending_.values.back() = QVariant(static_cast<qlonglong>(lastAddedId_));
        if (table_->fields.front().kind == FieldKind::Id) {
            pending_.values.front() = pending_.values.back();
        }
        mode_ = EditMode::None;
        rows_->reset(static_cast<int>(table_->fields.size()) + 1);
        rows_->count = 1;
        rows_->replace(0, pending_.values);
        pos_ = 0;
        positioned_ = true;
        exhausted_ = false;
        noMatch_ = false;
        batch_ = kFirstBatch / 4;
        lastKey_.clear();
        if (index_ >= 0) {
            for (int key : table_->indexes[index_].keys) {
                lastKey_.emplace_back(keys[key]);
            }
        }
        lastKey_.push_back(pending_.values.back());
        return;
    }
    const QVariant rowid = pending_.values.back();
    Statement stmt(
        db, statements_,
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(table_->name), columns));
    int n = 1;
    for (const QVariant& arg : args) {
        stmt.bind(n++, arg);
    }
    stmt.bind(n, rowid);
    stmt.step(doing);
    if (sqlite3_changes(db.handle()) == 0) {
        mode_ = EditMode::None;
        throw StoreError(QStringLiteral("The row of table \"%1\" being edited no longer exists; "
                                        "nothing was stored.")
                             .arg(tableName()));
    }
    restoreKeysOfEqualTexts(keys, rowid);
    rows_->replace(pos_, pending_.values);
    mode_ = EditMode::None;
}

// A text changed to one with the same key ("orc" to "Orc") looks to the file's triggers like
// another tool's change, so they cleared the key; it is set again here.
void Recordset::restoreKeysOfEqualTexts(const std::vector<QByteArray>& keys,
                                        const QVariant& rowid) {
    for (size_t k = 0; k < keys.size(); ++k) {
        const int source = table_->keyColumns[k].source;
        if (pending_.values[source] == original_.values[source]) {
            continue;
        }
        if (keys[k] != sortKey(original_.values[source].toString())) {
            continue;
        }
        const QString column = quoted(table_->keyColumns[k].name);
        Statement stmt(database(), statements_,
                       QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                           .arg(quoted(table_->name), column));
        stmt.bind(1, keys[k]);
        stmt.bind(2, rowid);
        stmt.step(QStringLiteral("storing a row of table \"%1\"").arg(tableName()));
    }
}

void Recordset::cancelUpdate() {
    mode_ = EditMode::None;
}

void Recordset::remove() {
    if (mode_ != EditMode::None) {
        throw StoreError(QStringLiteral("Delete during an edit of table \"%1\".").arg(tableName()));
    }
    requireCurrent();
    requireWritable();
    const QVariant rowid = rows_->value(pos_, rows_->width - 1, FieldKind::Id);
    Database& db = database();
    Statement stmt(db, statements_,
                   QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(table_->name)));
    stmt.bind(1, rowid);
    stmt.step(QStringLiteral("deleting a row of table \"%1\"").arg(tableName()));
    positioned_ = false;
}

void Recordset::close() {
    finalizeStatements();
    db_ = nullptr;
    rows_->reset(0);
    mode_ = EditMode::None;
}

}  // namespace tavri
