// The framed HTML web site.
//
// Each walk holds at most one index page open and reads the entries one at a time through the
// cursor, so a run's memory does not grow with the compendium. Pages are replaced, never
// appended to: when two groups map to one file name (race/locations that differ only in
// punctuation, a one-letter race/location key and that letter), the later group's page wins.
#include "publish/SitePublisher.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

#include "app/FileError.h"
#include "app/Sutils.h"
#include "app/TextCodec.h"
#include "publish/AlphaSite.h"
#include "publish/EntryPages.h"
#include "publish/FileNames.h"
#include "publish/PalmOutput.h"

namespace tavri {
namespace {

const QString kQ = QStringLiteral("\"");

QString quoted(const QString& value) {
    return kQ + value + kQ;
}

QString optionText(const AppState& state, QStringView field) {
    return state.OptionsRs->text(field);
}

void pageEnd(OutputFile& out) {
    out.line();
    out.line(u"</body>");
    out.line(u"</html>");
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

// Writes both contents pages; returns the number of entries, which the list's walk counts for
// the progress of the walks after it.
qint64 writeContentsPages(AppState& state, const SiteStyle& style) {
    const QString campaign = optionText(state, u"campaign");
    OutputFile contents(state.ReportsDir() + QStringLiteral("gcontents.htm"), OutputFormat::Html);
    OutputFile letters(state.ReportsDir() + QStringLiteral("gcontentsl.htm"), OutputFormat::Html);

    PageHead(letters, campaign);
    letters.line(SiteBodyTag(state, style));
    letters.part(homeLink());
    for (char16_t l = u'A'; l <= u'Z'; ++l) {
        const QString letter(QChar{l});
        letters.part(QStringLiteral("<a href=\"g-%1.htm\" target=\"gmain\">%1</a> ").arg(letter));
    }
    letters.line();
    letters.line(u"<br>");

    PageHead(contents, campaign);
    contents.line(SiteBodyTag(state, style));
    contents.line(homeLink());
    contents.line(u"<br>");

    // One link per run of equal stored values; a missing value belongs to the run before it.
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"rldex");
    rs.moveFirst();
    QString previous = QStringLiteral("&");
    qint64 entries = 0;
    for (; !rs.eof(); rs.moveNext(), ++entries) {
        const QVariant value = rs.field(u"race-location");
        if (!value.isNull()) {
            const QString raceLocation = value.toString();
            if (raceLocation != previous) {
                contents.part(QStringLiteral("<a href=\"g-") + RaceLocationKey(raceLocation) +
                              QStringLiteral(".htm\" target=\"gmain\">") + raceLocation +
                              QStringLiteral("</a><br>"));
                previous = raceLocation;
            }
        }
    }

    pageEnd(contents);
    pageEnd(letters);
    contents.close();
    letters.close();
    return entries;
}

// An index page being written by a walk: its file and the letter or key it belongs to.
struct OpenIndexPage {
    std::unique_ptr<OutputFile> file;
    QString key;

    void finish() {
        if (file) {
            pageEnd(*file);
            file->close();
            file.reset();
        }
    }
};

void letterWalk(AppState& state, const SiteStyle& style, const SitePublishOptions& options,
                PublishProgress& progress, qint64 total) {
    const QString campaign = optionText(state, u"campaign");
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"namedex");
    rs.moveFirst();
    OpenIndexPage page;
    qint64 done = 0;
    while (!rs.eof()) {
        const QString letter = EntryLetter(rs.text(u"name"));
        if (!page.file || letter != page.key) {
            page.finish();
            page.file = std::make_unique<OutputFile>(state.ReportsDir() + IndexPageName(letter),
                                                     OutputFormat::Html);
            page.key = letter;
            PageHead(*page.file, campaign);
            page.file->line(SiteBodyTag(state, style));
            tableStart(*page.file);
        }
        IndexRow(*page.file, rs, [&] {
            if (HasEntryPage(rs)) {
                WriteEntryPage(state, style, options.changedOnly, progress);
            }
        });
        progress.step(++done, total);
        rs.moveNext();
    }
    page.finish();
}

void raceLocationWalk(AppState& state, const SiteStyle& style, PublishProgress& progress,
                      qint64 total) {
    const QString campaign = optionText(state, u"campaign");
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"rldex");
    rs.moveFirst();
    OpenIndexPage page;
    qint64 done = 0;
    while (!rs.eof()) {
        const QString raceLocation = rs.text(u"race-location");
        if (!IsBlank(raceLocation)) {
            const QString key = raceLocation.toUpper();
            if (!page.file || key != page.key) {
                page.finish();
                page.file = std::make_unique<OutputFile>(
                    state.ReportsDir() + IndexPageName(AlphaNumOnly(key)), OutputFormat::Html);
                page.key = key;
                PageHead(*page.file, campaign);
                page.file->line(SiteBodyTag(state, style));
                page.file->line(QStringLiteral("<h1>") + raceLocation + QStringLiteral("</h1>"));
                tableStart(*page.file);
            }
            IndexRow(*page.file, rs);
        }
        progress.step(++done, total);
        rs.moveNext();
    }
    page.finish();
}

}  // namespace

bool HasBackground(const AppState& state) {
    return QFileInfo(state.ImagesDir() + QStringLiteral("gback.jpg")).isFile();
}

QString LinkAttributes(const AppState& state) {
    const QString colour = optionText(state, u"linkcolour");
    if (IsBlank(colour)) {
        return QString();
    }
    return QStringLiteral(" link=") + quoted(colour) + QStringLiteral(" vlink=") + quoted(colour) +
           QStringLiteral(" alink=") + quoted(colour);
}

QString ColourAttributes(const AppState& state) {
    QString attributes = LinkAttributes(state);
    const QString background = optionText(state, u"nameH");
    if (!IsBlank(background)) {
        attributes += QStringLiteral(" BGCOLOR=") + quoted(background);
    }
    return attributes;
}

SiteStyle ReadSiteStyle(const AppState& state) {
    return SiteStyle{HasBackground(state), LinkAttributes(state), ColourAttributes(state)};
}

void PageHead(OutputFile& out, const QString& campaign) {
    out.line(u"<html>");
    out.line(u"<head>");
    out.line(kCharsetLine);
    out.line(QStringLiteral("<title>") + campaign + QStringLiteral("</title>"));
    out.line(u"</head>");
}

QString SiteBodyTag(const AppState& state, const SiteStyle& style) {
    const QString ink = optionText(state, u"inkcolour");
    const QString start = style.hasBackground
                              ? QStringLiteral("<body background=images/gback.jpg text=")
                              : QStringLiteral("<body text=");
    return start + quoted(ink) + style.colourAttributes + QStringLiteral(">");
}

QString RaceLocationKey(const QString& raceLocation) {
    return AlphaNumOnly(raceLocation.toUpper());
}

QString EntryLetter(const QString& name) {
    return leftCodePoints(name, 1).toUpper();
}

QString IndexPageName(const QString& key) {
    return QStringLiteral("g-") + SafeFileNamePart(key) + QStringLiteral(".htm");
}

void IndexRow(OutputFile& out, const Recordset& entry, const std::function<void()>& afterNameCell) {
    const QString name = TrimSpaces(entry.text(u"name"));
    out.line(u"<tr>");
    if (HasEntryPage(entry)) {
        out.line(QStringLiteral("<td><a href=\"") + EntryPageName(entry.field(u"id").toLongLong()) +
                 QStringLiteral("\">") + name + QStringLiteral("</a><td>"));
    } else {
        out.line(QStringLiteral("<td>") + name + QStringLiteral("<td>"));
    }
    if (afterNameCell) {
        afterNameCell();
    }
    out.line(QStringLiteral("<td>") + TrimSpaces(entry.text(u"race-location")) +
             QStringLiteral("<td>"));
    out.line(QStringLiteral("<td>") + TrimSpaces(entry.text(u"date")) + QStringLiteral("<td>"));
    out.line(QStringLiteral("<td>") + TrimSpaces(entry.text(u"desc")) + QStringLiteral("<td>"));
    out.line(u"</tr>");
}

void WriteReadingFiles(AppState& state, PublishProgress& progress) {
    TomeOutput(state, progress);
    TavriPageOutput(state, progress);
}

void PublishSite(AppState& state, const SitePublishOptions& options, PublishProgress& progress) {
    progress.phase(QStringLiteral("Publishing:"));
    const QStringList frameLines = readFrameTemplate(state);
    RemoveLeftoverTemporaries(state.ReportsDir());
    const SiteStyle style = ReadSiteStyle(state);

    writeStartPage(state, frameLines);
    const qint64 total = writeContentsPages(state, style);
    // Both contents pages link "Home" to gtop.htm, which otherwise only the alphabetical site
    // writes; a first publication gets one so the link is not broken.
    if (!QFileInfo::exists(state.ReportsDir() + QStringLiteral("gtop.htm"))) {
        WriteTopPage(state, style);
    }
    letterWalk(state, style, options, progress, total);
    raceLocationWalk(state, style, progress, total);
    WriteReadingFiles(state, progress);

    state.EntryRs->setIndex(u"id");
    state.EntryRs->moveFirst();
}

void ClearChangedFlags(AppState& state, PublishProgress& progress) {
    progress.phase(QStringLiteral("Clearing changed flag:"));
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"id");
    rs.moveFirst();
    Database::Transaction tx(*state.Db);
    try {
        while (!rs.eof()) {
            if (rs.field(u"changed").toBool()) {
                rs.edit();
                rs.setField(u"changed", false);
                rs.update();
            }
            rs.moveNext();
        }
        tx.commit();
    } catch (...) {
        rs.cancelUpdate();  // the transaction rolls back every flag cleared so far
        throw;
    }
}

}  // namespace tavri
