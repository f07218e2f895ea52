// Start-up's opening of the compendium.
#include "app/OpenCompendium.h"

#include <unistd.h>

#include <QFileInfo>

#include "app/Startup.h"
#include "app/Version.h"
#include "base/FileError.h"

namespace tavri {
namespace {

// Takes the window lock of a writable compendium; when another window holds it, says so and
// falls back to read-only.
Database::Access ChooseAccess(const QString& dataDir, const WritableProbe& canWrite,
                              std::unique_ptr<QLockFile>& lock, QString& warning) {
    const QString path = AppState::DatabasePathIn(dataDir);
    if (!QFileInfo::exists(path)) {
        return Database::Access::ReadWrite;  // opening then says the file is missing
    }
    if (!canWrite(dataDir)) {
        // Nobody can write this medium: SQLite needs no lock or journal files beside the file.
        return Database::Access::Immutable;
    }
    if (!canWrite(path)) {
        return Database::Access::ReadOnly;
    }
    lock = std::make_unique<QLockFile>(AppState::WindowLockPathIn(dataDir));
    // A lock is stale only when its process is gone, however long a window stays open.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        return Database::Access::ReadWrite;
    }
    if (lock->error() == QLockFile::LockFailedError) {
        warning = QStringLiteral(
                      "Another Tavri window has the compendium %1 open. To keep "
                      "either window from overwriting the other's changes, it opens "
                      "read-only here.")
                      .arg(path);
    }
    lock.reset();
    return Database::Access::ReadOnly;
}

}  // namespace

bool CanWrite(const QString& path) {
    return ::access(QFileInfo(path).absoluteFilePath().toLocal8Bit().constData(), W_OK) == 0;
}

std::unique_ptr<AppState> OpenCompendiumAtStartup(const QString& argumentText, Dialogs& dialogs,
                                                  const WritableProbe& canWrite) {
    QString dataDir;
    std::unique_ptr<AppState> state;
    QString warning;
    try {
        dataDir = ResolveDataDir(argumentText);
        std::unique_ptr<QLockFile> lock;
        const Database::Access access = ChooseAccess(dataDir, canWrite, lock, warning);
        state = AppState::Open(dataDir, access);
        state->WindowLock = std::move(lock);
    } catch (const StoreError& e) {
        dialogs.inform(OpenFailureMessage(dataDir, e.message()), BuildAppTitle(),
                       MessageIcon::Critical);
        return nullptr;
    } catch (const FileError& e) {
        dialogs.inform(e.message(), BuildAppTitle(), MessageIcon::Critical);
        return nullptr;
    }
    if (state->Db->readOnly()) {
        state->AppTitle += QStringLiteral(" (read-only)");
    }
    if (!warning.isEmpty()) {
        dialogs.inform(warning, state->AppTitle, MessageIcon::Warning);
    }
    if (!state->Db->notices().isEmpty()) {
        dialogs.inform(state->Db->notices().join(QLatin1Char('\n')), state->AppTitle);
    }
    // Only once the compendium is open: a folder that holds none is left untouched.
    if (!state->Db->readOnly()) {
        CreateReportFolders(dataDir);
    }
    return state;
}

bool RefusedAsReadOnly(const AppState& state, Dialogs& dialogs) {
    if (!state.Db->readOnly()) {
        return false;
    }
    dialogs.inform(Database::readOnlyMessage(state.DatabasePath()), state.AppTitle);
    return true;
}

}  // namespace tavri
