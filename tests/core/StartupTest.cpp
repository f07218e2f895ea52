// Start-up's rules: the version and title, where the data folder comes from, and the settings
// file it remembers a folder in.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/Startup.h"
#include "base/Sutils.h"
#include "app/Version.h"
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

    QTemporaryDir config, data;
    qunsetenv("WINDIR");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const QString user = data.path() + "/tavri/";
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
        QFile::remove(config.path() + "/tavri.ini");
        if (f.ini) {
            test::WriteAll(config.path() + "/tavri.ini", f.ini);
        }
        EXPECT_EQ(ResolveDataDir(CommandLineText(f.arguments)), f.folder)
            << (f.ini ? f.ini : "no ini") << f.arguments.join(' ').toStdString();
    }

    // Remembering a folder keeps the other lines of the settings file.
    test::WriteAll(config.path() + "/tavri.ini", "[tavri]\r\nDBLOC=/old/\r\ntheme=dark\r\n");
    WriteIni("tavri.ini", "dbloc", "/new/place/");
    EXPECT_EQ(test::ReadAll(config.path() + "/tavri.ini"),
              "[tavri]\ndbloc=/new/place/\ntheme=dark\n");
    EXPECT_EQ(ReadIni("tavri.ini", "theme"), "dark");
    EXPECT_EQ(ResolveDataDir(""), "/new/place/");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}
