// Starting with no compendium where start-up looks: each answer to the start question, with the
// folder chooser scripted, and what the next start then finds.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "app/NewCompendium.h"
#include "app/StartChoice.h"
#include "app/Startup.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using Kind = ScriptedDialogs::Shown::Kind;

TEST(StartChoice, EachAnswerOpensTheRightCompendiumOrNone) {
    const struct {
        const char* script;  // answers: Quit, Create, create with the Demo, Open another; then
                             // the chooser's: Pick the other folder, or X to cancel
        bool given;          // start-up is given the other folder
        bool otherHoldsOne;  // a compendium is already in the other folder
        char opens;          // N: none, D: the default folder, O: the other folder
        bool remembered;     // tavri.ini names the other folder afterwards
    } rows[] = {
        {"Q", false, false, 'N', false},  {"C", false, false, 'D', false},
        {"D", false, false, 'D', false},  {"OP", false, true, 'O', true},
        {"OPC", false, false, 'O', true}, {"OXQ", false, false, 'N', false},
        {"", true, true, 'O', false},  // a folder that holds one opens without a question
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        QTemporaryDir config, data, other;
        qunsetenv("WINDIR");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const QString defaultDir = data.path() + "/tavri/";
        const QString otherDir = other.path() + "/";
        if (row.otherHoldsOne) {
            CreateCompendium(otherDir, false);
        }
        ScriptedDialogs dialogs;
        int questions = 0;
        for (const char* s = row.script; *s; ++s) {
            if (*s == 'P' || *s == 'X') {
                dialogs.pickFolder(*s == 'P' ? other.path() : QString());
            } else {
                ++questions;
                dialogs.chooseStart(*s == 'Q'   ? StartChoice::Quit
                                    : *s == 'O' ? StartChoice::OpenAnother
                                                : StartChoice::CreateHere,
                                    *s == 'D');
            }
        }

        auto state = OpenOrChooseCompendium(row.given ? other.path() : QString(), dialogs);

        EXPECT_TRUE(dialogs.scriptUsedUp());
        for (const auto& shown : dialogs.shown()) {
            questions -= shown.kind == Kind::Start ? 1 : 0;
            EXPECT_FALSE(shown.unscripted);
            EXPECT_NE(shown.kind, Kind::Message) << shown.message.text.toStdString();
        }
        EXPECT_EQ(questions, 0);
        if (!dialogs.shown().empty()) {
            EXPECT_EQ(dialogs.shown().front().message.text, defaultDir);
        }
        EXPECT_EQ(state != nullptr, row.opens != 'N');
        if (state) {
            EXPECT_EQ(state->DataDir, row.opens == 'D' ? defaultDir : otherDir);
            state->EntryRs->moveFirst();
            EXPECT_EQ(!state->EntryRs->eof(), QByteArray(row.script) == "D");
            EXPECT_TRUE(QFileInfo(state->DataDir + "framebase.txt").isFile());
            EXPECT_TRUE(QFileInfo(state->DataDir + "Reports/palm").isDir());
            state->Close();
        }
        EXPECT_EQ(ResolveDataDir(QString()), row.remembered ? otherDir : defaultDir);
        EXPECT_EQ(QFileInfo::exists(defaultDir + "tavri.db"), row.opens == 'D');
    }
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace tavri
