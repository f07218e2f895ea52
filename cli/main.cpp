// tavri-cli: the compendium's commands without windows.
//
// Each command takes the data folder first. Exit status 0 on success; on failure a message on
// standard error and status 1 (2 for a command line that cannot be understood).
#include <QCoreApplication>

#include "base/Error.h"
#include "cli/Commands.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    using namespace tavri::cli;
    const QStringList args = QCoreApplication::arguments().mid(1);
    try {
        return Dispatch(args);
    } catch (const tavri::Error& e) {
        Err() << e.message() << "\n";
    }
    return 1;
}
