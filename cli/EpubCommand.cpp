// tavri-cli epub: the compendium as an EPUB 3 e-book.
#include <QDir>
#include <QFileInfo>

#include "app/AppState.h"
#include "app/Startup.h"
#include "base/Sutils.h"
#include "cli/Commands.h"
#include "publish/BookIdentifier.h"
#include "publish/EpubBook.h"

namespace tavri::cli {
namespace {

const char kHelp[] =
    "Usage: tavri-cli epub DIR [--out FILE] [--lang TAG]\n"
    "Writes the compendium in DIR as an EPUB 3 e-book: a title page, the contents by\n"
    "race/location, a section per entry with its notes, and an alphabetical index.\n"
    "Lists what it left out of the notes (scripts, forms, missing images, links to\n"
    "entries that no longer exist).\n"
    "  --out FILE   the book's file (default DIR/Reports/palm/Tavri.epub)\n"
    "  --lang TAG   the book's language (default en)\n";

int runEpub(const QStringList& args) {
    QString dir;
    QString out;
    EpubOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--help" || a == u"-h") {
            Out() << kHelp;
            return 0;
        }
        if (a == u"--out" || a == u"--lang") {
            if (i + 1 >= args.size()) {
                return UsageError(QStringLiteral("%1 needs a value").arg(a));
            }
            (a == u"--out" ? out : options.language) = args[++i];
        } else if (a.startsWith(u"--")) {
            return UsageError(QStringLiteral("unknown option %1").arg(a));
        } else if (dir.isEmpty()) {
            dir = a;
        } else {
            return UsageError(QStringLiteral("give one data folder"));
        }
    }
    if (dir.isEmpty()) {
        return UsageError(QStringLiteral("give one data folder"));
    }
    if (!IsLanguageTag(options.language)) {
        return UsageError(QStringLiteral("\"%1\" is not a language tag").arg(options.language));
    }
    const auto state = AppState::Open(AddBackslash(dir));
    CreateReportFolders(state->DataDir);
    const QString path =
        out.isEmpty() ? DefaultEpubPath(*state) : QFileInfo(out).absoluteFilePath();
    options.identifier = BookIdentifier(*state);
    PublishProgress progress;
    const EpubReport report = WriteEpubBook(*state, path, options, progress);
    for (const QString& line : report.dropped) {
        Out() << "Left out: " << line << "\n";
    }
    Out() << "Wrote the e-book " << QDir::toNativeSeparators(path) << " (" << report.entries
          << (report.entries == 1 ? " entry" : " entries") << ")\n";
    return 0;
}

const Registration kEpub(QStringLiteral("epub"),
                         QStringLiteral("write the compendium as an EPUB 3 e-book"), runEpub);

}  // namespace
}  // namespace tavri::cli
