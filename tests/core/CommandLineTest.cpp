// tavri-cli run as a user runs it: arguments -> exit status, standard output and error, and the
// files and flags it leaves; and the desktop program's --version and --help.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "app/NewCompendium.h"
#include "app/ProgramHelp.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using namespace test;

// A compendium of three entries (ids 1 to 3; Zed and Bo changed) and a folder beside it with two
// CSV files and a style sheet.
struct World {
    World() {
        c.add({"Zed", "Orc", "12", "Green", "Notes", true});
        c.add({"amy", "Elf", "", u"Caf\u00E9"_qs, "", false});
        c.add({"Bo", "orc", "3", "Small", "More\r\nnotes", true});
        WriteAll(tmp.path() + "/good.csv", "1,A name well over the limit of 25,Elf,1,d,n\r\n");
        WriteAll(tmp.path() + "/partial.csv", "1,Ann,Elf,1,d,n\r\n2,Bob\r\n");
        QDir().mkpath(tmp.path() + "/Reports");  // a style sheet of the user's where new goes
        WriteAll(tmp.path() + "/Reports/TavriStyle.css", "h1 { color: red }\n");
    }
    QString expand(QString s) const {
        return s.replace("{reports}", reports())
            .replace("{dir}", c.dir())
            .replace("{tmp}", tmp.path() + "/")
            .replace("{frame}", DefaultFrameTemplate())
            .replace("{css}", DefaultStyleSheet());
    }
    QString reports() const { return c.dir() + "Reports/"; }
    test::TempCompendium c{QStringLiteral("Cli World")};
    QTemporaryDir tmp;
};

// The text exactly, where "[...]" in the pattern stands for any text.
bool Matches(const QString& text, const QString& pattern) {
    const QString re = QRegularExpression::escape(pattern).replace(R"(\[\.\.\.\])", ".*");
    return QRegularExpression("(?s)\\A(?:" + re + ")\\z").match(text).hasMatch();
}

// What some rows do before the command runs.
void Prepare(const QString& step, World& w) {
    Recordset& entries = *w.c.state().EntryRs;
    Recordset& options = *w.c.state().OptionsRs;
    if (step == "old G3 page, Bo published") {
        QDir().mkpath(w.reports());
        WriteAll(w.reports() + "G3.htm", "old page");
        entries.setIndex(u"id");
        entries.seek(u"=", 3);
        entries.edit();
        entries.setField(u"changed", false);
        entries.update();
    } else if (step == "a folder where g-B.htm goes") {
        QDir().mkpath(w.reports() + "g-B.htm");
    } else if (step == "no framebase.txt") {
        QFile::remove(w.c.dir() + "framebase.txt");
    } else if (step.startsWith("options")) {
        options.edit();
        options.setField(u"linkcolour", "#abc");
        options.setField(u"nameH", "bg");
        options.update();
    } else if (step == "a broken link") {
        w.c.add({"Eve", "Elf", "", "", "<a href=\"G99.htm\">x</a>", false});
    }
}

const QString kSite =
    "gindex.htm|gcontents.htm|gcontentsl.htm|gtop.htm|g-Z.htm|g-ORC.htm|G1.htm|G3.htm|"
    "palm/Tavri-TR.txt|palm/PageTavri.rtf";
const QString kPublished = "Published the web site in {reports}\n";

struct Row {
    const char* step;  // see Prepare; otherwise what the row is about
    QString args;  // separated by "|", commands run one after the other by "&&"; {dir}, {reports}
                   // and {tmp} stand for the folders
    int status;    // the last command's
    QString out = {}, err = {};
    QString files = {};          // "|"-separated: PATH exists, PATH=PATTERN matches
    QString changed = "Bo,Zed";  // the names still marked as changed afterwards
};

const Row kRows[] = {
    {"publish keeping the flags", "publish|{dir}|--keep-changes", 0, kPublished, "", kSite},
    {"publish clearing the flags", "publish|{dir}", 0, kPublished, "", kSite, ""},
    {"old G3 page, Bo published", "publish|{dir}|--changed", 0, kPublished, "",
     "G3.htm=old page|G1.htm=[...]Zed[...]|g-B.htm=[...]<a href=\"G3.htm\">Bo</a>[...]", ""},
    {"a folder where g-B.htm goes", "publish|{dir}", 1, "", "[...]{reports}g-B.htm[...]",
     "g-A.htm"},
    {"no framebase.txt", "publish|{dir}", 1, "", "framebase.txt was not found in {dir}.\n"},
    {"alpha", "alpha|{dir}", 0, "Published the alphabetical site in {reports}\n", "",
     "glettersdates.htm|temp.htm", ""},
    {"rtf", "rtf|{dir}", 0, "RTF Written\n", "", "palm/RegionTavri-Orc.rtf"},
    {"list", "list|{dir}", 0,
     u"\tamy\tElf\t\tCaf\u00E9\t2\n*\tBo\torc\t3\tSmall\t3\n*\tZed\tOrc\t12\tGreen\t1\n"_qs},
    {"list of race/location", "list|{dir}|--match| CAFÉ |--race-only", 0},
    {"list unchanged", "list|{dir}|--unchanged", 0, u"\tamy\tElf\t\tCaf\u00E9\t2\n"_qs},
    {"list changed", "list|{dir}|--match=orc|--changed", 0,
     "*\tBo\torc\t3\tSmall\t3\n*\tZed\tOrc\t12\tGreen\t1\n"},
    {"report", "report|{dir}|--match| orc ", 0, "Report written to {reports}AdHoc.htm\n", "",
     "AdHoc.htm=[...]<h1>Query on  orc </h1>\r\n<table width=\"100%\"><tr><td>\r\n<b>Name: "
     "</b>Bo<br>[...]<b>Name: </b>Zed<br>[...]"},
    {"options set and printed",
     "options|{dir}|--ink| #123 |--link||--campaign|New Name&&options|{dir}", 0,
     "Tavri Name: New Name\nBackground Colour: bg\nInk Colour:  #123 \nLink Colour: #abc\n"},
    {"good.csv", "upload-csv|{dir}|{tmp}good.csv", 0,
     "File successfully uploaded, 1 records added\n1 name was cut to 25 characters.\n",
     "Truncation: A name well over the limi\n", "{tmp}TavriUploadLog.txt",
     "A name well over the limi,Bo,Zed"},
    {"partial.csv", "upload-csv|{dir}|{tmp}partial.csv", 1, "",
     "The file ends in the middle of [...]\nFile uploaded, 1 records added\n", "", "Ann,Bo,Zed"},
    {"a missing file", "upload-csv|{dir}|{tmp}missing.csv", 1, "", "[...]{tmp}missing.csv[...]"},
    {"a broken link", "site|{dir}", 0,
     "Wrote the web site in {reports}site/: [...] pages for 4 entries, [...] files changed.\n"
     "Open {reports}site/index.html\nLink to a missing entry, kept as text: G99.htm in the notes "
     "of \"Eve\" (id 4)\n",
     "", "site/index.html|site/entry-4.html"},
    {"site elsewhere", "site|{dir}|--out|{tmp}s/|--lang|de-CH", 0,
     "Wrote the web site in {tmp}s/: [...]", "", "{tmp}s/index.html=[...]\"de-CH\"[...]"},
    {"a broken link", "epub|{dir}", 0,
     "Left out: Eve (id 4): link to G99.htm kept as text, no such entry\n"
     "Wrote the e-book {reports}palm/Tavri.epub (4 entries)\n",
     "", "palm/Tavri.epub"},
    {"the demo world", "new|--demo|{tmp}c", 0, "Made a demo compendium in {tmp}c/\n", "",
     "{tmp}c/framebase.txt={frame}|{tmp}c/Reports/TavriStyle.css={css}|{tmp}c/Reports/images|"
     "{tmp}c/Reports/palm"},
    {"a style sheet of the user's", "new|{tmp}&&list|{tmp}", 0, "Made a new compendium in {tmp}\n",
     "", "{tmp}Reports/TavriStyle.css=h1 { color: red }\n|{tmp}framebase.txt|{tmp}tavri.db"},
    {"new over a compendium", "new|{dir}", 1, "", "[...]never written over[...]"},
    {"a folder without a compendium", "list|{tmp}", 1, "", "[...]{tmp}tavri.db[...]"},
    {"no command", "", 2, "", "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]"},
    {"--version", "--version", 0, "Campaign Tavri v2.52\n"},
    {"-h", "-h", 0, "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]"},
    {"--help", "--help", 0,
     "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]\n  epub [...]\n  new [...]\n  "
     "upload-csv [...]tavri-cli reads none: every command is given its folder DIR[...]tavri.ini in "
     "$XDG_CONFIG_HOME, else in ~/.config[...]dbloc=FOLDER[...]tavri.db, framebase.txt and "
     "Reports/[...]"},
};

// Usage errors: status 2, nothing on standard output, the reason and where to find help on
// standard error.
const std::pair<const char*, const char*> kUsageErrors[] = {
    {"upload-csv|{dir}", "upload-csv takes a folder and a file: tavri-cli upload-csv DIR FILE"},
    {"site|{dir}|--lang|x_y", "--lang takes a language tag such as en or de-CH"},
    {"epub|{dir}|--lang|x y", "\"x y\" is not a language tag"},
    {"new", "new takes one folder: tavri-cli new [--demo] DIR"},
    {"publish|{dir}|--everything", "unknown option --everything"},
    {"report|{dir}|--changed|--unchanged", "--changed and --unchanged exclude each other"},
    {"list|{dir}|--match", "--match needs a value"},
    {"publish", "give one data folder"},
    {"alpha|{dir}|{tmp}", "give one data folder"},
    {"publsh|{dir}", "unknown command \"publsh\""},
};

TEST(CommandLine, StatusOutputFlagsAndFilesOfEachCommand) {
    std::vector<Row> rows(std::begin(kRows), std::end(kRows));
    for (const auto& [args, reason] : kUsageErrors) {
        rows.push_back(
            {"a usage error", args, 2, "",
             QString("tavri-cli: %1\nRun tavri-cli --help for the commands.\n").arg(reason)});
    }
    for (const char* command : {"publish", "alpha", "site", "rtf", "report", "list", "options",
                                "new", "upload-csv", "epub"}) {
        rows.push_back({"help", command + QString("|--help"), 0,
                        "Usage: tavri-cli " + QString(command) + " [...]"});
    }
    const ListFilter changed{"", false, ChangedFilter::Changed, ""};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step + (": " + row.args.toStdString()));
        World w;
        Prepare(row.step, w);
        w.c.state().Close();
        Ran ran{0, "", ""};
        for (const QString& command : w.expand(row.args).split("&&")) {
            const Ran next = RunCli(command.isEmpty() ? QStringList() : command.split('|'));
            ran = {next.status, ran.out + next.out, ran.err + next.err};
        }
        EXPECT_EQ(ran.status, row.status) << ran.err.toStdString();
        EXPECT_TRUE(Matches(ran.out, w.expand(row.out))) << ran.out.toStdString();
        EXPECT_TRUE(Matches(ran.err, w.expand(row.err))) << ran.err.toStdString();
        for (const QString& file : row.files.split('|', Qt::SkipEmptyParts)) {
            QString path = w.expand(file.section('=', 0, 0));
            path = path.startsWith('/') ? path : w.reports() + path;
            EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
            if (file.contains('=')) {
                EXPECT_TRUE(
                    Matches(QString::fromUtf8(ReadAll(path)), w.expand(file.section('=', 1))))
                    << path.toStdString();
            }
        }
        w.c.reopen();
        EXPECT_EQ(ListedNames(w.c.state(), changed), row.changed);
    }
}

// The desktop program answers --version and --help before any window exists; any other first
// argument is part of the folder's name.
TEST(CommandLine, TheDesktopProgramsInformationOptions) {
    EXPECT_EQ(DesktopInformationText("--version"), "Campaign Tavri v2.52\n");
    for (const char* help : {"--help", "-h"}) {
        EXPECT_TRUE(Matches(DesktopInformationText(help).value_or(""),
                            "Campaign Tavri v2.52\nUsage: tavri [FOLDER]\n[...]\nall arguments "
                            "joined by blanks are the folder's name[...]tavri.ini in "
                            "$XDG_CONFIG_HOME, else in ~/.config[...]dbloc=FOLDER[...]else "
                            "~/.local/share/tavri/[...]tavri.db, framebase.txt and Reports/[...]"))
            << help;
    }
    for (const char* other : {"/srv/campaign", "--versions", "-help", ""}) {
        EXPECT_FALSE(DesktopInformationText(other)) << other;
    }
}

}  // namespace
}  // namespace tavri
