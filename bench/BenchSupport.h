// Synthetic compendiums for the benchmarks: realistic lengths (names up to 25 characters,
// descriptions up to 150, notes of a few hundred characters on two thirds of the entries),
// made once per size and kept for the run.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/AppState.h"

namespace tavri::bench {

// An open compendium of n synthetic entries, made on first use and shared for the run.
AppState& SyntheticCompendium(int n);

// The synthetic entry number i, as the builder writes it (deterministic).
struct SyntheticEntry {
    QString name, raceLocation, date, desc, details;
    bool changed;
};
SyntheticEntry MakeSyntheticEntry(int i);

}  // namespace tavri::bench
