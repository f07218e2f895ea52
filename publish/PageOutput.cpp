// The compendium grouped by race/location as short reading documents: PageTavri.rtf (a heading
// per group, a line per entry), one PageTavri-<letters>.txt per group (entries with their notes)
// and PageTavri.pml (a chapter title per group). All three are written in one walk in "rldex"
// order with the grouping rule of RaceLocationGroups; values are written as stored, escaped
// where RTF or PML would read them as mark-up.
//
// Groups whose race/locations have the same Latin letters share a text file: the later group
// continues the file with its own heading lines, so no group's entries are lost.
#include "base/OutputFile.h"
#include "base/Sutils.h"
#include "base/TextCodec.h"
#include "publish/PalmFolder.h"
#include "publish/PalmOutput.h"
#include "publish/RtfRules.h"

namespace tavri {
namespace {

const QString kQ = QStringLiteral("\"");

struct TextGroupFile {
    explicit TextGroupFile(const QString& path) : out(path, OutputFormat::Text) {}
    OutputFile out;
    void suspend() { out.flush(); }
    void finish() { out.close(); }
};

class PageOutputWriter : public WalkWriter {
public:
    PageOutputWriter(const QString& folder, const QString& campaign)
        : folder_(folder),
          rtf_(folder + QStringLiteral("PageTavri.rtf"), OutputFormat::Rtf),
          pml_(folder + QStringLiteral("PageTavri.pml"), OutputFormat::Pml) {
        rtf_.line(RtfFontTable());
        rtf_.line(u"{\\*\\generator Msftedit 5.41.15.1503;}");
        rtf_.line(u"\\viewkind4\\uc1");
        pml_.line(QStringLiteral("\\vTITLE=") + kQ + PmlEscaped(campaign) +
                  QStringLiteral(" Page Tavri") + kQ + QStringLiteral("\\v"));
    }

    void entry(const Recordset& rs) override {
        const QString place = rs.text(u"race-location");
        const QString name = rs.text(u"name");
        const QString summary = rs.text(u"desc");
        const bool opens = groups_.opens(rs.field(u"race-location"));
        if (opens) {
            rtf_.line(u"\\par\\par");
            rtf_.line(RtfRegionHeading(place));
            pml_.line(u"\\c");
            pml_.line(QStringLiteral("\\x\\B") + PmlEscaped(place) + QStringLiteral("\\B\\x"));
            pml_.line(u"\\c");
        }
        rtf_.line(RtfEntryLine(name, summary));
        pml_.line(QStringLiteral("\\B") + PmlEscaped(name) + QStringLiteral(": \\B") +
                  PmlEscaped(summary));
        writeText(rs, place, opens);
    }

    void finish() override {
        rtf_.line(u"}");
        rtf_.close();
        texts_.finish();
        pml_.close();
    }

private:
    // An entry met while no text file is open (its value is "-", the walk's start, or missing)
    // opens its own group's file rather than being lost. The heading of the whole text output
    // stands at the top of the first file.
    void writeText(const Recordset& rs, const QString& place, bool opens) {
        if (opens || texts_.current() == nullptr) {
            const QString path = folder_ + QStringLiteral("PageTavri-") + LettersOnly(place) +
                                 QStringLiteral(".txt");
            auto [file, begun] =
                texts_.enter(path, [&] { return std::make_unique<TextGroupFile>(path); });
            if (begun && first_) {
                file.out.line(u"Brief Tavri to Verun");
                first_ = false;
            }
            file.out.line();
            file.out.line();
            file.out.line(QStringLiteral("Verun: ") + place);
        }
        OutputFile& out = texts_.current()->out;
        out.line(rs.text(u"name") + QStringLiteral(" (") + rs.text(u"date") +
                 QStringLiteral(") - ") + rs.text(u"desc"));
        const QString notes = rs.text(u"details");
        if (!IsBlank(notes)) {
            out.line(notes);
        }
        out.line(u"----");
    }

    QString folder_;
    RaceLocationGroups groups_;
    OutputFile rtf_;
    OutputFile pml_;
    RunFiles<TextGroupFile> texts_;
    bool first_ = true;
};

}  // namespace

std::unique_ptr<WalkWriter> MakePageOutputWriter(const AppState& state) {
    return std::make_unique<PageOutputWriter>(EnsurePalmFolder(state),
                                              state.OptionsRs->text(u"campaign"));
}

void TavriPageOutput(AppState& state, PublishProgress& progress) {
    const auto writer = MakePageOutputWriter(state);
    WalkEntries(*state.EntryRs, u"rldex", {writer.get()}, progress);
}

}  // namespace tavri
