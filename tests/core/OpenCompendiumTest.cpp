// Start-up's opening of the compendium: the one message on failure, nothing written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/NewCompendium.h"
#include "app/OpenCompendium.h"

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
