// tavri-cli's publishing, list, report and options commands, run as a user runs them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::TempCompendium;
using test::WriteAll;

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TAVRI_CLI_PATH), args);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
    }
    return CliRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                  QString::fromUtf8(p.readAllStandardOutput()),
                  QString::fromUtf8(p.readAllStandardError())};
}

class PublishCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        c.add({"Zed", "Orc", "12", "Green", "Notes", true});        // 1
        c.add({"amy", "Elf", "", u"Caf\u00E9"_qs, "", false});      // 2
        c.add({"Bo", "orc", "3", "Small", "More\r\nnotes", true});  // 3
    }
    std::vector<qint64> changedIds() {
        c.reopen();
        std::vector<qint64> ids;
        Recordset& rs = *c.state().EntryRs;
        rs.setIndex(u"id");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (rs.field(u"changed").toBool()) {
                ids.push_back(rs.field(u"id").toLongLong());
            }
        }
        return ids;
    }
    QString reports() { return c.state().ReportsDir(); }

    TempCompendium c{QStringLiteral("Cli World")};
};

TEST_F(PublishCliTest, PublishWritesTheSiteAndClearsTheFlagsUnlessToldToKeepThem) {
    CliRun r = Cli({"publish", c.dir(), "--keep-changes"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Published the web site in " + reports() + "\n");
    for (const char* f :
         {"gindex.htm", "gcontents.htm", "gcontentsl.htm", "gtop.htm", "g-Z.htm", "g-ORC.htm",
          "G1.htm", "G3.htm", "palm/Tavri-TR.txt", "palm/PageTavri.rtf"}) {
        EXPECT_TRUE(QFileInfo::exists(reports() + f)) << f;
    }
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));

    r = Cli({"publish", c.dir()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(changedIds(), std::vector<qint64>{});
}

TEST_F(PublishCliTest, PublishChangedRewritesOnlyChangedEntriesPages) {
    ASSERT_EQ(Cli({"publish", c.dir(), "--changed", "--keep-changes"}).status, 0);
    EXPECT_TRUE(QFileInfo::exists(reports() + "G1.htm"));
    EXPECT_TRUE(QFileInfo::exists(reports() + "G3.htm"));
    WriteAll(reports() + "G3.htm", "old page");
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", 3);
    rs.edit();
    rs.setField(u"changed", false);
    rs.update();
    ASSERT_EQ(Cli({"publish", c.dir(), "--changed"}).status, 0);
    EXPECT_EQ(ReadAll(reports() + "G3.htm"), "old page");
    EXPECT_TRUE(ReadAll(reports() + "g-B.htm").contains("<a href=\"G3.htm\">Bo</a>"));
    EXPECT_EQ(changedIds(), std::vector<qint64>{});
}

TEST_F(PublishCliTest, AFailedPublicationSaysWhyAndClearsNoFlag) {
    ASSERT_TRUE(QDir().mkpath(reports() + "g-B.htm"));
    CliRun r = Cli({"publish", c.dir()});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains(reports() + "g-B.htm")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(reports() + "g-A.htm"));
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));

    QFile::remove(c.dir() + "framebase.txt");
    r = Cli({"publish", c.dir()});
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.err, "framebase.txt was not found in " + c.dir() + ".\n");
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));
}

TEST_F(PublishCliTest, AlphaPublishesAndAlwaysClearsTheFlags) {
    CliRun r = Cli({"alpha", c.dir()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Published the alphabetical site in " + reports() + "\n");
    EXPECT_TRUE(QFileInfo::exists(reports() + "glettersdates.htm"));
    EXPECT_TRUE(QFileInfo::exists(reports() + "temp.htm"));
    EXPECT_EQ(changedIds(), std::vector<qint64>{});
}

TEST_F(PublishCliTest, RtfWritesTheRegionFiles) {
    CliRun r = Cli({"rtf", c.dir()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "RTF Written\n");
    EXPECT_TRUE(QFileInfo::exists(reports() + "palm/RegionTavri-Orc.rtf"));
}

TEST_F(PublishCliTest, ListPrintsTheGridRowsInNameOrderUnderTheFilters) {
    CliRun r = Cli({"list", c.dir()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              u"\tamy\tElf\t\tCaf\u00E9\t2\n*\tBo\torc\t3\tSmall\t3\n"
              u"*\tZed\tOrc\t12\tGreen\t1\n"_qs);
    r = Cli({"list", c.dir(), "--match", " ORC ", "--race-only", "--unchanged"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QString());
    r = Cli({"list", c.dir(), "--match", "orc", "--changed"});
    EXPECT_EQ(r.out, "*\tBo\torc\t3\tSmall\t3\n*\tZed\tOrc\t12\tGreen\t1\n");
}

TEST_F(PublishCliTest, ReportWritesTheListedEntriesInListOrderUnderTheUntrimmedQuery) {
    CliRun r = Cli({"report", c.dir(), "--match", " orc "});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Report written to " + reports() + "AdHoc.htm\n");
    const QByteArray page = ReadAll(reports() + "AdHoc.htm");
    EXPECT_TRUE(page.contains("<h1>Query on  orc </h1>\r\n"));
    const qsizetype bo = page.indexOf("<b>Name: </b>Bo<br>");
    const qsizetype zed = page.indexOf("<b>Name: </b>Zed<br>");
    EXPECT_GT(bo, 0);
    EXPECT_GT(zed, bo);
    EXPECT_FALSE(page.contains("amy"));
}

TEST_F(PublishCliTest, OptionsWritesGivenValuesAsTypedAndPrintsThemWithoutFlags) {
    CliRun r = Cli({"options", c.dir(), "--ink", " #123 ", "--link", "", "--campaign", "New Name"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = Cli({"options", c.dir()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              "Tavri Name: New Name\nBackground Colour: \nInk Colour:  #123 \nLink Colour: \n");
}

TEST_F(PublishCliTest, HelpAndCommandLineMistakes) {
    for (const char* command : {"publish", "alpha", "rtf", "report", "list", "options"}) {
        CliRun r = Cli({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("Usage: tavri-cli ") + command)) << command;
    }
    EXPECT_EQ(Cli({"publish", c.dir(), "--everything"}).status, 2);
    EXPECT_EQ(Cli({"list", c.dir(), "--changed", "--unchanged"}).status, 2);
    EXPECT_EQ(Cli({"list", c.dir(), "--match"}).status, 2);
    EXPECT_EQ(Cli({"publish"}).status, 2);
    CliRun missing = Cli({"publish", c.dir() + "nowhere"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.isEmpty());
}

}  // namespace
}  // namespace tavri
