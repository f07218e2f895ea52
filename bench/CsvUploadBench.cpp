// The CSV upload of 100,000 records into an empty compendium (reading, decoding and parsing the
// file, the entry cursor, the batched transactions and the log), beside a bare SQLite insert of
// the same rows, prepared in memory, in one transaction on the same kind of connection.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/NewCompendium.h"
#include "app/Sutils.h"
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
    void truncated(const QString&) override {}
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

BENCHMARK(BM_CsvUpload)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BareSqliteInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
