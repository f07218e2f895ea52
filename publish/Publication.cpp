// A publication's snapshot and the clearing of the flags it earned.
#include "publish/Publication.h"

namespace tavri {
namespace {

// Did the entry keep the text the snapshot holds? Both cursors stand on the same id.
bool SameText(const Recordset& now, const Recordset& published) {
    for (const char16_t* field : {u"name", u"race-location", u"date", u"desc", u"details"}) {
        if (now.field(field) != published.field(field)) {
            return false;
        }
    }
    return true;
}

}  // namespace

Publication::Publication(const AppState& state)
    : snapshot_(*state.Db),
      entries_(std::make_unique<Recordset>(snapshot_.database(), QStringLiteral("Tavri"))),
      count_(snapshot_.entryCount()) {}

void ClearChangedFlags(AppState& state, Publication& published, PublishProgress& progress) {
    progress.phase(QStringLiteral("Clearing changed flag:"));
    Recordset& rs = *state.EntryRs;
    Recordset& seen = published.entries();
    rs.setIndex(u"id");
    seen.setIndex(u"id");
    seen.moveFirst();
    rs.moveFirst();
    Database::Transaction tx(*state.Db);
    try {
        // Both cursors run in id order, so the snapshot's cursor only ever moves on.
        for (; !rs.eof(); rs.moveNext()) {
            if (!rs.field(u"changed").toBool()) {
                continue;
            }
            const qint64 id = rs.field(u"id").toLongLong();
            while (!seen.eof() && seen.field(u"id").toLongLong() < id) {
                seen.moveNext();
            }
            if (seen.eof() || seen.field(u"id").toLongLong() != id || !SameText(rs, seen)) {
                continue;
            }
            rs.edit();
            rs.setField(u"changed", false);
            rs.update();
        }
        tx.commit();
    } catch (...) {
        rs.cancelUpdate();  // the transaction rolls back every flag cleared so far
        throw;
    }
}

}  // namespace tavri
