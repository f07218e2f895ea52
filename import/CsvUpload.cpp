// The CSV upload: a first pass that checks the file, then records from the reader, entries
// through the shared cursor, in batches.
#include "import/CsvUpload.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "base/Error.h"
#include "base/FileError.h"
#include "base/Sutils.h"
#include "base/TextCodec.h"
#include "import/CsvRecordReader.h"
#include "import/CsvTextSource.h"
#include "import/UploadLock.h"
#include "import/UploadLog.h"
#include "store/StoreError.h"

namespace tavri {
namespace {

[[noreturn]] void FailToRead(const QString& path, const QString& reason) {
    throw FileError(QStringLiteral("read"), path, reason);
}

// Opens the CSV file. What is not a regular file is refused from its status alone, and the file
// is opened without waiting, so that a pipe swapped in for it cannot hold the upload either.
std::unique_ptr<QFile> OpenCsvFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        FailToRead(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (S_ISDIR(st.st_mode)) {
        FailToRead(path, QStringLiteral("it is a folder"));
    }
    const int fd =
        S_ISREG(st.st_mode) ? ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        FailToRead(path, QStringLiteral("it is not a regular file"));
    }
    if (fd < 0) {
        FailToRead(path, S_ISREG(st.st_mode) ? QString::fromLocal8Bit(std::strerror(errno))
                                             : QStringLiteral("it is not a regular file"));
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        FailToRead(path, file->errorString());
    }
    return file;
}

QString CharacterName(char16_t c) {
    return VisibleControls(QStringView(&c, 1));
}

// The first pass: refuses a file that is not text, and counts the names that will be cut.
int CheckText(CsvTextSource& source, const QString& path) {
    CsvRecordReader reader(source);
    int cut = 0;
    while (const std::optional<CsvRecord> record = reader.next()) {
        cut += codePointCount(TrimSpaces(record->values[1])) > kUploadNameLength ? 1 : 0;
    }
    if (const std::optional<CsvNotText>& bad = reader.notText()) {
        QString where = QStringLiteral("line %1 holds the control character %2")
                            .arg(bad->line)
                            .arg(CharacterName(bad->character));
        if (!bad->lineStart.isEmpty()) {
            where += QStringLiteral(" (the line begins \"%1\")").arg(ShownValue(bad->lineStart));
        }
        throw FileError(
            QStringLiteral("%1 does not look like a CSV text file: %2. Nothing was added.")
                .arg(VisibleControls(path), where));
    }
    return cut;
}

QString DescribeIncomplete(const CsvIncomplete& partial) {
    if (partial.inQuotes) {
        return QStringLiteral(
                   "The file ends inside a quoted value of the record that begins on "
                   "line %1, so that record was not added.")
            .arg(partial.line);
    }
    return QStringLiteral(
               "The file ends in the middle of the record that begins on line %1: it "
               "has %2 of its %3 values, so it was not added.")
        .arg(partial.line)
        .arg(partial.values)
        .arg(CsvRecord::kValues);
}

// A record's values as they are stored: name (cut), race/location, date, description, notes.
struct Prepared {
    std::array<QString, 5> values;
    QString truncation;  // "Truncation: " + the cut name, or empty
};

Prepared Prepare(const CsvRecord& record) {
    Prepared p;
    for (int i = 0; i < 5; ++i) {
        p.values[i] = TrimSpaces(record.values[i + 1]);
    }
    if (codePointCount(p.values[0]) > kUploadNameLength) {
        p.values[0] = leftCodePoints(p.values[0], kUploadNameLength);
        p.truncation = QStringLiteral("Truncation: ") + p.values[0];
    }
    return p;
}

// The compendium's refusal of a record, with every value it quotes shown as messages show them.
QString Readable(QString message, const Prepared& p) {
    for (const QString& value : p.values) {
        const QString shown = ShownValue(value);
        if (!value.isEmpty() && shown != value) {
            message.replace(QLatin1Char('"') + value + QLatin1Char('"'),
                            QLatin1Char('"') + shown + QLatin1Char('"'));
        }
    }
    return message;
}

// The entries of the upload, written in transactions of kUploadBatchSize records. The log lines
// of a batch wait here until its commit has returned.
class Batches {
public:
    Batches(AppState& state, UploadLog& log) : state_(state), log_(log) {}

    // Stores one record as a new entry; throws StoreError when the compendium refuses it, with
    // the cursor's pending row dropped and nothing of the record stored.
    void add(const Prepared& p) {
        if (!tx_) {
            tx_.emplace(*state_.Db);
        }
        Recordset& rs = *state_.EntryRs;
        rs.addNew();
        try {
            rs.setField(u"name", p.values[0]);
            rs.setField(u"race-location", p.values[1]);
            rs.setField(u"date", p.values[2]);
            rs.setField(u"desc", p.values[3]);
            if (!p.values[4].isEmpty()) {
                rs.setField(u"details", p.values[4]);
            }
            rs.setField(u"changed", true);
            rs.update();
        } catch (const StoreError& e) {
            rs.cancelUpdate();
            throw StoreError(Readable(e.message(), p));
        }
        if (!p.truncation.isEmpty()) {
            lines_ << p.truncation;
            ++pendingCut_;
        }
        lines_ << p.values[0] + QStringLiteral(" uploaded OK");
        ++pending_;
    }

    bool full() const { return pending_ >= kUploadBatchSize; }

    // Commits the open batch, then hands its lines to the log. When the commit fails, the
    // batch is rolled back and its lines are dropped.
    void commit() {
        if (tx_) {
            try {
                tx_->commit();
            } catch (const StoreError&) {
                drop();
                throw;
            }
            tx_.reset();
        }
        added_ += pending_;
        cut_ += pendingCut_;
        pending_ = 0;
        pendingCut_ = 0;
        const QStringList lines = std::move(lines_);
        lines_.clear();
        for (const QString& line : lines) {
            log_.line(line);
        }
        log_.flush();  // a crash after this commit still leaves its lines in the log
    }

    // Rolls back the open batch.
    void drop() {
        tx_.reset();
        pending_ = 0;
        pendingCut_ = 0;
        lines_.clear();
    }

    int added() const { return added_; }
    int cut() const { return cut_; }

private:
    AppState& state_;
    UploadLog& log_;
    std::optional<Database::Transaction> tx_;
    QStringList lines_;
    int pending_ = 0;
    int pendingCut_ = 0;
    int added_ = 0;
    int cut_ = 0;
};

// The second pass: every record into the compendium. Fills outcome; throws what the sink
// throws.
void StoreRecords(CsvRecordReader& reader, Batches& batches, int toCut, UploadSink& sink,
                  UploadOutcome& outcome) {
    bool showCuts = true;
    int seen = 0;  // names cut so far
    int line = 0;  // of the record being stored, 0 between records
    try {
        while (const std::optional<CsvRecord> record = reader.next()) {
            line = record->line;
            const Prepared p = Prepare(*record);
            if (!p.truncation.isEmpty()) {
                ++seen;
                if (showCuts) {
                    if (sink.waitsForPerson()) {
                        batches.commit();
                    }
                    showCuts = sink.truncated(VisibleControls(p.truncation), seen < toCut);
                }
            }
            batches.add(p);
            line = 0;
            if (batches.full()) {
                batches.commit();
            }
        }
        batches.commit();
        if (reader.incomplete()) {
            outcome.problem = DescribeIncomplete(*reader.incomplete());
        }
        if (reader.notText()) {
            // The first pass found only text: the file was changed while it was being read.
            outcome.stopped = true;
            outcome.problem = QStringLiteral(
                                  "The file changed during the upload: line %1 no longer looks "
                                  "like text, so the upload stopped there.")
                                  .arg(reader.notText()->line);
        }
    } catch (const StoreError& e) {
        outcome.stopped = true;
        if (line > 0) {
            // The refused record stored nothing; the records of its batch before it stay.
            outcome.problem = QStringLiteral("The record on line %1 was not added: %2")
                                  .arg(line)
                                  .arg(e.message());
            try {
                batches.commit();
            } catch (const Error& again) {
                outcome.problem += QLatin1Char('\n') + again.message();
            }
        } else {
            outcome.problem = e.message();
        }
    } catch (const FileError& e) {
        // The log failed after a commit: the entries are stored, their lines are not all there.
        outcome.stopped = true;
        outcome.problem = e.message();
    }
}

}  // namespace

QString VisibleControls(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && (u < 0x7F || u > 0x9F)) {
            out += c;
        } else if (u == u'\t') {
            out += QStringLiteral("\\t");
        } else if (u == u'\r') {
            out += QStringLiteral("\\r");
        } else if (u == u'\n') {
            out += QStringLiteral("\\n");
        } else {
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        }
    }
    return out;
}

QString ShownValue(QStringView value) {
    const qsizetype length = codePointCount(value);
    if (length <= kShownValueLength) {
        return VisibleControls(value);
    }
    return VisibleControls(leftCodePoints(value.toString(), kShownValueLength)) +
           QStringLiteral("\u2026 (%1 characters)").arg(length);
}

QString UploadOutcome::closingText() const {
    const QString count = QString::number(added);
    QString text = complete() ? QStringLiteral("File successfully uploaded, ") + count +
                                    QStringLiteral(" records added")
                              : problem + QLatin1Char('\n') +
                                    (stopped ? QStringLiteral("Upload stopped, ")
                                             : QStringLiteral("File uploaded, ")) +
                                    count + QStringLiteral(" records added");
    if (cut == 1) {
        text += QStringLiteral("\n1 name was cut to %1 characters.").arg(kUploadNameLength);
    } else if (cut > 1) {
        text +=
            QStringLiteral("\n%1 names were cut to %2 characters.").arg(cut).arg(kUploadNameLength);
    }
    return text;
}

QString UploadLogPath(const QString& csvPath) {
    return AddBackslash(QFileInfo(csvPath).absolutePath()) + QStringLiteral("TavriUploadLog.txt");
}

UploadOutcome UploadCsv(AppState& state, const QString& csvPath, UploadSink& sink) {
    const std::unique_ptr<QFile> file = OpenCsvFile(csvPath);
    CsvTextSource source(*file, csvPath);
    const int toCut = CheckText(source, csvPath);
    source.rewind();

    const UploadLock lock(state.DataDir, [&] {
        sink.waiting(
            QStringLiteral("Another upload into this compendium is running; this "
                           "upload waits until it has finished."));
    });
    UploadLog log(UploadLogPath(csvPath));
    CsvRecordReader reader(source);
    Batches batches(state, log);
    UploadOutcome outcome;
    StoreRecords(reader, batches, toCut, sink, outcome);
    batches.drop();
    try {
        log.close();
    } catch (const FileError& e) {
        outcome.problem +=
            (outcome.problem.isEmpty() ? QString() : QStringLiteral("\n")) + e.message();
    }
    outcome.added = batches.added();
    outcome.cut = batches.cut();
    sink.finished(outcome);
    return outcome;
}

}  // namespace tavri
