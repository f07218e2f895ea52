// The whole-compendium reading files, Tavri-TR.txt and PR-Tavri.pml, compared byte for byte on
// a small compendium that holds the cases that go wrong: blanks around values, notes of three
// lines with bold tags, blank and missing notes, names that start with a digit or a lower-case
// letter, a name with no Latin letter or digit (anchored by its id), characters outside
// Windows-1252 and a title with blanks around it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <initializer_list>
#include <vector>

#include "base/FileError.h"
#include "publish/PalmOutput.h"
#include "support/TestSupport.h"

using namespace tavri;
using test::Crlf;
using test::FilesIn;

namespace {

void AddTomeEntries(test::TempCompendium& c) {
    c.add({"  Aldric  ", " Human ", " 1021 AR ", " The smith ",
           " Line one\r\nThe <b>bold</b> smith\r\nLine three "});
    c.add({"7th Legion", "Army", "", "Marching \U0001F409", QString()});
    c.add({"ash", "Tree", "\u00E9t\u00E9", "A tree", "   "});
    c.add({"\u03A9\u03BC\u03AD\u03B3\u03B1", "Greek", "", "Last \\ {x}",
           "<i>only</i> &lt;b&gt; &amp; C:\\new &#233;&eacute;"});
}

}  // namespace

TEST(TomeOutput, WritesEveryEntryInNameOrderToTheTextAndPmlFiles) {
    test::TempCompendium c(" The Reach ");
    AddTomeEntries(c);
    PublishProgress progress;
    TomeOutput(c.state(), progress);

    const QString palm = c.state().PalmDir();
    EXPECT_EQ(
        test::ReadAll(palm + "Tavri-TR.txt"),
        Crlf({"<new>", "Campaign Tavri",
              // blanks around values are trimmed, blanks inside kept; tags stay
              "<new>", "Aldric", "Race/Location: Human", "Date: 1021 AR", "The smith",
              "Line one\r\nThe <b>bold</b> smith\r\nLine three",
              // missing notes: five lines; every character is kept
              "<new>", "7th Legion", "Race/Location: Army", "Date: ", "Marching \xF0\x9F\x90\x89",
              // blank notes: five lines
              "<new>", "ash", "Race/Location: Tree", "Date: \xC3\xA9t\xC3\xA9", "A tree", "<new>",
              "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", "Race/Location: Greek",
              "Date: ", "Last \\ {x}", "<i>only</i> &lt;b&gt; &amp; C:\\new &#233;&eacute;"}));

    // In the notes of a PML chapter, tags are stripped, then character references decoded, then
    // backslashes escaped.
    EXPECT_EQ(test::ReadAll(palm + "PR-Tavri.pml"),
              Crlf({R"(\vTITLE=" The Reach "\v)",
                    R"(\c)",
                    R"(\x\BCONTENTS\B\x)",
                    R"(\c)",
                    R"(\Q="contents")",
                    R"(\q="#Aldric"\BAldric\B\q)",
                    R"(\q="#7thLegion"\B7th Legion\B\q)",
                    R"(\q="#ash"\Bash\B\q)",
                    R"(\q="#4"\B\U03a9\U03bc\U03ad\U03b3\U03b1\B\q)",

                    R"(\c)",
                    R"(\x\BAldric\B\x)",
                    R"(\c)",
                    R"(\Q="Aldric")",
                    "Race/Location: Human",
                    "Date: 1021 AR",
                    "",
                    "The smith",
                    R"(\w="50%")",
                    "Line one\r\nThe bold smith\r\nLine three",
                    "",
                    R"(\q="#contents"\BContents\B\q)",

                    R"(\c)",
                    R"(\x\B7th Legion\B\x)",
                    R"(\c)",
                    R"(\Q="7thLegion")",
                    "Race/Location: Army",
                    "Date: ",
                    "",
                    R"(Marching \Ud83d\Udc09)",
                    "",
                    R"(\q="#contents"\BContents\B\q)",

                    R"(\c)",
                    R"(\x\Bash\B\x)",
                    R"(\c)",
                    R"(\Q="ash")",
                    "Race/Location: Tree",
                    "Date: \xE9t\xE9",
                    "",
                    "A tree",
                    "",
                    R"(\q="#contents"\BContents\B\q)",

                    R"(\c)",
                    R"(\x\B\U03a9\U03bc\U03ad\U03b3\U03b1\B\x)",
                    R"(\c)",
                    R"(\Q="4")",
                    "Race/Location: Greek",
                    "Date: ",
                    "",
                    R"(Last \\ {x})",
                    R"(\w="50%")",
                    "only <b> & C:\\\\new \xE9\xE9",
                    "",
                    R"(\q="#contents"\BContents\B\q)"}));

    EXPECT_EQ(c.state().EntryRs->index(), "namedex");
    EXPECT_TRUE(c.state().EntryRs->eof());
}

TEST(TomeOutput, AnEmptyCompendiumGetsTheHeadingsOnly) {
    test::TempCompendium c("Reach");
    PublishProgress progress;
    TomeOutput(c.state(), progress);

    const QString palm = c.state().PalmDir();
    EXPECT_EQ(test::ReadAll(palm + "Tavri-TR.txt"), Crlf({"<new>", "Campaign Tavri"}));
    EXPECT_EQ(test::ReadAll(palm + "PR-Tavri.pml"),
              Crlf({R"(\vTITLE="Reach"\v)", R"(\c)", R"(\x\BCONTENTS\B\x)", R"(\c)",
                    R"(\Q="contents")"}));
}

TEST(TomeOutput, MakesAMissingPalmFolderAndReplacesOlderFiles) {
    test::TempCompendium c("Reach");
    c.add({"Bran", "Crows", "", "Seer", QString()});
    const QString palm = c.state().PalmDir();
    ASSERT_TRUE(QDir(palm).removeRecursively());
    PublishProgress progress;
    TomeOutput(c.state(), progress);
    EXPECT_EQ(test::ReadAll(palm + "Tavri-TR.txt"),
              Crlf({"<new>", "Campaign Tavri", "<new>", "Bran", "Race/Location: Crows",
                    "Date: ", "Seer"}));

    // A second run over a longer file leaves nothing of it behind.
    test::WriteAll(palm + "PR-Tavri.pml", QByteArray(4096, '~'));
    TomeOutput(c.state(), progress);
    EXPECT_EQ(test::ReadAll(palm + "PR-Tavri.pml"),
              Crlf({R"(\vTITLE="Reach"\v)", R"(\c)", R"(\x\BCONTENTS\B\x)", R"(\c)",
                    R"(\Q="contents")", R"(\q="#Bran"\BBran\B\q)", R"(\c)", R"(\x\BBran\B\x)",
                    R"(\c)", R"(\Q="Bran")", "Race/Location: Crows", "Date: ", "", "Seer", "",
                    R"(\q="#contents"\BContents\B\q)"}));
}

TEST(TomeOutput, AFileThatCannotBeMadeIsNamedInTheError) {
    test::TempCompendium c("Reach");
    c.add({"Bran", "Crows", "", "Seer", QString()});
    const QString palm = c.state().PalmDir();
    ASSERT_TRUE(QDir().mkpath(palm + "PR-Tavri.pml"));  // a folder in the file's way
    PublishProgress progress;
    try {
        TomeOutput(c.state(), progress);
        FAIL() << "no error for a file that cannot be made";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(palm + "PR-Tavri.pml")) << e.message().toStdString();
    }

    // The palm folder itself blocked by a file: the error names the folder.
    ASSERT_TRUE(QDir(palm).removeRecursively());
    test::WriteAll(c.state().ReportsDir() + "palm", "not a folder");
    try {
        TomeOutput(c.state(), progress);
        FAIL() << "no error for a palm folder that cannot be made";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(c.state().ReportsDir() + "palm"))
            << e.message().toStdString();
    }
}

// Every contents line of PR-Tavri.pml must reach its own chapter: the anchors of the contents
// lines, in order, are the chapters' targets, and no two are alike.
TEST(TomeOutput, EveryContentsLineLinksToAnAnchorOfItsOwn) {
    const std::vector<std::vector<QString>> cases = {
        {"Al-Bar", "AlBar", "Al Bar", "AlBar2", "AlBar3"},  // alike in letters and digits
        {u"\u674E"_qs, u"\u9F8D"_qs, "!", "2"},             // no Latin letter or digit
    };
    for (const auto& names : cases) {
        test::TempCompendium c("Reach");
        for (const QString& name : names) {
            c.add({name, "Here", "", "Someone", QString()});
        }
        PublishProgress progress;
        TomeOutput(c.state(), progress);
        QStringList links;
        QStringList targets;
        for (const QByteArray& line :
             test::ReadAll(c.state().PalmDir() + "PR-Tavri.pml").split('\n')) {
            if (line.startsWith("\\q=\"#") && !line.startsWith("\\q=\"#contents\"")) {
                links << QString::fromLatin1(line.mid(5, line.indexOf('"', 5) - 5));
            } else if (line.startsWith("\\Q=\"") && !line.startsWith("\\Q=\"contents\"")) {
                targets << QString::fromLatin1(line.mid(4, line.indexOf('"', 4) - 4));
            }
        }
        EXPECT_EQ(links.size(), static_cast<qsizetype>(names.size()));
        EXPECT_EQ(links, targets);
        EXPECT_EQ(QSet<QString>(links.begin(), links.end()).size(), links.size())
            << links.join(' ').toStdString();
        EXPECT_FALSE(links.contains(QString()));
    }
}
