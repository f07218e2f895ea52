// The shared utilities as one table (function, input -> output), with the settings file and the
// environment as the program meets them.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <utility>
#include <vector>

#include "base/Sutils.h"
#include "support/TestSupport.h"

using namespace tavri;

TEST(Sutils, EachFunctionGivesItsOutputForItsInput) {
    QTemporaryDir dir;
    const QString ini = dir.path() + "/tavri.ini";
    // ReadIni of the key "dbloc" in a settings file holding the input.
    const auto readIni = [&](const QString& file) {
        test::WriteAll(ini, file.toUtf8());
        return ReadIni(ini, "dbloc");
    };
    const auto number = [](const QString& s) { return QString::number(LeadingNumber(s)); };
    const auto blank = [](const QString& s) { return QString(IsBlank(s) ? "blank" : "not"); };
    qputenv("TAVRITESTVALUE", "  padded  ");
    const struct {
        std::function<QString(const QString&)> f;
        std::vector<std::pair<QString, QString>> io;
    } cases[] = {
        // The key matches ignoring case and as a prefix; one character after it is skipped.
        {readIni, {{"[paths]\r\nDBLOC=/srv/camp/\r\n", "/srv/camp/"}, {"dbloc = /srv", "= /srv"}}},
        {readIni, {{"dblocation=/x\ndbloc=/y\n", "tion=/x"}, {"other=1\ndbloc", ""}}},
        {readIni, {{"x=1\rdbloc=/lone-cr/", "/lone-cr/"}}},
        {AddBackslash, {{"/data", "/data/"}, {"/data/", "/data/"}, {"", "/"}}},
        // The first variable whose name starts with the given one, ignoring case, trimmed.
        {GetEnvValue, {{"tavritestvalue", "padded"}, {"TAVRITESTVAL", "padded"}}},
        {GetEnvValue, {{"TAVRI_NO_SUCH_VALUE", ""}}},
        {LettersOnly, {{"Orc-Lands 3", "OrcLands"}}},
        {AlphaNumOnly, {{"Orc-Lands 3", "OrcLands3"}, {"\u00C9lan 2", "lan2"}}},
        {StripTags, {{"<b>bold</b> and <i>it</i>", "bold and it"}, {"x>y", "xy"}}},
        {StripTags, {{"a>>b", "ab"}, {"x<y", "x"}}},
        {NewlinesToBr, {{"one\r\ntwo\r\n", "one <br>two <br>"}, {"a\nb\rc", "a<br>b c"}}},
        {TrimSpaces, {{"  a b  ", "a b"}, {"\ta\t", "\ta\t"}}},
        {blank, {{"   ", "blank"}, {"\t", "not"}}},
        {number, {{"12 records", "12"}, {" 7", "7"}, {"x12", "0"}, {"", "0"}}},
        {number, {{"2.5kg", "2.5"}, {"-3.5.1", "-3.5"}}},
    };
    for (const auto& c : cases) {
        for (const auto& [in, out] : c.io) {
            EXPECT_EQ(c.f(in), out) << in.toStdString();
        }
    }
    qunsetenv("TAVRITESTVALUE");
    EXPECT_EQ(ReadIni(dir.path() + "/absent.ini", "dbloc"), "");
    // A bare settings file name is looked up in WINDIR, then in the configuration folder.
    QTemporaryDir windir;
    test::WriteAll(windir.path() + "/tavri.ini", "dbloc=/from/windir\n");
    test::WriteAll(dir.path() + "/tavri.ini", "dbloc=/from/xdg\n");
    qputenv("WINDIR", windir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(ReadIni("tavri.ini", "dbloc"), "/from/windir");
    qunsetenv("WINDIR");
    EXPECT_EQ(ReadIni("tavri.ini", "dbloc"), "/from/xdg");
    qunsetenv("XDG_CONFIG_HOME");
}
