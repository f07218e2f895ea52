// The command table and the streams of tavri-cli.
#include "cli/Commands.h"

#include <cstdio>
#include <map>

#include "app/ProgramHelp.h"
#include "app/Version.h"

namespace tavri::cli {
namespace {

struct Entry {
    QString summary;
    Command command;
};

std::map<QString, Entry>& table() {
    static std::map<QString, Entry> commands;
    return commands;
}

void usage(QTextStream& s) {
    s << BuildAppTitle() << "\n"
      << "Usage: tavri-cli COMMAND DIR [OPTIONS]\n"
      << "Works on the compendium in the data folder DIR (the database tavri.db and the\n"
      << "Reports folder below it). Commands:\n";
    for (const auto& [name, entry] : table()) {
        s << "  " << name.leftJustified(12) << entry.summary << "\n";
    }
    s << "Run tavri-cli COMMAND --help for a command's options.\n"
      << "\n"
      << "Options:\n"
      << "  --help, -h   print this text and exit\n"
      << "  --version    print the program's name and version and exit\n"
      << "\n"
      << "Settings:\n"
      << "  tavri-cli reads none: every command is given its folder DIR. The desktop\n"
      << "  program tavri keeps its settings in\n"
      << SettingsFileHelp() << "Data:\n"
      << "  the compendium in DIR.\n"
      << CompendiumFolderHelp();
}

}  // namespace

void Register(const QString& name, const QString& summary, Command command) {
    table()[name] = Entry{summary, std::move(command)};
}

int Dispatch(const QStringList& args) {
    if (args.isEmpty()) {
        usage(Err());
        return 2;
    }
    const QString& name = args.front();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        usage(Out());
        return 0;
    }
    if (name == QLatin1String("--version")) {
        Out() << BuildAppTitle() << "\n";
        return 0;
    }
    auto found = table().find(name);
    if (found == table().end()) {
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(name));
    }
    return found->second.command(args.mid(1));
}

QTextStream& Out() {
    static QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    return out;
}

QTextStream& Err() {
    static QTextStream err(stderr);
    err.setEncoding(QStringConverter::Utf8);
    return err;
}

int UsageError(const QString& message) {
    Err() << "tavri-cli: " << message << "\n";
    Err() << "Run tavri-cli --help for the commands.\n";
    Err().flush();
    return 2;
}

}  // namespace tavri::cli
