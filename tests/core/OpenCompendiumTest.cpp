// Start-up's opening of the compendium: the one message on failure and nothing written, a second
// window read-only, a compendium that cannot be written, and a `new` killed halfway.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "app/EntryList.h"
#include "app/NewCompendium.h"
#include "app/OpenCompendium.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

using namespace tavri;

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
        QTemporaryDir temp;
        const QString dir = temp.path() + "/c";
        QDir().mkpath(dir);
        if (!row.db.isEmpty()) {
            test::WriteAll(dir + "/tavri.db", row.db);
        }
        ScriptedDialogs dialogs;
        EXPECT_EQ(OpenCompendiumAtStartup(dir, dialogs), nullptr) << row.what;
        ASSERT_EQ(dialogs.shown().size(), 1u) << row.what;
        const MessageRequest& m = dialogs.shown()[0].message;
        EXPECT_EQ(m.title, "Campaign Tavri v2.52");
        for (const char* part : row.says) {
            EXPECT_TRUE(m.text.contains(part)) << row.what << ": " << m.text.toStdString();
        }
        EXPECT_EQ(m.text.contains("tavri-cli new " + dir + "/"), row.hintsAtNew) << row.what;
        EXPECT_EQ(test::FilesIn(dir), row.db.isEmpty() ? QStringList{} : QStringList{"tavri.db"});
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
    EXPECT_EQ(one->DataDir, dir);
    EXPECT_EQ(one->AppTitle, "Campaign Tavri v2.52");
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

    QProcess cli;
    cli.start(QStringLiteral(TAVRI_CLI_PATH), {"options", dir, "--campaign", "Written beside"});
    ASSERT_TRUE(cli.waitForFinished(120000));
    EXPECT_EQ(cli.exitCode(), 0) << "the command line writes while a window is open";
    one->OptionsRs->moveFirst();
    EXPECT_EQ(one->OptionsRs->text(u"campaign"), "Written beside");

    one->Close();
    two->Close();
    ScriptedDialogs third;
    auto again = OpenCompendiumAtStartup(dir, third);
    EXPECT_FALSE(again->Db->readOnly()) << "the lock goes with the window that held it";
    EXPECT_TRUE(third.shown().empty());
}

TEST(OpenAtStartup, ACompendiumThatCannotBeWrittenIsListedButRefusesEveryWrite) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/c/";
    CreateCompendium(dir, true);
    const size_t listed = BuildEntryList(*AppState::Open(dir), ListFilter{}).rows.size();
    const QByteArray before = test::ReadAll(dir + "tavri.db");
    const QStringList filesBefore = test::FilesIn(dir);
    // A read-only medium: neither the folder nor the file can be written.
    ScriptedDialogs dialogs;
    auto state = OpenCompendiumAtStartup(dir, dialogs, [](const QString&) { return false; });
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(state->AppTitle, "Campaign Tavri v2.52 (read-only)");
    EXPECT_EQ(BuildEntryList(*state, ListFilter{}).rows.size(), listed);

    Recordset& rs = *state->EntryRs;
    rs.setIndex(u"namedex");
    rs.moveFirst();
    const std::vector<std::function<void()>> writes = {
        [&] { rs.edit(); },
        [&] { rs.addNew(); },
        [&] { rs.remove(); },
        [&] { state->OptionsRs->edit(); },
        [&] { state->Db->setMeta("book-id", "x"); },
    };
    for (const auto& write : writes) {
        try {
            write();
            ADD_FAILURE() << "a write went through";
        } catch (const StoreError& e) {
            EXPECT_EQ(e.message(), Database::readOnlyMessage(dir + "tavri.db"));
        }
    }
    state->Close();
    EXPECT_EQ(test::ReadAll(dir + "tavri.db"), before);
    EXPECT_EQ(test::FilesIn(dir), filesBefore) << "no lock, journal or report folder is made";
}

TEST(NewCompendium, AKilledNewLeavesNoCompendiumOrAWholeOne) {
    // Killed as soon as its temporary build appears, then as soon as its database exists there:
    // the folder then holds no compendium at all, and a later new makes the whole demo.
    QTemporaryDir control;
    CreateCompendium(control.path() + "/", true);
    const size_t demo =
        BuildEntryList(*AppState::Open(control.path() + "/"), ListFilter{}).rows.size();
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
            cli.start(QStringLiteral(TAVRI_CLI_PATH), {"new", "--demo", dir});
            ASSERT_TRUE(cli.waitForFinished(120000));
            EXPECT_EQ(cli.exitCode(), 0) << stage;
        }
        auto state = AppState::Open(dir);
        EXPECT_EQ(BuildEntryList(*state, ListFilter{}).rows.size(), demo) << stage;
    }
}
