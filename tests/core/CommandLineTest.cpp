// tavri-cli run as a user runs it: arguments -> exit status, standard output and error, and the
// files and flags it leaves; and the desktop program's --version and --help.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <functional>

#include "app/EntryList.h"
#include "app/NewCompendium.h"
#include "app/ProgramHelp.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::WriteAll;

// A compendium of three entries (ids 1 to 3; 1 and 3 changed) and an empty folder beside it.
struct World {
    World() {
        c.add({"Zed", "Orc", "12", "Green", "Notes", true});
        c.add({"amy", "Elf", "", u"Caf\u00E9"_qs, "", false});
        c.add({"Bo", "orc", "3", "Small", "More\r\nnotes", true});
    }
    QString expand(QString s) const {
        return s.replace("{reports}", c.dir() + "Reports/")
            .replace("{dir}", c.dir())
            .replace("{tmp}", tmp.path() + "/");
    }
    QString reports() const { return c.dir() + "Reports/"; }
    test::TempCompendium c{QStringLiteral("Cli World")};
    QTemporaryDir tmp;
};

// Each entry as "name|race/location|date|desc|notes|changed", in id order.
QStringList Entries(const QString& dir) {
    QStringList out;
    auto state = AppState::Open(dir);
    Recordset& rs = *state->EntryRs;
    rs.setIndex(u"id");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (QStringView f : {u"name", u"race-location", u"date", u"desc", u"details"}) {
            cells << rs.text(f);
        }
        out << cells.join('|') + (rs.field(u"changed").toBool() ? "|changed" : "|");
    }
    return out;
}
QStringList ChangedNames(const QString& dir) {
    QStringList names;
    for (const QString& e : Entries(dir)) {
        if (e.endsWith("|changed")) {
            names << e.section('|', 0, 0);
        }
    }
    return names;
}

// The text exactly, where "[...]" in the pattern stands for any text.
bool Matches(const QString& text, const QString& pattern) {
    const QStringList parts = pattern.split("[...]");
    if (parts.size() == 1) {
        return text == pattern;
    }
    if (!text.startsWith(parts.front())) {
        return false;
    }
    qsizetype at = parts.front().size();
    for (qsizetype i = 1; i + 1 < parts.size(); ++i) {
        at = text.indexOf(parts[i], at);
        if (at < 0) {
            return false;
        }
        at += parts[i].size();
    }
    return text.size() - parts.back().size() >= at && text.endsWith(parts.back());
}

const QString kUsage = "tavri-cli: %1\nRun tavri-cli --help for the commands.\n";
const QString kHelpFacts =
    "[...]tavri.ini in $XDG_CONFIG_HOME, else in ~/.config[...]dbloc=FOLDER[...]"
    "tavri.db, framebase.txt and Reports/[...]";

struct Row {
    const char* what;
    QStringList args;  // {dir}, {reports} and {tmp} stand for the world's folders
    int status;
    QString out;
    QString err;
    std::function<void(World&)> prepare = nullptr;
    std::function<void(World&)> check = nullptr;
};

void ClearFlag(World& w, qint64 id) {
    Recordset& rs = *w.c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", id);
    rs.edit();
    rs.setField(u"changed", false);
    rs.update();
}

const QStringList kBothFlags{"Zed", "Bo"};
const QStringList kSitePages{"gindex.htm",        "gcontents.htm",   "gcontentsl.htm",
                             "gtop.htm",          "g-Z.htm",         "g-ORC.htm",
                             "G1.htm",            "G3.htm",          "palm/Tavri-TR.txt",
                             "palm/PageTavri.rtf"};

void ExpectFiles(const World& w, const QStringList& files) {
    for (const QString& f : files) {
        EXPECT_TRUE(QFileInfo::exists(w.reports() + f)) << f.toStdString();
    }
}

const Row kRows[] = {
    {"publish keeping the flags", {"publish", "{dir}", "--keep-changes"}, 0,
     "Published the web site in {reports}\n", "", nullptr,
     [](World& w) {
         ExpectFiles(w, kSitePages);
         EXPECT_EQ(ChangedNames(w.c.dir()), kBothFlags);
     }},
    {"publish clears the flags", {"publish", "{dir}"}, 0, "Published the web site in {reports}\n",
     "", nullptr,
     [](World& w) {
         ExpectFiles(w, kSitePages);
         EXPECT_EQ(ChangedNames(w.c.dir()), QStringList{});
     }},
    {"publish changed rewrites only changed entries' pages", {"publish", "{dir}", "--changed"}, 0,
     "Published the web site in {reports}\n", "",
     [](World& w) {
         QDir().mkpath(w.reports());
         WriteAll(w.reports() + "G3.htm", "old page");
         ClearFlag(w, 3);
     },
     [](World& w) {
         EXPECT_EQ(ReadAll(w.reports() + "G3.htm"), "old page");
         EXPECT_TRUE(ReadAll(w.reports() + "G1.htm").contains("Zed"));
         EXPECT_TRUE(ReadAll(w.reports() + "g-B.htm").contains("<a href=\"G3.htm\">Bo</a>"));
         EXPECT_EQ(ChangedNames(w.c.dir()), QStringList{});
     }},
    {"a failed publication says why and clears no flag", {"publish", "{dir}"}, 1, "",
     "[...]{reports}g-B.htm[...]", [](World& w) { QDir().mkpath(w.reports() + "g-B.htm"); },
     [](World& w) {
         ExpectFiles(w, {"g-A.htm"});
         EXPECT_EQ(ChangedNames(w.c.dir()), kBothFlags);
     }},
    {"publish without framebase.txt", {"publish", "{dir}"}, 1, "",
     "framebase.txt was not found in {dir}.\n",
     [](World& w) { QFile::remove(w.c.dir() + "framebase.txt"); },
     [](World& w) { EXPECT_EQ(ChangedNames(w.c.dir()), kBothFlags); }},
    {"alpha always clears the flags", {"alpha", "{dir}"}, 0,
     "Published the alphabetical site in {reports}\n", "", nullptr,
     [](World& w) {
         ExpectFiles(w, {"glettersdates.htm", "temp.htm"});
         EXPECT_EQ(ChangedNames(w.c.dir()), QStringList{});
     }},
    {"rtf", {"rtf", "{dir}"}, 0, "RTF Written\n", "", nullptr,
     [](World& w) {
         ExpectFiles(w, {"palm/RegionTavri-Orc.rtf"});
         EXPECT_EQ(ChangedNames(w.c.dir()), kBothFlags);
     }},
    {"list", {"list", "{dir}"}, 0,
     u"\tamy\tElf\t\tCaf\u00E9\t2\n*\tBo\torc\t3\tSmall\t3\n*\tZed\tOrc\t12\tGreen\t1\n"_qs, ""},
    {"list under every filter", {"list", "{dir}", "--match", " ORC ", "--race-only", "--unchanged"},
     0, "", ""},
    {"list of changed entries", {"list", "{dir}", "--match=orc", "--changed"}, 0,
     "*\tBo\torc\t3\tSmall\t3\n*\tZed\tOrc\t12\tGreen\t1\n", ""},
    {"report under the untrimmed query", {"report", "{dir}", "--match", " orc "}, 0,
     "Report written to {reports}AdHoc.htm\n", "", nullptr,
     [](World& w) {
         const QByteArray page = ReadAll(w.reports() + "AdHoc.htm");
         EXPECT_TRUE(page.contains("<h1>Query on  orc </h1>\r\n"));
         const qsizetype bo = page.indexOf("<b>Name: </b>Bo<br>");
         EXPECT_GT(bo, 0);
         EXPECT_GT(page.indexOf("<b>Name: </b>Zed<br>"), bo);
         EXPECT_FALSE(page.contains("amy"));
     }},
    {"options sets given values as typed, an empty one keeps the old",
     {"options", "{dir}", "--ink", " #123 ", "--link", "", "--campaign", "New Name"}, 0, "", "",
     [](World& w) {
         Recordset& o = *w.c.state().OptionsRs;
         o.edit();
         o.setField(u"linkcolour", QStringLiteral("#abc"));
         o.update();
     },
     [](World& w) {
         w.c.reopen();
         Recordset& o = *w.c.state().OptionsRs;
         EXPECT_EQ(o.text(u"campaign"), "New Name");
         EXPECT_EQ(o.text(u"inkcolour"), " #123 ");
         EXPECT_EQ(o.text(u"linkcolour"), "#abc");
     }},
    {"options prints the values", {"options", "{dir}"}, 0,
     "Tavri Name: Cli World\nBackground Colour: bg\nInk Colour:  #1 \nLink Colour: \n", "",
     [](World& w) {
         Recordset& o = *w.c.state().OptionsRs;
         o.edit();
         o.setField(u"nameH", QStringLiteral("bg"));
         o.setField(u"inkcolour", QStringLiteral(" #1 "));
         o.update();
     }},
    {"upload-csv cuts a long name", {"upload-csv", "{dir}", "{tmp}good.csv"}, 0,
     "File successfully uploaded, 1 records added\n1 name was cut to 25 characters.\n",
     "Truncation: A name well over the limi\n",
     [](World& w) {
         WriteAll(w.tmp.path() + "/good.csv",
                  "ID,Name,Race,Date,Desc,Notes\r\n1,A name well over the limit of 25,Elf,1,d,n\r\n");
     },
     [](World& w) {
         EXPECT_EQ(ReadAll(w.tmp.path() + "/TavriUploadLog.txt"),
                   "Truncation: A name well over the limi\r\nA name well over the limi uploaded "
                   "OK\r\n");
         EXPECT_EQ(Entries(w.c.dir()).mid(3), QStringList{"A name well over the limi|Elf|1|d|n|changed"});
     }},
    {"upload-csv of a file cut short", {"upload-csv", "{dir}", "{tmp}partial.csv"}, 1, "",
     "The file ends in the middle of the record that begins on line 2: it has 2 of its 6 values, "
     "so it was not added.\nFile uploaded, 1 records added\n",
     [](World& w) { WriteAll(w.tmp.path() + "/partial.csv", "1,Ann,Elf,1,d,n\r\n2,Bob\r\n"); },
     [](World& w) { EXPECT_EQ(Entries(w.c.dir()).mid(3), QStringList{"Ann|Elf|1|d|n|changed"}); }},
    {"upload-csv of a missing file", {"upload-csv", "{dir}", "{tmp}missing.csv"}, 1, "",
     "[...]{tmp}missing.csv[...]", nullptr,
     [](World& w) { EXPECT_EQ(Entries(w.c.dir()).size(), 3); }},
    {"upload-csv without a file", {"upload-csv", "{dir}"}, 2, "",
     kUsage.arg("upload-csv takes a folder and a file: tavri-cli upload-csv DIR FILE")},
    {"site with a broken link", {"site", "{dir}"}, 0,
     "Wrote the web site in {reports}site/: [...] pages for 4 entries, [...] files changed.\n"
     "Open {reports}site/index.html\nLink to a missing entry, kept as text: G99.htm in the notes "
     "of \"Eve\" (id 4)\n",
     "", [](World& w) { w.c.add({"Eve", "Elf", "", "", "<a href=\"G99.htm\">x</a>", false}); },
     [](World& w) { ExpectFiles(w, {"site/index.html", "site/entry-4.html"}); }},
    {"site into another folder", {"site", "{dir}", "--out", "{tmp}s/", "--lang", "de-CH"}, 0,
     "Wrote the web site in {tmp}s/: [...]", "", nullptr,
     [](World& w) { EXPECT_TRUE(ReadAll(w.tmp.path() + "/s/index.html").contains("\"de-CH\"")); }},
    {"site with a wrong language", {"site", "{dir}", "--lang", "x_y"}, 2, "",
     kUsage.arg("--lang takes a language tag such as en or de-CH")},
    {"epub with a broken link", {"epub", "{dir}"}, 0,
     "Left out: Eve (id 4): link to G99.htm kept as text, no such entry\n"
     "Wrote the e-book {reports}palm/Tavri.epub (4 entries)\n",
     "", [](World& w) { w.c.add({"Eve", "Elf", "", "", "<a href=\"G99.htm\">x</a>", false}); },
     [](World& w) { ExpectFiles(w, {"palm/Tavri.epub"}); }},
    {"epub with a wrong language", {"epub", "{dir}", "--lang", "x y"}, 2, "",
     kUsage.arg("\"x y\" is not a language tag")},
    {"new with the demo world", {"new", "--demo", "{tmp}c"}, 0,
     "Made a demo compendium in {tmp}c/\n", "", nullptr,
     [](World& w) {
         const QString dir = w.tmp.path() + "/c/";
         EXPECT_EQ(ReadAll(dir + "framebase.txt"), DefaultFrameTemplate().toUtf8());
         EXPECT_TRUE(DefaultFrameTemplate().contains("name=\"gmain\""));
         EXPECT_EQ(ReadAll(dir + "Reports/TavriStyle.css"), DefaultStyleSheet().toUtf8());
         EXPECT_TRUE(QFileInfo(dir + "Reports/images").isDir());
         EXPECT_TRUE(QFileInfo(dir + "Reports/palm").isDir());
         // Every entry has a date (the editor refuses one without), some are changed, and
         // every link in the notes points at an entry with a page.
         const QStringList entries = Entries(dir);
         EXPECT_GE(entries.size(), 35);
         QStringList pages;
         for (const QString& e : entries) {
             EXPECT_FALSE(e.section('|', 2, 2).trimmed().isEmpty()) << e.toStdString();
         }
         auto state = AppState::Open(dir);
         const EntryListing listing = BuildEntryList(*state, ListFilter{});
         int links = 0;
         for (const ListRow& r : listing.rows) {
             state->EntryRs->setIndex(u"id");
             state->EntryRs->seek(u"=", r.id);
             static const QRegularExpression link("<a href=\"G(\\d+)\\.htm\">");
             for (auto it = link.globalMatch(state->EntryRs->text(u"details")); it.hasNext();) {
                 const qint64 target = it.next().captured(1).toLongLong();
                 const auto hit = std::find_if(listing.rows.begin(), listing.rows.end(),
                                               [&](const ListRow& t) { return t.id == target; });
                 ++links;
                 EXPECT_TRUE(hit != listing.rows.end() && hit->mark == "*") << target;
             }
         }
         EXPECT_GT(links, 0);
         EXPECT_GT(ChangedNames(dir).size(), 0);
         EXPECT_LT(std::count_if(listing.rows.begin(), listing.rows.end(),
                                 [](const ListRow& r) { return r.mark == "*"; }),
                   entries.size());
     }},
    {"new, empty, keeps a style sheet the user has", {"new", "{tmp}"}, 0,
     "Made a new compendium in {tmp}\n", "",
     [](World& w) {
         QDir().mkpath(w.tmp.path() + "/Reports");
         WriteAll(w.tmp.path() + "/Reports/TavriStyle.css", "h1 { color: red }\n");
     },
     [](World& w) {
         EXPECT_EQ(ReadAll(w.tmp.path() + "/Reports/TavriStyle.css"), "h1 { color: red }\n");
         EXPECT_EQ(Entries(w.tmp.path() + "/"), QStringList{});
         auto state = AppState::Open(w.tmp.path() + "/");
         EXPECT_EQ(state->OptionsRs->text(u"campaign"), "New Campaign");
         for (QStringView f : {u"nameH", u"inkcolour", u"linkcolour"}) {
             EXPECT_EQ(state->OptionsRs->text(f), "");
         }
         EXPECT_EQ(state->OptionsRs->field(u"bookmark").toLongLong(), 0);
     }},
    {"new over a compendium", {"new", "{dir}"}, 1, "", "[...]never written over[...]", nullptr,
     [](World& w) { EXPECT_EQ(Entries(w.c.dir()).size(), 3); }},
    {"new without a folder", {"new"}, 2, "",
     kUsage.arg("new takes one folder: tavri-cli new [--demo] DIR")},
    {"a folder without a compendium", {"list", "{tmp}"}, 1, "", "[...]{tmp}tavri.db[...]",
     nullptr, [](World& w) { EXPECT_EQ(test::FilesIn(w.tmp.path()), QStringList{}); }},
    {"an unknown option", {"publish", "{dir}", "--everything"}, 2, "",
     kUsage.arg("unknown option --everything")},
    {"both changed filters", {"list", "{dir}", "--changed", "--unchanged"}, 2, "",
     kUsage.arg("--changed and --unchanged exclude each other")},
    {"an option without its value", {"list", "{dir}", "--match"}, 2, "",
     kUsage.arg("--match needs a value")},
    {"no folder", {"publish"}, 2, "", kUsage.arg("give one data folder")},
    {"two folders", {"alpha", "{dir}", "{tmp}"}, 2, "", kUsage.arg("give one data folder")},
    {"an unknown command", {"publsh", "{dir}"}, 2, "", kUsage.arg("unknown command \"publsh\"")},
    {"no command", {}, 2, "", "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]"},
    {"--version", {"--version"}, 0, "Campaign Tavri v2.52\n", ""},
    {"--help", {"--help"}, 0,
     "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]\n  epub [...]\n  new "
     "[...]\n  upload-csv [...]tavri-cli reads none: every command is given its folder DIR" +
         kHelpFacts,
     ""},
    {"-h", {"-h"}, 0, "Campaign Tavri v2.52\nUsage: tavri-cli COMMAND DIR[...]", ""},
};

TEST(CommandLine, StatusOutputAndFilesOfEachCommand) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        World w;
        if (row.prepare) {
            row.prepare(w);
        }
        w.c.state().Close();
        QStringList args;
        for (const QString& a : row.args) {
            args << w.expand(a);
        }
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
        if (row.check) {
            w.c.reopen();
            row.check(w);
        }
    }
}

TEST(CommandLine, EveryCommandHasItsHelp) {
    for (const char* command :
         {"publish", "alpha", "site", "rtf", "report", "list", "options", "new", "upload-csv",
          "epub"}) {
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
        const char* pattern;  // nullptr: no answer
    } rows[] = {
        {"--version", "Campaign Tavri v2.52\n"},
        {"--help", "Campaign Tavri v2.52\nUsage: tavri [FOLDER]\n[...]\nall arguments joined by "
                   "blanks are the folder's name[...]else ~/.local/share/tavri/[...]"},
        {"-h", "Campaign Tavri v2.52\nUsage: tavri [FOLDER]\n[...]"},
        {"/srv/campaign", nullptr}, {"--versions", nullptr}, {"-help", nullptr}, {"", nullptr},
    };
    for (const auto& row : rows) {
        const std::optional<QString> text = DesktopInformationText(row.argument);
        ASSERT_EQ(text.has_value(), row.pattern != nullptr) << row.argument;
        if (text) {
            EXPECT_TRUE(Matches(*text, row.pattern)) << text->toStdString();
        }
    }
    EXPECT_TRUE(Matches(*DesktopInformationText("--help"), "[...]" + kHelpFacts));
}

}  // namespace
}  // namespace tavri
