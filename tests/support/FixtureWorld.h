// The fixture compendiums that every publishing test publishes: one full world holding the hard
// cases of names, race/locations, values and notes, an empty one, and a small one whose first
// race/location is "-" (every race/location walk starts from that value, and blank
// race/locations, which sort first, cannot share a compendium with that case).
#pragma once

#include <map>

#include "publish/Progress.h"
#include "support/TestSupport.h"

namespace tavri::test {

enum class World { Full, Empty, DashFirst };

const char* WorldName(World world);

// Fills a new compendium with the world's options, framebase.txt, images and entries.
void BuildWorld(TempCompendium& c, World world);

// Every file below folder, hidden ones too, by path below it.
using Files = std::map<QString, QByteArray>;
Files ReadTree(const QString& folder);
// Replaces what folder holds with files.
void WriteTree(const QString& folder, const Files& files);
// The entries of the zip archive at path by name, and "_entries.txt": their order and
// compression methods as lines.
Files ZipEntries(const QString& path);

// What a writer reports, as lines: phases, entries, steps with the count a progress bar shows,
// and (cursor) where a writer left the entry cursor.
class ProgressLog : public PublishProgress {
public:
    void phase(const QString& name, qint64 total) override {
        count_.start(total);
        add(QStringLiteral("phase %1 %2").arg(name).arg(total));
    }
    void entry(const QString& name) override { add(QStringLiteral("entry ") + name); }
    void step(qint64 done, qint64 total) override {
        const qint64 shown = count_.step(done, total);
        add(QStringLiteral("step %1/%2 shown %3").arg(done).arg(total).arg(shown));
    }
    void cursor(const AppState& s) {
        add(QStringLiteral("cursor on %1%2")
                .arg(s.EntryRs->index(), s.EntryRs->eof() ? ", at end" : ""));
    }
    void add(const QString& line) { text += line.toUtf8() + '\n'; }
    QByteArray text;

private:
    PhaseCount count_;
};

// Runs the writer ("site", "alphasite", "reading", "modern", "epub" or "adhoc") on a compendium
// of the world, its e-book with a fixed identifier and time; returns what it returned, as lines.
QByteArray PublishWith(const std::string& writer, World world, TempCompendium& c, ProgressLog& log);

// Ids of entries of the full world that the targeted tests name.
inline constexpr qint64 kEagle = 1, kElan = 2, kEmu = 3, kLegion = 4, kZeno = 12, kApple = 14;
inline constexpr qint64 kLives = 17;  // 9 Lives: notes, changed flag off

}  // namespace tavri::test
