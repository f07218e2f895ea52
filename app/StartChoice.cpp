// The start question and what each answer does.
#include "app/StartChoice.h"

#include <QDir>
#include <QFileInfo>

#include "app/NewCompendium.h"
#include "app/OpenCompendium.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "base/Error.h"
#include "base/Sutils.h"

namespace tavri {
namespace {

bool HoldsCompendium(const QString& dataDir) {
    return QFileInfo::exists(AppState::DatabasePathIn(dataDir));
}

// Runs fn; reports a StoreError or FileError it throws and answers false.
template <typename Fn>
bool Reported(Dialogs& dialogs, Fn&& fn) {
    try {
        fn();
        return true;
    } catch (const Error& e) {
        dialogs.inform(e.message(), BuildAppTitle(), MessageIcon::Critical);
    }
    return false;
}

}  // namespace

std::unique_ptr<AppState> OpenOrChooseCompendium(const QString& argumentText, Dialogs& dialogs) {
    QString dataDir;
    if (!Reported(dialogs, [&] { dataDir = ResolveDataDir(argumentText); })) {
        return nullptr;
    }
    const QString title = BuildAppTitle();
    while (!HoldsCompendium(dataDir)) {
        const StartAnswer answer = dialogs.startChoice(dataDir, title);
        if (answer.choice == StartChoice::Quit) {
            return nullptr;
        }
        if (answer.choice == StartChoice::CreateHere) {
            Reported(dialogs, [&] { CreateCompendium(dataDir, answer.demo); });
            continue;
        }
        const QString folder =
            dialogs.chooseFolder(QStringLiteral("Open a compendium folder"),
                                 QFileInfo::exists(dataDir) ? dataDir : QDir::homePath());
        if (!folder.isEmpty()) {
            dataDir = AddBackslash(folder);
            Reported(dialogs, [&] {
                WriteIni(QStringLiteral("tavri.ini"), QStringLiteral("dbloc"), dataDir);
            });
        }
    }
    // The folder is resolved already: handed on as the argument text, it is taken as it is.
    return OpenCompendiumAtStartup(dataDir, dialogs);
}

}  // namespace tavri
