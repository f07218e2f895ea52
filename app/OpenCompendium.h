// Opening the compendium at start-up, for the desktop program and the command line alike.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/Dialogs.h"

namespace tavri {

// Whether a file or folder can be written. The default asks the system (access(2)), which also
// answers "no" to root on a read-only medium; tests put their own in.
using WritableProbe = std::function<bool(const QString& path)>;
bool CanWrite(const QString& path);

// Finds the data folder from the argument text (or the settings, or the per-user folder),
// opens its compendium and makes sure the report folders exist. When it cannot, shows one
// message naming the file with the engine's reason (and, for a missing file, how to make a new
// compendium there), titled AppTitle, writes nothing, and returns null.
//
// A compendium that cannot be written, or that another Tavri window has open (its window lock
// is held), is opened read-only: the title says so, and a second window is first warned. Any
// line the store has to say about the opening (an order rebuilt) is shown once.
std::unique_ptr<AppState> OpenCompendiumAtStartup(const QString& argumentText, Dialogs& dialogs,
                                                  const WritableProbe& canWrite = CanWrite);

// For the commands that write: on a read-only compendium, shows the one message that says so
// and returns true.
bool RefusedAsReadOnly(const AppState& state, Dialogs& dialogs);

}  // namespace tavri
