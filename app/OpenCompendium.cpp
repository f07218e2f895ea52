// Start-up's opening of the compendium.
#include "app/OpenCompendium.h"

#include "app/FileError.h"
#include "app/Startup.h"
#include "app/Version.h"

namespace tavri {

std::unique_ptr<AppState> OpenCompendiumAtStartup(const QString& argumentText, Dialogs& dialogs) {
    QString dataDir;
    std::unique_ptr<AppState> state;
    try {
        dataDir = ResolveDataDir(argumentText);
        state = AppState::Open(dataDir);
    } catch (const StoreError& e) {
        dialogs.inform(OpenFailureMessage(dataDir, e.message()), BuildAppTitle(),
                       MessageIcon::Critical);
        return nullptr;
    } catch (const FileError& e) {
        dialogs.inform(e.message(), BuildAppTitle(), MessageIcon::Critical);
        return nullptr;
    }
    // Only once the compendium is open: a folder that holds none is left untouched.
    CreateReportFolders(dataDir);
    return state;
}

}  // namespace tavri
