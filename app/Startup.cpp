// Finding the data folder and preparing it.
#include "app/Startup.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/AppState.h"
#include "base/Sutils.h"

namespace tavri {

QString UserDataDir() {
    const QString xdg = GetEnvValue(QStringLiteral("XDG_DATA_HOME"));
    const QString base = xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : xdg;
    return AddBackslash(AddBackslash(base) + QStringLiteral("tavri"));
}

QString ResolveDataDir(const QString& commandLineText) {
    if (!commandLineText.isEmpty()) {
        return AddBackslash(commandLineText);
    }
    const QString fromIni = ReadIni(QStringLiteral("tavri.ini"), QStringLiteral("dbloc"));
    if (fromIni.isEmpty()) {
        return UserDataDir();
    }
    return AddBackslash(fromIni);
}

QString CommandLineText(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' '));
}

void CreateReportFolders(const QString& dataDir) {
    QDir dir;
    dir.mkdir(dataDir + QStringLiteral("Reports/"));
    dir.mkdir(dataDir + QStringLiteral("Reports/images/"));
    dir.mkdir(dataDir + QStringLiteral("Reports/palm/"));
}

QString OpenFailureMessage(const QString& dataDir, const QString& reason) {
    QString text = reason;
    if (!QFileInfo::exists(AppState::DatabasePathIn(dataDir))) {
        text += QStringLiteral(
                    "\n\nTo make a new compendium in this folder, run:\n"
                    "tavri-cli new %1")
                    .arg(dataDir);
    }
    return text;
}

}  // namespace tavri
