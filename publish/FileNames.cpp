// Safe file names from entry data.
#include "publish/FileNames.h"

namespace tavri {

QString SafeFileNamePart(const QString& part) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString safe = part;
    for (QChar& c : safe) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c)) {
            c = QLatin1Char('_');
        }
    }
    return safe;
}

QString EntryPageName(qint64 id) {
    return QStringLiteral("G") + QString::number(id) + QStringLiteral(".htm");
}

}  // namespace tavri
