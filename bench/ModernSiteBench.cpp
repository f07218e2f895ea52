// The modern web site against the file system's own cost, beside a floor measured in the same
// run:
//
// - first: into an empty folder; the floor writes the same files with the same sizes through
//   plain stdio writes into another empty folder;
// - again: over the site of an unchanged compendium, which should write no file at all (the
//   counter "written"); the floor rewrites the same files in place.
//
// Each repetition of a first case gets a folder of its own; everything goes when the run ends.
// The counters give the site's files and size and the size of its search index.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <vector>

#include "bench/BenchSupport.h"
#include "publish/ModernSite.h"

namespace {

using tavri::AppState;

QTemporaryDir& Root() {
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/tavri-site-bench-XXXXXX"));
    return root;
}

QString FreshFolder() {
    static int next = 0;
    const QString dir = Root().path() + QStringLiteral("/site-%1/").arg(next++);
    QDir().mkpath(dir);
    return dir;
}

tavri::ModernSiteReport WriteInto(AppState& app, const QString& folder) {
    tavri::PublishProgress quiet;
    tavri::ModernSiteOptions options;
    options.folder = folder;
    return tavri::WriteModernSite(app, options, quiet);
}

// The files of a written site: each one's path below the folder and its size.
struct SiteShape {
    std::vector<std::pair<QByteArray, long>> files;
    std::vector<QByteArray> folders;
    qint64 bytes = 0;
    qint64 indexBytes = 0;
};

const SiteShape& ShapeOf(int n) {
    static std::map<int, SiteShape> shapes;
    SiteShape& shape = shapes[n];
    if (!shape.files.empty()) {
        return shape;
    }
    const QString folder = FreshFolder();
    shape.indexBytes = WriteInto(tavri::bench::SyntheticCompendium(n), folder).indexBytes;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QByteArray relative = QFile::encodeName(it.filePath().mid(folder.size()));
        if (it.fileInfo().isDir()) {
            shape.folders.push_back(relative);
            continue;
        }
        const long size = static_cast<long>(it.fileInfo().size());
        shape.files.emplace_back(relative, size);
        shape.bytes += size;
    }
    return shape;
}

// The floor: every file of the shape written with fopen/fwrite/fclose.
void WriteShape(const SiteShape& shape, const QString& folder) {
    static const std::vector<char> filler(1 << 20, 'x');
    const QByteArray root = QFile::encodeName(folder);
    for (const QByteArray& sub : shape.folders) {
        QDir().mkpath(QFile::decodeName(root + sub));
    }
    for (const auto& [relative, size] : shape.files) {
        FILE* f = std::fopen((root + relative).constData(), "wb");
        if (f == nullptr) {
            throw std::runtime_error("cannot write " + (root + relative).toStdString());
        }
        for (long left = size; left > 0;) {
            const long piece = std::min<long>(left, static_cast<long>(filler.size()));
            std::fwrite(filler.data(), 1, static_cast<size_t>(piece), f);
            left -= piece;
        }
        std::fclose(f);
    }
}

void Report(benchmark::State& st, const SiteShape& shape, int n) {
    st.counters["files"] = static_cast<double>(shape.files.size());
    st.counters["MB"] = static_cast<double>(shape.bytes) / 1e6;
    st.counters["index_MB"] = static_cast<double>(shape.indexBytes) / 1e6;
    st.SetItemsProcessed(st.iterations() * n);
}

void SiteFirst(benchmark::State& st, int n) {
    AppState& app = tavri::bench::SyntheticCompendium(n);
    const SiteShape& shape = ShapeOf(n);
    for (auto _ : st) {
        st.PauseTiming();
        const QString folder = FreshFolder();
        st.ResumeTiming();
        WriteInto(app, folder);
    }
    Report(st, shape, n);
}

void FloorFirst(benchmark::State& st, int n) {
    const SiteShape& shape = ShapeOf(n);
    for (auto _ : st) {
        st.PauseTiming();
        const QString folder = FreshFolder();
        st.ResumeTiming();
        WriteShape(shape, folder);
    }
    Report(st, shape, n);
}

QString& AgainFolder(int n, bool floor) {
    static std::map<std::pair<int, bool>, QString> folders;
    return folders[{n, floor}];
}

void SiteAgain(benchmark::State& st, int n) {
    AppState& app = tavri::bench::SyntheticCompendium(n);
    const SiteShape& shape = ShapeOf(n);
    QString& folder = AgainFolder(n, false);
    if (folder.isEmpty()) {
        folder = FreshFolder();
        WriteInto(app, folder);
    }
    qint64 written = 0;
    for (auto _ : st) {
        written = std::max(written, WriteInto(app, folder).written);
    }
    st.counters["written"] = static_cast<double>(written);
    Report(st, shape, n);
}

void FloorAgain(benchmark::State& st, int n) {
    const SiteShape& shape = ShapeOf(n);
    QString& folder = AgainFolder(n, true);
    if (folder.isEmpty()) {
        folder = FreshFolder();
        WriteShape(shape, folder);
    }
    for (auto _ : st) {
        WriteShape(shape, folder);
    }
    Report(st, shape, n);
}

const bool kRegistered = [] {
    for (int n : {1000, 10000, 100000}) {
        const std::string suffix = "/" + std::to_string(n);
        for (auto* b : {
                 benchmark::RegisterBenchmark(("ModernSite/first" + suffix).c_str(), SiteFirst, n),
                 benchmark::RegisterBenchmark(("ModernSite/first/floor" + suffix).c_str(),
                                              FloorFirst, n),
                 benchmark::RegisterBenchmark(("ModernSite/again" + suffix).c_str(), SiteAgain, n),
                 benchmark::RegisterBenchmark(("ModernSite/again/floor" + suffix).c_str(),
                                              FloorAgain, n),
             }) {
            b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);
        }
    }
    return true;
}();

}  // namespace
