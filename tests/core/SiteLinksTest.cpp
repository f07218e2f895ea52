// Every link of the published sites resolves, except those the site is known not to have: the
// letter strip's letters without entries, the style sheet the user supplies, the page of an
// empty race/location, and hand-made links in notes to entries that have no notes.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <set>

#include "app/NewCompendium.h"
#include "base/Sutils.h"
#include "base/TextCodec.h"
#include "publish/AlphaSite.h"
#include "publish/SitePublisher.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::TempCompendium;

// "page -> target" for every link or frame source in the folder's pages that points at a file
// that is missing or at an anchor the target page does not have.
std::vector<std::string> BrokenLinks(const QString& folder, const std::set<QString>& mayBeMissing) {
    static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    std::vector<std::string> broken;
    QDir dir(folder);
    for (const QString& page : dir.entryList({"*.htm"}, QDir::Files)) {
        if (page == QLatin1String("temp.htm")) {
            continue;  // the scratch file of the alphabetical site, not a page of it
        }
        const QString text = QString::fromUtf8(ReadAll(folder + page));
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            const QString fragment = target.section(QLatin1Char('#'), 1);
            const QString resolved = file.isEmpty() ? page : file;
            bool ok = QFileInfo(folder + resolved).isFile() || mayBeMissing.count(resolved) > 0;
            if (ok && !fragment.isEmpty() && QFileInfo(folder + resolved).isFile()) {
                ok = QString::fromUtf8(ReadAll(folder + resolved))
                         .contains(QStringLiteral("<a name=\"") + fragment + QStringLiteral("\">"));
            }
            if (!ok) {
                broken.push_back((page + " -> " + target).toStdString());
            }
        }
    }
    return broken;
}

// The pages the site does not have by its own rules, worked out from the entries. The style
// sheet comes with the compendium, and the notes link only to entries that have pages.
std::set<QString> KnownMissing(AppState& state) {
    std::set<QString> pages;
    std::set<QString> written;
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"id");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        written.insert("g-" + rs.text(u"name").left(1).toUpper() + ".htm");
        const QString raceLocation = rs.text(u"race-location");
        if (IsBlank(raceLocation)) {
            pages.insert("g-" + AlphaNumOnly(raceLocation.toUpper()) + ".htm");
        } else {
            written.insert("g-" + AlphaNumOnly(raceLocation.toUpper()) + ".htm");
        }
    }
    for (char l = 'A'; l <= 'Z'; ++l) {
        const QString page = QStringLiteral("g-%1.htm").arg(QLatin1Char(l));
        if (written.count(page) == 0) {
            pages.insert(page);
        }
    }
    return pages;
}

class SiteLinksTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddDemoEntries(c.state());
        c.add(
            {"Nameless Place", "", "", "A place with no race/location", "See [[nothing]]", false});
    }
    TempCompendium c{QStringLiteral("Shattered Reach")};
    PublishProgress quiet;
};

TEST_F(SiteLinksTest, EveryLinkOfTheWebSiteResolvesOrIsKnownMissing) {
    PublishSite(c.state(), SitePublishOptions{}, quiet);
    const std::set<QString> missing = KnownMissing(c.state());
    EXPECT_EQ(BrokenLinks(c.state().ReportsDir(), missing), std::vector<std::string>{});
    // The known-missing pages are really linked to, so the rule above is not vacuous.
    EXPECT_TRUE(missing.count("g-.htm"));
    // The notes' links are among those checked.
    EXPECT_TRUE(ReadAll(c.state().ReportsDir() + "G2.htm").contains("href=\"G7.htm\""));
}

TEST_F(SiteLinksTest, EveryLinkOfTheAlphabeticalSiteResolvesOrIsKnownMissing) {
    // The notes link to entry pages, which only the web site writes: publish both, as a user
    // who keeps both sites does.
    PublishSite(c.state(), SitePublishOptions{}, quiet);
    PublishAlphaSite(c.state(), quiet);
    EXPECT_EQ(BrokenLinks(c.state().ReportsDir(), KnownMissing(c.state())),
              std::vector<std::string>{});
}

TEST_F(SiteLinksTest, TheCheckerFindsABrokenLinkAndAMissingAnchor) {
    PublishSite(c.state(), SitePublishOptions{}, quiet);
    PublishAlphaSite(c.state(), quiet);
    const QString reports = c.state().ReportsDir();
    test::WriteAll(reports + "extra.htm",
                   "<a href=\"nowhere.htm\">x</a><a href=\"g-A.htm#No Such Entry\">y</a>");
    EXPECT_EQ(BrokenLinks(reports, KnownMissing(c.state())),
              (std::vector<std::string>{"extra.htm -> nowhere.htm",
                                        "extra.htm -> g-A.htm#No Such Entry"}));
}

}  // namespace
}  // namespace tavri
