// The --version and --help texts.
#include "app/ProgramHelp.h"

#include "app/Version.h"

namespace tavri {
namespace {

QString desktopHelp() {
    return BuildAppTitle() +
           QStringLiteral(
               "\n"
               "Usage: tavri [FOLDER]\n"
               "Keeps the compendium of a role-playing campaign world: entries for its people,\n"
               "places, peoples and events, published as a static web site and as RTF, PML and\n"
               "plain-text reading files. Opens the compendium in FOLDER in the main window;\n"
               "all arguments joined by blanks are the folder's name.\n"
               "\n"
               "Options:\n"
               "  --help, -h   print this text and exit\n"
               "  --version    print the program's name and version and exit\n"
               "\n"
               "Settings:\n") +
           SettingsFileHelp() +
           QStringLiteral(
               "Data:\n"
               "  the folder given, else the one dbloc= names, else ~/.local/share/tavri/\n"
               "  ($XDG_DATA_HOME/tavri/ when XDG_DATA_HOME is set).\n"
               "  When that folder holds no compendium, tavri asks what to do: create a new\n"
               "  compendium there (as tavri-cli new does, optionally with a demo world), open\n"
               "  another folder (remembered as dbloc= in tavri.ini for the next start), or "
               "quit.\n") +
           CompendiumFolderHelp();
}

}  // namespace

QString SettingsFileHelp() {
    return QStringLiteral(
        "  tavri.ini in $XDG_CONFIG_HOME, else in ~/.config (in $WINDIR when that is set).\n"
        "  Its line dbloc=FOLDER names the compendium that tavri opens when it is given no\n"
        "  folder.\n");
}

QString CompendiumFolderHelp() {
    return QStringLiteral(
        "  A compendium folder holds tavri.db, framebase.txt and Reports/, below which\n"
        "  everything published is written.\n");
}

std::optional<QString> DesktopInformationText(const QString& firstArgument) {
    if (firstArgument == QLatin1String("--version")) {
        return BuildAppTitle() + QLatin1Char('\n');
    }
    if (firstArgument == QLatin1String("--help") || firstArgument == QLatin1String("-h")) {
        return desktopHelp();
    }
    return std::nullopt;
}

}  // namespace tavri
