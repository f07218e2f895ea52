// Start-up's rules: the version and title, where the data folder comes from, the settings file it
// remembers a folder in, and each answer to the start question when no compendium is found.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/NewCompendium.h"
#include "app/StartChoice.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "base/Sutils.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

using namespace tavri;

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
        EXPECT_EQ(ComputeAppTitle(ComputeAppVersion(v.major, v.minor, v.revision)), v.title);
    }
    EXPECT_EQ(BuildAppTitle(), "Campaign Tavri v2.52") << "this build's version";

    test::TempXdgHomes homes;
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
            test::WriteAll(ini, f.ini);
        }
        EXPECT_EQ(ResolveDataDir(CommandLineText(f.arguments)), f.folder)
            << (f.ini ? f.ini : "no ini") << f.arguments.join(' ').toStdString();
    }

    // Remembering a folder keeps the other lines of the settings file.
    test::WriteAll(ini, "[tavri]\r\nDBLOC=/old/\r\ntheme=dark\r\n");
    WriteIni("tavri.ini", "dbloc", "/new/place/");
    EXPECT_EQ(test::ReadAll(ini), "[tavri]\ndbloc=/new/place/\ntheme=dark\n");
    EXPECT_EQ(ReadIni("tavri.ini", "theme"), "dark");
    EXPECT_EQ(ResolveDataDir(""), "/new/place/");
}

// With no compendium where start-up looks: each answer to the start question, with the folder
// chooser scripted, and what the next start then finds.
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
        test::TempXdgHomes homes;
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
            EXPECT_TRUE(QFileInfo(state->DataDir + "framebase.txt").isFile());
            EXPECT_TRUE(QFileInfo(state->DataDir + "Reports/palm").isDir());
            state->Close();
        }
        EXPECT_EQ(ResolveDataDir(QString()), row.remembered ? otherDir : defaultDir);
        EXPECT_EQ(QFileInfo::exists(defaultDir + "tavri.db"), row.opens == 'D');
    }
}
