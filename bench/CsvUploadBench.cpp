// The CSV upload of 100,000 records into an empty compendium (reading, decoding and parsing the
// file, the entry cursor, the batched transactions and the log), beside a bare SQLite insert of
// the same rows, prepared in memory, in one transaction on the same kind of connection.
//
// And the upload's peak memory for large files, measured in a child process (tavri-cli
// upload-csv under GNU time; TAVRI_BENCH_CLI names another build of it) as the kernel's
// high-water mark of its resident set, beside the floor: the same child uploading one record.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/NewCompendium.h"
#include "base/Sutils.h"
#include "bench/BenchSupport.h"
#include "import/CsvUpload.h"

namespace {

using tavri::bench::MakeSyntheticEntry;
using tavri::bench::SyntheticEntry;

constexpr int kRecords = 100000;

QByteArray Quoted(const QString& value) {
    QByteArray out = "\"";
    out += value.toUtf8().replace("\"", "\"\"");
    out += "\"";
    return out;
}

// The synthetic entries and the CSV file a spreadsheet would write for them, made once.
struct UploadInput {
    QTemporaryDir dir;
    QString csvPath;
    std::vector<SyntheticEntry> rows;

    UploadInput() {
        csvPath = dir.path() + QStringLiteral("/entries.csv");
        QByteArray bytes = "ID,Name,Race/Location,Date,Description,Notes\r\n";
        rows.reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            rows.push_back(MakeSyntheticEntry(i));
            const SyntheticEntry& e = rows.back();
            bytes += QByteArray::number(i) + ',' + Quoted(e.name) + ',' + Quoted(e.raceLocation) +
                     ',' + Quoted(e.date) + ',' + Quoted(e.desc) + ',' + Quoted(e.details) + "\r\n";
        }
        QFile file(csvPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write the benchmark's CSV file");
        }
    }
};

UploadInput& Input() {
    static UploadInput input;
    return input;
}

// An empty compendium in a folder of its own, removed with the object.
struct EmptyCompendium {
    QTemporaryDir dir;
    std::unique_ptr<tavri::AppState> state;
    EmptyCompendium() {
        const QString data = tavri::AddBackslash(dir.path());
        tavri::CreateCompendium(data, false);
        state = tavri::AppState::Open(data);
    }
    ~EmptyCompendium() { state->Close(); }
};

struct QuietSink : tavri::UploadSink {
    int added = 0;
    void waiting(const QString&) override {}
    bool truncated(const QString&, bool) override { return true; }
    void finished(const tavri::UploadOutcome& outcome) override { added = outcome.added; }
};

void BM_CsvUpload(benchmark::State& st) {
    UploadInput& input = Input();
    for (auto _ : st) {
        st.PauseTiming();
        auto target = std::make_unique<EmptyCompendium>();
        QuietSink sink;
        st.ResumeTiming();
        tavri::UploadCsv(*target->state, input.csvPath, sink);
        st.PauseTiming();
        if (sink.added != kRecords) {
            st.SkipWithError("the upload did not add every record");
        }
        target.reset();
        st.ResumeTiming();
    }
    st.SetItemsProcessed(st.iterations() * kRecords);
}

void Bind(sqlite3_stmt* stmt, int i, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void BM_BareSqliteInsert(benchmark::State& st) {
    UploadInput& input = Input();
    for (auto _ : st) {
        st.PauseTiming();
        auto target = std::make_unique<EmptyCompendium>();
        sqlite3* db = target->state->Db->handle();
        st.ResumeTiming();
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Tavri (name, \"race-location\", date, desc, details, "
                           "changed) VALUES (?, ?, ?, ?, ?, 1)",
                           -1, &stmt, nullptr);
        for (const SyntheticEntry& e : input.rows) {
            Bind(stmt, 1, e.name);
            Bind(stmt, 2, e.raceLocation);
            Bind(stmt, 3, e.date);
            Bind(stmt, 4, e.desc);
            if (tavri::IsBlank(e.details)) {
                sqlite3_bind_null(stmt, 5);
            } else {
                Bind(stmt, 5, e.details);
            }
            if (sqlite3_step(stmt) != SQLITE_DONE) {
                st.SkipWithError(sqlite3_errmsg(db));
            }
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        st.PauseTiming();
        target.reset();
        st.ResumeTiming();
    }
    st.SetItemsProcessed(st.iterations() * kRecords);
}

// The peak resident set of tavri-cli upload-csv into a new compendium, in kilobytes, as GNU
// time reports it: time is a small process of its own, so the child it starts inherits nothing
// of this one's memory in its high-water mark.
long PeakRssKb(const QString& csvPath) {
    EmptyCompendium target;
    target.state->Close();
    const QString cli = qEnvironmentVariableIsSet("TAVRI_BENCH_CLI")
                            ? qEnvironmentVariable("TAVRI_BENCH_CLI")
                            : QStringLiteral(TAVRI_CLI_PATH);
    const QString report = target.dir.path() + QStringLiteral("/peak.txt");
    QProcess p;
    p.start(QStringLiteral("/usr/bin/time"),
            {"-f", "%M", "-o", report, cli, "upload-csv", target.dir.path(), csvPath});
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        return -1;
    }
    QFile file(report);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLong() : -1;
}

// The large files, written once in chunks: a line whose notes are one value of 100 MB, and
// 1,000,000 ordinary records of 200 bytes each.
QString LargeFile(int kind) {
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/large-%1.csv").arg(kind);
    if (QFile::exists(path)) {
        return path;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write the benchmark's large CSV file");
    }
    if (kind == 0) {
        file.write("1,One long line,Town,Year,A single value of 100 MB follows,\"");
        const QByteArray block(1 << 20, 'n');
        for (int i = 0; i < 100; ++i) {
            file.write(block);
        }
        file.write("\"\r\n");
    } else {
        QByteArray chunk;
        for (int i = 0; i < 1000000; ++i) {
            QByteArray line = QByteArray::number(i) + ",\"Person " + QByteArray::number(i) +
                              "\",\"Town " + QByteArray::number(i % 97) + "\",\"Year " +
                              QByteArray::number(i % 1200) + "\",\"Someone of note\",\"";
            line += QByteArray(200 - 3 - line.size(), 'n') + "\"\r\n";
            chunk += line;
            if (chunk.size() > (1 << 20)) {
                file.write(chunk);
                chunk.clear();
            }
        }
        file.write(chunk);
    }
    return path;
}

void BM_CsvUploadPeakMemory(benchmark::State& st) {
    const QString large = LargeFile(static_cast<int>(st.range(0)));
    const QString small = QFileInfo(large).absolutePath() + QStringLiteral("/one.csv");
    QFile one(small);
    if (!one.open(QIODevice::WriteOnly) || one.write("1,Ann,Elf,1,d,n\r\n") < 0) {
        qFatal("cannot write the benchmark's small CSV file");
    }
    one.close();
    long floor = 0;
    long peak = 0;
    for (auto _ : st) {
        floor = PeakRssKb(small);
        peak = PeakRssKb(large);
        if (floor < 0 || peak < 0) {
            st.SkipWithError("the upload did not succeed");
        }
    }
    st.counters["file_MB"] = static_cast<double>(QFileInfo(large).size()) / (1 << 20);
    st.counters["peak_MB"] = static_cast<double>(peak) / 1024;
    st.counters["floor_MB"] = static_cast<double>(floor) / 1024;
}

BENCHMARK(BM_CsvUpload)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvUploadPeakMemory)
    ->ArgName("file")  // 0: one 100 MB value; 1: 1,000,000 records
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK(BM_BareSqliteInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
