// The ad-hoc report: the entries that the list shows, in the list's order, as one HTML page,
// AdHoc.htm in the reports folder. The front end supplies the list's ids and the filter text,
// tells the user where the report went and opens a viewer on it.
#pragma once

#include <QString>
#include <vector>

#include "app/AppState.h"

namespace tavri {

// Writes AdHoc.htm for the entries with these ids, in this order, under the heading
// "Query on " + queryText; returns the report's path. An id with no entry (0 for a row whose id
// cell has no number) leaves its block opened but empty, and the report goes on. Leaves EntryRs
// on index "id". Throws FileError or StoreError.
QString WriteAdHocReport(AppState& state, const std::vector<qint64>& ids, const QString& queryText);

// "Report written to " + the report's path.
QString ReportWrittenMessage(const QString& path);

}  // namespace tavri
