// The alphabetical site.
//
// A letter or race/location page is written in two streams at once: its index table goes to
// the page, the entries' full text to a scratch file of its own; finishing the page appends the
// scratch file to it byte for byte. Pages stay open until both walks are done, so a group that
// maps to a page the run already wrote (initials that interleave in name order, race/locations
// whose keys coincide, a one-letter key and that letter) appends its rows to the table and its
// blocks after them. Entries are read one at a time and a page the walk has left holds no
// buffer, so memory does not grow with the compendium. temp.htm is left holding the blocks of
// the last page begun, as a finished run always left it.
#include "publish/AlphaSite.h"

#include <QFile>
#include <memory>

#include "base/FileError.h"
#include "base/OutputFile.h"
#include "base/Sutils.h"
#include "publish/EntryPages.h"
#include "publish/GroupedWalk.h"
#include "publish/PalmOutput.h"
namespace tavri {
namespace {

QString campaignOf(const AppState& state) {
    return state.OptionsRs->text(u"campaign");
}

void pageStart(OutputFile& out, const AppState& state, const SiteStyle& style) {
    PageHead(out, campaignOf(state));
    out.line(AlphaBodyTag(state, style));
}

void writeFrameset(AppState& state) {
    OutputFile out(state.ReportsDir() + QStringLiteral("gindex.htm"), OutputFormat::Html);
    PageHead(out, campaignOf(state));
    out.line(
        QStringLiteral("<frameset rows=\"80,*\" cols=\"80,*\" frameborder=\"NO\" border=\"0\" "
                       "framespacing=\"0\"> "));
    out.line(QStringLiteral(
        "  <frame name=\"cornerFrame\" scrolling=\"NO\" noresize src=\"gcorner.htm\" >"));
    out.line(QStringLiteral(
        "  <frame name=\"topFrame\" scrolling=\"NO\" noresize src=\"gcontents.htm\" >"));
    out.line(QStringLiteral("  <frame name=\"leftFrame\" noresize src=\"glettersdates.htm\">"));
    out.line(QStringLiteral("  <frame name=\"gmain\" src=\"gtop.htm\">"));
    out.line(u"</frameset>");
    out.line(u"</html>");
    out.close();
}

void writeCorner(AppState& state, const SiteStyle& style) {
    OutputFile out(state.ReportsDir() + QStringLiteral("gcorner.htm"), OutputFormat::Html);
    pageStart(out, state, style);
    out.line(u"</body>");
    out.line(u"</html>");
    out.close();
}

// A value written into a double-quoted attribute: its quotes and ampersands as references.
QString attributeValue(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    escaped.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return escaped;
}

// glettersdates.htm: the letters A to Z, then every other letter page of the run.
void writeLetterColumn(AppState& state, const SiteStyle& style, const QStringList& otherLetters) {
    OutputFile out(state.ReportsDir() + QStringLiteral("glettersdates.htm"), OutputFormat::Html);
    pageStart(out, state, style);
    for (const QString& letter : LatinCapitals() + otherLetters) {
        out.line(QStringLiteral("<a href=\"") + attributeValue(IndexPageName(letter)) +
                 QStringLiteral("\" target=\"gmain\">") + letter + QStringLiteral("</a><br> "));
    }
    out.line(u"</body>");
    out.line(u"</html>");
    out.close();
}

// A letter or race/location page and the scratch file of its entry blocks.
class AlphaPage {
public:
    AlphaPage(const QString& path, const QString& scratchFolder)
        : out(path, OutputFormat::Html), blocks(scratchFolder, OutputFormat::Html) {}

    void suspend() {
        out.flush();
        blocks.out().flush();
    }
    void finish() {
        out.line(u"</table>");
        out.line(u"<hr>");
        blocks.closeInto(out);
        out.line(u"</body>");
        out.line(u"</html>");
        out.close();
    }

    OutputFile out;
    ScratchFile blocks;
};
using AlphaPages = RunFiles<AlphaPage>;

// One walk's pages. The row shading runs on from page to page of the walk.
class AlphaPagesWriter : public WalkWriter {
public:
    AlphaPagesWriter(AppState& state, const SiteStyle& style, PublishProgress& progress,
                     AlphaPages& pages)
        : state_(state), style_(style), progress_(progress), pages_(pages) {}

    // Makes the page of fileKey current unless the entry's group, key, is the current one; a
    // walk enters its first page at its first entry whatever the group's text. Returns whether
    // this began the page.
    bool enterGroup(const QString& key, const QString& fileKey) {
        if (open_ && key == key_) {
            return false;
        }
        open_ = true;
        key_ = key;
        return enterPage(fileKey);
    }

    // Enters the page of fileKey, beginning it when the run has not; returns whether it did.
    bool enterPage(const QString& fileKey) {
        const QString path = state_.ReportsDir() + IndexPageName(fileKey);
        auto [page, begun] = pages_.enter(
            path, [&] { return std::make_unique<AlphaPage>(path, state_.ReportsDir()); });
        if (begun) {
            pageStart(page.out, state_, style_);
            page.out.line(QStringLiteral("<a name=\"Top\">"));
            page.out.line(QStringLiteral("<table width=\"100%\"border=\"0\">"));
        }
        return begun;
    }

    void writeEntry(const Recordset& e) {
        OutputFile& page = pages_.current()->out;
        const QString name = TrimSpaces(e.text(u"name"));
        const QString cell =
            shadeNext_ ? QStringLiteral("<td bgcolor=\"#CCFFFF\">") : QStringLiteral("<td>");
        shadeNext_ = !shadeNext_;
        page.line(u"<tr>");
        page.line(cell + QStringLiteral("<a href=\"#") + attributeValue(name) +
                  QStringLiteral("\">") + name + QStringLiteral("</a><td>"));
        page.line(cell + TrimSpaces(e.text(u"race-location")) + QStringLiteral("<td>"));
        page.line(cell + TrimSpaces(e.text(u"date")) + QStringLiteral("<td>"));
        page.line(cell + TrimSpaces(e.text(u"desc")) + QStringLiteral("<td>"));
        page.line(u"</tr>");

        progress_.entry(e.text(u"name"));
        writeBlock(pages_.current()->blocks.out(), e, name);
    }

    void finish() override {}

private:
    static void writeBlock(OutputFile& t, const Recordset& e, const QString& name) {
        t.line(QStringLiteral("<a name=\"") + attributeValue(name) + QStringLiteral("\">"));
        t.line(u"<table width=100%>");
        t.line(u"  <tr>");
        t.line(u"    <td width=50% align=left>");
        t.line(QStringLiteral("    <h1>") + e.text(u"name") + QStringLiteral("</h1>"));
        t.line(u"    </td>");
        t.line(u"    <td width=50% align=right>");
        t.line(QStringLiteral("    <a href=\"#Top\">Top"));
        t.line(u"    </td>");
        t.line(u"  </tr>");
        t.line(u"</table>");
        t.line(QStringLiteral("<p>Race/Location: ") + e.text(u"race-location") +
               QStringLiteral("</p>"));
        t.line(QStringLiteral("<p>Date: ") + e.text(u"date") + QStringLiteral("</p>"));
        t.line(QStringLiteral("<p>") + e.text(u"desc") + QStringLiteral("</p>"));
        t.line(QStringLiteral("<p>") + BreakBeforeCarriageReturns(TrimSpaces(e.text(u"details"))) +
               QStringLiteral("</p>"));
        t.line();
        t.line(u"<hr>");
    }

    AppState& state_;
    const SiteStyle& style_;
    PublishProgress& progress_;
    AlphaPages& pages_;
    bool open_ = false;
    QString key_;
    bool shadeNext_ = true;
};

class AlphaLetterWriter : public AlphaPagesWriter {
public:
    using AlphaPagesWriter::AlphaPagesWriter;

    void entry(const Recordset& rs) override {
        const QString letter = EntryLetter(rs.text(u"name"));
        if (enterGroup(letter, letter) && !IsLatinCapital(letter)) {
            otherLetters_.push_back(letter);
        }
        writeEntry(rs);
    }

    // Every letter A to Z without an entry gets an empty page, so no link of the column is dead.
    void finish() override {
        for (const QString& letter : LatinCapitals()) {
            enterPage(letter);
        }
    }

    const QStringList& otherLetters() const { return otherLetters_; }

private:
    QStringList otherLetters_;
};

// Entries whose race/location is blank have no row on any race/location page.
class AlphaRaceLocationWriter : public AlphaPagesWriter {
public:
    using AlphaPagesWriter::AlphaPagesWriter;

    void entry(const Recordset& rs) override {
        const QString raceLocation = rs.text(u"race-location");
        if (IsBlank(raceLocation)) {
            return;
        }
        const QString key = raceLocation.toUpper();
        enterGroup(key, AlphaNumOnly(key));
        writeEntry(rs);
    }
};

}  // namespace

std::unique_ptr<Publication> PublishAlphaSite(AppState& state, PublishProgress& progress) {
    RemoveLeftoverTemporaries(state.ReportsDir());
    const SiteStyle style = ReadSiteStyle(state);
    auto published = std::make_unique<Publication>(state);
    Recordset& rs = published->entries();
    const qint64 total = published->entryCount();

    writeFrameset(state);
    writeCorner(state, style);
    WriteTopPage(state, style);
    AlphaPages pages;
    {
        AlphaLetterWriter letters(state, style, progress, pages);
        const auto tome = MakeTomeWriter(state);
        progress.phase(PhaseName(PublishPhase::IndexPages), total);
        WalkEntries(rs, u"namedex", {&letters, tome.get()}, progress, total);
        writeLetterColumn(state, style, letters.otherLetters());
    }
    {
        RaceLocationStrip strip(state, QStringLiteral(" "));
        pageStart(strip.out(), state, style);
        AlphaRaceLocationWriter raceLocations(state, style, progress, pages);
        const auto pageOutput = MakePageOutputWriter(state);
        progress.phase(PhaseName(PublishPhase::RaceLocationPages), total);
        WalkEntries(rs, u"rldex", {&strip, &raceLocations, pageOutput.get()}, progress, total);
    }
    if (AlphaPage* last = pages.finish()) {
        last->blocks.copyTo(state.ReportsDir() + QStringLiteral("temp.htm"), OutputFormat::Html);
    }

    published->setPublished(total);
    state.EntryRs->setIndex(u"id");
    state.EntryRs->moveFirst();
    return published;
}

}  // namespace tavri
