// tavri-cli new: a new compendium, empty or with the demo world.
#include "app/NewCompendium.h"
#include "base/Sutils.h"
#include "cli/Commands.h"

namespace tavri::cli {
namespace {

int runNew(const QStringList& args) {
    bool demo = false;
    QStringList rest;
    for (const QString& a : args) {
        if (a == QLatin1String("--demo")) {
            demo = true;
        } else if (a == QLatin1String("--help")) {
            Out() << "Usage: tavri-cli new [--demo] DIR\n"
                     "Makes a new compendium in DIR (made if needed): the database with one\n"
                     "options record, framebase.txt and the report folders. With --demo it is\n"
                     "filled with the entries of an invented world. An existing compendium is\n"
                     "never touched.\n";
            return 0;
        } else {
            rest << a;
        }
    }
    if (rest.size() != 1) {
        return UsageError(QStringLiteral("new takes one folder: tavri-cli new [--demo] DIR"));
    }
    const QString dir = AddBackslash(rest.front());
    CreateCompendium(dir, demo);
    Out() << (demo ? "Made a demo compendium in " : "Made a new compendium in ") << dir << "\n";
    return 0;
}

const Registration kNew(QStringLiteral("new"),
                        QStringLiteral("make a new compendium (--demo: with a demo world)"),
                        runNew);

}  // namespace
}  // namespace tavri::cli
