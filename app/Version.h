// The program's version number and the title made from it.
#pragma once

#include <QString>

namespace tavri {

// Minor counts tenths and revision hundredths: 2, 1, 42 give 2.52; a minor of 10 adds a unit.
double ComputeAppVersion(int major, int minor, int revision);

// "Campaign Tavri v" + the version as the shortest decimal text with at most 15 significant
// digits and no trailing zeros (2.52, 3).
QString ComputeAppTitle(double appVersion);

// The version and title of this build, from the project's version fields.
double BuildAppVersion();
QString BuildAppTitle();

}  // namespace tavri
