// Start-up's way out when no compendium is where it looks: the user makes one there, picks
// another folder, or quits. Only Quit ends the program without a window.
#pragma once

#include <QString>
#include <memory>

#include "app/AppState.h"
#include "app/Dialogs.h"

namespace tavri {

// Opens the compendium start-up finds from the argument text, as OpenCompendiumAtStartup
// does. While the folder holds no database, asks what to do:
// - CreateHere makes a compendium there exactly as `tavri-cli new` does (with the demo world
//   when asked), then opens it; a failure is reported and the question asked again;
// - OpenAnother shows a folder chooser; the folder chosen is remembered as "dbloc" in
//   tavri.ini and looked at in turn; a cancelled chooser asks again;
// - Quit returns null.
std::unique_ptr<AppState> OpenOrChooseCompendium(const QString& argumentText, Dialogs& dialogs);

}  // namespace tavri
