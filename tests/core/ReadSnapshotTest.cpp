// The read snapshot beside a compendium opened for writing or only for reading.
#include "store/ReadSnapshot.h"

#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "app/AppState.h"
#include "store/Database.h"
#include "store/Recordset.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::TempCompendium;

// The names a cursor meets in the order of index.
std::vector<QString> NamesIn(Recordset& rs, const char16_t* index) {
    std::vector<QString> names;
    rs.setIndex(index);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        names.push_back(rs.text(u"name"));
    }
    return names;
}

TEST(ReadSnapshot, ReadsInTheOrderOfTheLiveCursorAndMissesLaterSaves) {
    for (const auto access : {Database::Access::ReadWrite, Database::Access::ReadOnly}) {
        SCOPED_TRACE(access == Database::Access::ReadOnly ? "read-only" : "read-write");
        TempCompendium c;
        c.add({"zeta", "Orc", "", "", QString(), false});
        c.add({u"\u00C9clair"_qs, "elf", "", "", QString(), false});
        c.add({"apple", u"\u00C9lan"_qs, "", "", QString(), false});
        const auto db = Database::open(AppState::DatabasePathIn(c.dir()), access);
        ReadSnapshot snapshot(*db);
        c.add({"Bear", "Dwarf", "", "", QString(), false});  // saved after the snapshot began

        Recordset seen(snapshot.database(), QStringLiteral("Tavri"));
        Recordset& live = *c.state().EntryRs;
        EXPECT_EQ(snapshot.entryCount(), 3);
        for (const char16_t* index : {u"namedex", u"rldex"}) {
            std::vector<QString> expected = NamesIn(live, index);
            std::erase(expected, QStringLiteral("Bear"));
            EXPECT_EQ(NamesIn(seen, index), expected) << QString::fromUtf16(index).toStdString();
        }
        EXPECT_EQ(NamesIn(seen, u"namedex"),
                  (std::vector<QString>{"apple", u"\u00C9clair"_qs, "zeta"}));
    }
}

}  // namespace
}  // namespace tavri
