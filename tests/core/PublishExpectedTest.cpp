// Every writer publishes the fixture worlds (support/FixtureWorld.h), and every file the run
// wrote below Reports/ is compared, list and bytes, with tests/data/expected/<writer>/<world>/;
// a mismatch shows as gtest's diff of the two files' numbered lines. An e-book is compared
// unpacked, with its entries' order and compression as a list. Beside the files,
// "_progress.txt" holds what the writer reported (phases, entries, steps and the count a
// progress bar shows, where it left the entry cursor) and "_report.txt" what it returned.
// The writers that keep unchanged files then publish again and must rewrite none.
//
// With TAVRI_UPDATE_EXPECTED=1 in the environment the test rewrites the expected files instead;
// read every changed line before committing them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTimeZone>

#include "support/FixtureWorld.h"

namespace tavri {
namespace {

using test::ReadTree;
using test::World;

struct Case {
    const char* writer;
    World world;
    bool again = false;  // published a second time, which rewrites no file
};

class PublishExpected : public ::testing::TestWithParam<Case> {};

TEST_P(PublishExpected, EveryFileItWritesIsTheExpectedOne) {
    const Case k = GetParam();
    test::TempCompendium c;
    test::BuildWorld(c, k.world);
    const QString reports = c.state().ReportsDir();
    const test::Files before = ReadTree(reports);
    test::Files actual;
    if (k.writer != std::string("epub")) {  // the book is written into a folder that exists
        QDir(c.state().PalmDir()).removeRecursively();  // which the other writers make
    }
    test::ProgressLog log;
    actual["_report.txt"] = test::PublishWith(k.writer, k.world, c, log);
    actual["_progress.txt"] = log.text;
    for (const auto& [name, bytes] : ReadTree(reports)) {
        const auto old = before.find(name);
        if (name.endsWith(u".epub")) {
            for (const auto& [entry, content] : test::ZipEntries(reports + name)) {
                actual[name + '/' + entry] = content;
            }
        } else if (old == before.end() || old->second != bytes) {
            actual[name] = bytes;
        }
    }
    const QString folder = QStringLiteral(TAVRI_TEST_DATA "/expected/%1/%2/")
                               .arg(QLatin1String(k.writer), QLatin1String(WorldName(k.world)));
    if (qEnvironmentVariableIntValue("TAVRI_UPDATE_EXPECTED") == 1) {
        test::WriteTree(folder, actual);
    }
    const test::Files expected = ReadTree(folder);
    for (const auto& [name, bytes] : expected) {
        actual.try_emplace(name, "(not written)");
    }
    for (const auto& [name, bytes] : actual) {
        SCOPED_TRACE(name.toStdString());  // a mismatch is shown as a diff of numbered lines
        EXPECT_EQ(bytes.toStdString(),
                  expected.count(name) ? expected.at(name).toStdString() : "(not expected)");
    }
    if (k.again) {
        const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), QTimeZone::utc());
        const test::Files first = ReadTree(reports);
        for (const auto& [name, bytes] : first) {
            QFile f(reports + name);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite) &&
                        f.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
        test::PublishWith(k.writer, k.world, c, log);
        EXPECT_EQ(ReadTree(reports), first);
        for (const auto& [name, bytes] : first) {  // every page's blocks pass through temp.htm
            EXPECT_TRUE(name == u"temp.htm" || QFileInfo(reports + name).lastModified() == longAgo)
                << name.toStdString() << " was rewritten";
        }
    }
}

const Case kCases[] = {
    {"site", World::Full, true}, {"site", World::Empty},          {"alphasite", World::Full, true},
    {"alphasite", World::Empty}, {"alphasite", World::DashFirst}, {"reading", World::Full},
    {"reading", World::Empty},   {"reading", World::DashFirst},   {"modern", World::Full, true},
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
