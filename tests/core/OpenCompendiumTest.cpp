// Start-up's opening of the compendium: the one message on failure, nothing written.
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

TEST(OpenAtStartup, AMissingDatabaseGivesOneMessageThatSaysHowToMakeOneAndWritesNothing) {
    QTemporaryDir temp;
    ScriptedDialogs dialogs;
    const QString dir = temp.path() + "/empty";
    QDir().mkpath(dir);
    EXPECT_EQ(OpenCompendiumAtStartup(dir, dialogs), nullptr);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const MessageRequest& m = dialogs.shown()[0].message;
    EXPECT_EQ(m.title, "Campaign Tavri v2.52");
    EXPECT_TRUE(m.text.contains(dir + "/tavri.db")) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains("does not exist"));
    EXPECT_TRUE(m.text.contains("tavri-cli new " + dir + "/"));
    EXPECT_TRUE(QDir(dir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << "nothing is written into a folder without a compendium";
}

TEST(OpenAtStartup, ADamagedDatabaseGivesTheEnginesReasonWithoutTheNewHint) {
    QTemporaryDir temp;
    ScriptedDialogs dialogs;
    QFile junk(temp.path() + "/tavri.db");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_EQ(OpenCompendiumAtStartup(temp.path(), dialogs), nullptr);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const QString text = dialogs.shown()[0].message.text;
    EXPECT_TRUE(text.contains("not a database")) << text.toStdString();
    EXPECT_FALSE(text.contains("tavri-cli new"));
}

TEST(OpenAtStartup, ASecondStartWithFoldersPresentOpensSilently) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/c/";
    CreateCompendium(dir, false);
    QDir(dir).removeRecursively();
    CreateCompendium(dir, false);
    QDir(dir + "Reports/palm").removeRecursively();
    ScriptedDialogs dialogs;
    for (int start = 0; start < 2; ++start) {
        auto state = OpenCompendiumAtStartup(temp.path() + "/c", dialogs);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->DataDir, dir);
        EXPECT_EQ(state->AppTitle, "Campaign Tavri v2.52");
        state->Close();
    }
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(QFileInfo(dir + "Reports/palm").isDir()) << "start-up makes the palm folder";
}

namespace {

QProcess::ExitStatus RunCli(const QStringList& args, int* exitCode = nullptr) {
    QProcess cli;
    cli.start(QStringLiteral(TAVRI_CLI_PATH), args);
    cli.waitForFinished(120000);
    if (exitCode) {
        *exitCode = cli.exitCode();
    }
    return cli.exitStatus();
}

}  // namespace

TEST(OpenAtStartup, ASecondWindowIsWarnedAndOpensReadOnlyWhileTheCommandLineStillWrites) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/c/";
    CreateCompendium(dir, false);
    ScriptedDialogs first;
    auto one = OpenCompendiumAtStartup(dir, first);
    ASSERT_NE(one, nullptr);
    EXPECT_FALSE(one->Db->readOnly());
    EXPECT_TRUE(first.shown().empty());

    ScriptedDialogs second;
    auto two = OpenCompendiumAtStartup(dir, second);
    ASSERT_NE(two, nullptr);
    EXPECT_TRUE(two->Db->readOnly());
    EXPECT_EQ(two->AppTitle, "Campaign Tavri v2.52 (read-only)");
    ASSERT_EQ(second.messages().size(), 1u);
    EXPECT_TRUE(second.messages()[0].contains("Another Tavri window"))
        << second.messages()[0].toStdString();
    EXPECT_TRUE(RefusedAsReadOnly(*two, second));
    EXPECT_TRUE(second.messages()[1].contains("read-only"));

    int code = -1;
    RunCli({"options", dir, "--campaign", "Written beside a window"}, &code);
    EXPECT_EQ(code, 0) << "the command line writes while a window is open";
    one->OptionsRs->moveFirst();
    EXPECT_EQ(one->OptionsRs->text(u"campaign"), "Written beside a window");

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
    size_t listed = 0;
    {
        auto writable = AppState::Open(dir);
        listed = BuildEntryList(*writable, ListFilter{}).rows.size();
    }
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
            int code = -1;
            RunCli({"new", "--demo", dir}, &code);
            EXPECT_EQ(code, 0) << stage;
        }
        auto state = AppState::Open(dir);
        EXPECT_EQ(BuildEntryList(*state, ListFilter{}).rows.size(), demo) << stage;
    }
}
