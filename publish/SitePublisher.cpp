// The framed HTML web site.
//
// The pages are fed by the publication's two walks (GroupedWalk.h): the letter pages, entry
// pages and whole-compendium files by the walk in name order, the contents page, race/location
// pages and page outputs by the walk in race/location order. Index pages stay open until both
// walks are done: a group that maps to a page the run already wrote (initials that interleave
// in name order, race/locations whose keys coincide, a one-letter race/location key and that
// letter) appends its rows there, and every page is ended once at the end. Entries are read one
// at a time and a page the walk has left holds no buffer, so memory does not grow with the
// compendium.
#include "publish/SitePublisher.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <utility>

#include "base/FileError.h"
#include "base/Sutils.h"
#include "base/TextCodec.h"
#include "publish/EntryPages.h"
#include "publish/GroupedWalk.h"
#include "publish/PalmOutput.h"

namespace tavri {
namespace {

QString optionText(const AppState& state, QStringView field) {
    return state.OptionsRs->text(field);
}

void tableStart(OutputFile& out) {
    out.line(QStringLiteral("<table width=\"100%\"border=\"1\">"));
}

QString homeLink() {
    return QStringLiteral("<a href=\"gtop.htm\" target=\"gmain\">Home</a> ");
}

// The frame layout the user keeps beside the database; read before anything is written, so a
// missing template leaves the reports folder untouched.
QStringList readFrameTemplate(const AppState& state) {
    const QString path = state.DataDir + QStringLiteral("framebase.txt");
    if (!QFileInfo(path).isFile()) {
        throw FileError(QStringLiteral("framebase.txt was not found in %1.").arg(state.DataDir));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("read"), path, file.errorString());
    }
    return SplitLines(decodeInputBytes(file.readAll()));
}

void writeStartPage(AppState& state, const QStringList& frameLines) {
    OutputFile out(state.ReportsDir() + QStringLiteral("gindex.htm"), OutputFormat::Html);
    PageHead(out, optionText(state, u"campaign"));
    for (const QString& line : frameLines) {
        out.line(line);
    }
    out.line(u"</html>");
    out.close();
}

// A letter or race/location index page. Its end is written once, when the run's pages are
// finished, so a group that comes back to the page appends its rows.
struct IndexPage {
    explicit IndexPage(const QString& path) : out(path, OutputFormat::Html) {}
    void suspend() { out.flush(); }
    void finish() {
        PageEnd(out);
        out.close();
    }
    OutputFile out;
};
using IndexPages = RunFiles<IndexPage>;

// Enters the page named fileName; a page the run begins gets its head and body tag first.
std::pair<IndexPage&, bool> enterPage(IndexPages& pages, const AppState& state,
                                      const SiteStyle& style, const QString& fileName) {
    const QString path = state.ReportsDir() + fileName;
    auto entered = pages.enter(path, [&] { return std::make_unique<IndexPage>(path); });
    if (entered.second) {
        PageHead(entered.first.out, optionText(state, u"campaign"));
        entered.first.out.line(SiteBodyTag(state, style));
    }
    return entered;
}

// The letter pages, with the entry pages of the entries that have notes.
class LetterPagesWriter : public WalkWriter {
public:
    LetterPagesWriter(AppState& state, const SiteStyle& style, const SitePublishOptions& options,
                      PublishProgress& progress, IndexPages& pages)
        : state_(state), style_(style), options_(options), progress_(progress), pages_(pages) {}

    void entry(const Recordset& rs) override {
        const QString letter = EntryLetter(rs.text(u"name"));
        if (!open_ || letter != letter_) {
            open_ = true;
            letter_ = letter;
            auto [page, begun] = enterPage(pages_, state_, style_, IndexPageName(letter));
            if (begun) {
                tableStart(page.out);
                if (!IsLatinCapital(letter)) {
                    otherLetters_.push_back(letter);
                }
            }
        }
        IndexRow(pages_.current()->out, rs, [&] {
            if (HasEntryPage(rs)) {
                WriteEntryPage(state_, rs, style_, options_.changedOnly, progress_);
            }
        });
    }

    // Every letter A to Z without an entry gets an empty page, so no link of the strip is dead.
    void finish() override {
        for (const QString& letter : LatinCapitals()) {
            if (!pages_.wrote(state_.ReportsDir() + IndexPageName(letter))) {
                tableStart(enterPage(pages_, state_, style_, IndexPageName(letter)).first.out);
            }
        }
    }

    const QStringList& otherLetters() const { return otherLetters_; }

private:
    AppState& state_;
    const SiteStyle& style_;
    const SitePublishOptions& options_;
    PublishProgress& progress_;
    IndexPages& pages_;
    bool open_ = false;
    QString letter_;
    QStringList otherLetters_;
};

// gcontentsl.htm: "Home", the letters A to Z, then every other letter page of the run.
void writeLetterStrip(AppState& state, const SiteStyle& style, const QStringList& otherLetters) {
    OutputFile letters(state.ReportsDir() + QStringLiteral("gcontentsl.htm"), OutputFormat::Html);
    PageHead(letters, optionText(state, u"campaign"));
    letters.line(SiteBodyTag(state, style));
    letters.part(homeLink());
    for (const QString& letter : LatinCapitals() + otherLetters) {
        letters.part(QStringLiteral("<a href=\"") + IndexPageName(letter) +
                     QStringLiteral("\" target=\"gmain\">") + letter + QStringLiteral("</a> "));
    }
    letters.line();
    letters.line(u"<br>");
    PageEnd(letters);
    letters.close();
}

// The race/location pages. A group whose page the run already began (a key shared with an
// earlier group or with a letter) closes the table there and adds its own heading and table.
class RaceLocationPagesWriter : public WalkWriter {
public:
    RaceLocationPagesWriter(AppState& state, const SiteStyle& style, IndexPages& pages)
        : state_(state), style_(style), pages_(pages) {}

    void entry(const Recordset& rs) override {
        const QString raceLocation = rs.text(u"race-location");
        if (IsBlank(raceLocation)) {
            return;
        }
        const QString key = raceLocation.toUpper();
        if (!open_ || key != key_) {
            open_ = true;
            key_ = key;
            auto [page, begun] =
                enterPage(pages_, state_, style_, IndexPageName(AlphaNumOnly(key)));
            if (!begun) {
                page.out.line(u"</table>");
            }
            page.out.line(QStringLiteral("<h1>") + raceLocation + QStringLiteral("</h1>"));
            tableStart(page.out);
        }
        IndexRow(pages_.current()->out, rs);
    }

    void finish() override {}

private:
    AppState& state_;
    const SiteStyle& style_;
    IndexPages& pages_;
    bool open_ = false;
    QString key_;
};

}  // namespace

void WriteReadingFiles(AppState& state, PublishProgress& progress) {
    progress.phase(PhaseName(PublishPhase::ReadingFiles), 2);
    TomeOutput(state, progress);
    progress.step(1, 2);
    TavriPageOutput(state, progress);
    progress.step(2, 2);
}

std::unique_ptr<Publication> PublishSite(AppState& state, const SitePublishOptions& options,
                                         PublishProgress& progress) {
    const QStringList frameLines = readFrameTemplate(state);
    RemoveLeftoverTemporaries(state.ReportsDir());
    const SiteStyle style = ReadSiteStyle(state);
    auto published = std::make_unique<Publication>(state);
    Recordset& rs = published->entries();
    const qint64 total = published->entryCount();

    writeStartPage(state, frameLines);
    // Both contents pages link "Home" to gtop.htm, which otherwise only the alphabetical site
    // writes; a first publication gets one so the link is not broken.
    if (!QFileInfo::exists(state.ReportsDir() + QStringLiteral("gtop.htm"))) {
        WriteTopPage(state, style);
    }
    IndexPages pages;
    {
        LetterPagesWriter letters(state, style, options, progress, pages);
        const auto tome = MakeTomeWriter(state);
        progress.phase(PhaseName(PublishPhase::IndexPages), total);
        WalkEntries(rs, u"namedex", {&letters, tome.get()}, progress, total);
        writeLetterStrip(state, style, letters.otherLetters());
    }
    {
        RaceLocationStrip contents(state, QStringLiteral("<br>"));
        PageHead(contents.out(), optionText(state, u"campaign"));
        contents.out().line(SiteBodyTag(state, style));
        contents.out().line(homeLink());
        contents.out().line(u"<br>");
        RaceLocationPagesWriter raceLocations(state, style, pages);
        const auto pageOutput = MakePageOutputWriter(state);
        progress.phase(PhaseName(PublishPhase::RaceLocationPages), total);
        WalkEntries(rs, u"rldex", {&contents, &raceLocations, pageOutput.get()}, progress, total);
    }
    pages.finish();

    published->setPublished(total);
    state.EntryRs->setIndex(u"id");
    state.EntryRs->moveFirst();
    return published;
}

}  // namespace tavri
