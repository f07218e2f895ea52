// The page outputs by race/location (PageTavri.rtf, the PageTavri-<letters>.txt files and
// PageTavri.pml), compared byte for byte on a compendium holding the groupings that go wrong:
// an empty race/location, values that differ only in case and only in punctuation, notes of
// three lines with bold tags, blank and missing notes, names that start with a digit or with
// "a" and "A", braces and backslashes, and characters outside Windows-1252.
#include <gtest/gtest.h>

#include <QDir>
#include <initializer_list>

#include "base/FileError.h"
#include "publish/PalmOutput.h"
#include "support/TestSupport.h"

using namespace tavri;
using test::Crlf;
using test::FilesIn;

namespace {

const QByteArray kRtfHead = Crlf({
    R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033\deflangfe1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}})",
    R"({\*\generator Msftedit 5.41.15.1503;})",
    R"(\viewkind4\uc1)",
});

}  // namespace

TEST(TavriPageOutput, GroupsEntriesByStoredRaceLocationInAllThreeFiles) {
    test::TempCompendium c("Reach");
    c.add({"Nobody", "", "", "No home", QString()});
    c.add({"Axes", "Army", "", "Caf\u00E9 crew", QString()});
    c.add({"archers", "Army", "", "Bows", "   "});
    c.add(
        {"7th Legion", "Army", "1020", "Foot {soldiers} \\ pikes", "<b>Brave</b>\r\nand\r\nbold"});
    c.add({"Grim", "Dwarf Hold", "", "Miner", QString()});
    c.add({"Grom", "Dwarf-Hold", "", "Smith", " Hammers "});
    c.add({"Arwen", "Elves", "", "Fair \U0001F409", QString()});
    c.add({"\u0141ucja", "elves", "", "Archer", QString()});
    PublishProgress progress;
    TavriPageOutput(c.state(), progress);

    const QString palm = c.state().PalmDir();
    EXPECT_EQ(test::ReadAll(palm + "PageTavri.rtf"),
              kRtfHead + Crlf({
                             R"(\par\par)",
                             R"(\ul\b\fs20 \ulnone\b0)",
                             R"(\par\b\fs15Nobody\b0: No home)",
                             R"(\par\par)",
                             R"(\ul\b\fs20 Army\ulnone\b0)",
                             // the blank keeps the digits out of the font size
                             R"(\par\b\fs15 7th Legion\b0: Foot \{soldiers\} \\ pikes)",
                             R"(\par\b\fs15archers\b0: Bows)",
                             "\\par\\b\\fs15Axes\\b0: Caf\xE9 crew",
                             R"(\par\par)",
                             R"(\ul\b\fs20 Dwarf Hold\ulnone\b0)",
                             R"(\par\b\fs15Grim\b0: Miner)",
                             R"(\par\par)",
                             R"(\ul\b\fs20 Dwarf-Hold\ulnone\b0)",
                             R"(\par\b\fs15Grom\b0: Smith)",
                             R"(\par\par)",
                             R"(\ul\b\fs20 Elves\ulnone\b0)",
                             R"(\par\b\fs15Arwen\b0: Fair \u-10179?\u-9207?)",
                             R"(\par\par)",
                             R"(\ul\b\fs20 elves\ulnone\b0)",
                             R"(\par\b\fs15\u321?ucja\b0: Archer)",
                             "}",
                         }));

    EXPECT_EQ(test::ReadAll(palm + "PageTavri.pml"),
              Crlf({
                  R"(\vTITLE="Reach Page Tavri"\v)",
                  R"(\c)",
                  R"(\x\B\B\x)",
                  R"(\c)",
                  R"(\BNobody: \BNo home)",
                  R"(\c)",
                  R"(\x\BArmy\B\x)",
                  R"(\c)",
                  R"(\B7th Legion: \BFoot {soldiers} \\ pikes)",
                  R"(\Barchers: \BBows)",
                  "\\BAxes: \\BCaf\xE9 crew",
                  R"(\c)",
                  R"(\x\BDwarf Hold\B\x)",
                  R"(\c)",
                  R"(\BGrim: \BMiner)",
                  R"(\c)",
                  R"(\x\BDwarf-Hold\B\x)",
                  R"(\c)",
                  R"(\BGrom: \BSmith)",
                  R"(\c)",
                  R"(\x\BElves\B\x)",
                  R"(\c)",
                  R"(\BArwen: \BFair \Ud83d\Udc09)",
                  R"(\c)",
                  R"(\x\Belves\B\x)",
                  R"(\c)",
                  R"(\B\U0141ucja: \BArcher)",
              }));

    // The empty race/location has no Latin letter; it is the first group, so its file also
    // carries the heading of the text output.
    EXPECT_EQ(test::ReadAll(palm + "PageTavri-.txt"),
              Crlf({"Brief Tavri to Verun", "", "", "Verun: ", "Nobody () - No home", "----"}));
    EXPECT_EQ(test::ReadAll(palm + "PageTavri-Army.txt"),
              Crlf({"", "", "Verun: Army", "7th Legion (1020) - Foot {soldiers} \\ pikes",
                    "<b>Brave</b>\r\nand\r\nbold", "----", "archers () - Bows", "----",
                    "Axes () - Caf\xC3\xA9 crew", "----"}));
    // "Dwarf Hold" and "Dwarf-Hold" are two groups with one file name: the later continues it.
    EXPECT_EQ(test::ReadAll(palm + "PageTavri-DwarfHold.txt"),
              Crlf({"", "", "Verun: Dwarf Hold", "Grim () - Miner", "----", "", "",
                    "Verun: Dwarf-Hold", "Grom () - Smith", " Hammers ", "----"}));
    EXPECT_EQ(test::ReadAll(palm + "PageTavri-Elves.txt"),
              Crlf({"", "", "Verun: Elves", "Arwen () - Fair \xF0\x9F\x90\x89", "----"}));
    EXPECT_EQ(test::ReadAll(palm + "PageTavri-elves.txt"),
              Crlf({"", "", "Verun: elves", "\xC5\x81ucja () - Archer", "----"}));
    EXPECT_EQ(FilesIn(palm),
              QStringList({"PageTavri-.txt", "PageTavri-Army.txt", "PageTavri-DwarfHold.txt",
                           "PageTavri-Elves.txt", "PageTavri-elves.txt", "PageTavri.pml",
                           "PageTavri.rtf"}));

    EXPECT_EQ(c.state().EntryRs->index(), "rldex");
    EXPECT_TRUE(c.state().EntryRs->eof());
}

// "-" is where every walk starts, so an entry with that value opens no group: the RTF and PML
// files list it under no heading, and the text walk, with no file open yet, opens one for it.
TEST(TavriPageOutput, ARaceLocationOfADashAtTheHeadIsWrittenUnderNoHeadingButNotLost) {
    test::TempCompendium c("Reach");
    c.add({"Dash", "-", "now", "Quick", QString()});
    c.add({"Grub", "Orcs", "", "Cook", QString()});
    PublishProgress progress;
    TavriPageOutput(c.state(), progress);

    const QString palm = c.state().PalmDir();
    EXPECT_EQ(
        test::ReadAll(palm + "PageTavri.rtf"),
        kRtfHead + Crlf({R"(\par\b\fs15Dash\b0: Quick)", R"(\par\par)",
                         R"(\ul\b\fs20 Orcs\ulnone\b0)", R"(\par\b\fs15Grub\b0: Cook)", "}"}));
    EXPECT_EQ(test::ReadAll(palm + "PageTavri.pml"),
              Crlf({R"(\vTITLE="Reach Page Tavri"\v)", R"(\BDash: \BQuick)", R"(\c)",
                    R"(\x\BOrcs\B\x)", R"(\c)", R"(\BGrub: \BCook)"}));
    EXPECT_EQ(test::ReadAll(palm + "PageTavri-.txt"),
              Crlf({"Brief Tavri to Verun", "", "", "Verun: -", "Dash (now) - Quick", "----"}));
    EXPECT_EQ(test::ReadAll(palm + "PageTavri-Orcs.txt"),
              Crlf({"", "", "Verun: Orcs", "Grub () - Cook", "----"}));
}

TEST(TavriPageOutput, AnEmptyCompendiumWritesAnEmptyDocumentAndNoTextFile) {
    test::TempCompendium c("Reach");
    const QString palm = c.state().PalmDir();
    ASSERT_TRUE(QDir(palm).removeRecursively());
    PublishProgress progress;
    TavriPageOutput(c.state(), progress);

    EXPECT_EQ(test::ReadAll(palm + "PageTavri.rtf"), kRtfHead + Crlf({"}"}));
    EXPECT_EQ(test::ReadAll(palm + "PageTavri.pml"), Crlf({R"(\vTITLE="Reach Page Tavri"\v)"}));
    EXPECT_EQ(FilesIn(palm), QStringList({"PageTavri.pml", "PageTavri.rtf"}));
}

TEST(TavriPageOutput, AFileThatCannotBeMadeIsNamedInTheError) {
    test::TempCompendium c("Reach");
    c.add({"Grub", "Orcs", "", "Cook", QString()});
    const QString palm = c.state().PalmDir();
    ASSERT_TRUE(QDir().mkpath(palm + "PageTavri-Orcs.txt"));  // a folder in the file's way
    PublishProgress progress;
    try {
        TavriPageOutput(c.state(), progress);
        FAIL() << "no error for a file that cannot be made";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(palm + "PageTavri-Orcs.txt")) << e.message().toStdString();
    }
}
