// What the two programs print for --version and --help. The lines on the settings file and
// the compendium folder are made here once, so that both programs describe them alike.
#pragma once

#include <QString>
#include <optional>

namespace tavri {

// Where tavri.ini is looked for and what its dbloc= line does; indented lines, each ended.
QString SettingsFileHelp();

// What a compendium folder holds; indented lines, each ended.
QString CompendiumFolderHelp();

// The desktop program's answer to its first argument when that asks for the version
// ("--version": AppTitle and a line end) or for help ("--help", "-h"); nothing for any other
// argument, which is part of the data folder's name.
std::optional<QString> DesktopInformationText(const QString& firstArgument);

}  // namespace tavri
