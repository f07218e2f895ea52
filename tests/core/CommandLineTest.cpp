// tavri-cli run as a user runs it: arguments -> exit status, standard output and error, and the
// files and flags it leaves; and the desktop program's --version and --help.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include "app/NewCompendium.h"
#include "app/ProgramHelp.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::WriteAll;

// A compendium of three entries (ids 1 to 3; Zed and Bo changed) and an empty folder beside it.
struct World {
    World() {
        c.add({"Zed", "Orc", "12", "Green", "Notes", true});
        c.add({"amy", "Elf", "", u"Caf\u00E9"_qs, "", false});
        c.add({"Bo", "orc", "3", "Small", "More\r\nnotes", true});
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

// The names of the entries marked as changed, in id order, joined by commas.
QString ChangedNames(const QString& dir) {
    QStringList names;
    auto state = AppState::Open(dir);
    Recordset& rs = *state->EntryRs;
    rs.setIndex(u"id");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (rs.field(u"changed").toBool()) {
            names << rs.text(u"name");
        }
    }
    return names.join(',');
}

// The text exactly, where "[...]" in the pattern stands for any text.
bool Matches(const QString& text, const QString& pattern) {
    const QStringList parts = pattern.split("[...]");
    if (parts.size() == 1) {
        return text == pattern;
    }
    qsizetype at = parts.front().size();
    for (qsizetype i = 1; i + 1 < parts.size() && at >= 0; ++i) {
        at = text.indexOf(parts[i], at);
        at = at < 0 ? at : at + parts[i].size();
    }
    return text.startsWith(parts.front()) && at >= 0 && text.size() - parts.back().size() >= at &&
           text.endsWith(parts.back());
}

void Edit(Recordset& rs, QStringView field, const QVariant& value) {
    rs.edit();
    rs.setField(field, value);
    rs.update();
}

// What some rows do before the command runs.
void Prepare(const QString& step, World& w) {
    Recordset& options = *w.c.state().OptionsRs;
    if (step == "old G3 page, Bo published") {
        QDir().mkpath(w.reports());
        WriteAll(w.reports() + "G3.htm", "old page");
        w.c.state().EntryRs->setIndex(u"id");
        w.c.state().EntryRs->seek(u"=", 3);
        Edit(*w.c.state().EntryRs, u"changed", false);
    } else if (step == "a folder where g-B.htm goes") {
        QDir().mkpath(w.reports() + "g-B.htm");
    } else if (step == "no framebase.txt") {
        QFile::remove(w.c.dir() + "framebase.txt");
    } else if (step.startsWith("options")) {
        Edit(options, u"linkcolour", "#abc");
        Edit(options, u"nameH", "bg");
    } else if (step == "good.csv") {
        WriteAll(
            w.tmp.path() + "/good.csv",
            "ID,Name,Race,Date,Desc,Notes\r\n1,A name well over the limit of 25,Elf,1,d,n\r\n");
    } else if (step == "partial.csv") {
        WriteAll(w.tmp.path() + "/partial.csv", "1,Ann,Elf,1,d,n\r\n2,Bob\r\n");
    } else if (step == "a broken link") {
        w.c.add({"Eve", "Elf", "", "", "<a href=\"G99.htm\">x</a>", false});
    } else if (step == "a style sheet of the user's") {
        QDir().mkpath(w.tmp.path() + "/Reports");
        WriteAll(w.tmp.path() + "/Reports/TavriStyle.css", "h1 { color: red }\n");
    }
}

// What some rows check afterwards beyond the output, the flags and the files.
void Check(const QString& step, World& w) {
    if (step == "options set") {
        const char16_t* fields[] = {u"campaign", u"nameH", u"inkcolour", u"linkcolour"};
        const char* values[] = {"New Name", "bg", " #123 ", "#abc"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(w.c.state().OptionsRs->text(fields[i]), values[i]);
        }
    } else if (step == "a style sheet of the user's") {
        auto state = AppState::Open(w.tmp.path() + "/");
        state->EntryRs->moveFirst();
        EXPECT_TRUE(state->EntryRs->eof());
        EXPECT_EQ(state->OptionsRs->text(u"campaign"), "New Campaign");
        for (QStringView f : {u"nameH", u"inkcolour", u"linkcolour"}) {
            EXPECT_EQ(state->OptionsRs->text(f), "");
        }
        EXPECT_EQ(state->OptionsRs->field(u"bookmark").toLongLong(), 0);
    } else if (step == "the demo world") {
        // Every entry has a date (the editor refuses one without), some are changed, some have
        // bold notes, and every link in the notes points at an entry with a page.
        auto state = AppState::Open(w.tmp.path() + "/c/");
        QSet<qint64> pages;
        QList<qint64> targets;
        int entries = 0, changed = 0, bold = 0;
        static const QRegularExpression link("<a href=\"G(\\d+)\\.htm\">");
        Recordset& rs = *state->EntryRs;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++entries) {
            const QString notes = rs.text(u"details");
            if (!notes.isEmpty()) {
                pages << rs.field(u"id").toLongLong();
            }
            changed += rs.field(u"changed").toBool() ? 1 : 0;
            bold += notes.contains("<b>") ? 1 : 0;
            EXPECT_FALSE(rs.text(u"date").trimmed().isEmpty()) << rs.text(u"name").toStdString();
            for (auto it = link.globalMatch(notes); it.hasNext();) {
                targets << it.next().captured(1).toLongLong();
            }
        }
        EXPECT_GE(entries, 35);
        EXPECT_GT(pages.size(), entries / 2);
        EXPECT_LT(pages.size(), entries);
        EXPECT_GT(changed, 0);
        EXPECT_GT(bold, 0);
        ASSERT_FALSE(targets.isEmpty());
        for (qint64 target : targets) {
            EXPECT_TRUE(pages.contains(target)) << "a demo link points at no page: " << target;
        }
    }
}

const QString kUsage = "tavri-cli: %1\nRun tavri-cli --help for the commands.\n";
const QString kHelpFacts =
    "[...]tavri.ini in $XDG_CONFIG_HOME, else in ~/.config[...]dbloc=FOLDER[...]"
    "tavri.db, framebase.txt and Reports/[...]";
const QString kSite =
    "gindex.htm|gcontents.htm|gcontentsl.htm|gtop.htm|g-Z.htm|g-ORC.htm|G1.htm|G3.htm|"
    "palm/Tavri-TR.txt|palm/PageTavri.rtf";
const QString kPublished = "Published the web site in {reports}\n";

struct Row {
    const char* step;  // see Prepare and Check; otherwise what the row is about
    QString args;      // separated by "|"; {dir}, {reports} and {tmp} stand for the folders
    int status;
    QString out;
    QString err;
    QString changed;  // the names still marked as changed afterwards
    QString files;    // "|"-separated: PATH exists, PATH=PATTERN matches, PATH!TEXT lacks TEXT
};

const Row kRows[] = {
    {"publish keeping the flags", "publish|{dir}|--keep-changes", 0, kPublished, "", "Zed,Bo",
     kSite},
    {"publish clearing the flags", "publish|{dir}", 0, kPublished, "", "", kSite},
    {"old G3 page, Bo published", "publish|{dir}|--changed", 0, kPublished, "", "",
     "G3.htm=old page|G1.htm=[...]Zed[...]|g-B.htm=[...]<a href=\"G3.htm\">Bo</a>[...]"},
    {"a folder where g-B.htm goes", "publish|{dir}", 1, "", "[...]{reports}g-B.htm[...]", "Zed,Bo",
     "g-A.htm"},
    {"no framebase.txt", "publish|{dir}", 1, "", "framebase.txt was not found in {dir}.\n",
     "Zed,Bo", ""},
    {"alpha", "alpha|{dir}", 0, "Published the alphabetical site in {reports}\n", "", "",
     "glettersdates.htm|temp.htm"},
    {"rtf", "rtf|{dir}", 0, "RTF Written\n", "", "Zed,Bo", "palm/RegionTavri-Orc.rtf"},
    {"list", "list|{dir}", 0,
     u"\tamy\tElf\t\tCaf\u00E9\t2\n*\tBo\torc\t3\tSmall\t3\n*\tZed\tOrc\t12\tGreen\t1\n"_qs, "",
     "Zed,Bo", ""},
    {"list of race/location", "list|{dir}|--match| CAFÉ |--race-only", 0, "", "", "Zed,Bo", ""},
    {"list unchanged", "list|{dir}|--unchanged", 0, u"\tamy\tElf\t\tCaf\u00E9\t2\n"_qs, "",
     "Zed,Bo", ""},
    {"list changed", "list|{dir}|--match=orc|--changed", 0,
     "*\tBo\torc\t3\tSmall\t3\n*\tZed\tOrc\t12\tGreen\t1\n", "", "Zed,Bo", ""},
    {"report", "report|{dir}|--match| orc ", 0, "Report written to {reports}AdHoc.htm\n", "",
     "Zed,Bo",
     "AdHoc.htm=[...]<h1>Query on  orc </h1>\r\n[...]<b>Name: </b>Bo<br>[...]<b>Name: "
     "</b>Zed<br>[...]|AdHoc.htm!amy"},
    {"options set", "options|{dir}|--ink| #123 |--link||--campaign|New Name", 0, "", "", "Zed,Bo",
     ""},
    {"options printed", "options|{dir}", 0,
     "Tavri Name: Cli World\nBackground Colour: bg\nInk Colour: \nLink Colour: #abc\n", "",
     "Zed,Bo", ""},
    {"good.csv", "upload-csv|{dir}|{tmp}good.csv", 0,
     "File successfully uploaded, 1 records added\n1 name was cut to 25 characters.\n",
     "Truncation: A name well over the limi\n", "Zed,Bo,A name well over the limi",
     "{tmp}TavriUploadLog.txt=Truncation: A name well over the limi\r\nA name well over the "
     "limi uploaded OK\r\n"},
    {"partial.csv", "upload-csv|{dir}|{tmp}partial.csv", 1, "",
     "The file ends in the middle of the record that begins on line 2: it has 2 of its 6 values, "
     "so it was not added.\nFile uploaded, 1 records added\n",
     "Zed,Bo,Ann", ""},
    {"a missing file", "upload-csv|{dir}|{tmp}missing.csv", 1, "", "[...]{tmp}missing.csv[...]",
     "Zed,Bo", ""},
    {"no file", "upload-csv|{dir}", 2, "",
     kUsage.arg("upload-csv takes a folder and a file: tavri-cli upload-csv DIR FILE"), "Zed,Bo",
     ""},
    {"a broken link", "site|{dir}", 0,
     "Wrote the web site in {reports}site/: [...] pages for 4 entries, [...] files changed.\n"
     "Open {reports}site/index.html\nLink to a missing entry, kept as text: G99.htm in the notes "
     "of \"Eve\" (id 4)\n",
     "", "Zed,Bo", "site/index.html|site/entry-4.html"},
    {"site elsewhere", "site|{dir}|--out|{tmp}s/|--lang|de-CH", 0,
     "Wrote the web site in {tmp}s/: [...]", "", "Zed,Bo", "{tmp}s/index.html=[...]\"de-CH\"[...]"},
    {"site in a wrong language", "site|{dir}|--lang|x_y", 2, "",
     kUsage.arg("--lang takes a language tag such as en or de-CH"), "Zed,Bo", ""},
    {"a broken link", "epub|{dir}", 0,
     "Left out: Eve (id 4): link to G99.htm kept as text, no such entry\n"
     "Wrote the e-book {reports}palm/Tavri.epub (4 entries)\n",
     "", "Zed,Bo", "palm/Tavri.epub"},
    {"epub in a wrong language", "epub|{dir}|--lang|x y", 2, "",
     kUsage.arg("\"x y\" is not a language tag"), "Zed,Bo", ""},
    {"the demo world", "new|--demo|{tmp}c", 0, "Made a demo compendium in {tmp}c/\n", "", "Zed,Bo",
     "{tmp}c/framebase.txt={frame}|{tmp}c/Reports/TavriStyle.css={css}|{tmp}c/Reports/images|"
     "{tmp}c/Reports/palm"},
    {"a style sheet of the user's", "new|{tmp}", 0, "Made a new compendium in {tmp}\n", "",
     "Zed,Bo", "{tmp}Reports/TavriStyle.css=h1 { color: red }\n|{tmp}framebase.txt"},
    {"new over a compendium", "new|{dir}", 1, "", "[...]never written over[...]", "Zed,Bo", ""},
    {"new without a folder", "new", 2, "",
     kUsage.arg("new takes one folder: tavri-cli new [--demo] DIR"), "Zed,Bo", ""},
    {"a folder without a compendium", "list|{tmp}", 1, "", "[...]{tmp}tavri.db[...]", "Zed,Bo", ""},
    {"an unknown option", "publish|{dir}|--everything", 2, "",
     kUsage.arg("unknown option --everything"), "Zed,Bo", ""},
    {"both changed filters", "report|{dir}|--changed|--unchanged", 2, "",
     kUsage.arg("--changed and --unchanged exclude each other"), "Zed,Bo", ""},
    {"an option without its value", "list|{dir}|--match", 2, "",
     kUsage.arg("--match needs a value"), "Zed,Bo", ""},
    {"no folder", "publish", 2, "", kUsage.arg("give one data folder"), "Zed,Bo", ""},
    {"two folders", "alpha|{dir}|{tmp}", 2, "", kUsage.arg("give one data folder"), "Zed,Bo", ""},
    {"an unknown command", "publsh|{dir}", 2, "", kUsage.arg("unknown command \"publsh\""),
     "Zed,Bo", ""},
    {"no command", "", 2, "", "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]", "Zed,Bo",
     ""},
    {"--version", "--version", 0, "Campaign Tavri v2.52\n", "", "Zed,Bo", ""},
    {"--help", "--help", 0,
     "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]\n  epub [...]\n  new [...]\n  "
     "upload-csv [...]tavri-cli reads none: every command is given its folder DIR" +
         kHelpFacts,
     "", "Zed,Bo", ""},
    {"-h", "-h", 0, "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]", "", "Zed,Bo", ""},
};

TEST(CommandLine, StatusOutputFlagsAndFilesOfEachCommand) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.step + (": " + row.args.toStdString()));
        World w;
        Prepare(row.step, w);
        w.c.state().Close();
        const QStringList args = row.args.isEmpty() ? QStringList() : w.expand(row.args).split('|');
        QProcess p;
        p.start(QStringLiteral(TAVRI_CLI_PATH), args);
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(120000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), row.status) << err.toStdString();
        EXPECT_TRUE(Matches(out, w.expand(row.out))) << out.toStdString();
        EXPECT_TRUE(Matches(err, w.expand(row.err))) << err.toStdString();
        EXPECT_EQ(ChangedNames(w.c.dir()), row.changed);
        for (const QString& file : row.files.split('|', Qt::SkipEmptyParts)) {
            const qsizetype split = file.indexOf(QRegularExpression("[=!]"));
            QString path = w.expand(file.left(split));
            path = path.startsWith('/') ? path : w.reports() + path;
            EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
            const QString text = split > 0 ? QString::fromUtf8(ReadAll(path)) : QString();
            if (split > 0 && file[split] == '=') {
                EXPECT_TRUE(Matches(text, w.expand(file.mid(split + 1)))) << path.toStdString();
            } else if (split > 0) {
                EXPECT_FALSE(text.contains(file.mid(split + 1))) << path.toStdString();
            }
        }
        w.c.reopen();
        Check(row.step, w);
    }
}

TEST(CommandLine, EveryCommandHasItsHelp) {
    for (const char* command : {"publish", "alpha", "site", "rtf", "report", "list", "options",
                                "new", "upload-csv", "epub"}) {
        QProcess p;
        p.start(QStringLiteral(TAVRI_CLI_PATH), {command, "--help"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << command;
        EXPECT_TRUE(p.readAllStandardOutput().startsWith(QByteArray("Usage: tavri-cli ") + command))
            << command;
    }
}

// The desktop program answers --version and --help before any window exists; any other first
// argument is part of the folder's name.
TEST(CommandLine, TheDesktopProgramsInformationOptions) {
    const struct {
        const char* argument;
        QString pattern;  // empty: no answer
    } rows[] = {
        {"--version", "Campaign Tavri v2.52\n"},
        {"--help",
         "Campaign Tavri v2.52\nUsage: tavri [FOLDER]\n[...]\nall arguments joined by "
         "blanks are the folder's name[...]tavri.ini in $XDG_CONFIG_HOME, else in "
         "~/.config[...]dbloc=FOLDER[...]else ~/.local/share/tavri/[...]tavri.db, framebase.txt "
         "and Reports/[...]"},
        {"-h", "Campaign Tavri v2.52\nUsage: tavri [FOLDER]\n[...]"},
        {"/srv/campaign", ""},
        {"--versions", ""},
        {"-help", ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        const std::optional<QString> text = DesktopInformationText(row.argument);
        EXPECT_EQ(text.has_value(), !row.pattern.isEmpty()) << row.argument;
        EXPECT_TRUE(!text || Matches(*text, row.pattern)) << text->toStdString();
    }
}

}  // namespace
}  // namespace tavri
