// The reading files of the palm folder (Reports/palm/): the whole-compendium text and PML, the
// page outputs by race/location, and the region RTF files. Each writer reads the options record
// through state.OptionsRs and throws FileError or StoreError on failure, abandoning the files it
// had not ended.
//
// A publication feeds the tome and page writers from its own two walks (GroupedWalk.h); the
// functions below run them on state.EntryRs, each with a walk of its own.
#pragma once

#include <memory>

#include "app/AppState.h"
#include "publish/GroupedWalk.h"
#include "publish/Progress.h"

namespace tavri {

// Tavri-TR.txt and PR-Tavri.pml, fed in "namedex" order. Makes the palm folder when missing.
std::unique_ptr<WalkWriter> MakeTomeWriter(const AppState& state);
// PageTavri.rtf, the PageTavri-<letters>.txt files and PageTavri.pml, fed in "rldex" order.
std::unique_ptr<WalkWriter> MakePageOutputWriter(const AppState& state);

// Tavri-TR.txt and PR-Tavri.pml.
void TomeOutput(AppState& state, PublishProgress& progress);
// PageTavri.rtf, the PageTavri-<letters>.txt files and PageTavri.pml.
void TavriPageOutput(AppState& state, PublishProgress& progress);
// RegionTavri-<race/location>.rtf, one per race/location (the Create RTF command). Returns the
// number of entries written; an empty compendium writes no file.
qint64 RegionRtfOutput(AppState& state, PublishProgress& progress);

}  // namespace tavri
