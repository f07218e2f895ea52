// One RTF document per race/location, RegionTavri-<race/location>.rtf, listing the group's
// entries with their summaries (the Create RTF command). The walk is in "rldex" order with the
// grouping rule of RaceLocationGroups; every file holds exactly one heading. The race/location
// goes into the file name through SafeFileNamePart, so no value can name a file outside the
// palm folder or one that cannot be created.
//
// Groups that come back to a file already written (values equal but for letter case, which
// interleave in the index's order, or equal once made safe) continue it with their entry lines.
#include "base/OutputFile.h"
#include "publish/FileNames.h"
#include "publish/PalmFolder.h"
#include "publish/PalmOutput.h"
#include "publish/RtfRules.h"

namespace tavri {
namespace {

struct RegionFile {
    explicit RegionFile(const QString& path) : out(path, OutputFormat::Rtf) {}
    OutputFile out;
    void suspend() { out.flush(); }
    void finish() {
        out.line(u"}");
        out.close();
    }
};

class RegionRtfWriter : public WalkWriter {
public:
    explicit RegionRtfWriter(QString folder) : folder_(std::move(folder)) {}

    // An entry met while no file is open (its value is "-", the walk's start, or missing) opens
    // its own group's file rather than being lost.
    void entry(const Recordset& rs) override {
        if (groups_.opens(rs.field(u"race-location")) || files_.current() == nullptr) {
            const QString place = rs.text(u"race-location");
            const QString path = folder_ + QStringLiteral("RegionTavri-") +
                                 SafeFileNamePart(place) + QStringLiteral(".rtf");
            auto [file, begun] =
                files_.enter(path, [&] { return std::make_unique<RegionFile>(path); });
            if (begun) {
                file.out.line(RtfFontTable());
                file.out.line(
                    u"{\\*\\generator Msftedit 5.41.21.2509;}\\viewkind4\\uc1\\pard\\sl240"
                    u"\\slmult1\\f0\\fs24");
                file.out.line(RtfRegionHeading(place));
            }
        }
        files_.current()->out.line(RtfEntryLine(rs.text(u"name"), rs.text(u"desc")));
    }

    void finish() override { files_.finish(); }

private:
    QString folder_;
    RaceLocationGroups groups_;
    RunFiles<RegionFile> files_;
};

}  // namespace

qint64 RegionRtfOutput(AppState& state, PublishProgress& progress) {
    RegionRtfWriter writer(EnsurePalmFolder(state));
    return WalkEntries(*state.EntryRs, u"rldex", {&writer}, progress);
}

}  // namespace tavri
