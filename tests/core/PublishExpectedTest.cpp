// Every writer publishes the fixture worlds (support/FixtureWorld.h), and every file the run
// wrote below Reports/ is compared, list and bytes, with tests/data/expected/<writer>/<world>/;
// a mismatch shows as gtest's diff of the two files' numbered lines. An e-book is compared
// unpacked, with its entries' order and compression as a list. Beside the files,
// "_progress.txt" holds what the writer reported (phases, entries, steps and the count a
// progress bar shows, where it left the entry cursor) and "_report.txt" what it returned.
//
// With TAVRI_UPDATE_EXPECTED=1 in the environment the test rewrites the expected files instead;
// read every changed line before committing them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <map>

#include "publish/AdHocReport.h"
#include "publish/AlphaSite.h"
#include "publish/EpubBook.h"
#include "publish/ModernSite.h"
#include "publish/PalmOutput.h"
#include "publish/SitePublisher.h"
#include "support/FixtureWorld.h"

namespace tavri {
namespace {

using test::Files;
using test::ReadTree;
using test::World;

class ProgressLog : public PublishProgress {
public:
    void phase(const QString& name, qint64 total) override {
        count_.start(total);
        add(QStringLiteral("phase %1 %2").arg(name).arg(total));
    }
    void entry(const QString& name) override { add(QStringLiteral("entry ") + name); }
    void step(qint64 done, qint64 total) override {
        add(QStringLiteral("step %1/%2 shown %3")
                .arg(done)
                .arg(total)
                .arg(count_.step(done, total)));
    }
    void cursor(const AppState& s) {
        add(QStringLiteral("cursor on %1%2")
                .arg(s.EntryRs->index(), s.EntryRs->eof() ? ", at end" : ""));
    }
    void add(const QString& line) { text += line.toUtf8() + '\n'; }
    QByteArray text;

private:
    PhaseCount count_;
};

EpubOptions FixedBookOptions() {
    EpubOptions o;
    o.identifier = QStringLiteral("urn:uuid:0b7e1a52-6c1f-4c55-9d0e-3f1d2a9b8c70");
    o.language = QStringLiteral("en-GB");
    o.modified = QDateTime::fromString(QStringLiteral("2026-12-07T01:02:03Z"), Qt::ISODate);
    return o;
}

// Runs the writer on c; returns its report lines.
QByteArray RunWriter(const std::string& writer, World world, test::TempCompendium& c,
                     ProgressLog& log) {
    AppState& s = c.state();
    QStringList report;
    if (writer == "site") {
        report << QString::number(PublishSite(s, SitePublishOptions{}, log)->published());
    } else if (writer == "alphasite") {
        report << QString::number(PublishAlphaSite(s, log)->published());
    } else if (writer == "reading") {
        QDir(s.PalmDir()).removeRecursively();  // each writer makes the folder when missing
        TomeOutput(s, log);
        log.cursor(s);
        TavriPageOutput(s, log);
        log.cursor(s);
        report << QString::number(RegionRtfOutput(s, log));
    } else if (writer == "modern") {
        const ModernSiteReport r = WriteModernSite(s, ModernSiteOptions(), log);
        report << QStringLiteral("%1 entries, %2 pages, %3 written, index of %4 bytes")
                      .arg(r.entries)
                      .arg(r.pages)
                      .arg(r.written)
                      .arg(r.indexBytes)
               << DescribeProblems(r);
    } else if (writer == "epub") {
        const EpubReport r = WriteEpubBook(s, DefaultEpubPath(s), FixedBookOptions(), log);
        report << QString::number(r.entries) << r.dropped;
    } else if (writer == "adhoc") {
        const std::vector<qint64> ids =
            world == World::Full ? std::vector<qint64>{test::kElan, 0, 25, 15, test::kEmu}
                                 : std::vector<qint64>{};
        const QString path =
            WriteAdHocReport(s, ids, world == World::Full ? QStringLiteral(" orc ") : QString());
        report << ReportWrittenMessage(path).replace(c.dir(), QStringLiteral("<compendium>/"));
    }
    log.cursor(s);
    return (report.join(u'\n') + u'\n').toUtf8();
}

struct Case {
    const char* writer;
    World world;
};

class PublishExpected : public ::testing::TestWithParam<Case> {};

TEST_P(PublishExpected, EveryFileItWritesIsTheExpectedOne) {
    const Case k = GetParam();
    test::TempCompendium c;
    test::BuildWorld(c, k.world);
    const QString reports = c.state().ReportsDir();
    const Files before = ReadTree(reports);
    ProgressLog log;
    Files actual;
    actual["_report.txt"] = RunWriter(k.writer, k.world, c, log);
    actual["_progress.txt"] = log.text;
    for (const auto& [name, bytes] : ReadTree(reports)) {
        const auto old = before.find(name);
        if (name.endsWith(u".epub")) {
            QByteArray list;
            for (const auto& [entry, content] : test::ZipEntries(reports + name, &list)) {
                actual[name + '/' + entry] = content;
            }
            actual[name + "/_entries.txt"] = list;
        } else if (old == before.end() || old->second != bytes) {
            actual[name] = bytes;
        }
    }
    const QString folder = QStringLiteral(TAVRI_TEST_DATA "/expected/%1/%2/")
                               .arg(QLatin1String(k.writer), QLatin1String(WorldName(k.world)));
    if (qEnvironmentVariableIntValue("TAVRI_UPDATE_EXPECTED") == 1) {
        QDir(folder).removeRecursively();
        for (const auto& [name, bytes] : actual) {
            QDir().mkpath(QFileInfo(folder + name).path());
            test::WriteAll(folder + name, bytes);
        }
    }
    const Files expected = ReadTree(folder);
    QStringList expectedNames, actualNames;
    for (const auto& file : expected) {
        expectedNames << file.first;
    }
    for (const auto& [name, bytes] : actual) {
        actualNames << name;
        SCOPED_TRACE(name.toStdString());  // a mismatch is shown as a diff of numbered lines
        EXPECT_EQ(bytes.toStdString(), expected.count(name) ? expected.at(name).toStdString() : "");
    }
    EXPECT_EQ(actualNames.join(u'\n').toStdString(), expectedNames.join(u'\n').toStdString());
}

const Case kCases[] = {
    {"site", World::Full},       {"site", World::Empty},          {"alphasite", World::Full},
    {"alphasite", World::Empty}, {"alphasite", World::DashFirst}, {"reading", World::Full},
    {"reading", World::Empty},   {"reading", World::DashFirst},   {"modern", World::Full},
    {"modern", World::Empty},    {"epub", World::Full},           {"adhoc", World::Full},
    {"adhoc", World::Empty},
};

INSTANTIATE_TEST_SUITE_P(Writers, PublishExpected, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             return std::string(info.param.writer) + "_" +
                                    test::WorldName(info.param.world);
                         });

}  // namespace
}  // namespace tavri
