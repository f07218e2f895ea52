// The shared utilities, with the settings file and the environment as the program meets them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/Sutils.h"
#include "support/TestSupport.h"

using namespace tavri;

TEST(ReadIni, KeyMatchesIgnoringCaseAndTakesTheRestOfTheLineAfterOneCharacter) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/tavri.ini";
    test::WriteAll(path, "[paths]\r\nDBLOC=/srv/camp/\r\n");
    EXPECT_EQ(ReadIni(path, "dbloc"), "/srv/camp/");

    // Only the one character after the key is skipped: here the blank, so the "=" stays.
    test::WriteAll(path, "dbloc = /srv/camp\r\n");
    EXPECT_EQ(ReadIni(path, "dbloc"), "= /srv/camp");
    test::WriteAll(path, "dbloc= /srv/camp\r\n");
    EXPECT_EQ(ReadIni(path, "dbloc"), " /srv/camp");

    test::WriteAll(path, "dblocation=/x\ndbloc=/y\n");
    EXPECT_EQ(ReadIni(path, "dbloc"), "tion=/x") << "a longer key that starts with the key matches";

    test::WriteAll(path, "other=1\ndbloc");
    EXPECT_EQ(ReadIni(path, "dbloc"), "") << "a line no longer than the key gives the empty text";

    test::WriteAll(path, "x=1\rdbloc=/lone-cr/");
    EXPECT_EQ(ReadIni(path, "dbloc"), "/lone-cr/");
    EXPECT_EQ(ReadIni(path, "missing"), "");
    EXPECT_EQ(ReadIni(dir.path() + "/absent.ini", "dbloc"), "");
}

TEST(ReadIni, BareNameIsLookedUpInWindirThenTheConfigurationFolder) {
    QTemporaryDir windir;
    QTemporaryDir xdg;
    test::WriteAll(windir.path() + "/tavri.ini", "dbloc=/from/windir\n");
    test::WriteAll(xdg.path() + "/tavri.ini", "dbloc=/from/xdg\n");
    qputenv("WINDIR", windir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", xdg.path().toUtf8());
    EXPECT_EQ(ReadIni("tavri.ini", "dbloc"), "/from/windir");
    qunsetenv("WINDIR");
    EXPECT_EQ(ReadIni("tavri.ini", "dbloc"), "/from/xdg");
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(AddBackslash, AppendsTheSeparatorOnlyWhenMissing) {
    EXPECT_EQ(AddBackslash("/data"), "/data/");
    EXPECT_EQ(AddBackslash("/data/"), "/data/");
    EXPECT_EQ(AddBackslash(""), "/");
}

TEST(GetEnvValue, MatchesThePrefixIgnoringCaseAndTrimsSpaces) {
    qputenv("TAVRITESTVALUE", "  padded  ");
    EXPECT_EQ(GetEnvValue("tavritestvalue"), "padded");
    EXPECT_EQ(GetEnvValue("TAVRITESTVAL"), "padded") << "only the beginning is compared";
    qunsetenv("TAVRITESTVALUE");
    EXPECT_EQ(GetEnvValue("TAVRITESTVALUE"), "");
}

TEST(TextFilters, KeepOnlyLatinLettersAndDigits) {
    EXPECT_EQ(LettersOnly("Orc-Lands 3"), "OrcLands");
    EXPECT_EQ(AlphaNumOnly("Orc-Lands 3"), "OrcLands3");
    EXPECT_EQ(AlphaNumOnly(QString::fromUtf8("Élan 2")), "lan2");
    EXPECT_EQ(LettersOnly(""), "");
}

TEST(StripTags, DropsTagsStrayClosersAndAnUnclosedRest) {
    EXPECT_EQ(StripTags("a<b>c"), "ac");
    EXPECT_EQ(StripTags("x>y"), "xy");
    EXPECT_EQ(StripTags("x<y"), "x");
    EXPECT_EQ(StripTags("<b>bold</b> and <i>it</i>"), "bold and it");
    EXPECT_EQ(StripTags("a>>b"), "ab");
}

TEST(NewlinesToBr, ConvertsEveryBreakIncludingTheLast) {
    EXPECT_EQ(NewlinesToBr("one\r\ntwo\r\nthree\r\n"), "one <br>two <br>three <br>");
    EXPECT_EQ(NewlinesToBr("a\nb\rc"), "a<br>b c");
}

TEST(TrimAndNumbers, TrimRemovesOnlySpacesAndLeadingNumberReadsThePrefix) {
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank("\t"));
    EXPECT_EQ(LeadingNumber("12 records"), 12);
    EXPECT_EQ(LeadingNumber(" 7"), 7);
    EXPECT_EQ(LeadingNumber("x12"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("2.5kg"), 2.5);
}
