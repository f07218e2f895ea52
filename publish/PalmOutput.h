// The reading files of the palm folder (Reports/palm/): the whole-compendium text and PML, the
// page outputs by race/location, and the region RTF files. Each writer walks the entries through
// state.EntryRs, reads the options record through state.OptionsRs, and throws FileError or
// StoreError on failure, leaving the files it finished in place.
#pragma once

#include "app/AppState.h"
#include "publish/Progress.h"

namespace tavri {

// Tavri-TR.txt and PR-Tavri.pml.
void TomeOutput(AppState& state, PublishProgress& progress);
// PageTavri.rtf, the PageTavri-<letters>.txt files and PageTavri.pml.
void TavriPageOutput(AppState& state, PublishProgress& progress);
// RegionTavri-<race/location>.rtf, one per race/location (the Create RTF command). Returns the
// number of entries written; an empty compendium writes no file.
qint64 RegionRtfOutput(AppState& state, PublishProgress& progress);

}  // namespace tavri
