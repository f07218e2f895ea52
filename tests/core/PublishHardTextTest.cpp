// Publishing the shared hard-text compendium (tests/data/hardtext): initials that differ only by
// an accent interleave in name order, race/location keys coincide, names start with digits and
// non-Latin letters. Every file that one of those cases touches is compared whole with the bytes
// kept in tests/data/hardtext/expected/, so an entry lost, a page replaced or a letter left
// unlinked shows as a difference. With TAVRI_UPDATE_EXPECTED=1 in the environment the test
// writes the expected files instead; read every change before committing it.
//
// Also here: a publication reads one snapshot, and clears only the flags it earned.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "import/CsvUpload.h"
#include "publish/AlphaSite.h"
#include "publish/SitePublisher.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::TempCompendium;
using test::WriteAll;

class QuietSink : public UploadSink {
public:
    void truncated(const QString&) override {}
    void finished(const UploadOutcome&) override {}
};

// A compendium holding the hard-text entries, ids 1 to 13 in the order of the file.
void LoadHardText(TempCompendium& c) {
    QTemporaryDir folder;
    const QString csv = folder.path() + "/hardtext.csv";
    WriteAll(csv, ReadAll(QStringLiteral(TAVRI_TEST_DATA "/hardtext/hardtext.csv")));
    QuietSink sink;
    ASSERT_TRUE(UploadCsv(c.state(), csv, sink).complete());
    WriteAll(c.dir() + "framebase.txt", "<frameset cols=\"20%,*\">\r\n</frameset>");
}

enum class Site { Web, Alpha };

struct ExpectedFile {
    Site site;
    const char* file;  // below Reports/
    const char* what;
};

const ExpectedFile kExpected[] = {
    {Site::Web, "gcontentsl.htm", "links 7, Á, Ä, É, Ł, Ε, Ω and 李 after Z"},
    {Site::Web, "g-E.htm", "Eagle and Emu, around Élan, on one page"},
    {Site::Web, "g-.htm", "Ελλάδα, Ελλάς and 香港, each under its heading"},
    {Site::Web, "g-ORCLANDS.htm", "Orc-Lands, then OrcLands"},
    {Site::Web, "g-Q.htm", "an empty letter page"},
    {Site::Web, "palm/PageTavri-.txt", "the three non-Latin race/locations"},
    {Site::Web, "palm/PageTavri-OrcLands.txt", "Orc-Lands, then OrcLands"},
    {Site::Alpha, "glettersdates.htm", "links 7, Á, Ä, É, Ł, Ε, Ω and 李 after Z"},
    {Site::Alpha, "g-E.htm", "rows, then blocks, of Eagle and Emu"},
    {Site::Alpha, "g-D.htm", "a quoted name escaped in its anchor and link"},
    {Site::Alpha, "g-.htm", "the three non-Latin race/locations"},
    {Site::Alpha, "g-ORCLANDS.htm", "Orc-Lands, then OrcLands"},
    {Site::Alpha, "palm/PR-Tavri.pml", "a unique anchor for every chapter"},
};

QString ExpectedPath(const ExpectedFile& e) {
    return QStringLiteral(TAVRI_TEST_DATA "/hardtext/expected/") +
           (e.site == Site::Web ? "web/" : "alpha/") + e.file;
}

TEST(PublishHardText, EveryFileTouchedByAHardCaseIsWhole) {
    TempCompendium web(QStringLiteral("Hard Text"));
    TempCompendium alpha(QStringLiteral("Hard Text"));
    LoadHardText(web);
    LoadHardText(alpha);
    PublishProgress quiet;
    PublishSite(web.state(), SitePublishOptions{}, quiet);
    PublishAlphaSite(alpha.state(), quiet);
    const bool update = qEnvironmentVariableIntValue("TAVRI_UPDATE_EXPECTED") == 1;
    for (const ExpectedFile& e : kExpected) {
        SCOPED_TRACE(std::string(e.file) + ": " + e.what);
        const TempCompendium& c = e.site == Site::Web ? web : alpha;
        const QByteArray actual = ReadAll(c.dir() + "Reports/" + e.file);
        if (update) {
            QDir().mkpath(QFileInfo(ExpectedPath(e)).path());
            WriteAll(ExpectedPath(e), actual);
        }
        EXPECT_EQ(actual.toStdString(), ReadAll(ExpectedPath(e)).toStdString());
    }
}

// Edits or adds an entry through the program's own connection the first time the publication
// reports an entry, as another window would while the run lets events through.
class SaveDuringRun : public PublishProgress {
public:
    SaveDuringRun(AppState& state, bool add) : state_(state), add_(add) {}
    void entry(const QString&) override {
        if (done_) {
            return;
        }
        done_ = true;
        Recordset& rs = *state_.EntryRs;
        if (add_) {
            rs.addNew();
            rs.setField(u"name", QStringLiteral("Newcomer"));
            rs.setField(u"race-location", QStringLiteral("Orc-Lands"));
            rs.setField(u"date", QStringLiteral("1300 AR"));
            rs.setField(u"desc", QStringLiteral("Added during the run"));
        } else {
            rs.setIndex(u"id");
            rs.seek(u"=", 12);  // Zeno, written after the first entry in both sites
            rs.edit();
            rs.setField(u"desc", QStringLiteral("Edited during the run"));
        }
        rs.setField(u"changed", true);
        rs.update();
    }

private:
    AppState& state_;
    bool add_;
    bool done_ = false;
};

std::vector<qint64> ChangedIds(AppState& state) {
    std::vector<qint64> ids;
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"id");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (rs.field(u"changed").toBool()) {
            ids.push_back(rs.field(u"id").toLongLong());
        }
    }
    return ids;
}

TEST(PublishSnapshot, AnEntrySavedDuringAPublicationKeepsItsFlagAndItsOldTextIsPublished) {
    struct Case {
        Site site;
        bool add;
        qint64 keptId;
    };
    for (const Case& k : {Case{Site::Web, false, 12}, Case{Site::Web, true, 14},
                          Case{Site::Alpha, false, 12}, Case{Site::Alpha, true, 14}}) {
        SCOPED_TRACE((k.site == Site::Web ? "web, " : "alpha, ") +
                     std::string(k.add ? "added" : "edited"));
        TempCompendium c(QStringLiteral("Hard Text"));
        LoadHardText(c);
        SaveDuringRun saver(c.state(), k.add);
        const auto published = k.site == Site::Web
                                   ? PublishSite(c.state(), SitePublishOptions{}, saver)
                                   : PublishAlphaSite(c.state(), saver);
        ClearChangedFlags(c.state(), *published, saver);

        EXPECT_EQ(ChangedIds(c.state()), std::vector<qint64>{k.keptId});
        const QByteArray zPage = ReadAll(c.state().ReportsDir() + "g-Z.htm");
        EXPECT_TRUE(zPage.contains("Last of the Latin letters"));
        EXPECT_FALSE(zPage.contains("Edited during the run"));
        EXPECT_FALSE(ReadAll(c.state().ReportsDir() + "g-N.htm").contains("Newcomer"));
    }
}

}  // namespace
}  // namespace tavri
