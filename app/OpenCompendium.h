// Opening the compendium at start-up, for the desktop program and the command line alike.
#pragma once

#include <QString>
#include <memory>

#include "app/AppState.h"
#include "app/Dialogs.h"

namespace tavri {

// Finds the data folder from the argument text (or the settings, or the per-user folder),
// opens its compendium and makes sure the report folders exist. When it cannot, shows one
// message naming the file with the engine's reason (and, for a missing file, how to make a new
// compendium there), titled AppTitle, writes nothing, and returns null.
std::unique_ptr<AppState> OpenCompendiumAtStartup(const QString& argumentText, Dialogs& dialogs);

}  // namespace tavri
