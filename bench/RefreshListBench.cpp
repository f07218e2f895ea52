// The main list's refresh on the real window at 1,000, 10,000 and 100,000 entries, with the
// filter off, a text filter that lists about one entry in ten, and "Changed" only; beside it
// the windowless list builder and the two bare SQLite scans a refresh cannot do without
// ("namedex" and "rldex" order, every field read), in the same run.
//
// Goal: a refresh under 3x the bare scans at 100,000 entries, and under half a second there.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>

#include "app/EntryList.h"
#include "bench/BenchSupport.h"
#include "support/ScriptedDialogs.h"
#include "ui/Form1.h"
#include "ui/Grid1.h"

namespace {

using tavri::bench::SyntheticCompendium;

enum Filter { Off = 0, Text = 1, ChangedOnly = 2 };

// Found in the names, descriptions or notes of about one entry in ten (1,066 of 10,000).
const char* const kTextFilter = "dora";

tavri::ListFilter MakeFilter(int filter) {
    tavri::ListFilter f;
    if (filter == Text) {
        f.matchText = QString::fromLatin1(kTextFilter);
    } else if (filter == ChangedOnly) {
        f.changed = tavri::ChangedFilter::Changed;
    }
    return f;
}

void SetLabel(benchmark::State& st) {
    static const char* const names[] = {"filter off", "text filter", "changed only"};
    st.SetLabel(names[st.range(1)]);
}

void BM_RefreshList(benchmark::State& st) {
    tavri::AppState& app = SyntheticCompendium(static_cast<int>(st.range(0)));
    tavri::ScriptedDialogs dialogs;
    tavri::Form1 window(app, dialogs);
    if (st.range(1) == Text) {
        window.Combo1->setEditText(QString::fromLatin1(kTextFilter));
    } else if (st.range(1) == ChangedOnly) {
        window.Option1[1]->setChecked(true);
    }
    for (auto _ : st) {
        window.RefreshList();
        dialogs.clear();
    }
    st.counters["listed"] = window.Grid1->rows() - 1;
    st.SetItemsProcessed(st.iterations() * st.range(0));
    SetLabel(st);
}

void BM_BuildEntryList(benchmark::State& st) {
    tavri::AppState& app = SyntheticCompendium(static_cast<int>(st.range(0)));
    const tavri::ListFilter filter = MakeFilter(static_cast<int>(st.range(1)));
    size_t listed = 0;
    for (auto _ : st) {
        const tavri::EntryListing listing = tavri::BuildEntryList(app, filter);
        listed = listing.rows.size();
        benchmark::DoNotOptimize(listing.raceLocations.data());
    }
    st.counters["listed"] = static_cast<double>(listed);
    st.SetItemsProcessed(st.iterations() * st.range(0));
    SetLabel(st);
}

// The floor: the two ordered scans read straight from SQLite, every field touched.
void BM_BareTwoScans(benchmark::State& st) {
    tavri::AppState& app = SyntheticCompendium(static_cast<int>(st.range(0)));
    sqlite3* db = app.Db->handle();
    const char* const queries[2] = {
        "SELECT id, name, \"race-location\", date, desc, details, changed FROM Tavri "
        "ORDER BY namekey, id",
        "SELECT id, name, \"race-location\", date, desc, details, changed FROM Tavri "
        "ORDER BY rlkey, namekey, id"};
    sqlite3_stmt* stmts[2] = {nullptr, nullptr};
    for (int q = 0; q < 2; ++q) {
        if (sqlite3_prepare_v2(db, queries[q], -1, &stmts[q], nullptr) != SQLITE_OK) {
            st.SkipWithError(sqlite3_errmsg(db));
            return;
        }
    }
    for (auto _ : st) {
        qint64 total = 0;
        for (sqlite3_stmt* stmt : stmts) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                total += sqlite3_column_int64(stmt, 0);
                for (int c = 1; c <= 5; ++c) {
                    benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                    total += sqlite3_column_bytes(stmt, c);
                }
                total += sqlite3_column_int(stmt, 6);
            }
            sqlite3_reset(stmt);
        }
        benchmark::DoNotOptimize(total);
    }
    for (sqlite3_stmt* stmt : stmts) {
        sqlite3_finalize(stmt);
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

// The grid alone at 100,000 rows: filling it in one batch, sorting a column that is not in
// order, and jumping, selecting and repainting as a user scrolling through it would.
const std::vector<QStringList>& GridRows(int n) {
    static std::vector<QStringList> rows;
    for (int i = static_cast<int>(rows.size()); i < n; ++i) {
        const tavri::bench::SyntheticEntry e = tavri::bench::MakeSyntheticEntry(i);
        rows.push_back({QString(), e.name, e.raceLocation, e.date, e.desc, QString::number(i + 1)});
    }
    return rows;
}

void FillGrid(tavri::TextGrid& grid, int n) {
    const std::vector<QStringList>& rows = GridRows(n);
    tavri::TextGrid::Batch batch(grid);
    grid.setCols(6);
    grid.setRows(1);
    for (int i = 0; i < n; ++i) {
        grid.addRow(rows[i]);
    }
}

void BM_GridFill(benchmark::State& st) {
    tavri::TextGrid grid;
    GridRows(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        FillGrid(grid, static_cast<int>(st.range(0)));
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

void BM_GridSortUnorderedColumn(benchmark::State& st) {
    tavri::TextGrid grid;
    for (auto _ : st) {
        st.PauseTiming();
        FillGrid(grid, static_cast<int>(st.range(0)));
        st.ResumeTiming();
        grid.sort(4);
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

void BM_GridScrollSelectPaint(benchmark::State& st) {
    tavri::TextGrid grid;
    grid.resize(600, 360);
    FillGrid(grid, static_cast<int>(st.range(0)));
    grid.show();
    QCoreApplication::processEvents();
    unsigned r = 1;
    for (auto _ : st) {
        r = (r * 2654435761u) % static_cast<unsigned>(st.range(0)) + 1;
        grid.setTopRow(static_cast<int>(r));
        grid.setRow(static_cast<int>(r));
        QCoreApplication::processEvents();
        grid.viewport()->repaint();
    }
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : {1000, 10000, 100000}) {
        for (int filter : {Off, Text, ChangedOnly}) {
            b->Args({n, filter});
        }
    }
}

BENCHMARK(BM_BareTwoScans)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildEntryList)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshList)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFill)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridSortUnorderedColumn)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridScrollSelectPaint)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
