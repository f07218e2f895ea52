// Opening a compendium's process-wide state.
#include "app/AppState.h"

#include "app/Version.h"

namespace tavri {

std::unique_ptr<AppState> AppState::Open(const QString& dataDir, Database::Access access) {
    auto state = std::make_unique<AppState>();
    state->AppVersion = BuildAppVersion();
    state->AppTitle = BuildAppTitle();
    state->DataDir = dataDir;
    state->Db = Database::open(DatabasePathIn(dataDir), access);
    state->EntryRs = std::make_unique<Recordset>(*state->Db, QStringLiteral("Tavri"));
    state->OptionsRs = std::make_unique<Recordset>(*state->Db, QStringLiteral("options"));
    state->EntryRs->setIndex(u"namedex");
    state->OptionsRs->moveFirst();
    if (state->OptionsRs->eof()) {
        throw StoreError(
            QStringLiteral("The compendium %1 has no options record.").arg(state->DatabasePath()));
    }
    return state;
}

void AppState::Close() {
    if (EntryRs) {
        EntryRs->close();
    }
    if (OptionsRs) {
        OptionsRs->close();
    }
    if (Db) {
        Db->close();
    }
    WindowLock.reset();
}

}  // namespace tavri
