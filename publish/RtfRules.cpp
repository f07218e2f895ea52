// The shared RTF pieces of the palm folder's documents.
#include "publish/RtfRules.h"

#include "base/TextCodec.h"

namespace tavri {

QString RtfFontTable() {
    return QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\deflangfe1033"
        "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}");
}

QString RtfRegionHeading(const QString& raceLocation) {
    return QStringLiteral("\\ul\\b\\fs20 ") + RtfEscaped(raceLocation) +
           QStringLiteral("\\ulnone\\b0");
}

QString RtfEntryLine(const QString& name, const QString& summary) {
    const bool digitFirst =
        !name.isEmpty() && name.front() >= QLatin1Char('0') && name.front() <= QLatin1Char('9');
    return (digitFirst ? QStringLiteral("\\par\\b\\fs15 ") : QStringLiteral("\\par\\b\\fs15")) +
           RtfEscaped(name) + QStringLiteral("\\b0: ") + RtfEscaped(summary);
}

}  // namespace tavri
