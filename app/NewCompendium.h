// Making a new compendium: the folder, the database with its options record, a frame template
// for the web site, the report folders with the entry pages' style sheet; optionally filled with
// a small invented world.
#pragma once

#include <QString>

namespace tavri {

inline constexpr const char* kNewCampaignTitle = "New Campaign";

// Makes dataDir (if needed) and a new compendium in it. Refuses, with StoreError, to touch a
// folder that already holds a database. With demo, adds the demo world's entries.
void CreateCompendium(const QString& dataDir, bool demo);

// The frame layout written to framebase.txt: the letter strip across the top, the race/location
// list at the left and the main frame "gmain".
QString DefaultFrameTemplate();

// The style sheet written to Reports/TavriStyle.css when a compendium is made without one: the
// entry pages' typography, leaving their colours to the compendium's options.
QString DefaultStyleSheet();

// Adds the demo world's entries to an open compendium; returns how many.
struct AppState;
int AddDemoEntries(AppState& state);

}  // namespace tavri
