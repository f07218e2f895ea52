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
// The file is read twice, chunk by chunk (CsvTextSource, CsvRecordReader): a first pass makes sure
// that it is text and counts the names to be cut, the second stores the records. Memory does not
// grow with the file, only with its longest record.
//
// Promises:
// - A file that cannot be read, that is not a regular file (a pipe, a device, a folder: refused
//   without a read that could wait), that does not look like text (CsvNotText), or a log that
//   cannot be made or that another upload is writing, throws FileError before any entry is added
//   (and all but the last leave the old log as it was).
// - One upload at a time into a compendium (UploadLock): a second one is told that it waits, and
//   waits for the first to end.
// - No write lock is held while the user reads a message: the batch in progress is committed
//   before each truncation is shown, when the sink waits for a person.
// - Entries are written in transactions of kUploadBatchSize records, so a crash part way leaves
//   the compendium with the entries of the committed batches only. A batch's lines are handed to
//   the log only once the batch is committed: the log never names an entry that is not stored.
// - A record that the compendium refuses (a value longer than its field) stops the upload: the
//   entries before it stay, both files are closed, and the outcome names the record's line and
//   the field. A file that ends in the middle of a record adds the records before it, not the
//   partial one, and the outcome says so. Neither is reported as success.
// - A value quoted in a message is cut to its first kShownValueLength characters, followed by
//   "… (N characters)", and control characters in it are shown as escapes.
#pragma once

#include <QString>

#include "app/AppState.h"

namespace tavri {

inline constexpr int kUploadBatchSize = 5000;
inline constexpr int kUploadNameLength = 25;
inline constexpr int kShownValueLength = 60;

struct UploadOutcome {
    int added = 0;
    int cut = 0;  // names cut to kUploadNameLength
    // Why not every record of the file was added; empty when they all were.
    QString problem;
    // The upload stopped at a record or a failure, rather than reading the file to its end.
    bool stopped = false;

    bool complete() const { return problem.isEmpty(); }
    // "File successfully uploaded, N records added" when complete; otherwise the problem and
    // the count. Then how many names were cut, when any were.
    QString closingText() const;
};

class UploadSink {
public:
    virtual ~UploadSink() = default;
    // Another upload into the compendium is running; this one waits for it after the return.
    virtual void waiting(const QString& text) = 0;
    // A name was cut; text is "Truncation: " + the cut name, and more says that further names of
    // this upload will be cut. The upload waits for the return; false asks to hear of no more
    // truncations in this upload (the log still gets every line).
    virtual bool truncated(const QString& text, bool more) = 0;
    // Does truncated() wait for a person? Then nothing is held uncommitted while it does.
    virtual bool waitsForPerson() const { return false; }
    // The upload is over and both files are closed.
    virtual void finished(const UploadOutcome& outcome) = 0;
};

// A value as a message quotes it: control characters as escapes ("\t", "\x01"), and cut to its
// first kShownValueLength characters followed by "… (N characters)" when it is longer.
QString ShownValue(QStringView value);
// Text with its control characters (C0, DEL, C1) written as visible escapes.
QString VisibleControls(QStringView text);

// The log's path for a CSV file: "TavriUploadLog.txt" in the file's folder.
QString UploadLogPath(const QString& csvPath);

// Uploads csvPath into state's compendium through state.EntryRs; the outcome is also given to
// sink.finished. Throws FileError when the file cannot be read or the log cannot be made.
UploadOutcome UploadCsv(AppState& state, const QString& csvPath, UploadSink& sink);

}  // namespace tavri
