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

#include "support/FixtureWorld.h"

namespace tavri {
namespace {

using test::Files;
using test::ReadTree;
using test::World;

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
    Files actual;
    if (k.writer == std::string("reading")) {
        QDir(c.state().PalmDir()).removeRecursively();  // each writer makes it when missing
    }
    test::ProgressLog log;
    actual["_report.txt"] = test::PublishWith(k.writer, k.world, c, log);
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
