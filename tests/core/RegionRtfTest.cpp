// The region files RegionTavri-<race/location>.rtf, compared byte for byte: one file and one
// heading per file, groups that differ only in case (interleaved by name) or only in
// punctuation, the empty
// race/location, a value holding a slash (kept inside the palm folder), names starting with a
// digit and characters outside Windows-1252.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <initializer_list>

#include "base/FileError.h"
#include "publish/PalmOutput.h"
#include "support/TestSupport.h"

using namespace tavri;
using test::Crlf;
using test::FilesIn;

namespace {

// A whole region file: its header, the heading of the race/location and the entry lines.
QByteArray RegionFile(const QByteArray& raceLocation, std::initializer_list<QByteArray> entries) {
    QByteArray bytes = Crlf({
        R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033\deflangfe1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}})",
        R"({\*\generator Msftedit 5.41.21.2509;}\viewkind4\uc1\pard\sl240\slmult1\f0\fs24)",
        R"(\ul\b\fs20 )" + raceLocation + R"(\ulnone\b0)",
    });
    bytes += Crlf(entries);
    return bytes + Crlf({"}"});
}

}  // namespace

TEST(RegionRtfOutput, WritesOneFilePerGroupWithOneHeadingAndSafeNames) {
    test::TempCompendium c("Reach");
    c.add({"Nobody", "", "", "No home", QString()});
    c.add({"Slash", "a/b", "", "Cut", QString()});
    c.add({"7th Legion", "Army", "", "Foot {soldiers} \\ pikes", "notes are not listed"});
    c.add({"archers", "Army", "", "Caf\u00E9 bows", QString()});
    c.add({"Grim", "Dwarf Hold", "", "Miner", QString()});
    c.add({"Grom", "Dwarf-Hold", "", "Smith", QString()});
    c.add({"Cirdan", "Elves", "", "Ship", QString()});
    c.add({"Arwen", "Elves", "", "Fair \U0001F409", QString()});
    c.add({"\u0141ucja", "elves", "", "Archer", QString()});
    // Equal but for case, "elves" sorts between the two "Elves" by name: four groups, two files.
    c.add({"Bree", "elves", "", "Hills", QString()});
    const QString palm = c.state().PalmDir();
    ASSERT_TRUE(QDir(palm).removeRecursively());
    PublishProgress progress;
    RegionRtfOutput(c.state(), progress);

    EXPECT_EQ(FilesIn(palm),
              QStringList({"RegionTavri-.rtf", "RegionTavri-Army.rtf", "RegionTavri-Dwarf Hold.rtf",
                           "RegionTavri-Dwarf-Hold.rtf", "RegionTavri-Elves.rtf",
                           "RegionTavri-a_b.rtf", "RegionTavri-elves.rtf"}));
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-.rtf"),
              RegionFile("", {R"(\par\b\fs15Nobody\b0: No home)"}));
    // The heading keeps the value as stored; only the file name loses the slash.
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-a_b.rtf"),
              RegionFile("a/b", {R"(\par\b\fs15Slash\b0: Cut)"}));
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-Army.rtf"),
              RegionFile("Army", {R"(\par\b\fs15 7th Legion\b0: Foot \{soldiers\} \\ pikes)",
                                  "\\par\\b\\fs15archers\\b0: Caf\xE9 bows"}));
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-Dwarf Hold.rtf"),
              RegionFile("Dwarf Hold", {R"(\par\b\fs15Grim\b0: Miner)"}));
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-Dwarf-Hold.rtf"),
              RegionFile("Dwarf-Hold", {R"(\par\b\fs15Grom\b0: Smith)"}));
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-Elves.rtf"),
              RegionFile("Elves", {R"(\par\b\fs15Arwen\b0: Fair \u-10179?\u-9207?)",
                                   R"(\par\b\fs15Cirdan\b0: Ship)"}));
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-elves.rtf"),
              RegionFile("elves",
                         {R"(\par\b\fs15Bree\b0: Hills)", R"(\par\b\fs15\u321?ucja\b0: Archer)"}));

    EXPECT_EQ(c.state().EntryRs->index(), "rldex");
    EXPECT_TRUE(c.state().EntryRs->eof());
}

TEST(RegionRtfOutput, EveryCharacterAFileNameCannotHoldBecomesAnUnderscore) {
    test::TempCompendium c("Reach");
    c.add({"Deep", "../Sea:*?<>|\"\\", "", "Wet", QString()});
    c.add({"Dash", "-", "", "Quick", QString()});  // the walk's start value, met first
    PublishProgress progress;
    RegionRtfOutput(c.state(), progress);

    const QString palm = c.state().PalmDir();
    EXPECT_EQ(FilesIn(palm), QStringList({"RegionTavri--.rtf", "RegionTavri-.._Sea________.rtf"}));
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri-.._Sea________.rtf"),
              RegionFile(R"(../Sea:*?<>|"\\)", {R"(\par\b\fs15Deep\b0: Wet)"}));
    // "-" opens no group by the rule, yet with no file open its entry gets a file of its own.
    EXPECT_EQ(test::ReadAll(palm + "RegionTavri--.rtf"),
              RegionFile("-", {R"(\par\b\fs15Dash\b0: Quick)"}));
    EXPECT_EQ(FilesIn(c.state().ReportsDir()), QStringList({"TavriStyle.css", "images", "palm"}));
}

TEST(RegionRtfOutput, AnEmptyCompendiumWritesNoFile) {
    test::TempCompendium c("Reach");
    PublishProgress progress;
    RegionRtfOutput(c.state(), progress);
    EXPECT_EQ(FilesIn(c.state().PalmDir()), QStringList());
}

TEST(RegionRtfOutput, AFileThatCannotBeMadeIsNamedInTheError) {
    test::TempCompendium c("Reach");
    c.add({"Grub", "Orcs", "", "Cook", QString()});
    c.add({"Bree", "Trolls", "", "Big", QString()});
    const QString palm = c.state().PalmDir();
    ASSERT_TRUE(QDir().mkpath(palm + "RegionTavri-Trolls.rtf"));  // a folder in the file's way
    PublishProgress progress;
    try {
        RegionRtfOutput(c.state(), progress);
        FAIL() << "no error for a file that cannot be made";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(palm + "RegionTavri-Trolls.rtf"))
            << e.message().toStdString();
    }
}
