// Start-up: where the data folder is, the report folders, and the message for a compendium
// that cannot be opened. The windows and the command line both start through here.
#pragma once

#include <QString>
#include <QStringList>

namespace tavri {

// The data folder: the "dbloc" value of tavri.ini with a separator added, replaced by the
// command-line text when that is not empty (with a separator added too). With neither, the
// per-user data folder (~/.local/share/tavri/).
QString ResolveDataDir(const QString& commandLineText);

// The program's arguments joined by single blanks.
QString CommandLineText(const QStringList& arguments);

// The per-user data folder, ending with the separator.
QString UserDataDir();

// Creates Reports/, Reports/images/ and Reports/palm/ below dataDir; failures are ignored
// (a later writer into them reports its own).
void CreateReportFolders(const QString& dataDir);

// The one message shown when the compendium cannot be opened at start-up.
QString OpenFailureMessage(const QString& dataDir, const QString& reason);

}  // namespace tavri
