// The alphabetical site: a two-by-two frameset whose left column lists the letters, whose top
// strip lists the races/locations, and whose main frame shows one page per letter or
// race/location, each an index table of its entries followed by their full text; then the
// reading files of the palm folder.
//
// Like the web site publisher it knows no window: its front end shows the progress, beeps and
// then clears the changed flags it earned with ClearChangedFlags (Publication.h). Failures throw
// FileError or StoreError and abandon the files the run had not ended.
#pragma once

#include "app/AppState.h"
#include "publish/Progress.h"
#include "publish/Publication.h"
#include "publish/SitePages.h"

namespace tavri {

// The whole alphabetical site, temp.htm left holding the blocks of the last page, and the palm
// folder, in the phases IndexPages and RaceLocationPages, all read from one snapshot of the
// compendium, which the result holds for ClearChangedFlags with the number of entries
// published. Leaves EntryRs on index "id".
std::unique_ptr<Publication> PublishAlphaSite(AppState& state, PublishProgress& progress);

}  // namespace tavri
