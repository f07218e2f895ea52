// The book identifier.
#include "publish/BookIdentifier.h"

#include <QUuid>

namespace tavri {

QString BookIdentifier(AppState& state) {
    (void)state;
    return QStringLiteral("urn:uuid:") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

}  // namespace tavri
