// What a comparison of the published files cannot show: Publish Changed keeping the pages of
// unchanged entries, errors before and during a run, the changed flags a publication clears,
// a book left whole by a failure and kept as the same book, and page names that outlive a
// rename.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "base/FileError.h"
#include "publish/AdHocReport.h"
#include "publish/AlphaSite.h"
#include "publish/BookIdentifier.h"
#include "publish/EpubBook.h"
#include "publish/ModernSite.h"
#include "publish/PalmOutput.h"
#include "publish/SitePublisher.h"
#include "support/FixtureWorld.h"

namespace tavri {
namespace {

using test::ReadAll;

struct FullWorld : test::TempCompendium {
    FullWorld() { test::BuildWorld(*this, test::World::Full); }
    QString reports() { return state().ReportsDir(); }
    PublishProgress quiet;
};

void SetField(AppState& s, qint64 id, const char16_t* field, const QVariant& value) {
    s.EntryRs->setIndex(u"id");
    s.EntryRs->seek(u"=", id);
    s.EntryRs->edit();
    s.EntryRs->setField(field, value);
    s.EntryRs->update();
}

std::vector<qint64> ChangedIds(AppState& s) {
    std::vector<qint64> ids;
    s.EntryRs->setIndex(u"id");
    for (s.EntryRs->moveFirst(); !s.EntryRs->eof(); s.EntryRs->moveNext()) {
        if (s.EntryRs->field(u"changed").toBool()) {
            ids.push_back(s.EntryRs->field(u"id").toLongLong());
        }
    }
    return ids;
}

TEST(PublishChanged, WritesPagesOfChangedEntriesOnlyAndEveryOtherPageInFull) {
    FullWorld w;
    PublishSite(w.state(), SitePublishOptions{true}, w.quiet);
    for (const auto& [name, bytes] : test::ReadTree(TAVRI_TEST_DATA "/expected/site/full/")) {
        if (!name.startsWith(u'G') && !name.startsWith(u'_')) {
            EXPECT_EQ(ReadAll(w.reports() + name), bytes) << name.toStdString();
        }
    }
    EXPECT_EQ(test::FilesIn(w.reports()).filter(QRegularExpression("^G\\d+\\.htm$")),
              (QStringList{"G1.htm", "G14.htm", "G16.htm"}));  // the changed entries
    // Once published, an unchanged entry's page stays as it was, and so does the home page.
    test::WriteAll(w.reports() + "gtop.htm", "mine");
    PublishSite(w.state(), SitePublishOptions{}, w.quiet);
    EXPECT_EQ(ReadAll(w.reports() + "gtop.htm"), "mine");
    const QByteArray lives = ReadAll(w.reports() + "G17.htm");
    SetField(w.state(), test::kApple, u"details", QStringLiteral("Rewritten"));
    SetField(w.state(), test::kLives, u"details", QStringLiteral("Rewritten"));
    PublishSite(w.state(), SitePublishOptions{true}, w.quiet);
    EXPECT_TRUE(ReadAll(w.reports() + "G14.htm").contains("<p>Rewritten</p>"));
    EXPECT_EQ(ReadAll(w.reports() + "G17.htm"), lives);
}

TEST(PublishSite, AMissingFrameTemplateIsReportedBeforeAnythingIsWritten) {
    FullWorld w;
    QFile::remove(w.dir() + "framebase.txt");
    const test::Files before = test::ReadTree(w.reports());
    EXPECT_EQ(
        test::Refusal<FileError>([&] { PublishSite(w.state(), SitePublishOptions{}, w.quiet); }),
        "framebase.txt was not found in " + w.dir() + ".");
    EXPECT_EQ(test::ReadTree(w.reports()), before);
}

// A folder in the way of a file (or a file in the way of the palm folder) ends the run with an
// error that names it.
TEST(PublishErrors, AFileThatCannotBeMadeIsNamedAndEndsTheRun) {
    const struct {
        const char* writer;
        const char* blocked;          // below Reports/
        const char* notWritten = "";  // a later file of the run
    } rows[] = {
        {"site", "g-B.htm", "g-C.htm"},
        {"alphasite", "g-B.htm", "g-C.htm"},
        {"reading", "palm/PR-Tavri.pml"},
        {"reading", "palm/PageTavri-OrcLands.txt"},
        {"reading", "palm/RegionTavri-Here.rtf"},
        {"epub", "palm/Tavri.epub"},
        {"modern", "site/entry-1.html"},
        {"adhoc", "AdHoc.htm"},
        {"reading", "palm"},  // a file in the folder's way
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.blocked);
        FullWorld w;
        const QString path = w.reports() + row.blocked;
        if (path.endsWith(u"palm")) {
            QDir(path).removeRecursively();
            test::WriteAll(path, "not a folder");
        } else {
            ASSERT_TRUE(QDir().mkpath(path + "/inside"));
        }
        test::ProgressLog log;
        const QString error = test::Refusal<FileError>(
            [&] { test::PublishWith(row.writer, test::World::Full, w, log); });
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_FALSE(*row.notWritten && QFile::exists(w.reports() + row.notWritten));
    }
}

// At the first entry the run reports, edits one field of Zeno or (no field) adds an entry
// through the program's own connection, as another window would while the run lets events in.
struct SaveDuringRun : PublishProgress {
    SaveDuringRun(FullWorld& world, const char16_t* field) : w(world), field(field) {}
    void entry(const QString&) override {
        if (std::exchange(done, true)) {
            return;
        }
        if (field != nullptr) {  // Zeno is written after the first entry by both sites
            SetField(w.state(), test::kZeno, field, QStringLiteral("Edited during the run"));
            SetField(w.state(), test::kZeno, u"changed", true);
        } else {
            added = w.add({"Newcomer", "", "", "", QString(), true});
        }
    }
    FullWorld& w;
    const char16_t* field;
    bool done = false;
    qint64 added = 0;
};

TEST(ChangedFlags, AnEntrySavedDuringTheRunKeepsItsFlagAndItsOldTextIsPublished) {
    const struct {
        bool alpha;
        const char16_t* field;
    } cases[] = {{false, u"name"},    {false, u"race-location"}, {false, u"date"}, {false, u"desc"},
                 {false, u"details"}, {false, nullptr},          {true, u"desc"},  {true, nullptr}};
    for (const auto& k : cases) {
        SCOPED_TRACE((k.alpha ? "alphabetical site, " : "web site, ") +
                     (k.field ? QString::fromUtf16(k.field) : "added").toStdString());
        FullWorld w;
        SaveDuringRun saver(w, k.field);
        const auto published = k.alpha ? PublishAlphaSite(w.state(), saver)
                                       : PublishSite(w.state(), SitePublishOptions{}, saver);
        ClearChangedFlags(w.state(), *published, w.quiet);
        EXPECT_EQ(ChangedIds(w.state()), std::vector<qint64>{k.field ? test::kZeno : saver.added});
        const QByteArray zPage = ReadAll(w.reports() + "g-Z.htm");
        EXPECT_TRUE(zPage.contains("Last of the Latin letters"));
        EXPECT_FALSE(zPage.contains("Edited during the run"));
        EXPECT_FALSE(ReadAll(w.reports() + "g-N.htm").contains("Newcomer"));
    }
}

TEST(ChangedFlags, AreClearedAllOrNone) {
    FullWorld w;
    const auto published = PublishSite(w.state(), SitePublishOptions{}, w.quiet);
    const std::vector<qint64> flagged{test::kEagle, test::kApple, 16};
    EXPECT_EQ(ChangedIds(w.state()), flagged) << "publishing leaves the flags to its front end";
    struct Stopping : PublishProgress {
        void step(qint64 done, qint64) override {
            if (done == 15) {  // after the flags of ids 1 and 14, before that of 16
                throw FileError(QStringLiteral("stopped"));
            }
        }
    } stopping;
    EXPECT_THROW(ClearChangedFlags(w.state(), *published, stopping), FileError);
    EXPECT_EQ(ChangedIds(w.state()), flagged);
    test::ProgressLog log;
    ClearChangedFlags(w.state(), *published, log);
    EXPECT_EQ(ChangedIds(w.state()), std::vector<qint64>{});
    EXPECT_TRUE(log.text.startsWith("phase Clearing changed flag: 233\nstep 1/233 "))
        << log.text.toStdString();
    EXPECT_TRUE(log.text.contains("\nstep 233/233 ") && log.text.count('\n') == 234)
        << log.text.toStdString();
}

// A failure halfway (here from the progress sink, as a database error would come) leaves the
// old book as it was.
TEST(EpubBook, AFailedWriteLeavesTheOldBookWhole) {
    FullWorld w;
    const QString path = DefaultEpubPath(w.state());
    WriteEpubBook(w.state(), path, {}, w.quiet);
    const QByteArray before = ReadAll(path);
    struct Failing : PublishProgress {
        void entry(const QString& name) override {
            if (name == u"Zeno") {
                throw FileError(QStringLiteral("halfway"));
            }
        }
    } failing;
    EXPECT_THROW(WriteEpubBook(w.state(), path, {}, failing), FileError);
    EXPECT_EQ(ReadAll(path), before);
}

TEST(EpubBook, TheIdentifierIsKeptInTheCompendiumAndDiffersBetweenCompendiums) {
    test::TempCompendium c, other;
    const QString id = BookIdentifier(c.state());
    EXPECT_TRUE(QRegularExpression("^urn:uuid:[0-9a-f-]{36}$").match(id).hasMatch())
        << id.toStdString();
    c.reopen();
    EXPECT_EQ(BookIdentifier(c.state()), id);
    EXPECT_NE(BookIdentifier(other.state()), id);
}

TEST(EpubBook, LanguageTags) {
    const std::pair<const char*, bool> tags[] = {
        {"en", true}, {"de-CH", true},  {"zh-Hant-TW", true}, {"es-419", true}, {"", false},
        {"e", false}, {"en_GB", false}, {"en GB", false},     {"\"x\"", false}, {"en-", false}};
    for (const auto& [tag, valid] : tags) {
        EXPECT_EQ(IsLanguageTag(QString::fromUtf8(tag)), valid) << tag;
    }
}

TEST(ModernSite, PageNamesStayWhenAnEntryIsRenamedAndPagesOfGoneEntriesGo) {
    FullWorld w;
    WriteModernSite(w.state(), ModernSiteOptions(), w.quiet);
    SetField(w.state(), test::kEmu, u"name", QStringLiteral("Quail"));
    w.state().EntryRs->seek(u"=", test::kLegion);
    w.state().EntryRs->remove();
    WriteModernSite(w.state(), ModernSiteOptions(), w.quiet);
    const QString site = DefaultSiteFolder(w.state());
    EXPECT_TRUE(ReadAll(site + "entry-3.html").contains("<h1>Quail</h1>"));
    EXPECT_TRUE(QFile::exists(site + "letter-q.html"));
    EXPECT_FALSE(QFile::exists(site + "entry-4.html"));
    EXPECT_FALSE(QFile::exists(site + "letter-7.html"));
}

}  // namespace
}  // namespace tavri
