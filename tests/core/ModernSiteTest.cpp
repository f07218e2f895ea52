// The modern web site of a small fixture world: whole pages against tests/data/site/, the
// backlinks and broken links of notes, page names that survive a rename, the images the notes
// use, and a second run that finds nothing to write.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "publish/ModernSite.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::EntrySpec;
using test::ReadAll;
using test::TempCompendium;

// Eagle links to Élan, to itself and (in bold left open) to nobody; Élan links to Eagle and to
// an entry that no longer exists; Emu has no notes; "orc-lands" and "Orc-Lands" are one group,
// "OrcLands" another.
class ModernSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        eagle_ = world_.add({"Eagle", "Orc-Lands", "1201 AR", "A scout of the high passes",
                             "Flies with <a href=\"G2.htm\">Élan</a> and <a href=\"G1.htm\">"
                             "itself</a>.\r\n<b>unclosed",
                             true});
        elan_ = world_.add({"Élan", "Ελλάδα", "1202 AR", "Dancer & duellist, \"quick\"",
                            "Owes <a href=\"G1.htm\">Eagle</a>; see <a href=\"G99.htm\">a lost "
                            "entry</a>.",
                            false});
        emu_ = world_.add({"Emu", "OrcLands", "", "Not a bird\r\nat all", QString(), false});
        legion_ = world_.add({"7th Legion", "orc-lands", "Winter 1190", "", "  ", false});
    }

    ModernSiteReport write() {
        PublishProgress quiet;
        return WriteModernSite(world_.state(), ModernSiteOptions(), quiet);
    }
    QString site() const { return world_.dir() + QStringLiteral("Reports/site/"); }
    QByteArray page(const QString& name) const { return ReadAll(site() + name); }

    TempCompendium world_{QStringLiteral("The <Reach>")};
    qint64 eagle_ = 0, elan_ = 0, emu_ = 0, legion_ = 0;
};

TEST_F(ModernSiteTest, PagesMatchTheirExpectedFiles) {
    write();
    const QString expected = QStringLiteral(TAVRI_TEST_DATA "/site/");
    for (const char* name :
         {"index.html", "entry-1.html", "entry-3.html", "group-orc-lands.html", "letter-é.html"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(page(QString::fromUtf8(name)).toStdString(),
                  ReadAll(expected + QString::fromUtf8(name)).toStdString());
    }
}

TEST_F(ModernSiteTest, BacklinksListEveryOtherEntryWhoseNotesLinkHere) {
    const ModernSiteReport report = write();
    struct Row {
        qint64 id;
        bool mentions;      // has a "Mentioned in" section
        QByteArray linkTo;  // one entry it lists there
    };
    const Row rows[] = {
        {eagle_, true, "<li><a href=\"entry-2.html\">Élan</a></li>"},  // not itself
        {elan_, true, "<li><a href=\"entry-1.html\">Eagle</a></li>"},  // Eagle's link
        {emu_, false, ""},                                             // nobody links here
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.id);
        const QByteArray html = page(SiteEntryPage(r.id));
        EXPECT_EQ(html.contains("<h2>Mentioned in</h2>"), r.mentions);
        EXPECT_EQ(html.count("Mentioned in") == 1 && html.contains(r.linkTo), r.mentions);
    }
    EXPECT_FALSE(page(SiteEntryPage(eagle_)).contains("<li><a href=\"entry-1.html\">"));
    ASSERT_EQ(report.brokenLinks.size(), 1u);
    EXPECT_EQ(report.brokenLinks[0].id, elan_);
    EXPECT_EQ(report.brokenLinks[0].what, QStringLiteral("G99.htm"));
    EXPECT_EQ(DescribeProblems(report),
              QStringList{QStringLiteral("Link to a missing entry, kept as text: G99.htm in the "
                                         "notes of \"Élan\" (id 2)")});
}

TEST_F(ModernSiteTest, PageNamesStayWhenAnEntryIsRenamedAndPagesOfGoneEntriesGo) {
    write();
    Recordset& rs = *world_.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", emu_);
    rs.edit();
    rs.setField(u"name", QStringLiteral("Zebra"));
    rs.update();
    rs.seek(u"=", legion_);
    rs.remove();
    write();
    EXPECT_TRUE(page(SiteEntryPage(emu_)).contains("<h1>Zebra</h1>"));
    EXPECT_TRUE(page(SiteEntryPage(eagle_)).contains("<a rel=\"next\" href=\"entry-2.html\">"));
    EXPECT_FALSE(QFileInfo::exists(site() + SiteEntryPage(legion_)));
    EXPECT_FALSE(QFileInfo::exists(site() + QStringLiteral("letter-7.html")));
    EXPECT_TRUE(QFileInfo::exists(site() + QStringLiteral("letter-z.html")));
}

TEST_F(ModernSiteTest, ASecondRunWithNothingChangedWritesNothing) {
    const ModernSiteReport first = write();
    const ModernSiteReport second = write();
    EXPECT_GT(first.written, 0);
    EXPECT_EQ(second.written, 0);
    EXPECT_EQ(second.pages, first.pages);
}

TEST_F(ModernSiteTest, ImagesTheNotesUseAreCopiedAndMissingOnesReported) {
    QDir().mkpath(world_.state().ImagesDir() + QStringLiteral("maps"));
    test::WriteAll(world_.state().ImagesDir() + QStringLiteral("maps/reach.jpg"), "JPEG");
    test::WriteAll(world_.state().ImagesDir() + QStringLiteral("unused.gif"), "GIF");
    world_.add({"Map", "", "", "",
                "<img src=\"images\\maps\\reach.jpg\" align=\"left\">"
                "<img src=\"images/gone.png\">",
                false});
    const ModernSiteReport report = write();
    EXPECT_EQ(ReadAll(site() + QStringLiteral("images/maps/reach.jpg")), QByteArray("JPEG"));
    EXPECT_EQ(test::FilesIn(site() + QStringLiteral("images")), QStringList{"maps"});
    ASSERT_EQ(report.missingImages.size(), 1u);
    EXPECT_EQ(report.missingImages[0].what, QStringLiteral("images/gone.png"));
}

TEST(ModernSitePageNamesTest, DifferOnlyWhereTheTextsDifferBeyondLetterCase) {
    struct Row {
        const char* a;
        const char* b;
        bool same;
    };
    const Row rows[] = {
        {"Orc-Lands", "orc-lands", true},  {"Orc-Lands", "OrcLands", false},
        {"Orc Lands", "Orc-Lands", false}, {"Ελλάδα", "Ελλάς", false},
        {"ΕΛΛΆΔΑ", "ελλάδα", true},        {"a/b", "a_b", false},
        {"a~2f~b", "a/b", false},          {"", " ", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.a) + " | " + r.b);
        const QString a = SiteGroupPage(QString::fromUtf8(r.a));
        const QString b = SiteGroupPage(QString::fromUtf8(r.b));
        EXPECT_EQ(a == b, r.same);
        for (const QString& name : {a, b}) {
            EXPECT_FALSE(name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')));
        }
    }
    EXPECT_EQ(SiteLetterPage(SiteInitial(QStringLiteral("🐉 dragon"))),
              QStringLiteral("letter-~1f409~.html"));
}

}  // namespace
}  // namespace tavri
