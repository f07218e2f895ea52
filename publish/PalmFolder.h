// What the reading-file writers of the palm folder share: the folder itself, and the rule by
// which their race/location walks split the entries into groups.
#pragma once

#include <QString>
#include <QVariant>

#include "app/AppState.h"

namespace tavri {

// The palm folder, DataDir + "Reports/palm/", made first when it is missing (start-up makes it,
// but the user may have removed it since), and cleared of the temporary files that a killed
// writer left there. Throws FileError naming the folder when it cannot be made.
QString EnsurePalmFolder(const AppState& state);

// The grouping of a walk in "rldex" order. The previous race/location starts as "-"; an entry
// whose stored value differs from it (exact, case-sensitive) opens a group and becomes the new
// previous value. A missing (null) value never differs: its entry stays in the current group.
class RaceLocationGroups {
public:
    // Does the entry with this stored race/location open a new group?
    bool opens(const QVariant& raceLocation) {
        if (raceLocation.isNull()) {
            return false;
        }
        QString value = raceLocation.toString();
        if (value == previous_) {
            return false;
        }
        previous_ = std::move(value);
        return true;
    }

private:
    QString previous_ = QStringLiteral("-");
};

}  // namespace tavri
