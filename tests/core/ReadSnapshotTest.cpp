// The read snapshot beside a compendium opened for writing or only for reading.
#include "store/ReadSnapshot.h"

#include <gtest/gtest.h>

#include <QString>

#include "app/AppState.h"
#include "store/Database.h"
#include "store/Recordset.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::Scan;
using test::TempCompendium;

TEST(ReadSnapshot, ReadsInTheOrderOfTheLiveCursorAndMissesLaterSaves) {
    for (const auto access : {Database::Access::ReadWrite, Database::Access::ReadOnly}) {
        SCOPED_TRACE(access == Database::Access::ReadOnly ? "read-only" : "read-write");
        TempCompendium c;
        c.add({"zeta", "Orc", "", "", QString(), false});
        c.add({u"\u00C9clair"_qs, "elf", "", "", QString(), false});
        c.add({"apple", u"\u00C9lan"_qs, "", "", QString(), false});
        const auto db = Database::open(AppState::DatabasePathIn(c.dir()), access);
        ReadSnapshot snapshot(*db);
        Recordset& live = *c.state().EntryRs;
        const QString byName = Scan(live, u"namedex"), byPlace = Scan(live, u"rldex");
        c.add({"Bear", "Dwarf", "", "", QString(), false});  // saved after the snapshot began

        Recordset seen(snapshot.database(), QStringLiteral("Tavri"));
        EXPECT_EQ(snapshot.entryCount(), 3);
        EXPECT_EQ(Scan(seen, u"namedex"), byName);
        EXPECT_EQ(Scan(seen, u"rldex"), byPlace);
    }
}

}  // namespace
}  // namespace tavri
