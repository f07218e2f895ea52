// The process-wide state of the program: version, title, data folder, the database and its
// two table cursors. Start-up makes one; tests and the command line make their own on a folder
// of their choosing. Everything else reads the compendium through it.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

#include "store/Database.h"
#include "store/Recordset.h"

namespace tavri {

struct AppState {
    double AppVersion = 0;
    QString AppTitle;
    QString DataDir;  // ends with the separator
    std::unique_ptr<Database> Db;
    std::unique_ptr<Recordset> EntryRs;    // on "Tavri", index "namedex" after opening
    std::unique_ptr<Recordset> OptionsRs;  // on "options", standing on the options record
    // Held by the desktop program while it has the compendium open for writing, so that a
    // second window learns of it; the command line takes none.
    std::unique_ptr<QLockFile> WindowLock;

    // Opens DataDir + "tavri.db" and both cursors; throws StoreError when it cannot.
    static std::unique_ptr<AppState> Open(const QString& dataDir,
                                          Database::Access access = Database::Access::ReadWrite);

    QString ReportsDir() const { return DataDir + QStringLiteral("Reports/"); }
    QString PalmDir() const { return DataDir + QStringLiteral("Reports/palm/"); }
    QString ImagesDir() const { return DataDir + QStringLiteral("Reports/images/"); }
    QString DatabasePath() const { return DatabasePathIn(DataDir); }
    static QString DatabasePathIn(const QString& dataDir) {
        return dataDir + QStringLiteral("tavri.db");
    }
    static QString WindowLockPathIn(const QString& dataDir) {
        return dataDir + QStringLiteral("tavri.lock");
    }

    // Closes EntryRs and then Db (which ends OptionsRs too), as Exit does.
    void Close();
};

}  // namespace tavri
