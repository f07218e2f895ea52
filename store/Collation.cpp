// The compendium's case-insensitive collation, shared by SQLite and the list's sort.
#include "store/Collation.h"

#include <sqlite3.h>
#include <QCollator>
#include <QLocale>
#include <QString>

namespace tavri {
namespace {

QCollator makeCollator() {
    QCollator collator{QLocale(QLocale::English, QLocale::UnitedStates)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

// QCollator is not safe to share between threads; each thread keeps its own.
const QCollator& collator() {
    thread_local const QCollator instance = makeCollator();
    return instance;
}

int sqliteCompare(void*, int lenA, const void* a, int lenB, const void* b) {
    // The text reaches us as UTF-8; decode into per-thread buffers to avoid an allocation per
    // comparison when an index is built or sought.
    thread_local QString bufA;
    thread_local QString bufB;
    bufA = QString::fromUtf8(static_cast<const char*>(a), lenA);
    bufB = QString::fromUtf8(static_cast<const char*>(b), lenB);
    return compareKeys(bufA, bufB);
}

}  // namespace

int compareKeys(QStringView a, QStringView b) {
    const int c = collator().compare(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int registerCollation(sqlite3* db) {
    return sqlite3_create_collation_v2(db, kCollationName, SQLITE_UTF8, nullptr, sqliteCompare,
                                       nullptr);
}

}  // namespace tavri
