// One RTF document per race/location, RegionTavri-<race/location>.rtf, listing the group's
// entries with their summaries (the Create RTF command). The walk is in "rldex" order with the
// grouping rule of RaceLocationGroups; every file holds exactly one heading. The race/location
// goes into the file name through SafeFileNamePart, so no value can name a file outside the
// palm folder or one that cannot be created.
#include <memory>

#include "app/OutputFile.h"
#include "publish/FileNames.h"
#include "publish/PalmFolder.h"
#include "publish/PalmOutput.h"
#include "publish/RtfRules.h"

namespace tavri {
namespace {

void CloseRegion(OutputFile& out) {
    out.line(u"}");
    out.close();
}

}  // namespace

qint64 RegionRtfOutput(AppState& state, PublishProgress&) {
    const QString folder = EnsurePalmFolder(state);
    Recordset& rs = *state.EntryRs;
    std::unique_ptr<OutputFile> out;
    RaceLocationGroups groups;
    qint64 written = 0;
    rs.setIndex(u"rldex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        // An entry met while no file is open (its value is "-", the walk's start, or missing)
        // opens its own group's file rather than being lost.
        if (groups.opens(rs.field(u"race-location")) || !out) {
            if (out) {
                CloseRegion(*out);
            }
            const QString place = rs.text(u"race-location");
            out = std::make_unique<OutputFile>(folder + QStringLiteral("RegionTavri-") +
                                                   SafeFileNamePart(place) + QStringLiteral(".rtf"),
                                               OutputFormat::Rtf);
            out->line(RtfFontTable());
            out->line(
                u"{\\*\\generator Msftedit 5.41.21.2509;}\\viewkind4\\uc1\\pard\\sl240\\slmult1\\f0"
                u"\\fs24");
            out->line(RtfRegionHeading(place));
        }
        out->line(RtfEntryLine(rs.text(u"name"), rs.text(u"desc")));
        ++written;
    }
    if (out) {
        CloseRegion(*out);
    }
    return written;
}

}  // namespace tavri
