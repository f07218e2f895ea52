// The compendium grouped by race/location as short reading documents: PageTavri.rtf (a heading
// per group, a line per entry), one PageTavri-<letters>.txt per group (entries with their notes)
// and PageTavri.pml (a chapter title per group). Each file is made by its own walk in "rldex"
// order with the grouping rule of RaceLocationGroups; values are written as stored, escaped
// where RTF or PML would read them as mark-up.
#include <memory>

#include "app/OutputFile.h"
#include "app/Sutils.h"
#include "app/TextCodec.h"
#include "publish/PalmFolder.h"
#include "publish/PalmOutput.h"
#include "publish/RtfRules.h"

namespace tavri {
namespace {

const QString kQ = QStringLiteral("\"");

void WriteRtfPages(Recordset& rs, const QString& path) {
    OutputFile out(path, OutputFormat::Rtf);
    out.line(RtfFontTable());
    out.line(u"{\\*\\generator Msftedit 5.41.15.1503;}");
    out.line(u"\\viewkind4\\uc1");
    RaceLocationGroups groups;
    rs.setIndex(u"rldex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (groups.opens(rs.field(u"race-location"))) {
            out.line(u"\\par\\par");
            out.line(RtfRegionHeading(rs.text(u"race-location")));
        }
        out.line(RtfEntryLine(rs.text(u"name"), rs.text(u"desc")));
    }
    out.line(u"}");
    out.close();
}

// One file per group. The heading of the whole text output stands at the top of the first file.
// An entry met while no file is open (its value is "-", the walk's start, or missing) opens its
// own group's file rather than being lost.
void WriteTextPages(Recordset& rs, const QString& folder) {
    std::unique_ptr<OutputFile> out;
    bool first = true;
    RaceLocationGroups groups;
    rs.setIndex(u"rldex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QString place = rs.text(u"race-location");
        if (groups.opens(rs.field(u"race-location")) || !out) {
            if (out) {
                out->close();
            }
            out = std::make_unique<OutputFile>(
                folder + QStringLiteral("PageTavri-") + LettersOnly(place) + QStringLiteral(".txt"),
                OutputFormat::Text);
            if (first) {
                out->line(u"Brief Tavri to Verun");
                first = false;
            }
            out->line();
            out->line();
            out->line(QStringLiteral("Verun: ") + place);
        }
        out->line(rs.text(u"name") + QStringLiteral(" (") + rs.text(u"date") +
                  QStringLiteral(") - ") + rs.text(u"desc"));
        const QString notes = rs.text(u"details");
        if (!IsBlank(notes)) {
            out->line(notes);
        }
        out->line(u"----");
    }
    if (out) {
        out->close();
    }
}

void WritePmlPages(Recordset& rs, const QString& campaign, const QString& path) {
    OutputFile out(path, OutputFormat::Pml);
    out.line(QStringLiteral("\\vTITLE=") + kQ + PmlEscaped(campaign) +
             QStringLiteral(" Page Tavri") + kQ + QStringLiteral("\\v"));
    RaceLocationGroups groups;
    rs.setIndex(u"rldex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (groups.opens(rs.field(u"race-location"))) {
            out.line(u"\\c");
            out.line(QStringLiteral("\\x\\B") + PmlEscaped(rs.text(u"race-location")) +
                     QStringLiteral("\\B\\x"));
            out.line(u"\\c");
        }
        out.line(QStringLiteral("\\B") + PmlEscaped(rs.text(u"name")) + QStringLiteral(": \\B") +
                 PmlEscaped(rs.text(u"desc")));
    }
    out.close();
}

}  // namespace

void TavriPageOutput(AppState& state, PublishProgress&) {
    const QString folder = EnsurePalmFolder(state);
    WriteRtfPages(*state.EntryRs, folder + QStringLiteral("PageTavri.rtf"));
    WriteTextPages(*state.EntryRs, folder);
    WritePmlPages(*state.EntryRs, state.OptionsRs->text(u"campaign"),
                  folder + QStringLiteral("PageTavri.pml"));
}

}  // namespace tavri
