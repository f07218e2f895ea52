// Version number and title.
#include "app/Version.h"

#include <QLocale>

namespace tavri {

double ComputeAppVersion(int major, int minor, int revision) {
    return (minor / 10.0 + major) + revision / 100.0;
}

QString ComputeAppTitle(double appVersion) {
    // 15 significant digits hide the binary noise of the sum (2.5200000000000000177...), and
    // the 'g' form drops trailing zeros. The user's decimal separator is used, as the general
    // number-to-text rule does.
    QString digits = QString::number(appVersion, 'g', 15);
    const QChar point = QLocale().decimalPoint().at(0);
    digits.replace(QLatin1Char('.'), point);
    return QStringLiteral("Campaign Tavri v") + digits;
}

double BuildAppVersion() {
    return ComputeAppVersion(TAVRI_VERSION_MAJOR, TAVRI_VERSION_MINOR, TAVRI_VERSION_REVISION);
}

QString BuildAppTitle() {
    return ComputeAppTitle(BuildAppVersion());
}

}  // namespace tavri
