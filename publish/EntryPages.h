// The page of one entry in the web site: "G" + id + ".htm" in the reports folder, with the
// entry's name, summary and notes (mark-up and all), and a link back to its race/location page.
#pragma once

#include <QString>

#include "app/AppState.h"
#include "publish/FileNames.h"
#include "publish/Progress.h"
#include "publish/SitePages.h"

namespace tavri {

// Does the current entry have a page of its own (notes that are not blank)?
bool HasEntryPage(const Recordset& entry);

// text with "<br>" put in front of every carriage return, so each line break of notes shows as
// one in a browser while the file keeps its lines.
QString BreakBeforeCarriageReturns(const QString& text);

// Writes the page of the entry entry stands on, replacing an old one; with changedOnly an entry
// not marked changed keeps its old page. Reports the entry's name as progress.
void WriteEntryPage(const AppState& state, const Recordset& entry, const SiteStyle& style,
                    bool changedOnly, PublishProgress& progress);

}  // namespace tavri
