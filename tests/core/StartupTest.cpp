// Start-up: the version and title, where the data folder comes from, and new compendiums.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

#include "app/AppState.h"
#include "app/NewCompendium.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "support/TestSupport.h"

using namespace tavri;

TEST(Version, FieldsGiveTheVersionAndTheTitle) {
    EXPECT_DOUBLE_EQ(ComputeAppVersion(2, 1, 42), 2.52);
    EXPECT_EQ(ComputeAppTitle(ComputeAppVersion(2, 1, 42)), "Campaign Tavri v2.52");
    EXPECT_EQ(ComputeAppTitle(ComputeAppVersion(3, 0, 0)), "Campaign Tavri v3");
    EXPECT_EQ(ComputeAppTitle(ComputeAppVersion(1, 10, 5)), "Campaign Tavri v2.05")
        << "a minor of 10 adds a whole unit";
    EXPECT_EQ(BuildAppTitle(), "Campaign Tavri v2.52");
}

class DataDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        qunsetenv("WINDIR");
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    }
    void TearDown() override {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    void writeIni(const QByteArray& text) { test::WriteAll(config_.path() + "/tavri.ini", text); }
    QTemporaryDir config_;
    QTemporaryDir data_;
};

TEST_F(DataDirTest, SettingsGiveTheFolderWithASeparatorAdded) {
    writeIni("[tavri]\r\ndbloc=/srv/campaign\r\n");
    EXPECT_EQ(ResolveDataDir(""), "/srv/campaign/");
    writeIni("dbloc=/srv/campaign/\r\n");
    EXPECT_EQ(ResolveDataDir(""), "/srv/campaign/");
}

TEST_F(DataDirTest, TheCommandLineOverridesTheSettingsAndGetsASeparator) {
    writeIni("dbloc=/srv/campaign/\r\n");
    EXPECT_EQ(ResolveDataDir("/data/"), "/data/");
    EXPECT_EQ(ResolveDataDir("/data"), "/data/");
    EXPECT_EQ(ResolveDataDir(CommandLineText({"/my", "camp"})), "/my camp/")
        << "the arguments joined by single blanks are the argument text";
}

TEST_F(DataDirTest, WithNeitherTheFolderIsThePerUserDataFolder) {
    EXPECT_EQ(ResolveDataDir(""), data_.path() + "/tavri/");
    writeIni("other=1\r\n");
    EXPECT_EQ(ResolveDataDir(""), data_.path() + "/tavri/");
}

TEST(NewCompendium, MakesTheDatabaseOptionsFrameTemplateAndReportFolders) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/camp/new/";
    CreateCompendium(dir, false);
    for (const char* sub : {"Reports", "Reports/images", "Reports/palm"}) {
        EXPECT_TRUE(QFileInfo(dir + sub).isDir()) << sub;
    }
    EXPECT_EQ(test::ReadAll(dir + "framebase.txt"), DefaultFrameTemplate().toUtf8());
    EXPECT_TRUE(DefaultFrameTemplate().contains("name=\"gmain\""));
    EXPECT_EQ(test::ReadAll(dir + "Reports/TavriStyle.css"), DefaultStyleSheet().toUtf8());
    auto state = AppState::Open(dir);
    EXPECT_EQ(state->OptionsRs->text(u"campaign"), "New Campaign");
    EXPECT_EQ(state->OptionsRs->text(u"nameH"), "");
    EXPECT_EQ(state->OptionsRs->text(u"inkcolour"), "");
    EXPECT_EQ(state->OptionsRs->text(u"linkcolour"), "");
    EXPECT_EQ(state->OptionsRs->field(u"bookmark").toLongLong(), 0);
    state->EntryRs->moveFirst();
    EXPECT_TRUE(state->EntryRs->eof());
    EXPECT_EQ(state->EntryRs->index(), "namedex");
    state->Close();
    EXPECT_THROW(CreateCompendium(dir, true), StoreError) << "an existing compendium is refused";
}

TEST(NewCompendium, AStyleSheetTheUserAlreadyHasIsKept) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/";
    QDir().mkpath(dir + "Reports");
    test::WriteAll(dir + "Reports/TavriStyle.css", "h1 { color: red }\n");
    CreateCompendium(dir, true);
    EXPECT_EQ(test::ReadAll(dir + "Reports/TavriStyle.css"), "h1 { color: red }\n");
}

TEST(NewCompendium, TheDemoWorldHasLinkedNotesBlankNotesAndChangedEntries) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/";
    CreateCompendium(dir, true);
    auto state = AppState::Open(dir);
    Recordset& rs = *state->EntryRs;
    std::set<qint64> ids;
    std::set<qint64> pages;
    int withNotes = 0;
    int changed = 0;
    int bold = 0;
    std::vector<qint64> linkTargets;
    rs.setIndex(u"id");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        ids.insert(rs.field(u"id").toLongLong());
        const QString notes = rs.text(u"details");
        withNotes += notes.isEmpty() ? 0 : 1;
        if (!notes.isEmpty()) {
            pages.insert(rs.field(u"id").toLongLong());
        }
        EXPECT_FALSE(rs.text(u"date").trimmed().isEmpty())
            << rs.text(u"name").toStdString() << " has no date: the editor would refuse it";
        changed += rs.field(u"changed").toBool() ? 1 : 0;
        bold += notes.contains("<b>") ? 1 : 0;
        static const QRegularExpression link("<a href=\"G(\\d+)\\.htm\">");
        for (auto it = link.globalMatch(notes); it.hasNext();) {
            linkTargets.push_back(it.next().captured(1).toLongLong());
        }
    }
    EXPECT_GE(ids.size(), 35u);
    EXPECT_GT(withNotes, static_cast<int>(ids.size()) / 2);
    EXPECT_LT(withNotes, static_cast<int>(ids.size()));
    EXPECT_GT(changed, 0);
    EXPECT_GT(bold, 0);
    ASSERT_FALSE(linkTargets.empty());
    for (qint64 target : linkTargets) {
        EXPECT_TRUE(pages.count(target)) << "a demo link points at no entry page: " << target;
    }
}

TEST(Cli, NewMakesACompendiumAndRefusesToOverwriteIt) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/c";
    QProcess p;
    p.start(TAVRI_CLI_PATH, {"new", "--demo", dir});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().data();
    EXPECT_TRUE(QFileInfo::exists(dir + "/tavri.db"));

    p.start(TAVRI_CLI_PATH, {"new", dir});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardError().contains("never written over"));

    p.start(TAVRI_CLI_PATH, {"new"});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(p.exitCode(), 2);
}
