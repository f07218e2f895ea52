// The book identifier.
#include "publish/BookIdentifier.h"

#include <QFileInfo>
#include <QUuid>

namespace tavri {

QString BookIdentifier(AppState& state) {
    static const QString key = QStringLiteral("book-id");
    QString id = state.Db->meta(key);
    if (!id.isEmpty()) {
        return id;
    }
    const QString prefix = QStringLiteral("urn:uuid:");
    if (state.Db->readOnly()) {
        static const QUuid space(QStringLiteral("8f2c3b7e-4a61-4d0b-9e57-2b1f6c0d9a34"));
        const QString file = QFileInfo(state.DatabasePath()).canonicalFilePath();
        return prefix + QUuid::createUuidV5(space, file).toString(QUuid::WithoutBraces);
    }
    id = prefix + QUuid::createUuid().toString(QUuid::WithoutBraces);
    state.Db->setMeta(key, id);
    return id;
}

}  // namespace tavri
