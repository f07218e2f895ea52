// The web site publisher: every page compared byte for byte on a small compendium that holds
// the cases that bite (names starting with "a", "A" and a digit, race/locations differing only
// in case or punctuation, a one-letter race/location key, an empty race/location, notes of three
// lines, blank and missing notes, mark-up, characters outside Windows-1252).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/FileError.h"
#include "publish/EntryPages.h"
#include "publish/SitePublisher.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::EntrySpec;
using test::ReadAll;
using test::TempCompendium;
using test::WriteAll;

// Expected file bytes: each line given in UTF-8 and ended with CR LF.
QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray bytes;
    for (const char* l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}

const char kBody[] =
    "<body text=\"#102030\" link=\"#0000FF\" vlink=\"#0000FF\" alink=\"#0000FF\" "
    "BGCOLOR=\"ivory\">";

QByteArray Head() {
    return Lines(
        {"<html>", "<head>", "<meta charset=\"utf-8\">", "<title>The Reach</title>", "</head>"});
}
QByteArray HeadAndBody() {
    return Head() + Lines({kBody});
}
QByteArray End() {
    return Lines({"", "</body>", "</html>"});
}
QByteArray TableStart() {
    return Lines({"<table width=\"100%\"border=\"1\">"});
}

void SetOption(AppState& s, const char16_t* field, const QVariant& value) {
    s.OptionsRs->edit();
    s.OptionsRs->setField(field, value);
    s.OptionsRs->update();
}

class CountingProgress : public PublishProgress {
public:
    void phase(const QString& name, qint64 total) override {
        phases.push_back(name);
        count.start(total);
        totals.push_back(total);
        reached.push_back(0);
    }
    void entry(const QString& name) override { names.push_back(name); }
    void step(qint64 done, qint64 total) override {
        steps.emplace_back(done, total);
        const qint64 now = count.step(done, total);
        backwards = backwards || now < reached.back();
        reached.back() = now;
    }
    std::vector<QString> phases;
    std::vector<qint64> totals;   // per phase
    std::vector<qint64> reached;  // per phase, the count its last step gave
    bool backwards = false;       // did a phase's count ever go back?
    PhaseCount count;
    std::vector<std::pair<qint64, qint64>> steps;
    std::vector<QString> names;
};

class SitePublisherTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppState& s = c.state();
        SetOption(s, u"inkcolour", QStringLiteral("#102030"));
        SetOption(s, u"linkcolour", QStringLiteral("#0000FF"));
        SetOption(s, u"nameH", QStringLiteral("ivory"));
        WriteAll(c.dir() + "framebase.txt",
                 "<frameset cols=\"20%,*\">\r\n<frame src=\"gcontents.htm\">\n"
                 "<frame name=\"gmain\" src=\"gtop.htm\">\r</frameset>");
        c.add({"apple", "Elf", " 1066 ", "Red fruit", "One\r\nTwo\r\nThree", true});  // 1
        c.add({"Avalon", "elf", "old", "Isle", "   ", false});                        // 2
        c.add({"9 Lives", "High-Elves", "", "Cat", "<b>bold</b> text", false});       // 3
        c.add({"Bear", "High Elves", "5", "Big", "Fur", true});                       // 4
        c.add({"Crow", "", "", "Bird", QString(), false});                            // 5
        c.add({"Dove", "D", "1", "White", "Peace", false});                           // 6
        c.add({u"\u00C9clair \u2603"_qs, u"Caf\u00E9"_qs, "", u"Pastry \U0001F600"_qs,
               u"Cr\u00E8me"_qs, false});  // 7
    }

    std::string page(const QString& name) {
        return ReadAll(c.state().ReportsDir() + name).toStdString();
    }
    bool exists(const QString& name) { return QFileInfo::exists(c.state().ReportsDir() + name); }
    std::unique_ptr<Publication> publish(bool changedOnly = false) {
        return PublishSite(c.state(), SitePublishOptions{changedOnly}, progress);
    }

    TempCompendium c{QStringLiteral("The Reach")};
    CountingProgress progress;
};

QByteArray Row(const char* nameCell, const char* raceLocation, const char* date, const char* desc) {
    return Lines({"<tr>", nameCell}) + "<td>" + raceLocation + "<td>\r\n<td>" + date +
           "<td>\r\n<td>" + desc + "<td>\r\n</tr>\r\n";
}

const QByteArray kAppleRow =
    Row("<td><a href=\"G1.htm\">apple</a><td>", "Elf", "1066", "Red fruit");
const QByteArray kAvalonRow = Row("<td>Avalon<td>", "elf", "old", "Isle");
const QByteArray kLivesRow = Row("<td><a href=\"G3.htm\">9 Lives</a><td>", "High-Elves", "", "Cat");
const QByteArray kEclairRow =
    Row("<td><a href=\"G7.htm\">\xC3\x89"
        "clair \xE2\x98\x83</a><td>",
        "Caf\xC3\xA9", "", "Pastry \xF0\x9F\x98\x80");

TEST_F(SitePublisherTest, StartPageWrapsEveryLineOfTheFrameTemplate) {
    publish();
    EXPECT_EQ(
        page("gindex.htm"),
        (Head() + Lines({"<frameset cols=\"20%,*\">", "<frame src=\"gcontents.htm\">",
                         "<frame name=\"gmain\" src=\"gtop.htm\">", "</frameset>", "</html>"}))
            .toStdString());
}

TEST_F(SitePublisherTest, EmptyFrameTemplateGivesFiveLines) {
    WriteAll(c.dir() + "framebase.txt", "");
    publish();
    EXPECT_EQ(page("gindex.htm"), (Head() + Lines({"</html>"})).toStdString());
}

TEST_F(SitePublisherTest, LetterStripLinksAllTwentySixLettersThenTheOthersInNameOrder) {
    publish();
    QByteArray strip = "<a href=\"gtop.htm\" target=\"gmain\">Home</a> ";
    for (char l = 'A'; l <= 'Z'; ++l) {
        strip += QByteArray("<a href=\"g-") + l + ".htm\" target=\"gmain\">" + l + "</a> ";
    }
    strip += "<a href=\"g-9.htm\" target=\"gmain\">9</a> ";
    strip += "<a href=\"g-\xC3\x89.htm\" target=\"gmain\">\xC3\x89</a> ";
    EXPECT_EQ(page("gcontentsl.htm"),
              (HeadAndBody() + strip + "\r\n" + Lines({"<br>"}) + End()).toStdString());
}

TEST_F(SitePublisherTest, RaceLocationListHasOneLinkPerRunOfEqualStoredValues) {
    publish();
    const QByteArray list =
        "<a href=\"g-.htm\" target=\"gmain\"></a><br>"
        "<a href=\"g-CAF.htm\" target=\"gmain\">Caf\xC3\xA9</a><br>"
        "<a href=\"g-D.htm\" target=\"gmain\">D</a><br>"
        "<a href=\"g-ELF.htm\" target=\"gmain\">Elf</a><br>"
        "<a href=\"g-ELF.htm\" target=\"gmain\">elf</a><br>"
        "<a href=\"g-HIGHELVES.htm\" target=\"gmain\">High Elves</a><br>"
        "<a href=\"g-HIGHELVES.htm\" target=\"gmain\">High-Elves</a><br>";
    EXPECT_EQ(page("gcontents.htm"),
              (HeadAndBody() + Lines({"<a href=\"gtop.htm\" target=\"gmain\">Home</a> ", "<br>"}) +
               list + "\r\n" + Lines({"</body>", "</html>"}))
                  .toStdString());
}

TEST_F(SitePublisherTest, LetterPagesGroupNamesByTheirUpperCaseFirstCharacter) {
    publish();
    // "apple" and "Avalon" share g-A.htm; Avalon's blank notes give no link.
    EXPECT_EQ(page("g-A.htm"),
              (HeadAndBody() + TableStart() + kAppleRow + kAvalonRow + End()).toStdString());
    // A digit gets its own page.
    EXPECT_EQ(page("g-9.htm"), (HeadAndBody() + TableStart() + kLivesRow + End()).toStdString());
    EXPECT_EQ(page("g-B.htm"),
              (HeadAndBody() + TableStart() +
               Row("<td><a href=\"G4.htm\">Bear</a><td>", "High Elves", "5", "Big") + End())
                  .toStdString());
    EXPECT_EQ(
        page("g-C.htm"),
        (HeadAndBody() + TableStart() + Row("<td>Crow<td>", "", "", "Bird") + End()).toStdString());
    EXPECT_EQ(page(u"g-\u00C9.htm"_qs),
              (HeadAndBody() + TableStart() + kEclairRow + End()).toStdString());
    // A letter without entries has an empty page.
    EXPECT_EQ(page("g-Q.htm"), (HeadAndBody() + TableStart() + End()).toStdString());
}

TEST_F(SitePublisherTest, RaceLocationPagesGroupByUpperCaseAndLaterGroupsContinueEarlier) {
    publish();
    // "Elf" and "elf" are one group, headed by the first entry's stored value.
    EXPECT_EQ(page("g-ELF.htm"), (HeadAndBody() + Lines({"<h1>Elf</h1>"}) + TableStart() +
                                  kAppleRow + kAvalonRow + End())
                                     .toStdString());
    // "High Elves" and "High-Elves" are two groups of one file, each under its own heading.
    EXPECT_EQ(page("g-HIGHELVES.htm"),
              (HeadAndBody() + Lines({"<h1>High Elves</h1>"}) + TableStart() +
               Row("<td><a href=\"G4.htm\">Bear</a><td>", "High Elves", "5", "Big") +
               Lines({"</table>", "<h1>High-Elves</h1>"}) + TableStart() + kLivesRow + End())
                  .toStdString());
    EXPECT_EQ(page("g-CAF.htm"),
              (HeadAndBody() + Lines({"<h1>Caf\xC3\xA9</h1>"}) + TableStart() + kEclairRow + End())
                  .toStdString());
    // The one-letter key "D" continues Dove's letter page.
    const QByteArray doveRow = Row("<td><a href=\"G6.htm\">Dove</a><td>", "D", "1", "White");
    EXPECT_EQ(page("g-D.htm"), (HeadAndBody() + TableStart() + doveRow +
                                Lines({"</table>", "<h1>D</h1>"}) + TableStart() + doveRow + End())
                                   .toStdString());
    // The empty race/location has a link in the list but no page.
    EXPECT_FALSE(exists("g-.htm"));
}

TEST_F(SitePublisherTest, EntryPagesCarryNotesWithBreaksAndLinkBackToTheirRaceLocation) {
    publish();
    const QByteArray pageHead =
        Lines({"<link rel=\"stylesheet\"href=\"TavriStyle.css\">", "</head>", kBody});
    EXPECT_EQ(
        page("G1.htm"),
        (Lines({"<html>", "<head>", "<meta charset=\"utf-8\">", "<title>apple</title>"}) +
         pageHead +
         Lines({"<h1>apple</h1>", "<p>Red fruit</p>", "<hr>", "<p>One<br>", "Two<br>", "Three</p>",
                "", "<hr>", "<a href=\"g-ELF.htm\">Click here to return to index</a>", "</body>",
                "</html>"}))
            .toStdString());
    EXPECT_EQ(page("G3.htm"),
              (Lines({"<html>", "<head>", "<meta charset=\"utf-8\">", "<title>9 Lives</title>"}) +
               pageHead +
               Lines({"<h1>9 Lives</h1>", "<p>Cat</p>", "<hr>", "<p><b>bold</b> text</p>", "",
                      "<hr>", "<a href=\"g-HIGHELVES.htm\">Click here to return to index</a>",
                      "</body>", "</html>"}))
                  .toStdString());
    EXPECT_EQ(
        page("G7.htm"),
        (Lines({"<html>", "<head>", "<meta charset=\"utf-8\">",
                "<title>\xC3\x89"
                "clair \xE2\x98\x83</title>"}) +
         pageHead +
         Lines({"<h1>\xC3\x89"
                "clair \xE2\x98\x83</h1>",
                "<p>Pastry \xF0\x9F\x98\x80</p>", "<hr>", "<p>Cr\xC3\xA8me</p>", "", "<hr>",
                "<a href=\"g-CAF.htm\">Click here to return to index</a>", "</body>", "</html>"}))
            .toStdString());
    // Blank and missing notes: no page.
    EXPECT_FALSE(exists("G2.htm"));
    EXPECT_FALSE(exists("G5.htm"));
    EXPECT_EQ(progress.names,
              (std::vector<QString>{"9 Lives", "apple", "Bear", "Dove", u"\u00C9clair \u2603"_qs}));
    // Each of the two walks (name order with the entry pages, race/location order) counts its
    // entries out of all seven.
    std::vector<std::pair<qint64, qint64>> steps;
    for (int walk = 0; walk < 2; ++walk) {
        for (qint64 done = 1; done <= 7; ++done) {
            steps.emplace_back(done, 7);
        }
    }
    EXPECT_EQ(progress.steps, steps);
}

TEST_F(SitePublisherTest, EntryPageSummaryLineBreaksBecomeBreakTags) {
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", 4);
    rs.edit();
    rs.setField(u"desc", QStringLiteral("Big\r\nand brown"));
    rs.update();
    publish();
    EXPECT_NE(page("G4.htm").find("\r\n<p>Big <br>and brown</p>\r\n"), std::string::npos);
}

TEST_F(SitePublisherTest, PublishChangedRewritesOnlyChangedEntriesPagesButLinksToAll) {
    publish();
    const std::string oldLives = page("G3.htm");
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    for (int id : {1, 3}) {  // apple is marked changed, 9 Lives is not
        rs.seek(u"=", id);
        rs.edit();
        rs.setField(u"details", QStringLiteral("Rewritten"));
        rs.update();
    }
    publish(true);
    EXPECT_NE(page("G1.htm").find("<p>Rewritten</p>"), std::string::npos);
    EXPECT_EQ(page("G3.htm"), oldLives);
    EXPECT_EQ(page("g-9.htm"), (HeadAndBody() + TableStart() + kLivesRow + End()).toStdString());
    EXPECT_EQ(progress.names.back(), QStringLiteral("Bear"));
}

TEST_F(SitePublisherTest, PublishChangedLeavesNeverPublishedUnchangedEntriesWithoutPage) {
    publish(true);
    EXPECT_TRUE(exists("G1.htm"));
    EXPECT_TRUE(exists("G4.htm"));
    EXPECT_FALSE(exists("G3.htm"));
    EXPECT_FALSE(exists("G6.htm"));
    EXPECT_EQ(page("g-9.htm"), (HeadAndBody() + TableStart() + kLivesRow + End()).toStdString());
}

TEST_F(SitePublisherTest, PublishingLeavesTheChangedFlagsForTheFrontEndToClear) {
    const auto published = publish();
    auto changedIds = [&] {
        std::vector<qint64> ids;
        Recordset& rs = *c.state().EntryRs;
        rs.setIndex(u"id");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (rs.field(u"changed").toBool()) {
                ids.push_back(rs.field(u"id").toLongLong());
            }
        }
        return ids;
    };
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 4}));
    ClearChangedFlags(c.state(), *published, progress);
    EXPECT_EQ(changedIds(), std::vector<qint64>{});
    EXPECT_EQ(published->published(), 7);
    EXPECT_EQ(
        progress.phases,
        (std::vector<QString>{"Index pages:", "Race/location pages:", "Clearing changed flag:"}));
    // Each phase's count runs once from the start to its total, never backwards: one walk over
    // the seven entries in name order, one in race/location order, then the seven published.
    EXPECT_EQ(progress.totals, (std::vector<qint64>{7, 7, 7}));
    EXPECT_EQ(progress.reached, progress.totals);
    EXPECT_FALSE(progress.backwards);
    EXPECT_EQ(c.state().EntryRs->index(), QStringLiteral("id"));
}

TEST_F(SitePublisherTest, FirstPublicationWritesTheHomePageAndLaterOnesKeepIt) {
    publish();
    EXPECT_EQ(
        page("gtop.htm"),
        (Head() +
         Lines({"<body text=\"#102030\" link=\"#0000FF\" vlink=\"#0000FF\" alink=\"#0000FF\">",
                "<h1>The Reach</h1>", "</body>", "</html>"}))
            .toStdString());
    WriteAll(c.state().ReportsDir() + "gtop.htm", "mine");
    publish();
    EXPECT_EQ(page("gtop.htm"), "mine");
}

TEST_F(SitePublisherTest, MissingFrameTemplateIsReportedBeforeAnythingIsWritten) {
    QFile::remove(c.dir() + "framebase.txt");
    try {
        publish();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), "framebase.txt was not found in " + c.dir() + ".");
    }
    EXPECT_EQ(QDir(c.state().ReportsDir()).entryList(QDir::Files),
              QStringList({"TavriStyle.css"}));  // the compendium's own
}

TEST_F(SitePublisherTest, FileNamesFromNamesNeverLeaveTheReportsFolder) {
    c.add({"/etc", "Slash", "", "Path", "", false});
    c.add({"*Star", "Star", "", "Glob", "", false});
    publish();
    // Both first characters become "_": one page holding both letters' rows.
    EXPECT_EQ(page("g-_.htm"),
              (HeadAndBody() + TableStart() + Row("<td>*Star<td>", "Star", "", "Glob") +
               Row("<td>/etc<td>", "Slash", "", "Path") + End())
                  .toStdString());
    EXPECT_FALSE(QFileInfo::exists(c.state().ReportsDir() + "g-/etc.htm"));
}

TEST_F(SitePublisherTest, FailedPageEndsTheRunWithTheFileNamed) {
    // A folder where a page should go makes that page uncreatable.
    ASSERT_TRUE(QDir().mkpath(c.state().ReportsDir() + "g-B.htm"));
    try {
        publish();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(c.state().ReportsDir() + "g-B.htm"))
            << e.message().toStdString();
    }
    EXPECT_FALSE(exists("g-C.htm"));
}

TEST_F(SitePublisherTest, AMissingPalmFolderIsMadeForTheReadingFiles) {
    ASSERT_TRUE(QDir(c.state().PalmDir()).removeRecursively());
    publish();
    EXPECT_TRUE(QFileInfo::exists(c.state().PalmDir() + "Tavri-TR.txt"));
    EXPECT_TRUE(QFileInfo::exists(c.state().PalmDir() + "PageTavri.pml"));
}

class SiteStyleTest : public ::testing::Test {
protected:
    TempCompendium c{QStringLiteral("Plain")};
};

TEST_F(SiteStyleTest, BlankOrMissingColoursLeaveOnlyTheInk) {
    AppState& s = c.state();
    SetOption(s, u"inkcolour", QStringLiteral("black"));
    SetOption(s, u"linkcolour", QVariant());
    SetOption(s, u"nameH", QStringLiteral("   "));
    EXPECT_EQ(SiteBodyTag(s, ReadSiteStyle(s)), QStringLiteral("<body text=\"black\">"));
    SetOption(s, u"linkcolour", QStringLiteral("  "));
    SetOption(s, u"nameH", QVariant());
    EXPECT_EQ(SiteBodyTag(s, ReadSiteStyle(s)), QStringLiteral("<body text=\"black\">"));
}

TEST_F(SiteStyleTest, ColoursAreWrittenAsStoredAndTheBackgroundImageIsUsedWhenPresent) {
    AppState& s = c.state();
    SetOption(s, u"inkcolour", QStringLiteral(" red"));
    SetOption(s, u"linkcolour", QStringLiteral("green "));
    SetOption(s, u"nameH", QStringLiteral(" #eee"));
    EXPECT_EQ(SiteBodyTag(s, ReadSiteStyle(s)),
              QStringLiteral("<body text=\" red\" link=\"green \" vlink=\"green \" "
                             "alink=\"green \" BGCOLOR=\" #eee\">"));
    ASSERT_TRUE(QDir().mkpath(s.ImagesDir()));
    WriteAll(s.ImagesDir() + "gback.jpg", "jpg");
    EXPECT_EQ(SiteBodyTag(s, ReadSiteStyle(s)),
              QStringLiteral("<body background=images/gback.jpg text=\" red\" link=\"green \" "
                             "vlink=\"green \" alink=\"green \" BGCOLOR=\" #eee\">"));
}

TEST(EntryPageNameTest, IsGAndTheIdInDecimal) {
    EXPECT_EQ(EntryPageName(17), QStringLiteral("G17.htm"));
    EXPECT_EQ(EntryPageName(100000), QStringLiteral("G100000.htm"));
}

TEST(SiteEmptyCompendiumTest, PublishesValidPagesWithEmptyLists) {
    TempCompendium c(QStringLiteral("Empty"));
    PublishProgress quiet;
    PublishSite(c.state(), SitePublishOptions{}, quiet);
    const QString reports = c.state().ReportsDir();
    const QByteArray head = Lines({"<html>", "<head>", "<meta charset=\"utf-8\">",
                                   "<title>Empty</title>", "</head>", "<body text=\"\">"});
    EXPECT_EQ(ReadAll(reports + "gcontents.htm").toStdString(),
              (head + Lines({"<a href=\"gtop.htm\" target=\"gmain\">Home</a> ", "<br>", "",
                             "</body>", "</html>"}))
                  .toStdString());
    QStringList pages{"gcontents.htm", "gcontentsl.htm", "gindex.htm", "gtop.htm"};
    for (const QString& letter : LatinCapitals()) {
        pages.push_back("g-" + letter + ".htm");
        EXPECT_EQ(ReadAll(reports + pages.back()).toStdString(),
                  (head + Lines({"<table width=\"100%\"border=\"1\">", "", "</body>", "</html>"}))
                      .toStdString());
    }
    pages.sort();
    EXPECT_EQ(QDir(reports).entryList({"g*.htm"}, QDir::Files), pages);
}

}  // namespace
}  // namespace tavri
