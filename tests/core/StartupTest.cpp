// Start-up: the version and title, where the data folder comes from, the settings file it
// remembers a folder in, each answer to the start question when no compendium is found; the
// opening of the compendium: the one message on failure and nothing written, a second window
// read-only, a compendium that cannot be written; the demo world and a `new` killed halfway.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <functional>

#include "app/NewCompendium.h"
#include "app/OpenCompendium.h"
#include "app/StartChoice.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "base/Sutils.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

using namespace tavri;
using namespace tavri::test;

TEST(Startup, VersionTitleAndDataFolder) {
    const struct {
        int major, minor, revision;
        double version;
        const char* title;
    } versions[] = {
        {2, 1, 42, 2.52, "Campaign Tavri v2.52"},
        {3, 0, 0, 3, "Campaign Tavri v3"},
        {1, 10, 5, 2.05, "Campaign Tavri v2.05"},  // a minor of 10 adds a whole unit
    };
    for (const auto& v : versions) {
        EXPECT_DOUBLE_EQ(ComputeAppVersion(v.major, v.minor, v.revision), v.version);
        EXPECT_EQ(ComputeAppTitle(v.version), v.title);
    }

    TempXdgHomes homes;
    const QString ini = homes.config.path() + "/tavri.ini";
    const QString user = homes.data.path() + "/tavri/";
    const struct {
        const char* ini;  // nullptr: no settings file
        QStringList arguments;
        QString folder;
    } folders[] = {
        {nullptr, {}, user},
        {"other=1\r\n", {}, user},
        {"[tavri]\r\ndbloc=/srv/campaign\r\n", {}, "/srv/campaign/"},
        {"dbloc=/srv/campaign/\r\n", {}, "/srv/campaign/"},
        {"dbloc=/srv/campaign/\r\n", {"/data/"}, "/data/"},
        {"dbloc=/srv/campaign/\r\n", {"/data"}, "/data/"},
        {nullptr, {"/my", "camp"}, "/my camp/"},  // the arguments joined by single blanks
    };
    for (const auto& f : folders) {
        QFile::remove(ini);
        if (f.ini) {
            WriteAll(ini, f.ini);
        }
        EXPECT_EQ(ResolveDataDir(CommandLineText(f.arguments)), f.folder)
            << (f.ini ? f.ini : "no ini") << f.arguments.join(' ').toStdString();
    }

    // Remembering a folder keeps the other lines of the settings file.
    WriteAll(ini, "[tavri]\r\nDBLOC=/old/\r\ntheme=dark\r\n");
    WriteIni("tavri.ini", "dbloc", "/new/place/");
    EXPECT_EQ(ReadAll(ini), "[tavri]\ndbloc=/new/place/\ntheme=dark\n");
    EXPECT_EQ(ReadIni("tavri.ini", "theme"), "dark");
    EXPECT_EQ(ResolveDataDir(""), "/new/place/");
}

// With no compendium where start-up looks: each answer to the start question, with the folder
// chooser scripted, and what the next start then finds.
TEST(StartChoice, EachAnswerOpensTheRightCompendiumOrNone) {
    // script: the answers Quit, Create, create with the Demo, Open another; then the chooser's:
    // Pick the other folder, or X to cancel. given: start-up is given the other folder;
    // otherHoldsOne: a compendium is already there. opens: N none, D the default folder, O the
    // other folder. remembered: tavri.ini names the other folder afterwards.
    const struct {
        const char* script;
        bool given, otherHoldsOne;
        char opens;
        bool remembered;
    } rows[] = {
        {"Q", false, false, 'N', false},  {"C", false, false, 'D', false},
        {"D", false, false, 'D', false},  {"OP", false, true, 'O', true},
        {"OPC", false, false, 'O', true}, {"OXQ", false, false, 'N', false},
        {"", true, true, 'O', false},  // a folder that holds one opens without a question
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        TempXdgHomes homes;
        QTemporaryDir other;
        const QString defaultDir = homes.data.path() + "/tavri/";
        const QString otherDir = other.path() + "/";
        if (row.otherHoldsOne) {
            CreateCompendium(otherDir, false);
        }
        ScriptedDialogs dialogs;
        for (const char* s = row.script; *s; ++s) {
            if (*s == 'P' || *s == 'X') {
                dialogs.pickFolder(*s == 'P' ? other.path() : QString());
            } else {
                dialogs.chooseStart(*s == 'Q'   ? StartChoice::Quit
                                    : *s == 'O' ? StartChoice::OpenAnother
                                                : StartChoice::CreateHere,
                                    *s == 'D');
            }
        }

        auto state = OpenOrChooseCompendium(row.given ? other.path() : QString(), dialogs);

        EXPECT_TRUE(dialogs.scriptUsedUp()) << "every answer scripted was asked for, no other";
        for (const auto& shown : dialogs.shown()) {
            EXPECT_FALSE(shown.unscripted);
            EXPECT_NE(shown.kind, ScriptedDialogs::Shown::Kind::Message)
                << shown.message.text.toStdString();
        }
        if (!dialogs.shown().empty()) {
            EXPECT_EQ(dialogs.shown().front().message.text, defaultDir);
        }
        EXPECT_EQ(state != nullptr, row.opens != 'N');
        if (state) {
            EXPECT_EQ(state->DataDir, row.opens == 'D' ? defaultDir : otherDir);
            state->EntryRs->moveFirst();
            EXPECT_EQ(!state->EntryRs->eof(), QByteArray(row.script) == "D");
            state->Close();
        }
        EXPECT_EQ(ResolveDataDir(QString()), row.remembered ? otherDir : defaultDir);
        EXPECT_EQ(QFileInfo::exists(defaultDir + "tavri.db"), row.opens == 'D');
    }
}

TEST(OpenAtStartup, AFolderWithoutAGoodDatabaseGivesOneMessageAndGetsNothingWritten) {
    const struct {
        const char* what;
        QByteArray db;  // empty: no tavri.db at all
        std::vector<const char*> says;
        bool hintsAtNew;
    } rows[] = {
        {"missing", {}, {"/tavri.db", "does not exist"}, true},
        {"damaged", QByteArray(4096, 'x'), {"not a database"}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir temp;
        const QString dir = temp.path() + "/c";
        QDir().mkpath(dir);
        if (!row.db.isEmpty()) {
            WriteAll(dir + "/tavri.db", row.db);
        }
        ScriptedDialogs dialogs;
        EXPECT_EQ(OpenCompendiumAtStartup(dir, dialogs), nullptr);
        ASSERT_EQ(dialogs.shown().size(), 1u);
        const MessageRequest& m = dialogs.shown()[0].message;
        EXPECT_EQ(m.title, "Campaign Tavri v2.52");
        for (const char* part : row.says) {
            EXPECT_TRUE(m.text.contains(part)) << m.text.toStdString();
        }
        EXPECT_EQ(m.text.contains("tavri-cli new " + dir + "/"), row.hintsAtNew);
        EXPECT_EQ(FilesIn(dir), row.db.isEmpty() ? QStringList{} : QStringList{"tavri.db"});
    }
}

TEST(OpenAtStartup, ASecondWindowIsWarnedAndOpensReadOnlyWhileTheCommandLineStillWrites) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/c/";
    CreateCompendium(dir, false);
    QDir(dir + "Reports/palm").removeRecursively();
    ScriptedDialogs first;
    auto one = OpenCompendiumAtStartup(temp.path() + "/c", first);
    ASSERT_NE(one, nullptr);
    EXPECT_FALSE(one->Db->readOnly());
    EXPECT_TRUE(first.shown().empty());
    EXPECT_TRUE(QFileInfo(dir + "Reports/palm").isDir()) << "start-up makes the report folders";
    EXPECT_FALSE(RefusedAsReadOnly(*one, first));

    ScriptedDialogs second;
    auto two = OpenCompendiumAtStartup(dir, second);
    ASSERT_NE(two, nullptr);
    EXPECT_TRUE(two->Db->readOnly());
    EXPECT_EQ(two->AppTitle, "Campaign Tavri v2.52 (read-only)");
    ASSERT_EQ(second.messages().size(), 1u);
    EXPECT_TRUE(second.messages()[0].contains("Another Tavri window has the compendium " + dir +
                                              "tavri.db open"))
        << second.messages()[0].toStdString();
    EXPECT_TRUE(RefusedAsReadOnly(*two, second));
    EXPECT_EQ(second.messages()[1], Database::readOnlyMessage(dir + "tavri.db"));

    EXPECT_EQ(RunCli({"options", dir, "--campaign", "Written beside"}).status, 0)
        << "the command line writes while a window is open";
    one->OptionsRs->moveFirst();
    EXPECT_EQ(one->OptionsRs->text(u"campaign"), "Written beside");

    one->Close();
    two->Close();
    ScriptedDialogs third;
    auto again = OpenCompendiumAtStartup(dir, third);
    EXPECT_FALSE(again->Db->readOnly()) << "the lock goes with the window that held it";
}

TEST(OpenAtStartup, ACompendiumThatCannotBeWrittenIsListedButRefusesEveryWrite) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/c/";
    CreateCompendium(dir, true);
    const QString listed = ListedNames(*AppState::Open(dir));
    const QByteArray before = ReadAll(dir + "tavri.db");
    const QStringList filesBefore = FilesIn(dir);
    // A read-only medium: neither the folder nor the file can be written.
    ScriptedDialogs dialogs;
    auto state = OpenCompendiumAtStartup(dir, dialogs, [](const QString&) { return false; });
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(state->AppTitle, "Campaign Tavri v2.52 (read-only)");
    EXPECT_EQ(ListedNames(*state), listed);

    Recordset& rs = *state->EntryRs;
    rs.setIndex(u"namedex");
    rs.moveFirst();
    const std::vector<std::function<void()>> writes = {
        [&] { rs.edit(); }, [&] { rs.addNew(); }, [&] { rs.remove(); },
        [&] { state->OptionsRs->edit(); }, [&] { state->Db->setMeta("book-id", "x"); }};
    for (const auto& write : writes) {
        EXPECT_EQ(Refusal(write), Database::readOnlyMessage(dir + "tavri.db"));
    }
    state->Close();
    EXPECT_EQ(ReadAll(dir + "tavri.db"), before);
    EXPECT_EQ(FilesIn(dir), filesBefore) << "no lock, journal or report folder is made";
}

// Every demo entry has a date (the editor refuses one without), some are changed, some have bold
// notes, and every link in the notes points at an entry with a page.
TEST(NewCompendium, TheDemoWorldIsWholeAndAKilledNewLeavesNoCompendiumOrAWholeOne) {
    QTemporaryDir control;
    CreateCompendium(control.path() + "/", true);
    auto state = AppState::Open(control.path() + "/");
    const QString demo = ListedNames(*state);
    QSet<qint64> pages, targets;
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
    EXPECT_TRUE(pages.size() > entries / 2 && pages.size() < entries) << pages.size();
    EXPECT_TRUE(changed > 0 && bold > 0 && !targets.isEmpty());
    EXPECT_TRUE(pages.contains(targets)) << "a demo link points at an entry without a page";

    // Killed as soon as its temporary build appears, then as soon as its database exists there:
    // the folder then holds no compendium at all, and a later new makes the whole demo.
    for (const char* stage : {"folder", "database"}) {
        QTemporaryDir temp;
        const QString dir = temp.path() + "/c/";
        QDir().mkpath(dir);
        QProcess cli;
        cli.start(QStringLiteral(TAVRI_CLI_PATH), {"new", "--demo", dir});
        bool killed = false;
        while (!killed && !cli.waitForFinished(1)) {
            const QStringList building =
                QDir(dir).entryList({".tavri-new-*"}, QDir::Dirs | QDir::Hidden);
            if (!building.isEmpty() && (QByteArray(stage) == "folder" ||
                                        QFileInfo::exists(dir + building.front() + "/tavri.db"))) {
                cli.kill();
                cli.waitForFinished(10000);
                killed = true;
            }
        }
        if (killed) {
            EXPECT_FALSE(QFileInfo::exists(dir + "tavri.db")) << stage;
        }
        if (!QFileInfo::exists(dir + "tavri.db")) {
            EXPECT_EQ(RunCli({"new", "--demo", dir}).status, 0) << stage;
        }
        EXPECT_EQ(ListedNames(*AppState::Open(dir)), demo) << stage;
    }
}
