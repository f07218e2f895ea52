// The CSV upload: records from the reader, entries through the shared cursor, in batches.
#include "import/CsvUpload.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <optional>

#include "app/FileError.h"
#include "app/OutputFile.h"
#include "app/Sutils.h"
#include "app/TextCodec.h"
#include "import/CsvRecordReader.h"
#include "store/StoreError.h"

namespace tavri {
namespace {

QByteArray ReadCsvFile(const QString& path) {
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        throw FileError(QStringLiteral("read"), path, QStringLiteral("it is a folder"));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("read"), path, file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError(QStringLiteral("read"), path, file.errorString());
    }
    return bytes;
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

// The entries of the upload, written in transactions of kUploadBatchSize records. The log lines
// of a batch wait here until its commit has returned.
class Batches {
public:
    Batches(AppState& state, OutputFile& log) : state_(state), log_(log) {}

    // Stores one record as a new entry; throws StoreError when the compendium refuses it, with
    // the cursor's pending row dropped and nothing of the record stored.
    void add(const CsvRecord& record, UploadSink& sink) {
        QString name = TrimSpaces(record.values[1]);
        QString truncation;
        if (codePointCount(name) > kUploadNameLength) {
            name = leftCodePoints(name, kUploadNameLength);
            truncation = QStringLiteral("Truncation: ") + name;
            sink.truncated(truncation);
        }
        if (!tx_) {
            tx_.emplace(*state_.Db);
        }
        Recordset& rs = *state_.EntryRs;
        rs.addNew();
        try {
            rs.setField(u"name", name);
            rs.setField(u"race-location", TrimSpaces(record.values[2]));
            rs.setField(u"date", TrimSpaces(record.values[3]));
            rs.setField(u"desc", TrimSpaces(record.values[4]));
            const QString notes = TrimSpaces(record.values[5]);
            if (!notes.isEmpty()) {
                rs.setField(u"details", notes);
            }
            rs.setField(u"changed", true);
            rs.update();
        } catch (const StoreError&) {
            rs.cancelUpdate();
            throw;
        }
        if (!truncation.isEmpty()) {
            lines_ << truncation;
        }
        lines_ << name + QStringLiteral(" uploaded OK");
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
        pending_ = 0;
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
        lines_.clear();
    }

    int added() const { return added_; }

private:
    AppState& state_;
    OutputFile& log_;
    std::optional<Database::Transaction> tx_;
    QStringList lines_;
    int pending_ = 0;
    int added_ = 0;
};

}  // namespace

QString UploadOutcome::closingText() const {
    const QString count = QString::number(added);
    if (complete()) {
        return QStringLiteral("File successfully uploaded, ") + count +
               QStringLiteral(" records added");
    }
    return problem + QLatin1Char('\n') +
           (stopped ? QStringLiteral("Upload stopped, ") : QStringLiteral("File uploaded, ")) +
           count + QStringLiteral(" records added");
}

QString UploadLogPath(const QString& csvPath) {
    return AddBackslash(QFileInfo(csvPath).absolutePath()) + QStringLiteral("TavriUploadLog.txt");
}

UploadOutcome UploadCsv(AppState& state, const QString& csvPath, UploadSink& sink) {
    const QByteArray bytes = ReadCsvFile(csvPath);
    OutputFile log(UploadLogPath(csvPath), OutputFormat::Text, OutputFile::Mode::Progressive);
    CsvRecordReader reader = CsvRecordReader::fromBytes(bytes);
    Batches batches(state, log);
    UploadOutcome outcome;

    int line = 0;  // of the record being stored, 0 between records
    try {
        while (const std::optional<CsvRecord> record = reader.next()) {
            line = record->line;
            batches.add(*record, sink);
            line = 0;
            if (batches.full()) {
                batches.commit();
            }
        }
        batches.commit();
        if (reader.incomplete()) {
            outcome.problem = DescribeIncomplete(*reader.incomplete());
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
            } catch (const StoreError& again) {
                outcome.problem += QLatin1Char('\n') + again.message();
            } catch (const FileError& logError) {
                outcome.problem += QLatin1Char('\n') + logError.message();
            }
        } else {
            outcome.problem = e.message();
        }
    } catch (const FileError& e) {
        // The log failed after a commit: the entries are stored, their lines are not all there.
        outcome.stopped = true;
        outcome.problem = e.message();
    }
    batches.drop();
    try {
        log.close();
    } catch (const FileError& e) {
        outcome.problem +=
            (outcome.problem.isEmpty() ? QString() : QStringLiteral("\n")) + e.message();
    }
    outcome.added = batches.added();
    sink.finished(outcome);
    return outcome;
}

}  // namespace tavri
