// The CSV upload: every record of a comma-separated file becomes a new entry, marked as
// changed, and a log of the upload is written beside the file. The main window and tavri-cli
// both call UploadCsv; what they show the user goes through an UploadSink.
//
// Each record gives: name = the second value trimmed of spaces and cut to its first 25
// characters (a cut is reported through the sink as "Truncation: " + the cut name, and the same
// line goes to the log); race/location, date and description = the third to fifth values
// trimmed, stored as they come, empty ones included; notes = the sixth value trimmed, stored only
// when not empty; "changed" true. No check for an existing entry of the same name is made.
//
// The log "TavriUploadLog.txt" in the file's folder is replaced at each upload. It holds, per
// entry added, its truncation line (if any) and name + " uploaded OK", in Windows-1252 with CR LF
// line ends.
//
// Promises:
// - A file that cannot be read, or a log that cannot be made, throws FileError before any entry
//   is added (and an unreadable file leaves the old log as it was).
// - Entries are written in transactions of kUploadBatchSize records, so a crash part way leaves
//   the compendium with the entries of the committed batches only. A batch's lines are handed to
//   the log only once the batch is committed: the log never names an entry that is not stored.
// - A record that the compendium refuses (a value longer than its field) stops the upload: the
//   entries before it stay, both files are closed, and the outcome names the record's line and
//   the field. A file that ends in the middle of a record adds the records before it, not the
//   partial one, and the outcome says so. Neither is reported as success.
#pragma once

#include <QString>

#include "app/AppState.h"

namespace tavri {

inline constexpr int kUploadBatchSize = 5000;
inline constexpr int kUploadNameLength = 25;

struct UploadOutcome {
    int added = 0;
    // Why not every record of the file was added; empty when they all were.
    QString problem;
    // The upload stopped at a record or a failure, rather than reading the file to its end.
    bool stopped = false;

    bool complete() const { return problem.isEmpty(); }
    // "File successfully uploaded, N records added" when complete; otherwise the problem and
    // the count.
    QString closingText() const;
};

class UploadSink {
public:
    virtual ~UploadSink() = default;
    // A name was cut; text is "Truncation: " + the cut name. The upload waits for the return.
    virtual void truncated(const QString& text) = 0;
    // The upload is over and both files are closed.
    virtual void finished(const UploadOutcome& outcome) = 0;
};

// The log's path for a CSV file: "TavriUploadLog.txt" in the file's folder.
QString UploadLogPath(const QString& csvPath);

// Uploads csvPath into state's compendium through state.EntryRs; the outcome is also given to
// sink.finished. Throws FileError when the file cannot be read or the log cannot be made.
UploadOutcome UploadCsv(AppState& state, const QString& csvPath, UploadSink& sink);

}  // namespace tavri
