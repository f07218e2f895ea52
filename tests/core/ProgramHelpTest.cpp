// --version and --help of both programs: the desktop program's answer is checked through the
// function its main() calls before any window exists; tavri-cli is run as a process.
#include <gtest/gtest.h>

#include <QProcess>

#include "app/ProgramHelp.h"
#include "app/Version.h"

namespace tavri {
namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& args) {
    QProcess p;
    p.start(TAVRI_CLI_PATH, args);
    CliRun run;
    if (!p.waitForFinished()) {
        return run;
    }
    run.status = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// The facts a user needs from either help: where the settings file is and what it says.
void expectSettingsAndData(const QString& help) {
    EXPECT_TRUE(help.contains("tavri.ini in $XDG_CONFIG_HOME, else in ~/.config"))
        << help.toStdString();
    EXPECT_TRUE(help.contains("dbloc=FOLDER")) << help.toStdString();
    EXPECT_TRUE(help.contains("tavri.db, framebase.txt and Reports/")) << help.toStdString();
}

TEST(DesktopProgramOptions, VersionIsTheAppTitleOnOneLine) {
    EXPECT_EQ(DesktopInformationText("--version"), QString("Campaign Tavri v2.52\n"));
    EXPECT_EQ(DesktopInformationText("--version"), BuildAppTitle() + "\n");
}

TEST(DesktopProgramOptions, HelpNamesTheProgramItsArgumentsSettingsAndData) {
    const std::optional<QString> help = DesktopInformationText("--help");
    ASSERT_TRUE(help.has_value());
    EXPECT_EQ(DesktopInformationText("-h"), help);
    EXPECT_TRUE(help->startsWith(BuildAppTitle() + "\nUsage: tavri [FOLDER]\n"))
        << help->toStdString();
    EXPECT_TRUE(help->contains("\nall arguments joined by blanks are the folder's name"));
    EXPECT_TRUE(help->contains("else ~/.local/share/tavri/"));
    expectSettingsAndData(*help);
}

TEST(DesktopProgramOptions, AnyOtherFirstArgumentIsPartOfTheFolderName) {
    EXPECT_EQ(DesktopInformationText("/srv/campaign"), std::nullopt);
    EXPECT_EQ(DesktopInformationText("--versions"), std::nullopt);
    EXPECT_EQ(DesktopInformationText("-help"), std::nullopt);
    EXPECT_EQ(DesktopInformationText(""), std::nullopt);
}

TEST(CliOptions, VersionPrintsTheAppTitleAndNothingElse) {
    const CliRun run = runCli({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, BuildAppTitle() + "\n");
    EXPECT_EQ(run.err, "");
}

TEST(CliOptions, HelpListsTheCommandsAndSaysWhereSettingsAndDataAre) {
    const CliRun run = runCli({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out.startsWith(BuildAppTitle() + "\nUsage: tavri-cli COMMAND DIR"))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("\n  new ")) << "the registered commands are listed";
    EXPECT_TRUE(run.out.contains("tavri-cli reads none: every command is given its folder DIR"));
    expectSettingsAndData(run.out);
    EXPECT_EQ(runCli({"-h"}).out, run.out);
}

}  // namespace
}  // namespace tavri
