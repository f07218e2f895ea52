// The entry list without the window: the two scans that rebuild the main list, shared by the
// main window, `tavri-cli list` and `tavri-cli report`.
//
// BuildEntryList reads the whole entry table twice, in "namedex" and then in "rldex" order, and
// filters in the program, so what it lists is exactly what the main window shows for the same
// filter settings. It leaves EntryRs on index "rldex", past its last row.
#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

#include "app/AppState.h"

namespace tavri {

enum class ChangedFilter { All, Changed, Unchanged };

struct ListFilter {
    QString matchText;      // the text of Combo1, untrimmed
    bool raceOnly = false;  // "Just Race/Loc"
    ChangedFilter changed = ChangedFilter::All;
    QString dateMatch = {};  // "Date Match"; blank = off
};

// One listed entry: the cells of a grid row. Texts are the stored values (missing as "").
struct ListRow {
    QString mark, name, raceLocation, date, desc;
    qint64 id = 0;
};

struct RaceLocationItem {
    QString text;
    qint64 id = 0;
};

struct EntryListing {
    std::vector<ListRow> rows;                    // in the grid's order after its sort by Name
    std::vector<RaceLocationItem> raceLocations;  // distinct non-blank race/locations, rldex order
};

// The two scans of RefreshList without the window; leaves EntryRs on "rldex" past its end.
EntryListing BuildEntryList(AppState& state, const ListFilter& filter);

// The grid's generic order for cell texts: cells that read wholly as numbers compare as numbers
// and come first; other cells compare by compareKeys. Stable sort helper for the rows by name.
int GenericCellCompare(const QString& a, const QString& b);
void SortRowsByName(std::vector<ListRow>& rows);

// The stable permutation that puts cells in the generic order: order[k] is the position of the
// cell that goes k-th. The grid's Sort and SortRowsByName share it.
std::vector<qsizetype> GenericSortOrder(const std::vector<const QString*>& cells);

}  // namespace tavri
