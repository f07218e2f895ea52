// Entry texts in and out of the entry table.
#include "app/EntryWriter.h"

#include "base/Sutils.h"
#include "store/StoreError.h"

namespace tavri {

EntryTexts ReadEntryTexts(const Recordset& rs) {
    return {TrimSpaces(rs.text(u"name")), TrimSpaces(rs.text(u"race-location")),
            TrimSpaces(rs.text(u"date")), TrimSpaces(rs.text(u"desc")),
            TrimSpaces(rs.text(u"details"))};
}

qint64 WriteEntry(Recordset& rs, const EntryTexts& typed) {
    // A record being added has no id until it is stored; an edited one carries its own.
    const QVariant idBefore = rs.field(u"id");
    try {
        rs.setField(u"name", TrimSpaces(typed.name));
        rs.setField(u"race-location", TrimSpaces(typed.raceLocation));
        rs.setField(u"date", TrimSpaces(typed.date));
        rs.setField(u"desc", TrimSpaces(typed.desc));
        const QString details = TrimSpaces(typed.details);
        if (!details.isEmpty()) {
            rs.setField(u"details", details);
        }
        rs.setField(u"changed", true);
        rs.update();
    } catch (const StoreError&) {
        rs.cancelUpdate();
        throw;
    }
    return idBefore.isNull() ? rs.lastAddedId() : idBefore.toLongLong();
}

}  // namespace tavri
