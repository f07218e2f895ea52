// The whole compendium as two reading files: Tavri-TR.txt (records between "<new>" lines) and
// PR-Tavri.pml (a contents list linking to one chapter per entry). Both walk the entries in
// "namedex" order; each value is trimmed of blanks, and the anchor of an entry is computed from
// its name in one place, so each contents line always finds its chapter.
#include "app/OutputFile.h"
#include "app/Sutils.h"
#include "app/TextCodec.h"
#include "publish/PalmFolder.h"
#include "publish/PalmOutput.h"

namespace tavri {
namespace {

const QString kQ = QStringLiteral("\"");

// The values of the current entry that both files use.
struct TomeEntry {
    QString name;
    QString place;
    QString date;
    QString summary;
    QString notes;
    QString anchor;  // the Latin letters and digits of the name: equal for names alike in those

    static TomeEntry Read(const Recordset& rs) {
        TomeEntry e;
        e.notes = TrimSpaces(rs.text(u"details"));
        e.name = TrimSpaces(rs.text(u"name"));
        e.place = TrimSpaces(rs.text(u"race-location"));
        e.date = TrimSpaces(rs.text(u"date"));
        e.summary = TrimSpaces(rs.text(u"desc"));
        e.anchor = AlphaNumOnly(e.name);
        return e;
    }
};

void WriteTextTome(Recordset& rs, const QString& path) {
    OutputFile out(path, OutputFormat::Text);
    out.line(u"<new>");
    out.line(u"Campaign Tavri");
    rs.setIndex(u"namedex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const TomeEntry e = TomeEntry::Read(rs);
        out.line(u"<new>");
        out.line(e.name);
        out.line(QStringLiteral("Race/Location: ") + e.place);
        out.line(QStringLiteral("Date: ") + e.date);
        out.line(e.summary);
        if (!e.notes.isEmpty()) {
            out.line(e.notes);  // its own line breaks and tags stay in it
        }
    }
    out.close();
}

// The notes as PML shows them: tags removed, then their character references decoded.
QString PmlNotes(const QString& notes) {
    return PmlEscaped(DecodeHtmlEntities(StripTags(notes)));
}

void WritePmlChapter(OutputFile& out, const TomeEntry& e) {
    out.line(u"\\c");
    out.line(QStringLiteral("\\x\\B") + PmlEscaped(e.name) + QStringLiteral("\\B\\x"));
    out.line(u"\\c");
    out.line(QStringLiteral("\\Q=") + kQ + e.anchor + kQ);
    out.line(QStringLiteral("Race/Location: ") + PmlEscaped(e.place));
    out.line(QStringLiteral("Date: ") + PmlEscaped(e.date));
    out.line();
    out.line(PmlEscaped(e.summary));
    if (!e.notes.isEmpty()) {
        out.line(QStringLiteral("\\w=") + kQ + QStringLiteral("50%") + kQ);
        out.line(PmlNotes(e.notes));
    }
    out.line();
    out.line(QStringLiteral("\\q=") + kQ + QStringLiteral("#contents") + kQ +
             QStringLiteral("\\BContents\\B\\q"));
}

void WritePmlTome(Recordset& rs, const QString& campaign, const QString& path) {
    OutputFile out(path, OutputFormat::Pml);
    out.line(QStringLiteral("\\vTITLE=") + kQ + PmlEscaped(campaign) + kQ + QStringLiteral("\\v"));
    out.line(u"\\c");
    out.line(u"\\x\\BCONTENTS\\B\\x");
    out.line(u"\\c");
    out.line(QStringLiteral("\\Q=") + kQ + QStringLiteral("contents") + kQ);

    rs.setIndex(u"namedex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const TomeEntry e = TomeEntry::Read(rs);
        out.line(QStringLiteral("\\q=") + kQ + QStringLiteral("#") + e.anchor + kQ +
                 QStringLiteral("\\B") + PmlEscaped(e.name) + QStringLiteral("\\B\\q"));
    }
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        WritePmlChapter(out, TomeEntry::Read(rs));
    }
    out.close();
}

}  // namespace

void TomeOutput(AppState& state, PublishProgress&) {
    const QString folder = EnsurePalmFolder(state);
    WriteTextTome(*state.EntryRs, folder + QStringLiteral("Tavri-TR.txt"));
    WritePmlTome(*state.EntryRs, state.OptionsRs->text(u"campaign"),
                 folder + QStringLiteral("PR-Tavri.pml"));
}

}  // namespace tavri
