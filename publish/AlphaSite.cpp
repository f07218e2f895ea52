// The alphabetical site.
//
// A letter or race/location page is written in two streams at once: its index table goes to
// the page, the entries' full text to temp.htm; finishing the page appends temp.htm to it byte
// for byte. So only one page and one scratch file are open at a time, and the run's memory does
// not grow with the compendium.
#include "publish/AlphaSite.h"

#include <QFile>
#include <memory>

#include "app/FileError.h"
#include "app/OutputFile.h"
#include "app/Sutils.h"
#include "publish/EntryPages.h"

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

// Writes the strip; returns the number of entries, counted for the progress of the walks.
qint64 writeRaceLocationStrip(AppState& state, const SiteStyle& style) {
    OutputFile out(state.ReportsDir() + QStringLiteral("gcontents.htm"), OutputFormat::Html);
    pageStart(out, state, style);
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"rldex");
    rs.moveFirst();
    QString previous = QStringLiteral("&");
    qint64 entries = 0;
    for (; !rs.eof(); rs.moveNext(), ++entries) {
        const QVariant value = rs.field(u"race-location");
        if (!value.isNull() && value.toString() != previous) {
            previous = value.toString();
            out.part(QStringLiteral("<a href=\"g-") + RaceLocationKey(previous) +
                     QStringLiteral(".htm\" target=\"gmain\">") + previous +
                     QStringLiteral("</a> "));
        }
    }
    out.line();
    out.line(u"</body>");
    out.line(u"</html>");
    out.close();
    return entries;
}

void writeLetterColumn(AppState& state, const SiteStyle& style) {
    OutputFile out(state.ReportsDir() + QStringLiteral("glettersdates.htm"), OutputFormat::Html);
    pageStart(out, state, style);
    for (char16_t l = u'A'; l <= u'Z'; ++l) {
        out.line(QStringLiteral("<a href=\"g-%1.htm\" target=\"gmain\">%1</a><br> ")
                     .arg(QString(QChar{l})));
    }
    out.line(u"</body>");
    out.line(u"</html>");
    out.close();
}

// One walk's pages: the page being written, its scratch file of entry blocks and the row
// shading, which runs on from page to page.
class PageWalk {
public:
    PageWalk(AppState& state, const SiteStyle& style, PublishProgress& progress)
        : state_(state), style_(style), progress_(progress) {}

    // Starts the page of a new group unless the current entry belongs to the open one. A walk
    // opens its first page at its first entry whatever the group's text, so a name or
    // race/location equal to the walk's start value still gets its page.
    void enterGroup(const QString& key, const QString& fileKey) {
        if (page_ && key == key_) {
            return;
        }
        finish();
        key_ = key;
        page_ = std::make_unique<OutputFile>(state_.ReportsDir() + IndexPageName(fileKey),
                                             OutputFormat::Html);
        temp_ = std::make_unique<OutputFile>(tempPath(), OutputFormat::Html);
        pageStart(*page_, state_, style_);
        page_->line(QStringLiteral("<a name=\"Top\">"));
        page_->line(QStringLiteral("<table width=\"100%\"border=\"0\">"));
    }

    void writeEntry(const Recordset& e) {
        const QString name = TrimSpaces(e.text(u"name"));
        const QString cell =
            shadeNext_ ? QStringLiteral("<td bgcolor=\"#CCFFFF\">") : QStringLiteral("<td>");
        shadeNext_ = !shadeNext_;
        page_->line(u"<tr>");
        page_->line(cell + QStringLiteral("<a href=\"#") + name + QStringLiteral("\">") + name +
                    QStringLiteral("</a><td>"));
        page_->line(cell + TrimSpaces(e.text(u"race-location")) + QStringLiteral("<td>"));
        page_->line(cell + TrimSpaces(e.text(u"date")) + QStringLiteral("<td>"));
        page_->line(cell + TrimSpaces(e.text(u"desc")) + QStringLiteral("<td>"));
        page_->line(u"</tr>");

        progress_.entry(e.text(u"name"));
        writeBlock(e, name);
    }

    void finish() {
        if (!page_) {
            return;
        }
        page_->line(u"</table>");
        page_->line(u"<hr>");
        temp_->close();
        temp_.reset();
        copyTempInto(*page_);
        page_->line(u"</body>");
        page_->line(u"</html>");
        page_->close();
        page_.reset();
    }

private:
    QString tempPath() const { return state_.ReportsDir() + QStringLiteral("temp.htm"); }

    void writeBlock(const Recordset& e, const QString& name) {
        OutputFile& t = *temp_;
        t.line(QStringLiteral("<a name=\"") + name + QStringLiteral("\">"));
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

    // temp.htm was written by this run: its bytes go into the page unchanged, in pieces.
    void copyTempInto(OutputFile& page) {
        QFile temp(tempPath());
        if (!temp.open(QIODevice::ReadOnly)) {
            throw FileError(QStringLiteral("read"), tempPath(), temp.errorString());
        }
        constexpr qint64 kPiece = 1 << 16;
        while (!temp.atEnd()) {
            const QByteArray piece = temp.read(kPiece);
            if (piece.isEmpty() && temp.error() != QFileDevice::NoError) {
                throw FileError(QStringLiteral("read"), tempPath(), temp.errorString());
            }
            page.raw(piece);
        }
    }

    AppState& state_;
    const SiteStyle& style_;
    PublishProgress& progress_;
    std::unique_ptr<OutputFile> page_;
    std::unique_ptr<OutputFile> temp_;
    QString key_;
    bool shadeNext_ = true;
};

void letterWalk(AppState& state, const SiteStyle& style, PublishProgress& progress, qint64 total) {
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"namedex");
    rs.moveFirst();
    PageWalk walk(state, style, progress);
    qint64 done = 0;
    while (!rs.eof()) {
        const QString letter = EntryLetter(rs.text(u"name"));
        walk.enterGroup(letter, letter);
        walk.writeEntry(rs);
        progress.step(++done, total);
        rs.moveNext();
    }
    walk.finish();
}

void raceLocationWalk(AppState& state, const SiteStyle& style, PublishProgress& progress,
                      qint64 total) {
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"rldex");
    rs.moveFirst();
    PageWalk walk(state, style, progress);
    qint64 done = 0;
    while (!rs.eof()) {
        const QString raceLocation = rs.text(u"race-location");
        if (!IsBlank(raceLocation)) {
            const QString key = raceLocation.toUpper();
            walk.enterGroup(key, AlphaNumOnly(key));
            walk.writeEntry(rs);
        }
        progress.step(++done, total);
        rs.moveNext();
    }
    walk.finish();
}

}  // namespace

QString AlphaBodyTag(const AppState& state, const SiteStyle& style) {
    const QString ink = state.OptionsRs->text(u"inkcolour");
    const QString start = style.hasBackground
                              ? QStringLiteral("<body background=images/gback.jpg text=\"")
                              : QStringLiteral("<body text=\"");
    return start + ink + QStringLiteral("\"") + style.linkAttributes + QStringLiteral(">");
}

void WriteTopPage(AppState& state, const SiteStyle& style) {
    OutputFile out(state.ReportsDir() + QStringLiteral("gtop.htm"), OutputFormat::Html);
    pageStart(out, state, style);
    out.line(QStringLiteral("<h1>") + campaignOf(state) + QStringLiteral("</h1>"));
    out.line(u"</body>");
    out.line(u"</html>");
    out.close();
}

void PublishAlphaSite(AppState& state, PublishProgress& progress) {
    progress.phase(QStringLiteral("Publishing:"));
    RemoveLeftoverTemporaries(state.ReportsDir());
    const SiteStyle style = ReadSiteStyle(state);

    writeFrameset(state);
    writeCorner(state, style);
    const qint64 total = writeRaceLocationStrip(state, style);
    writeLetterColumn(state, style);
    WriteTopPage(state, style);
    letterWalk(state, style, progress, total);
    raceLocationWalk(state, style, progress, total);
    WriteReadingFiles(state, progress);

    state.EntryRs->setIndex(u"id");
    state.EntryRs->moveFirst();
}

}  // namespace tavri
