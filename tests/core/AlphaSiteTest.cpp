// The alphabetical site: every page compared byte for byte, with the row shading running on
// across pages, entry blocks copied from temp.htm, and the cases shared with the web site.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "publish/AlphaSite.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::TempCompendium;
using test::WriteAll;

QByteArray Lines(std::initializer_list<QByteArray> lines) {
    QByteArray bytes;
    for (const QByteArray& l : lines) {
        bytes += l;
        bytes += "\r\n";
    }
    return bytes;
}

const QByteArray kBody =
    "<body text=\"#102030\" link=\"#0000FF\" vlink=\"#0000FF\" alink=\"#0000FF\">";

QByteArray Head() {
    return Lines(
        {"<html>", "<head>", "<meta charset=\"utf-8\">", "<title>The Reach</title>", "</head>"});
}
QByteArray PageStart() {
    return Head() + Lines({kBody, "<a name=\"Top\">", "<table width=\"100%\"border=\"0\">"});
}
QByteArray PageEnd() {
    return Lines({"</body>", "</html>"});
}
QByteArray TableEnd() {
    return Lines({"</table>", "<hr>"});
}

QByteArray Row(bool shaded, const QByteArray& name, const QByteArray& raceLocation,
               const QByteArray& date, const QByteArray& desc) {
    const QByteArray cell = shaded ? "<td bgcolor=\"#CCFFFF\">" : "<td>";
    return Lines({"<tr>", cell + "<a href=\"#" + name + "\">" + name + "</a><td>",
                  cell + raceLocation + "<td>", cell + date + "<td>", cell + desc + "<td>",
                  "</tr>"});
}

QByteArray Block(const QByteArray& anchor, const QByteArray& storedName,
                 const QByteArray& raceLocation, const QByteArray& date, const QByteArray& desc,
                 const QByteArray& notes) {
    return Lines({"<a name=\"" + anchor + "\">", "<table width=100%>", "  <tr>",
                  "    <td width=50% align=left>", "    <h1>" + storedName + "</h1>", "    </td>",
                  "    <td width=50% align=right>", "    <a href=\"#Top\">Top", "    </td>",
                  "  </tr>", "</table>", "<p>Race/Location: " + raceLocation + "</p>",
                  "<p>Date: " + date + "</p>", "<p>" + desc + "</p>", "<p>" + notes + "</p>", "",
                  "<hr>"});
}

const QByteArray kLivesBlock =
    Block("9 Lives", "9 Lives", "High-Elves", "", "Cat", "<b>bold</b> text");

class AlphaSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppState& s = c.state();
        s.OptionsRs->edit();
        s.OptionsRs->setField(u"inkcolour", QStringLiteral("#102030"));
        s.OptionsRs->setField(u"linkcolour", QStringLiteral("#0000FF"));
        s.OptionsRs->setField(u"nameH", QStringLiteral("ivory"));
        s.OptionsRs->update();
        c.add({"apple", "Elf", " 1066 ", "Red fruit", "One\r\nTwo\r\nThree", true});  // 1
        c.add({"Avalon", "elf", "old", "Isle", "   ", false});                        // 2
        c.add({"9 Lives", "High-Elves", "", "Cat", "<b>bold</b> text", false});       // 3
        c.add({"Bear", "High Elves", "5", "Big", "Fur", true});                       // 4
        c.add({"Crow", "  ", "", "Bird", QString(), false});                          // 5
        c.add({"Dove", "D", "1", "White", "Peace", false});                           // 6
        c.add({u"\u00C9clair \u2603"_qs, u"Caf\u00E9"_qs, "", u"Pastry \U0001F600"_qs,
               u"Cr\u00E8me"_qs, false});  // 7
    }
    std::string page(const QString& name) {
        return ReadAll(c.state().ReportsDir() + name).toStdString();
    }
    void publish() { PublishAlphaSite(c.state(), progress); }

    TempCompendium c{QStringLiteral("The Reach")};
    PublishProgress progress;
};

TEST_F(AlphaSiteTest, FramesetAndItsFixedFrames) {
    publish();
    EXPECT_EQ(
        page("gindex.htm"),
        (Head() + Lines({"<frameset rows=\"80,*\" cols=\"80,*\" frameborder=\"NO\" "
                         "border=\"0\" framespacing=\"0\"> ",
                         "  <frame name=\"cornerFrame\" scrolling=\"NO\" noresize "
                         "src=\"gcorner.htm\" >",
                         "  <frame name=\"topFrame\" scrolling=\"NO\" noresize "
                         "src=\"gcontents.htm\" >",
                         "  <frame name=\"leftFrame\" noresize src=\"glettersdates.htm\">",
                         "  <frame name=\"gmain\" src=\"gtop.htm\">", "</frameset>", "</html>"}))
            .toStdString());
    EXPECT_EQ(page("gcorner.htm"), (Head() + Lines({kBody}) + PageEnd()).toStdString());
    EXPECT_EQ(page("gtop.htm"),
              (Head() + Lines({kBody, "<h1>The Reach</h1>"}) + PageEnd()).toStdString());
    QByteArray letters;
    for (char l = 'A'; l <= 'Z'; ++l) {
        letters +=
            QByteArray("<a href=\"g-") + l + ".htm\" target=\"gmain\">" + l + "</a><br> \r\n";
    }
    // Then the other initials, in name order.
    letters += "<a href=\"g-9.htm\" target=\"gmain\">9</a><br> \r\n";
    letters += "<a href=\"g-\xC3\x89.htm\" target=\"gmain\">\xC3\x89</a><br> \r\n";
    EXPECT_EQ(page("glettersdates.htm"),
              (Head() + Lines({kBody}) + letters + PageEnd()).toStdString());
}

TEST_F(AlphaSiteTest, RaceLocationStripIsOneLineWithOneLinkPerRunOfStoredValues) {
    publish();
    const QByteArray strip =
        "<a href=\"g-.htm\" target=\"gmain\">  </a> "
        "<a href=\"g-CAF.htm\" target=\"gmain\">Caf\xC3\xA9</a> "
        "<a href=\"g-D.htm\" target=\"gmain\">D</a> "
        "<a href=\"g-ELF.htm\" target=\"gmain\">Elf</a> "
        "<a href=\"g-ELF.htm\" target=\"gmain\">elf</a> "
        "<a href=\"g-HIGHELVES.htm\" target=\"gmain\">High Elves</a> "
        "<a href=\"g-HIGHELVES.htm\" target=\"gmain\">High-Elves</a> ";
    EXPECT_EQ(page("gcontents.htm"), (Head() + Lines({kBody, strip}) + PageEnd()).toStdString());
}

TEST_F(AlphaSiteTest, LetterPagesHoldShadedRowsThenTheEntryBlocks) {
    publish();
    // The shading runs on from g-9.htm, whose one row was shaded.
    EXPECT_EQ(page("g-A.htm"), (PageStart() + Row(false, "apple", "Elf", "1066", "Red fruit") +
                                Row(true, "Avalon", "elf", "old", "Isle") + TableEnd() +
                                Block("apple", "apple", "Elf", " 1066 ", "Red fruit",
                                      "One<br>\r\nTwo<br>\r\nThree") +
                                Block("Avalon", "Avalon", "elf", "old", "Isle", "") + PageEnd())
                                   .toStdString());
    EXPECT_EQ(page("g-9.htm"), (PageStart() + Row(true, "9 Lives", "High-Elves", "", "Cat") +
                                TableEnd() + kLivesBlock + PageEnd())
                                   .toStdString());
    EXPECT_EQ(page("g-C.htm"), (PageStart() + Row(true, "Crow", "", "", "Bird") + TableEnd() +
                                Block("Crow", "Crow", "  ", "", "Bird", "") + PageEnd())
                                   .toStdString());
    EXPECT_EQ(page(u"g-\u00C9.htm"_qs),
              (PageStart() +
               Row(true,
                   "\xC3\x89"
                   "clair \xE2\x98\x83",
                   "Caf\xC3\xA9", "", "Pastry \xF0\x9F\x98\x80") +
               TableEnd() +
               Block("\xC3\x89"
                     "clair \xE2\x98\x83",
                     "\xC3\x89"
                     "clair \xE2\x98\x83",
                     "Caf\xC3\xA9", "", "Pastry \xF0\x9F\x98\x80", "Cr\xC3\xA8me") +
               PageEnd())
                  .toStdString());
    // A letter without entries has an empty page.
    EXPECT_EQ(page("g-Q.htm"), (PageStart() + TableEnd() + PageEnd()).toStdString());
}

TEST_F(AlphaSiteTest, RaceLocationPagesSkipBlankValuesAndLaterGroupsContinueEarlier) {
    publish();
    // The walk's shading starts afresh: Café shaded, D not, Elf shaded, elf not, ...
    EXPECT_EQ(page("g-ELF.htm"), (PageStart() + Row(true, "apple", "Elf", "1066", "Red fruit") +
                                  Row(false, "Avalon", "elf", "old", "Isle") + TableEnd() +
                                  Block("apple", "apple", "Elf", " 1066 ", "Red fruit",
                                        "One<br>\r\nTwo<br>\r\nThree") +
                                  Block("Avalon", "Avalon", "elf", "old", "Isle", "") + PageEnd())
                                     .toStdString());
    // "High-Elves" (9 Lives) comes after "High Elves" (Bear) and continues its page.
    const QByteArray bearBlock = Block("Bear", "Bear", "High Elves", "5", "Big", "Fur");
    EXPECT_EQ(page("g-HIGHELVES.htm"), (PageStart() + Row(true, "Bear", "High Elves", "5", "Big") +
                                        Row(false, "9 Lives", "High-Elves", "", "Cat") +
                                        TableEnd() + bearBlock + kLivesBlock + PageEnd())
                                           .toStdString());
    // The one-letter key D continues Dove's letter page.
    const QByteArray doveBlock = Block("Dove", "Dove", "D", "1", "White", "Peace");
    EXPECT_EQ(page("g-D.htm"), (PageStart() + Row(false, "Dove", "D", "1", "White") +
                                Row(false, "Dove", "D", "1", "White") + TableEnd() + doveBlock +
                                doveBlock + PageEnd())
                                   .toStdString());
    // temp.htm keeps the blocks of the last page begun.
    EXPECT_EQ(page("temp.htm"), (bearBlock + kLivesBlock).toStdString());
    EXPECT_FALSE(QFileInfo::exists(c.state().ReportsDir() + "g-.htm"));
}

TEST_F(AlphaSiteTest, RunningTwiceLeavesTheSameFiles) {
    publish();
    QDir reports(c.state().ReportsDir());
    const QStringList names = reports.entryList(QDir::Files);
    std::vector<std::string> first;
    for (const QString& n : names) {
        first.push_back(page(n));
    }
    publish();
    ASSERT_EQ(reports.entryList(QDir::Files), names);
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(page(names[i]), first[i]) << names[i].toStdString();
    }
}

TEST_F(AlphaSiteTest, BackgroundImageAndBlankLinkColour) {
    AppState& s = c.state();
    s.OptionsRs->edit();
    s.OptionsRs->setField(u"linkcolour", QStringLiteral(" "));
    s.OptionsRs->update();
    WriteAll(s.ImagesDir() + "gback.jpg", "jpg");
    publish();
    EXPECT_EQ(page("gcorner.htm"),
              (Head() + Lines({"<body background=images/gback.jpg text=\"#102030\">"}) + PageEnd())
                  .toStdString());
}

TEST(AlphaSiteStartValueTest, NamesAndRaceLocationsEqualToTheWalksStartValueGetTheirPages) {
    TempCompendium c(QStringLiteral("Amp"));
    c.add({"&Co", "&", "", "Firm", "", false});
    PublishProgress quiet;
    PublishAlphaSite(c.state(), quiet);
    // "&" is both walks' start value; the first entry still opens a page ("g-" + AlphaNumOnly
    // of "&" is "g-.htm" for the race/location walk).
    const QByteArray page = ReadAll(c.state().ReportsDir() + "g-&.htm");
    EXPECT_TRUE(page.contains("<a href=\"#&amp;Co\">&Co</a><td>"));
    EXPECT_TRUE(ReadAll(c.state().ReportsDir() + "g-.htm").contains("<h1>&Co</h1>"));
}

}  // namespace
}  // namespace tavri
