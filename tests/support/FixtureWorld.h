// The fixture compendiums that every publishing test publishes: one full world holding the hard
// cases of names, race/locations, values and notes, an empty one, and a small one whose first
// race/location is "-" (every race/location walk starts from that value, and blank
// race/locations, which sort first, cannot share a compendium with that case).
#pragma once

#include <map>

#include "support/TestSupport.h"

namespace tavri::test {

enum class World { Full, Empty, DashFirst };

const char* WorldName(World world);

// Fills a new compendium with the world's options, framebase.txt, images and entries.
void BuildWorld(TempCompendium& c, World world);

// Every file below folder, hidden ones too, by path below it.
using Files = std::map<QString, QByteArray>;
Files ReadTree(const QString& folder);
// The entries of the zip archive at path by name; their order and compression methods as lines
// of list.
Files ZipEntries(const QString& path, QByteArray* list = nullptr);

// Ids of entries of the full world that the targeted tests name.
inline constexpr qint64 kEagle = 1, kElan = 2, kEmu = 3, kLegion = 4, kZeno = 12, kApple = 14;
inline constexpr qint64 kLives = 17;  // 9 Lives: notes, changed flag off

}  // namespace tavri::test
