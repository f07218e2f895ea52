// What a comparison of the published files cannot show: Publish Changed keeping the pages of
// unchanged entries, errors before and during a run, the changed flags a publication clears,
// links that resolve across the pages of a site and the documents of a book, and page names
// that outlive a rename.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <functional>
#include <set>

#include "app/FileError.h"
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
using test::TempCompendium;

struct FullWorld : TempCompendium {
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
    for (const qint64 id : {test::kEagle, test::kApple, test::kLives}) {
        EXPECT_EQ(QFile::exists(w.reports() + QStringLiteral("G%1.htm").arg(id)),
                  id != test::kLives);
    }
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
    try {
        PublishSite(w.state(), SitePublishOptions{}, w.quiet);
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), "framebase.txt was not found in " + w.dir() + ".");
    }
    EXPECT_EQ(test::ReadTree(w.reports()), before);
}

// A folder in the way of a file (or a file in the way of the palm folder) ends the run with an
// error that names it.
TEST(PublishErrors, AFileThatCannotBeMadeIsNamedAndEndsTheRun) {
    using Run = std::function<void(AppState&, PublishProgress&)>;
    const struct {
        const char* blocked;  // below Reports/
        Run run;
        const char* notWritten = "";  // a later file of the run
    } rows[] = {
        {"g-B.htm", [](AppState& s, PublishProgress& p) { PublishSite(s, {}, p); }, "g-C.htm"},
        {"g-B.htm", [](AppState& s, PublishProgress& p) { PublishAlphaSite(s, p); }, "g-C.htm"},
        {"palm/PR-Tavri.pml", [](AppState& s, PublishProgress& p) { TomeOutput(s, p); }},
        {"palm/PageTavri-OrcLands.txt",
         [](AppState& s, PublishProgress& p) { TavriPageOutput(s, p); }},
        {"palm/RegionTavri-Here.rtf",
         [](AppState& s, PublishProgress& p) { RegionRtfOutput(s, p); }},
        {"palm/Tavri.epub",
         [](AppState& s, PublishProgress& p) { WriteEpubBook(s, DefaultEpubPath(s), {}, p); }},
        {"site/entry-1.html",
         [](AppState& s, PublishProgress& p) { WriteModernSite(s, ModernSiteOptions(), p); }},
        {"AdHoc.htm", [](AppState& s, PublishProgress&) { WriteAdHocReport(s, {1}, "x"); }},
        {"palm", [](AppState& s, PublishProgress& p) { TomeOutput(s, p); }},  // a file
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
        try {
            row.run(w.state(), w.quiet);
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
        }
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
            w.add({"Newcomer", "", "", "", QString(), true});
        }
    }
    FullWorld& w;
    const char16_t* field;
    bool done = false;
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
        EXPECT_EQ(ChangedIds(w.state()), std::vector<qint64>{k.field ? test::kZeno : 33});
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
    struct Steps : PublishProgress {
        void phase(const QString& name, qint64 total) override {
            phases << name + QString::number(total);
        }
        void step(qint64 done, qint64 total) override {
            if (done == failAt) {
                throw FileError(QStringLiteral("stopped"));
            }
            steps << QStringLiteral("%1/%2").arg(done).arg(total);
        }
        qint64 failAt = 20;  // after the flags of ids 1 and 14, before that of 16
        QStringList phases, steps;
    } progress;
    EXPECT_THROW(ClearChangedFlags(w.state(), *published, progress), FileError);
    EXPECT_EQ(ChangedIds(w.state()), flagged);
    progress = Steps();
    progress.failAt = 0;
    ClearChangedFlags(w.state(), *published, progress);
    EXPECT_EQ(ChangedIds(w.state()), std::vector<qint64>{});
    EXPECT_EQ(progress.phases, QStringList{"Clearing changed flag:32"});
    EXPECT_EQ(progress.steps.size(), 32);
    EXPECT_EQ(progress.steps.back(), "32/32");
}

// The links the fixture's notes hold as written that lead nowhere (the site copies notes as
// they are; the book keeps what is not an entry link or an image of Reports/images/).
const QSet<QString> kNotesLinks{"G99.htm",
                                "G02.htm",
                                "http://x/y",
                                "images/../secret.jpg",
                                "images\\maps\\reach.jpg",
                                "IMAGES/maps/reach.jpg",
                                "images/gone.png",
                                "images\\old.bmp",
                                "images\\map one.jpg"};

// The targets of the links and frame sources of the folder's pages that name a missing file or
// an anchor its page lacks.
QSet<QString> BrokenLinks(const QString& folder) {
    static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    QSet<QString> broken;
    for (const QString& page : QDir(folder).entryList({"*.htm"}, QDir::Files)) {
        const QString text = QString::fromUtf8(ReadAll(folder + page));
        for (auto it = link.globalMatch(text); it.hasNext() && page != u"temp.htm";) {
            const QString target = it.next().captured(1);
            const QString file =
                target.section(u'#', 0, 0).isEmpty() ? page : target.section(u'#', 0, 0);
            const QString anchor = target.section(u'#', 1);
            if (!QFileInfo(folder + file).isFile() ||
                !(anchor.isEmpty() || QString::fromUtf8(ReadAll(folder + file))
                                          .contains("<a name=\"" + anchor + "\">"))) {
                broken << target;
            }
        }
    }
    return broken;
}

TEST(SiteLinks, EveryLinkOfBothSitesResolvesButThoseOfTheNotes) {
    FullWorld w;
    PublishSite(w.state(), SitePublishOptions{}, w.quiet);
    EXPECT_EQ(BrokenLinks(w.reports()), kNotesLinks);
    // The notes link to entry pages, which only the web site writes: a user keeps both sites.
    PublishAlphaSite(w.state(), w.quiet);
    EXPECT_EQ(BrokenLinks(w.reports()), kNotesLinks);
}

// Every href and src of the book names one of its documents, and a fragment an id inside it;
// every document is well-formed. 450 entries of one race/location fill three content
// documents, so links (a note's too) cross between them.
TEST(EpubBook, EveryLinkLandsOnAnElementThatExists) {
    FullWorld w;
    Database::Transaction batch(*w.state().Db);
    for (int i = 0; i < 450; ++i) {
        w.add({QStringLiteral("Soldier %1").arg(i, 3, 10, QLatin1Char('0')), "Legion", "", "x",
               QString()});
    }
    w.add(
        {"Linker", "Legion", "", "", "<a href=\"G1.htm\">Eagle</a>, <a href=\"G400.htm\">one</a>"});
    batch.commit();
    const QString path = w.dir() + "book.epub";
    EXPECT_EQ(WriteEpubBook(w.state(), path, {}, w.quiet).entries, 483);
    std::map<QString, std::set<QString>> ids;        // document -> its ids
    std::vector<std::pair<QString, QString>> links;  // (document, href)
    for (const auto& [entry, bytes] : test::ZipEntries(path)) {
        const QString name = entry.mid(5);  // below "EPUB/"
        std::set<QString>& own = ids[name];
        const bool document =
            name.endsWith(u".xhtml") || name.endsWith(u".ncx") || name.endsWith(u".opf");
        for (QXmlStreamReader xml(bytes); document && !xml.atEnd();) {
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                const auto a = xml.attributes();
                own.insert(a.value(QStringLiteral("id")).toString());
                for (const QString& attribute : {QStringLiteral("href"), QStringLiteral("src")}) {
                    if (a.hasAttribute(attribute)) {
                        links.emplace_back(name, a.value(attribute).toString());
                    }
                }
            }
            EXPECT_FALSE(xml.hasError())
                << name.toStdString() << ": " << xml.errorString().toStdString();
        }
    }
    EXPECT_EQ(ids.count("s3.xhtml"), 1u);
    for (const auto& [from, href] : links) {
        const QString document = href.section(u'#', 0, 0);
        const QString fragment = href.section(u'#', 1);
        EXPECT_TRUE(kNotesLinks.contains(href) ||
                    (ids.count(document) && (fragment.isEmpty() || ids[document].count(fragment))))
            << from.toStdString() << " -> " << href.toStdString();
    }
    EXPECT_GT(links.size(), 3u * 483);  // navigation, NCX and index each link every entry
}

// A failure halfway (here from the progress sink, as a database error would come) leaves the
// old book as it was and no temporary file.
TEST(EpubBook, AFailedWriteLeavesTheOldBookWhole) {
    FullWorld w;
    const QString path = DefaultEpubPath(w.state());
    WriteEpubBook(w.state(), path, {}, w.quiet);
    const QByteArray before = ReadAll(path);
    w.add({"Late", "Orc-Lands", "", "", QString()});
    struct Failing : PublishProgress {
        void entry(const QString& name) override {
            if (name == u"Zeno") {
                throw FileError(QStringLiteral("halfway"));
            }
        }
    } failing;
    EXPECT_THROW(WriteEpubBook(w.state(), path, {}, failing), FileError);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(test::FilesIn(w.state().PalmDir()).filter(".epub"), QStringList{"Tavri.epub"});
}

TEST(EpubBook, TheIdentifierIsKeptInTheCompendiumAndDiffersBetweenCompendiums) {
    TempCompendium c, other;
    const QString id = BookIdentifier(c.state());
    EXPECT_TRUE(QRegularExpression("^urn:uuid:[0-9a-f-]{36}$").match(id).hasMatch())
        << id.toStdString();
    c.reopen();
    EXPECT_EQ(BookIdentifier(c.state()), id);
    EXPECT_NE(BookIdentifier(other.state()), id);
}

TEST(EpubBook, LanguageTags) {
    for (const char* tag : {"en", "de-CH", "zh-Hant-TW", "es-419"}) {
        EXPECT_TRUE(IsLanguageTag(QString::fromUtf8(tag))) << tag;
    }
    for (const char* tag : {"", "e", "en_GB", "en GB", "\"x\"", "en-"}) {
        EXPECT_FALSE(IsLanguageTag(QString::fromUtf8(tag))) << tag;
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
