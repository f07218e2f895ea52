// The whole compendium as two reading files: Tavri-TR.txt (records between "<new>" lines) and
// PR-Tavri.pml (a contents list linking to one chapter per entry). Both are written in one walk
// in "namedex" order: the contents lines go straight to the PML file, the chapters to a scratch
// file that is appended after the last contents line. Each value is trimmed of blanks.
//
// Every entry's PML anchor is unique: the Latin letters and digits of its name, or, when those
// are empty or an earlier entry already has them, that text followed by the entry's id (again
// while still taken). The contents line and the chapter take the anchor from the same call, so
// each contents line reaches its own chapter.
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/OutputFile.h"
#include "base/Sutils.h"
#include "base/TextCodec.h"
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
    qint64 id = 0;

    static TomeEntry Read(const Recordset& rs) {
        TomeEntry e;
        e.notes = TrimSpaces(rs.text(u"details"));
        e.name = TrimSpaces(rs.text(u"name"));
        e.place = TrimSpaces(rs.text(u"race-location"));
        e.date = TrimSpaces(rs.text(u"date"));
        e.summary = TrimSpaces(rs.text(u"desc"));
        e.id = rs.field(u"id").toLongLong();
        return e;
    }
};

// The anchors handed out so far, kept in a Bloom filter of fixed size so that memory does not
// grow with the compendium. The filter never forgets an anchor, so no two entries share one; a
// rare false alarm (about one in a million at 100,000 entries) only gives an entry the id
// suffix it did not need. std::hash is not seeded, so the anchors are the same from run to run.
class AnchorBook {
public:
    QString anchorFor(const TomeEntry& e) {
        QString anchor = AlphaNumOnly(e.name);
        if (!anchor.isEmpty() && claim(anchor)) {
            return anchor;
        }
        const QString id = QString::number(e.id);
        do {
            anchor += id;
        } while (!claim(anchor));
        return anchor;
    }

private:
    static constexpr size_t kBits = size_t{1} << 23;  // one megabyte
    static constexpr int kProbes = 4;

    // Marks the anchor as used; false when it (probably) already was.
    bool claim(const QString& anchor) {
        const std::u16string_view units(reinterpret_cast<const char16_t*>(anchor.utf16()),
                                        static_cast<size_t>(anchor.size()));
        const uint64_t h1 = std::hash<std::u16string_view>{}(units);
        const uint64_t h2 = (h1 * 0x9E3779B97F4A7C15ULL) >> 17 | 1;
        bool fresh = false;
        for (int i = 0; i < kProbes; ++i) {
            const uint64_t bit = (h1 + static_cast<uint64_t>(i) * h2) % kBits;
            uint64_t& word = words_[bit / 64];
            const uint64_t mask = uint64_t{1} << (bit % 64);
            fresh = fresh || (word & mask) == 0;
            word |= mask;
        }
        return fresh;
    }

    std::vector<uint64_t> words_ = std::vector<uint64_t>(kBits / 64);
};

// The notes as PML shows them: tags removed, then their character references decoded.
QString PmlNotes(const QString& notes) {
    return PmlEscaped(DecodeHtmlEntities(StripTags(notes)));
}

void WritePmlChapter(OutputFile& out, const TomeEntry& e, const QString& anchor) {
    out.line(u"\\c");
    out.line(QStringLiteral("\\x\\B") + PmlEscaped(e.name) + QStringLiteral("\\B\\x"));
    out.line(u"\\c");
    out.line(QStringLiteral("\\Q=") + kQ + anchor + kQ);
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

class TomeWriter : public WalkWriter {
public:
    TomeWriter(const QString& folder, const QString& campaign)
        : text_(folder + QStringLiteral("Tavri-TR.txt"), OutputFormat::Text),
          pml_(folder + QStringLiteral("PR-Tavri.pml"), OutputFormat::Pml),
          chapters_(folder, OutputFormat::Pml) {
        text_.line(u"<new>");
        text_.line(u"Campaign Tavri");
        pml_.line(QStringLiteral("\\vTITLE=") + kQ + PmlEscaped(campaign) + kQ +
                  QStringLiteral("\\v"));
        pml_.line(u"\\c");
        pml_.line(u"\\x\\BCONTENTS\\B\\x");
        pml_.line(u"\\c");
        pml_.line(QStringLiteral("\\Q=") + kQ + QStringLiteral("contents") + kQ);
    }

    void entry(const Recordset& rs) override {
        const TomeEntry e = TomeEntry::Read(rs);
        text_.line(u"<new>");
        text_.line(e.name);
        text_.line(QStringLiteral("Race/Location: ") + e.place);
        text_.line(QStringLiteral("Date: ") + e.date);
        text_.line(e.summary);
        if (!e.notes.isEmpty()) {
            text_.line(e.notes);  // its own line breaks and tags stay in it
        }
        const QString anchor = anchors_.anchorFor(e);
        pml_.line(QStringLiteral("\\q=") + kQ + QStringLiteral("#") + anchor + kQ +
                  QStringLiteral("\\B") + PmlEscaped(e.name) + QStringLiteral("\\B\\q"));
        WritePmlChapter(chapters_.out(), e, anchor);
    }

    void finish() override {
        text_.close();
        chapters_.closeInto(pml_);
        pml_.close();
    }

private:
    OutputFile text_;
    OutputFile pml_;
    ScratchFile chapters_;
    AnchorBook anchors_;
};

}  // namespace

std::unique_ptr<WalkWriter> MakeTomeWriter(const AppState& state) {
    return std::make_unique<TomeWriter>(EnsurePalmFolder(state),
                                        state.OptionsRs->text(u"campaign"));
}

void TomeOutput(AppState& state, PublishProgress& progress) {
    const auto writer = MakeTomeWriter(state);
    WalkEntries(*state.EntryRs, u"namedex", {writer.get()}, progress);
}

}  // namespace tavri
