// Starting with no compendium where start-up looks: each answer to the start question, with the
// folder chooser scripted, and what the next start then finds.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "app/NewCompendium.h"
#include "app/StartChoice.h"
#include "app/Startup.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using Kind = ScriptedDialogs::Shown::Kind;

TEST(StartChoice, EachAnswerOpensTheRightCompendiumOrNone) {
    enum class Opens { None, Default, Other };
    struct Case {
        const char* name;
        bool argumentIsOther;  // start-up is given the other folder
        std::function<void(ScriptedDialogs&, const QString& other)> script;
        bool otherHoldsOne;  // a compendium is already in the other folder
        Opens opens;
        bool demoEntries;
        int questions;        // start questions asked
        bool remembersOther;  // tavri.ini names the other folder afterwards
    };
    const Case cases[] = {
        {"quit", false, [](ScriptedDialogs& d, auto&) { d.chooseStart(StartChoice::Quit); }, false,
         Opens::None, false, 1, false},
        {"create here", false,
         [](ScriptedDialogs& d, auto&) { d.chooseStart(StartChoice::CreateHere); }, false,
         Opens::Default, false, 1, false},
        {"create here with the demo", false,
         [](ScriptedDialogs& d, auto&) { d.chooseStart(StartChoice::CreateHere, true); }, false,
         Opens::Default, true, 1, false},
        {"open another that holds one", false,
         [](ScriptedDialogs& d, const QString& other) {
             d.chooseStart(StartChoice::OpenAnother);
             d.pickFolder(other);
         },
         true, Opens::Other, false, 1, true},
        {"open another that is empty, then create there", false,
         [](ScriptedDialogs& d, const QString& other) {
             d.chooseStart(StartChoice::OpenAnother);
             d.pickFolder(other);
             d.chooseStart(StartChoice::CreateHere);
         },
         false, Opens::Other, false, 2, true},
        {"a cancelled chooser asks again", false,
         [](ScriptedDialogs& d, auto&) {
             d.chooseStart(StartChoice::OpenAnother);
             d.pickFolder(QString());
             d.chooseStart(StartChoice::Quit);
         },
         false, Opens::None, false, 2, false},
        {"a folder given that holds one opens without a question", true,
         [](ScriptedDialogs&, auto&) {}, true, Opens::Other, false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir config, data, other;
        qunsetenv("WINDIR");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const QString defaultDir = data.path() + "/tavri/";
        const QString otherDir = other.path() + "/";
        if (c.otherHoldsOne) {
            CreateCompendium(otherDir, false);
        }
        ScriptedDialogs dialogs;
        c.script(dialogs, other.path());

        std::unique_ptr<AppState> state =
            OpenOrChooseCompendium(c.argumentIsOther ? other.path() : QString(), dialogs);

        EXPECT_TRUE(dialogs.scriptUsedUp());
        int questions = 0;
        for (const auto& shown : dialogs.shown()) {
            questions += shown.kind == Kind::Start ? 1 : 0;
            EXPECT_NE(shown.kind, Kind::Message) << shown.message.text.toStdString();
        }
        EXPECT_EQ(questions, c.questions);
        if (questions > 0) {
            EXPECT_EQ(dialogs.shown().front().message.text, defaultDir);
        }
        EXPECT_EQ(state != nullptr, c.opens != Opens::None);
        if (state) {
            EXPECT_EQ(state->DataDir, c.opens == Opens::Default ? defaultDir : otherDir);
            state->EntryRs->moveFirst();
            EXPECT_EQ(!state->EntryRs->eof(), c.demoEntries);
            EXPECT_TRUE(QFileInfo(state->DataDir + "framebase.txt").isFile());
            EXPECT_TRUE(QFileInfo(state->DataDir + "Reports/palm").isDir());
            state->Close();
        }
        EXPECT_EQ(ResolveDataDir(QString()), c.remembersOther ? otherDir : defaultDir);
        EXPECT_EQ(QFileInfo::exists(defaultDir + "tavri.db"), c.opens == Opens::Default);
    }
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace tavri
