// Synthetic compendiums for the benchmarks.
#include "bench/BenchSupport.h"

#include <map>
#include <stdexcept>

#include "app/NewCompendium.h"

namespace tavri::bench {
namespace {

const char* const kSyllables[] = {"ar",  "el",  "dor", "mir", "tha", "gal", "wen", "rok",
                                  "sul", "ven", "ith", "ora", "bra", "kel", "nim", "ash"};
const char* const kPlaces[] = {"Elf",   "Dwarf",        "Orc",       "Human",      "Marchlands",
                               "Vael",  "Cinder Hills", "Glass Sea", "Halfling",   "Dragon",
                               "Gnoll", "Northreach",   "Saltgrave", "Brackwater", "Ashdelve"};

QString word(unsigned seed, int syllables) {
    QString w;
    for (int s = 0; s < syllables; ++s) {
        w += QLatin1String(kSyllables[(seed >> (s * 4)) % 16]);
    }
    w[0] = w[0].toUpper();
    return w;
}

struct Held {
    QTemporaryDir dir;
    std::unique_ptr<AppState> state;
};

}  // namespace

SyntheticEntry MakeSyntheticEntry(int i) {
    const unsigned h = static_cast<unsigned>(i) * 2654435761u;
    SyntheticEntry e;
    e.name = (word(h, 2 + h % 3) + QLatin1Char(' ') + word(h >> 7, 2)).left(25);
    e.raceLocation = QLatin1String(kPlaces[h % 15]);
    e.date = QString::number(900 + (h >> 3) % 300);
    e.desc = QStringLiteral("A %1 of the %2, known for %3 and the long road to %4")
                 .arg(word(h >> 5, 2), e.raceLocation, word(h >> 9, 3), word(h >> 13, 2))
                 .left(20 + (h >> 11) % 131);
    if (i % 3 != 0) {
        QString notes;
        while (notes.size() < 200 + static_cast<int>((h >> 2) % 300)) {
            notes += word(h ^ static_cast<unsigned>(notes.size()), 3) +
                     QStringLiteral(" walked the <b>old roads</b> for years.\r\n");
        }
        e.details = notes;
    }
    e.changed = i % 7 == 0;
    return e;
}

AppState& SyntheticCompendium(int n) {
    static std::map<int, std::unique_ptr<Held>> held;
    auto& slot = held[n];
    if (slot) {
        return *slot->state;
    }
    slot = std::make_unique<Held>();
    const QString dir = slot->dir.path() + QStringLiteral("/");
    CreateCompendium(dir, false);
    slot->state = AppState::Open(dir);
    Recordset& rs = *slot->state->EntryRs;
    Database::Transaction tx(*slot->state->Db);
    for (int i = 0; i < n; ++i) {
        const SyntheticEntry e = MakeSyntheticEntry(i);
        rs.addNew();
        rs.setField(u"name", e.name);
        rs.setField(u"race-location", e.raceLocation);
        rs.setField(u"date", e.date);
        rs.setField(u"desc", e.desc);
        if (!e.details.isEmpty()) {
            rs.setField(u"details", e.details);
        }
        rs.setField(u"changed", e.changed);
        rs.update();
    }
    tx.commit();
    return *slot->state;
}

}  // namespace tavri::bench
