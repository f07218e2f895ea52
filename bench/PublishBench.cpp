// The publications against the file system's own cost: a full Publish (web site and reading
// files), AlphaPage (alphabetical site and reading files) and the reading files alone (tome,
// page outputs and region RTF), each timed in two cases beside a floor measured in the same run:
//
// - first: into an empty reports folder; the floor writes the same number of files with the
//   same sizes through plain buffered stdio writes into another empty folder;
// - again: over a full reports folder of the same compendium (the everyday case), so every file
//   is unchanged and left alone; the floor then rewrites the same files in place;
// - again/edited1pct (Publish only): over the same folder after the summaries of 1 % of the
//   entries were edited, beside the same rewrite floor.
//
// Output is never deleted between repetitions (creating files right after deleting many is far
// slower on this file system and would measure that instead): each repetition of a first case
// gets a folder of its own, and everything goes when the run ends. The counter heap_MB is the
// most heap the writer held above what it started with, sampled every 512 progress reports (the
// reading-file writers report none, so they have no such counter): it should not grow with the
// number of entries.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

#include "app/NewCompendium.h"
#include "base/OutputFile.h"
#include "bench/BenchSupport.h"
#include "publish/AlphaSite.h"
#include "publish/PalmOutput.h"
#include "publish/SitePublisher.h"

namespace {

using tavri::AppState;

enum Kind { kPublish = 0, kAlphaPage = 1, kReadingFiles = 2 };

// Heap in use, sampled by the writer's progress reports.
class HeapSampler : public tavri::PublishProgress {
public:
    HeapSampler() : base_(inUse()), peak_(base_) {}
    void step(qint64, qint64) override { sample(); }
    void entry(const QString&) override { sample(); }
    double peakMegabytes() const { return static_cast<double>(peak_ - base_) / 1e6; }
    // Did the writer report often enough to be sampled at all?
    bool sampled() const { return calls_ >= 512; }

private:
    static size_t inUse() {
        const struct mallinfo2 m = mallinfo2();
        return m.uordblks + m.hblkhd;
    }
    // mallinfo2 walks the allocator's lists, so it is asked only every so many reports.
    void sample() {
        if (++calls_ % 512 == 0) {
            peak_ = std::max(peak_, inUse());
        }
    }
    size_t base_;
    size_t peak_;
    unsigned calls_ = 0;
};

QTemporaryDir& Root() {
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/tavri-bench-XXXXXX"));
    return root;
}

// A new, empty data folder with the frame template and the report folders.
QString FreshDataDir() {
    static int next = 0;
    const QString dir = Root().path() + QStringLiteral("/run-%1/").arg(next++);
    QDir().mkpath(dir + QStringLiteral("Reports/images"));
    QDir().mkpath(dir + QStringLiteral("Reports/palm"));
    tavri::OutputFile frame(dir + QStringLiteral("framebase.txt"), tavri::OutputFormat::Text);
    frame.raw(tavri::DefaultFrameTemplate().toUtf8());
    frame.close();
    return dir;
}

// Runs a writer of the compendium as if its data folder were dataDir.
void RunInto(AppState& app, const QString& dataDir, Kind kind, tavri::PublishProgress& progress) {
    const QString saved = app.DataDir;
    app.DataDir = dataDir;
    try {
        switch (kind) {
            case kPublish:
                tavri::PublishSite(app, tavri::SitePublishOptions{}, progress);
                break;
            case kAlphaPage:
                tavri::PublishAlphaSite(app, progress);
                break;
            case kReadingFiles:
                tavri::WriteReadingFiles(app, progress);
                tavri::RegionRtfOutput(app, progress);
                break;
        }
    } catch (...) {
        app.DataDir = saved;
        throw;
    }
    app.DataDir = saved;
}

// What a writer leaves in the reports folder: each file's path below it and its size.
struct OutputShape {
    std::vector<std::pair<QByteArray, long>> files;
    qint64 bytes = 0;
};

const OutputShape& ShapeOf(AppState& app, int n, Kind kind) {
    static std::map<std::pair<int, int>, OutputShape> shapes;
    OutputShape& shape = shapes[{n, kind}];
    if (!shape.files.empty()) {
        return shape;
    }
    const QString dir = FreshDataDir();
    tavri::PublishProgress quiet;
    RunInto(app, dir, kind, quiet);
    const QString reports = dir + QStringLiteral("Reports/");
    QDirIterator it(reports, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const long size = static_cast<long>(it.fileInfo().size());
        shape.files.emplace_back(QFile::encodeName(it.filePath().mid(reports.size())), size);
        shape.bytes += size;
    }
    return shape;
}

// The floor: every file of the shape written with fopen/fwrite/fclose (stdio's own buffer).
void WriteShape(const OutputShape& shape, const QString& dataDir) {
    static const std::vector<char> filler(1 << 20, 'x');
    const QByteArray reports = QFile::encodeName(dataDir + QStringLiteral("Reports/"));
    for (const auto& [relative, size] : shape.files) {
        FILE* f = std::fopen((reports + relative).constData(), "wb");
        if (f == nullptr) {
            throw std::runtime_error("cannot write " + (reports + relative).toStdString());
        }
        for (long left = size; left > 0;) {
            const long piece = std::min<long>(left, static_cast<long>(filler.size()));
            std::fwrite(filler.data(), 1, static_cast<size_t>(piece), f);
            left -= piece;
        }
        std::fclose(f);
    }
}

void Report(benchmark::State& st, const OutputShape& shape, int n) {
    st.counters["files"] = static_cast<double>(shape.files.size());
    st.counters["MB"] = static_cast<double>(shape.bytes) / 1e6;
    st.SetItemsProcessed(st.iterations() * n);
}

void WriterFirst(benchmark::State& st, int n, Kind kind) {
    AppState& app = tavri::bench::SyntheticCompendium(n);
    const OutputShape& shape = ShapeOf(app, n, kind);
    double heap = 0;
    bool sampled = false;
    for (auto _ : st) {
        st.PauseTiming();
        const QString dir = FreshDataDir();
        HeapSampler sampler;
        st.ResumeTiming();
        RunInto(app, dir, kind, sampler);
        if (sampler.sampled()) {
            heap = std::max(heap, sampler.peakMegabytes());
            sampled = true;
        }
    }
    if (sampled) {
        st.counters["heap_MB"] = heap;
    }
    Report(st, shape, n);
}

void FloorFirst(benchmark::State& st, int n, Kind kind) {
    const OutputShape& shape = ShapeOf(tavri::bench::SyntheticCompendium(n), n, kind);
    for (auto _ : st) {
        st.PauseTiming();
        const QString dir = FreshDataDir();
        st.ResumeTiming();
        WriteShape(shape, dir);
    }
    Report(st, shape, n);
}

// The folder each writer re-publishes into; its floor then replaces the same files, which are
// as old as the ones the writer replaced (files only just written are cheaper to replace).
QString& AgainDir(int n, Kind kind) {
    static std::map<std::pair<int, int>, QString> dirs;
    return dirs[{n, kind}];
}

void WriterAgain(benchmark::State& st, int n, Kind kind) {
    AppState& app = tavri::bench::SyntheticCompendium(n);
    const OutputShape& shape = ShapeOf(app, n, kind);
    QString& dir = AgainDir(n, kind);
    tavri::PublishProgress quiet;
    if (dir.isEmpty()) {
        dir = FreshDataDir();
        RunInto(app, dir, kind, quiet);
    }
    double heap = 0;
    bool sampled = false;
    for (auto _ : st) {
        HeapSampler sampler;
        RunInto(app, dir, kind, sampler);
        if (sampler.sampled()) {
            heap = std::max(heap, sampler.peakMegabytes());
            sampled = true;
        }
    }
    if (sampled) {
        st.counters["heap_MB"] = heap;
    }
    Report(st, shape, n);
}

void FloorAgain(benchmark::State& st, int n, Kind kind) {
    const OutputShape& shape = ShapeOf(tavri::bench::SyntheticCompendium(n), n, kind);
    QString& dir = AgainDir(n, kind);
    if (dir.isEmpty()) {
        dir = FreshDataDir();
        WriteShape(shape, dir);
    }
    for (auto _ : st) {
        WriteShape(shape, dir);
    }
    Report(st, shape, n);
}

// Edits the summary of every hundredth entry: marked adds a "!" to it, unmarked restores it.
void EditEveryHundredth(AppState& app, int n, bool marked) {
    tavri::Recordset& rs = *app.EntryRs;
    tavri::Database::Transaction tx(*app.Db);
    rs.setIndex(u"id");
    for (int i = 0; i < n; i += 100) {
        rs.seek(u"=", QVariant(static_cast<qlonglong>(i + 1)));
        rs.edit();
        const QString desc = tavri::bench::MakeSyntheticEntry(i).desc;
        rs.setField(u"desc", marked ? desc + QLatin1Char('!') : desc);
        rs.update();
    }
    tx.commit();
}

// Each repetition toggles the mark, so each publishes over a site 1 % out of date.
void WriterAfterEdits(benchmark::State& st, int n) {
    AppState& app = tavri::bench::SyntheticCompendium(n);
    const OutputShape& shape = ShapeOf(app, n, kPublish);
    QString& dir = AgainDir(n, kPublish);
    tavri::PublishProgress quiet;
    if (dir.isEmpty()) {
        dir = FreshDataDir();
        RunInto(app, dir, kPublish, quiet);
    }
    bool marked = false;
    for (auto _ : st) {
        st.PauseTiming();
        marked = !marked;
        EditEveryHundredth(app, n, marked);
        st.ResumeTiming();
        RunInto(app, dir, kPublish, quiet);
    }
    if (marked) {
        EditEveryHundredth(app, n, false);  // the compendium as the other benchmarks know it
    }
    st.counters["edited"] = n / 100;
    Report(st, shape, n);
}

// Each writer and size beside its floors, in the order first, floor, again (edited), floor.
const bool kRegistered = [] {
    const std::pair<Kind, const char*> kinds[] = {
        {kPublish, "Publish"}, {kAlphaPage, "AlphaPage"}, {kReadingFiles, "ReadingFiles"}};
    for (const auto& [kind, name] : kinds) {
        for (int n : {1000, 10000, 100000}) {
            const std::string suffix = "/" + std::to_string(n);
            const std::string writer = name;
            std::vector<benchmark::internal::Benchmark*> marks = {
                benchmark::RegisterBenchmark((writer + "/first" + suffix).c_str(), WriterFirst, n,
                                             kind),
                benchmark::RegisterBenchmark((writer + "/first/floor" + suffix).c_str(), FloorFirst,
                                             n, kind),
                benchmark::RegisterBenchmark((writer + "/again" + suffix).c_str(), WriterAgain, n,
                                             kind),
            };
            if (kind == kPublish) {
                // Before the floor, which fills the folder with its own bytes.
                marks.push_back(benchmark::RegisterBenchmark(
                    (writer + "/again/edited1pct" + suffix).c_str(), WriterAfterEdits, n));
            }
            marks.push_back(benchmark::RegisterBenchmark((writer + "/again/floor" + suffix).c_str(),
                                                         FloorAgain, n, kind));
            for (auto* b : marks) {
                b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);
            }
        }
    }
    return true;
}();

}  // namespace
