// The entry list builder: the name-ordered scan with its filters, the race/location scan, and
// the generic order the list is sorted in.
#include "app/EntryList.h"

#include <algorithm>
#include <optional>

#include "base/Sutils.h"
#include "store/Collation.h"

namespace tavri {
namespace {

// The value of a cell that reads wholly as a number: blanks around it allowed, an optional
// sign, digits with at most one decimal point. Words that a looser parser would take as
// numbers ("inf", "nan", "1e5") stay text.
std::optional<double> WholeNumber(const QString& text) {
    const QString t = TrimSpaces(text);
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    return t.toDouble();
}

struct SortKey {
    std::optional<double> number;
    const QString* text;
};

int CompareKeys(const SortKey& a, const SortKey& b) {
    if (a.number && b.number) {
        return *a.number < *b.number ? -1 : (*a.number > *b.number ? 1 : 0);
    }
    if (a.number) {
        return -1;
    }
    if (b.number) {
        return 1;
    }
    return compareKeys(*a.text, *b.text);
}

bool IsAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

// Does haystack in upper case contain upperNeedle? Where both are ASCII, upper-casing and
// comparing ignoring case are the same, and the latter needs no copy of the haystack.
bool ContainsUpper(const QString& haystack, const QString& upperNeedle, bool needleAscii) {
    if (needleAscii && IsAscii(haystack)) {
        return haystack.contains(upperNeedle, Qt::CaseInsensitive);
    }
    return haystack.toUpper().contains(upperNeedle);
}

// The filters of the name-ordered scan, prepared once.
struct RowFilter {
    explicit RowFilter(const ListFilter& f)
        : search(TrimSpaces(f.matchText).toUpper()),
          date(TrimSpaces(f.dateMatch).toUpper()),
          searchAscii(IsAscii(search)),
          dateAscii(IsAscii(date)),
          raceOnly(f.raceOnly),
          changed(f.changed) {}

    bool passes(const ListRow& row, const QString& details, bool isChanged) const {
        if (!search.isEmpty()) {
            if (raceOnly) {
                if (!ContainsUpper(row.raceLocation, search, searchAscii)) {
                    return false;
                }
            } else {
                // Only name and date are followed by a space: race/location and date run
                // together, so "ELF1066" finds an Elf of 1066.
                const QString match = row.name + QLatin1Char(' ') + row.mark + row.raceLocation +
                                      row.date + QLatin1Char(' ') + row.desc;
                if (!ContainsUpper(match, search, searchAscii) &&
                    !(!IsBlank(details) && ContainsUpper(details, search, searchAscii))) {
                    return false;
                }
            }
        }
        if (changed == ChangedFilter::Changed && !isChanged) {
            return false;
        }
        if (changed == ChangedFilter::Unchanged && isChanged) {
            return false;
        }
        if (!date.isEmpty() && !ContainsUpper(row.date, date, dateAscii)) {
            return false;
        }
        return true;
    }

    QString search;  // upper case; empty when the text filter is off
    QString date;    // upper case; empty when the date filter is off
    bool searchAscii;
    bool dateAscii;
    bool raceOnly;
    ChangedFilter changed;
};

void ScanByName(Recordset& rs, const ListFilter& filter, std::vector<ListRow>& rows) {
    const RowFilter rowFilter(filter);
    rs.setIndex(u"namedex");
    rs.moveFirst();
    while (!rs.eof()) {
        ListRow row;
        const QString details = rs.text(u"details");
        row.mark = IsBlank(details) ? QString() : QStringLiteral("*");
        row.name = rs.text(u"name");
        row.raceLocation = rs.text(u"race-location");
        row.date = rs.text(u"date");
        row.desc = rs.text(u"desc");
        if (rowFilter.passes(row, details, rs.field(u"changed").toBool())) {
            row.id = rs.field(u"id").toLongLong();
            rows.push_back(std::move(row));
        }
        rs.moveNext();
    }
}

// Distinct stored values in "rldex" order, compared exactly (letter case counts), blanks left
// out; each item carries the id of the first entry with that value.
void ScanRaceLocations(Recordset& rs, std::vector<RaceLocationItem>& items) {
    rs.setIndex(u"rldex");
    rs.moveFirst();
    QString previous = QStringLiteral("-");
    while (!rs.eof()) {
        const QString value = rs.text(u"race-location");
        if (value != previous && !IsBlank(value)) {
            items.push_back({TrimSpaces(value), rs.field(u"id").toLongLong()});
            previous = value;
        }
        rs.moveNext();
    }
}

}  // namespace

EntryListing BuildEntryList(AppState& state, const ListFilter& filter) {
    EntryListing listing;
    ScanByName(*state.EntryRs, filter, listing.rows);
    ScanRaceLocations(*state.EntryRs, listing.raceLocations);
    SortRowsByName(listing.rows);
    return listing;
}

int GenericCellCompare(const QString& a, const QString& b) {
    return CompareKeys({WholeNumber(a), &a}, {WholeNumber(b), &b});
}

std::vector<qsizetype> GenericSortOrder(const std::vector<const QString*>& cells) {
    std::vector<SortKey> keys;
    keys.reserve(cells.size());
    for (const QString* cell : cells) {
        keys.push_back({WholeNumber(*cell), cell});
    }
    std::vector<qsizetype> order(cells.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<qsizetype>(i);
    }
    const auto before = [&keys](qsizetype a, qsizetype b) {
        return CompareKeys(keys[a], keys[b]) < 0;
    };
    // The list usually arrives in name order already (the scan follows "namedex", which uses
    // the same collation), so sort the numbers to the front and then only check the rest.
    const auto firstText = std::stable_partition(
        order.begin(), order.end(), [&keys](qsizetype i) { return keys[i].number.has_value(); });
    std::stable_sort(order.begin(), firstText, before);
    if (!std::is_sorted(firstText, order.end(), before)) {
        std::stable_sort(firstText, order.end(), before);
    }
    return order;
}

void SortRowsByName(std::vector<ListRow>& rows) {
    std::vector<const QString*> names;
    names.reserve(rows.size());
    for (const ListRow& row : rows) {
        names.push_back(&row.name);
    }
    const std::vector<qsizetype> order = GenericSortOrder(names);
    std::vector<ListRow> sorted;
    sorted.reserve(rows.size());
    for (qsizetype i : order) {
        sorted.push_back(std::move(rows[i]));
    }
    rows = std::move(sorted);
}

}  // namespace tavri
