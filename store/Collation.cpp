// The compendium's order: ICU collation keys, shared by the file, SQLite and the list's sort.
#include "store/Collation.h"

#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/uversion.h>

#include <memory>
#include <stdexcept>

namespace tavri {
namespace {

struct CollatorCloser {
    void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

constexpr const char* kLocale = "en_US";

CollatorPtr makeCollator() {
    UErrorCode status = U_ZERO_ERROR;
    CollatorPtr collator(ucol_open(kLocale, &status));
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU collator unavailable: ") + u_errorName(status));
    }
    // Secondary strength: base letters and accents count, letter case does not.
    ucol_setStrength(collator.get(), UCOL_SECONDARY);
    return collator;
}

// A UCollator is not safe to share between threads; each thread keeps its own.
const UCollator* collator() {
    thread_local const CollatorPtr instance = makeCollator();
    return instance.get();
}

const UChar* units(QStringView s) {
    return reinterpret_cast<const UChar*>(s.utf16());
}

int legacyCompare(void*, int lenA, const void* a, int lenB, const void* b) {
    const QString textA = QString::fromUtf8(static_cast<const char*>(a), lenA);
    const QString textB = QString::fromUtf8(static_cast<const char*>(b), lenB);
    return compareKeys(textA, textB);
}

}  // namespace

int compareKeys(QStringView a, QStringView b) {
    const UCollationResult r = ucol_strcoll(collator(), units(a), static_cast<int32_t>(a.size()),
                                            units(b), static_cast<int32_t>(b.size()));
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

QByteArray sortKey(QStringView text) {
    thread_local QByteArray buffer(256, Qt::Uninitialized);
    const auto length = static_cast<int32_t>(text.size());
    int32_t needed =
        ucol_getSortKey(collator(), units(text), length, reinterpret_cast<uint8_t*>(buffer.data()),
                        static_cast<int32_t>(buffer.size()));
    if (needed > buffer.size()) {
        buffer.resize(needed);
        needed = ucol_getSortKey(collator(), units(text), length,
                                 reinterpret_cast<uint8_t*>(buffer.data()), needed);
    }
    // The key ends with a zero byte that adds nothing to the order.
    return QByteArray(buffer.constData(), needed > 0 ? needed - 1 : 0);
}

QString collationVersion() {
    UVersionInfo rules;
    ucol_getVersion(collator(), rules);
    char text[U_MAX_VERSION_STRING_LENGTH];
    u_versionToString(rules, text);
    return QStringLiteral("icu %1 %2 secondary").arg(QLatin1String(text), QLatin1String(kLocale));
}

int registerLegacyCollation(sqlite3* db) {
    return sqlite3_create_collation_v2(db, "TAVRI", SQLITE_UTF8, nullptr, legacyCompare, nullptr);
}

}  // namespace tavri
