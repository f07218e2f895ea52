// Starting with no compendium where start-up looks: each answer to the start question, with the
// folder chooser scripted, and what the next start then finds.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "app/NewCompendium.h"
#include "app/StartChoice.h"
#include "app/Startup.h"
#include "base/Sutils.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using Kind = ScriptedDialogs::Shown::Kind;

// A user with no settings and no data yet, and one more folder the chooser can pick.
class StartChoiceTest : public ::testing::Test {
protected:
    void SetUp() override { fresh(); }
    void TearDown() override {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    void fresh() {
        config_ = std::make_unique<QTemporaryDir>();
        data_ = std::make_unique<QTemporaryDir>();
        other_ = std::make_unique<QTemporaryDir>();
        qunsetenv("WINDIR");
        qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
        qputenv("XDG_DATA_HOME", data_->path().toUtf8());
    }
    QString defaultDir() const { return data_->path() + "/tavri/"; }
    QString otherDir() const { return other_->path() + "/"; }
    QString otherPath() const { return other_->path(); }

    std::unique_ptr<QTemporaryDir> config_, data_, other_;
};

qint64 EntryCount(AppState& state) {
    qint64 n = 0;
    for (state.EntryRs->moveFirst(); !state.EntryRs->eof(); state.EntryRs->moveNext()) {
        ++n;
    }
    return n;
}

TEST_F(StartChoiceTest, EachAnswerOpensTheRightCompendiumOrNone) {
    enum class Opens { None, Default, Other };
    struct Case {
        const char* name;
        std::function<void(ScriptedDialogs&)> script;
        bool otherHoldsOne;  // a compendium is already in the other folder
        Opens opens;
        bool demoEntries;
        int questions;        // start questions asked
        bool remembersOther;  // tavri.ini names the other folder afterwards
    };
    const Case cases[] = {
        {"quit", [](ScriptedDialogs& d) { d.chooseStart(StartChoice::Quit); }, false, Opens::None,
         false, 1, false},
        {"create here", [](ScriptedDialogs& d) { d.chooseStart(StartChoice::CreateHere); }, false,
         Opens::Default, false, 1, false},
        {"create here with the demo",
         [](ScriptedDialogs& d) { d.chooseStart(StartChoice::CreateHere, true); }, false,
         Opens::Default, true, 1, false},
        {"open another that holds one",
         [this](ScriptedDialogs& d) {
             d.chooseStart(StartChoice::OpenAnother);
             d.pickFolder(otherPath());
         },
         true, Opens::Other, false, 1, true},
        {"open another that is empty, then create there",
         [this](ScriptedDialogs& d) {
             d.chooseStart(StartChoice::OpenAnother);
             d.pickFolder(otherPath());
             d.chooseStart(StartChoice::CreateHere);
         },
         false, Opens::Other, false, 2, true},
        {"a cancelled chooser asks again",
         [](ScriptedDialogs& d) {
             d.chooseStart(StartChoice::OpenAnother);
             d.pickFolder(QString());
             d.chooseStart(StartChoice::Quit);
         },
         false, Opens::None, false, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        if (c.otherHoldsOne) {
            CreateCompendium(otherDir(), false);
        }
        ScriptedDialogs dialogs;
        c.script(dialogs);

        std::unique_ptr<AppState> state = OpenOrChooseCompendium(QString(), dialogs);

        EXPECT_TRUE(dialogs.scriptUsedUp());
        int questions = 0;
        for (const auto& shown : dialogs.shown()) {
            questions += shown.kind == Kind::Start ? 1 : 0;
            EXPECT_NE(shown.kind, Kind::Message) << shown.message.text.toStdString();
        }
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(dialogs.shown().front().message.text, defaultDir());
        switch (c.opens) {
            case Opens::None:
                EXPECT_EQ(state, nullptr);
                break;
            case Opens::Default:
            case Opens::Other:
                ASSERT_NE(state, nullptr);
                EXPECT_EQ(state->DataDir, c.opens == Opens::Default ? defaultDir() : otherDir());
                EXPECT_EQ(EntryCount(*state) > 0, c.demoEntries);
                EXPECT_TRUE(QFileInfo(state->DataDir + "framebase.txt").isFile());
                EXPECT_TRUE(QFileInfo(state->DataDir + "Reports/palm").isDir());
                state->Close();
                break;
        }
        EXPECT_EQ(ResolveDataDir(QString()), c.remembersOther ? otherDir() : defaultDir());
        EXPECT_EQ(QFileInfo::exists(defaultDir() + "tavri.db"), c.opens == Opens::Default);
    }
}

TEST_F(StartChoiceTest, AFolderThatHoldsOneOpensWithoutAQuestion) {
    CreateCompendium(otherDir(), false);
    ScriptedDialogs dialogs;
    std::unique_ptr<AppState> state = OpenOrChooseCompendium(otherPath(), dialogs);
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(dialogs.shown().empty());
    state->Close();
}

TEST_F(StartChoiceTest, RememberingAFolderKeepsTheOtherSettingsLines) {
    test::WriteAll(config_->path() + "/tavri.ini", "[tavri]\r\nDBLOC=/old/\r\ntheme=dark\r\n");
    WriteIni("tavri.ini", "dbloc", "/new/place/");
    EXPECT_EQ(test::ReadAll(config_->path() + "/tavri.ini"),
              "[tavri]\ndbloc=/new/place/\ntheme=dark\n");
    EXPECT_EQ(ReadIni("tavri.ini", "theme"), "dark");
}

}  // namespace
}  // namespace tavri
