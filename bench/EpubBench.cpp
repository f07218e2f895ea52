// The e-book against the zip library's own cost, beside a floor measured in the same run: the
// floor packs the very entries of the written book (the same names, bytes and compression
// methods) through the same ZipPackage, so the difference is what the writer adds: reading the
// entries, laying out the documents and rendering the notes.
//
// Counters: the book's size and the bytes it holds before compression.
#include <benchmark/benchmark.h>
#include <zip.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>
#include <vector>

#include "bench/BenchSupport.h"
#include "publish/EpubBook.h"
#include "publish/ZipPackage.h"

namespace {

QTemporaryDir& Root() {
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/tavri-epub-bench-XXXXXX"));
    return root;
}

QString BookPath(int n, const char* kind) {
    return Root().path() + QStringLiteral("/%1-%2.epub").arg(QLatin1String(kind)).arg(n);
}

tavri::EpubOptions Options() {
    tavri::EpubOptions options;
    options.identifier = QStringLiteral("urn:uuid:5d8e0a3c-2b1f-4f6a-8c9d-0e1f2a3b4c5d");
    options.modified = QDateTime::currentDateTimeUtc();
    return options;
}

struct ZipItem {
    QString name;
    QByteArray bytes;
    tavri::ZipPackage::Method method;
};

// The entries of the book of n entries, in archive order, as the writer packed them.
const std::vector<ZipItem>& ItemsOf(int n) {
    static std::map<int, std::vector<ZipItem>> all;
    std::vector<ZipItem>& items = all[n];
    if (!items.empty()) {
        return items;
    }
    const QString path = BookPath(n, "source");
    tavri::PublishProgress quiet;
    tavri::WriteEpubBook(tavri::bench::SyntheticCompendium(n), path, Options(), quiet);
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    for (zip_int64_t i = 0; z != nullptr && i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, i, 0, &st);
        QByteArray bytes(static_cast<qsizetype>(st.size), Qt::Uninitialized);
        zip_file_t* f = zip_fopen_index(z, i, 0);
        zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        items.push_back({QString::fromUtf8(st.name), std::move(bytes),
                         st.comp_method == ZIP_CM_STORE ? tavri::ZipPackage::Method::Store
                                                        : tavri::ZipPackage::Method::Deflate});
    }
    zip_close(z);
    return items;
}

void Report(benchmark::State& st, const QString& path, int n) {
    qint64 raw = 0;
    for (const ZipItem& item : ItemsOf(n)) {
        raw += item.bytes.size();
    }
    st.counters["book_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
    st.counters["content_MB"] = static_cast<double>(raw) / 1e6;
}

void Book(benchmark::State& st, int n) {
    tavri::AppState& app = tavri::bench::SyntheticCompendium(n);
    const QString path = BookPath(n, "book");
    tavri::PublishProgress quiet;
    for (auto _ : st) {
        tavri::WriteEpubBook(app, path, Options(), quiet);
    }
    Report(st, path, n);
}

void Floor(benchmark::State& st, int n) {
    const std::vector<ZipItem>& items = ItemsOf(n);
    const QString path = BookPath(n, "floor");
    for (auto _ : st) {
        tavri::ZipPackage zip(path, QDateTime::currentDateTimeUtc());
        for (const ZipItem& item : items) {
            zip.add(item.name, item.bytes, item.method);
        }
        zip.close();
    }
    Report(st, path, n);
}

const bool kRegistered = [] {
    for (int n : {10000, 100000}) {
        const std::string suffix = "/" + std::to_string(n);
        for (auto* b : {
                 benchmark::RegisterBenchmark(("EpubBook" + suffix).c_str(), Book, n),
                 benchmark::RegisterBenchmark(("EpubBook/floor" + suffix).c_str(), Floor, n),
             }) {
            b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);
        }
    }
    return true;
}();

}  // namespace
