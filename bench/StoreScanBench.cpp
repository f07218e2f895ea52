// A full "namedex" scan through the entry cursor, reading every field, beside a bare SQLite
// loop that reads the same rows in the same order on the same connection.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "bench/BenchSupport.h"

namespace {

using tavri::bench::SyntheticCompendium;

void BM_EntryRsNamedexScan(benchmark::State& st) {
    tavri::AppState& app = SyntheticCompendium(static_cast<int>(st.range(0)));
    tavri::Recordset& rs = *app.EntryRs;
    for (auto _ : st) {
        qint64 total = 0;
        rs.setIndex(u"namedex");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            total += rs.field(u"id").toLongLong();
            total += rs.field(u"name").toString().size();
            total += rs.field(u"race-location").toString().size();
            total += rs.field(u"date").toString().size();
            total += rs.field(u"desc").toString().size();
            total += rs.field(u"details").toString().size();
            total += rs.field(u"changed").toBool() ? 1 : 0;
        }
        benchmark::DoNotOptimize(total);
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

void BM_BareSqliteNamedexScan(benchmark::State& st) {
    tavri::AppState& app = SyntheticCompendium(static_cast<int>(st.range(0)));
    sqlite3* db = app.Db->handle();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT id, name, \"race-location\", date, desc, details, changed "
                       "FROM Tavri ORDER BY namekey, id",
                       -1, &stmt, nullptr);
    for (auto _ : st) {
        qint64 total = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            total += sqlite3_column_int64(stmt, 0);
            for (int c = 1; c <= 5; ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                total += sqlite3_column_bytes(stmt, c);
            }
            total += sqlite3_column_int(stmt, 6);
        }
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(total);
    }
    sqlite3_finalize(stmt);
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

// Opening a compendium whose keys were made under another collation version: every key made
// again in one transaction. Its floor is the same opening with the keys up to date.
void OpenCompendiumBench(benchmark::State& st, bool versionChanged) {
    tavri::AppState& app = SyntheticCompendium(static_cast<int>(st.range(0)));
    const QString path = app.DatabasePath();
    for (auto _ : st) {
        if (versionChanged) {
            st.PauseTiming();
            app.Db->setMeta(QStringLiteral("collation"), QStringLiteral("icu 0.0 en_US secondary"));
            st.ResumeTiming();
        }
        auto db = tavri::Database::open(path);
        benchmark::DoNotOptimize(db->notices().size());
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

void BM_OpenWithCollationChanged(benchmark::State& st) {
    OpenCompendiumBench(st, true);
}
void BM_OpenWithKeysCurrent(benchmark::State& st) {
    OpenCompendiumBench(st, false);
}

BENCHMARK(BM_OpenWithCollationChanged)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWithKeysCurrent)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryRsNamedexScan)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteNamedexScan)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
