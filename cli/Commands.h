// The command table of tavri-cli: each subsystem registers its commands here.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace tavri::cli {

using Command = std::function<int(const QStringList& args)>;

void Register(const QString& name, const QString& summary, Command command);

// Registers a command when the program starts: one static Registration per command file.
struct Registration {
    Registration(const QString& name, const QString& summary, Command command) {
        Register(name, summary, std::move(command));
    }
};
// Runs the command named by args[0] with the rest; prints the usage for none or --help.
int Dispatch(const QStringList& args);

// Standard output and error, UTF-8 with LF line ends.
QTextStream& Out();
QTextStream& Err();

// Prints a message about a command line that cannot be understood; returns status 2.
int UsageError(const QString& message);

}  // namespace tavri::cli
