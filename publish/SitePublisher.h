// The framed HTML web site: the start page made from the user's framebase.txt, the two contents
// pages, one index page per initial letter and per race/location, and (through EntryPages.h) a
// page per entry with notes; then the reading files of the palm folder.
//
// The publisher knows no window. Its front end (the main window, tavri-cli) asks the two
// questions, passes the answers in, shows the progress it reports and clears the changed flags
// afterwards with ClearChangedFlags (Publication.h) when the user agreed. Every file or database
// failure throws FileError or StoreError; the files the run had not ended are abandoned (their
// writers go out of scope unclosed), and nothing in the database has been changed by the run.
#pragma once

#include <memory>

#include "app/AppState.h"
#include "publish/Progress.h"
#include "publish/Publication.h"
#include "publish/SitePages.h"

namespace tavri {

// What the user chose for a run.
struct SitePublishOptions {
    // Publish Changed: entry pages are rewritten only for entries marked changed; every other
    // page is written in full from all entries.
    bool changedOnly = false;
};

// The whole site and the palm folder's reading files, in the phases IndexPages and
// RaceLocationPages, all read from one snapshot of the compendium, which the result holds for
// ClearChangedFlags with the number of entries published. A missing framebase.txt is reported
// (FileError) before anything is written. Leaves EntryRs on index "id".
std::unique_ptr<Publication> PublishSite(AppState& state, const SitePublishOptions& options,
                                         PublishProgress& progress);

// The reading files of the palm folder, the phase ReadingFiles: TomeOutput, then
// TavriPageOutput (each makes the folder when it is missing).
void WriteReadingFiles(AppState& state, PublishProgress& progress);

}  // namespace tavri
