// tavri-cli upload-csv: the CSV upload without windows.
//
// Truncation lines, and a wait for another upload into the compendium, go to standard error as
// they happen, the log is written beside the file, and
// the closing text goes to standard output (status 0) when every record was added; otherwise the
// reason and the count go to standard error and the status is 1.
#include "app/AppState.h"
#include "base/Sutils.h"
#include "cli/Commands.h"
#include "import/CsvUpload.h"

namespace tavri::cli {
namespace {

class TerminalSink : public UploadSink {
public:
    void waiting(const QString& text) override {
        Err() << text << "\n";
        Err().flush();
    }
    bool truncated(const QString& text, bool) override {
        Err() << text << "\n";
        Err().flush();
        return true;
    }
    void finished(const UploadOutcome& outcome) override {
        QTextStream& stream = outcome.complete() ? Out() : Err();
        stream << outcome.closingText() << "\n";
        stream.flush();
    }
};

int runUploadCsv(const QStringList& args) {
    if (args.contains(QLatin1String("--help"))) {
        Out() << "Usage: tavri-cli upload-csv DIR FILE\n"
                 "Adds one entry, marked as changed, for every record of the CSV file FILE to\n"
                 "the compendium in DIR. A record is six values: ignored, name, race/location,\n"
                 "date, description, notes; a record whose second value is Name is a heading.\n"
                 "Names longer than 25 characters are cut and reported. The log\n"
                 "TavriUploadLog.txt is written beside FILE.\n"
                 "FILE may be UTF-8, Windows-1252, UTF-16 or UTF-32; a file that is not text,\n"
                 "or not a regular file, is refused before anything is added. An upload into a\n"
                 "compendium that another upload is adding to waits for it; one that would\n"
                 "share the other's log is refused.\n";
        return 0;
    }
    if (args.size() != 2) {
        return UsageError(
            QStringLiteral("upload-csv takes a folder and a file: tavri-cli upload-csv DIR FILE"));
    }
    const std::unique_ptr<AppState> state = AppState::Open(AddBackslash(args[0]));
    TerminalSink sink;
    const UploadOutcome outcome = UploadCsv(*state, args[1], sink);
    state->Close();
    return outcome.complete() ? 0 : 1;
}

const Registration kUploadCsv(QStringLiteral("upload-csv"),
                              QStringLiteral("add the records of a CSV file as entries"),
                              runUploadCsv);

}  // namespace
}  // namespace tavri::cli
