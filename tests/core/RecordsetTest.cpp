// The entry store's contract: orders, seeks, nulls, ids, field widths, edits during scans, a busy
// file, the options record and the facts kept in "meta".
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <set>

#include "app/AppState.h"
#include "support/TestSupport.h"

using namespace tavri;
using namespace tavri::test;

namespace {

EntrySpec Entry(const QString& name, const QString& race = QStringLiteral("Elf")) {
    return {name, race, QStringLiteral("1066"), QStringLiteral("d"), QString(), false};
}

}  // namespace

TEST(Recordset, IndexesOrderIgnoringCaseWithIdBreakingTiesAndSeeksFindThatWay) {
    TempCompendium c;
    const qint64 orc1 = c.add(Entry("orc", "Steppe"));
    c.add(Entry("Banshee", "moor"));
    const qint64 orc2 = c.add(Entry("ORC", "Moor"));
    c.add(Entry("apple", "Moor"));
    c.add(Entry(QString::fromUtf8("Élan"), "Vael"));
    const qint64 elf = c.add(Entry("Elf", "Vael"));
    Recordset& rs = *c.state().EntryRs;
    EXPECT_EQ(Scan(rs, u"namedex"), "apple,Banshee,Élan,Elf,orc,ORC");
    EXPECT_EQ(Scan(rs, u"namedex", u"id").section(',', 4), QString("%1,%2").arg(orc1).arg(orc2));
    // rldex: race/location first, then the name, then id.
    EXPECT_EQ(Scan(rs, u"rldex"), "apple,Banshee,ORC,orc,Élan,Elf");
    EXPECT_EQ(Scan(rs, u"id"), "orc,Banshee,ORC,apple,Élan,Elf");

    rs.setIndex(u"NameDex");
    EXPECT_EQ(rs.index(), "namedex");
    const struct {
        const char16_t* op;
        const char* key;
        const char* found;  // nullptr: no match
        const char* next;   // after moveNext
    } seeks[] = {
        {u"=", "BANSHEE", "Banshee", "Élan"}, {u"=", "elan", nullptr, nullptr},  // accents kept
        {u"=", "éLAN", "Élan", "Elf"},        {u">=", "ban", "Banshee", "Élan"},
        {u">=", "bz", "Élan", "Elf"},         {u">=", "zz", nullptr, nullptr},
    };
    for (const auto& s : seeks) {
        rs.seek(s.op, QString::fromUtf8(s.key));
        ASSERT_EQ(rs.noMatch(), s.found == nullptr) << s.key;
        if (s.found) {
            EXPECT_EQ(rs.text(u"Name"), QString::fromUtf8(s.found));
            rs.moveNext();
            EXPECT_EQ(rs.text(u"NAME"), QString::fromUtf8(s.next)) << "a seek positions the scan";
        } else {
            EXPECT_THROW(rs.field(u"name"), StoreError) << "no current record after a failed seek";
        }
    }
    rs.setIndex(u"id");
    rs.seek(u"=", elf);
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.text(u"name"), "Elf");
    rs.seek(u"=", qlonglong{9999});
    EXPECT_TRUE(rs.noMatch());

    // Deleting during a scan moves on to the next row.
    rs.setIndex(u"namedex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (rs.text(u"name").startsWith('B') || rs.text(u"name").startsWith(u'É')) {
            rs.remove();
            EXPECT_FALSE(rs.hasCurrent());
        }
    }
    EXPECT_EQ(Scan(rs, u"namedex"), "apple,Elf,orc,ORC");
}

TEST(Recordset, NullsFieldNamesRefusedWritesIdsTheOptionsRecordAndMeta) {
    TempCompendium c;
    c.add({"Plain", "Elf", "1", "d", QString(), true});
    const qint64 newest = c.add(Entry("Newest"));
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", newest);
    rs.remove();
    rs.setIndex(u"namedex");
    rs.moveFirst();
    EXPECT_TRUE(rs.field(u"details").isNull());
    EXPECT_EQ(rs.text(u"Details"), "");
    EXPECT_EQ(rs.field(u"Changed").toBool(), true);
    EXPECT_EQ(rs.text(u"changed"), "True");
    EXPECT_THROW(rs.field(u"nosuchfield"), StoreError);
    EXPECT_THROW(rs.setField(u"name", QStringLiteral("x")), StoreError) << "no edit begun";
    EXPECT_THROW(rs.update(), StoreError);
    EXPECT_THROW(rs.setIndex(u"nosuch"), StoreError);
    rs.addNew();
    EXPECT_THROW(rs.setField(u"id", qlonglong{5}), StoreError) << "no writer sets the id";
    rs.cancelUpdate();

    Recordset& opt = *c.state().OptionsRs;
    EXPECT_EQ(opt.text(u"campaign"), "New Campaign");
    for (QStringView field : {u"NAMEH", u"inkcolour", u"linkcolour"}) {
        EXPECT_EQ(opt.text(field), "");
    }
    EXPECT_EQ(opt.field(u"bookmark").toLongLong(), 0);
    opt.edit();
    opt.setField(u"inkcolour", QStringLiteral(" #123456 "));
    opt.setField(u"bookmark", qlonglong{7});
    opt.update();
    Database& db = *c.state().Db;
    EXPECT_EQ(db.meta("book-id"), "") << "a key never set reads empty";
    db.setMeta("book-id", "urn:uuid:1");
    db.setMeta("book-id", "urn:uuid:2");
    db.setMeta("other", "x");
    c.reopen();
    Recordset& again = *c.state().OptionsRs;
    EXPECT_EQ(again.text(u"inkcolour"), " #123456 ") << "stored exactly as written";
    EXPECT_EQ(again.field(u"bookmark").toLongLong(), 7);
    EXPECT_EQ(c.state().Db->meta("book-id"), "urn:uuid:2");
    EXPECT_EQ(c.state().Db->meta("other"), "x");

    // Ids are never reused, not even after the newest is deleted.
    const qint64 next = c.add(Entry("Next"));
    EXPECT_GT(next, newest);
    c.state().EntryRs->setIndex(u"id");
    c.state().EntryRs->seek(u"=", next);
    EXPECT_EQ(c.state().EntryRs->text(u"name"), "Next") << "an added row can be read at once";
}

TEST(Recordset, FieldWidthsAreRefusedByNameAndNothingIsStored) {
    TempCompendium c;
    const qint64 id = c.add(Entry("Keep"));
    Recordset& rs = *c.state().EntryRs;
    rs.addNew();
    rs.setField(u"name", QString(26, QLatin1Char('n')));
    EXPECT_TRUE(Refusal([&] { rs.update(); }).contains("\"name\""));
    rs.cancelUpdate();

    // 25 emoji are 25 characters, though 50 UTF-16 units and 100 bytes.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x90\x89").repeated(25);
    rs.setIndex(u"id");
    rs.seek(u"=", id);
    rs.edit();
    rs.setField(u"race-location", emoji);
    rs.setField(u"desc", QString(150, QLatin1Char('d')));
    EXPECT_NO_THROW(rs.update());

    rs.seek(u"=", id);
    rs.edit();
    rs.setField(u"name", QStringLiteral("Renamed"));
    rs.setField(u"desc", QString(151, QLatin1Char('d')));
    EXPECT_TRUE(Refusal([&] { rs.update(); }).contains("\"desc\""));
    rs.cancelUpdate();
    EXPECT_EQ(Scan(rs, u"id"), "Keep") << "the refused update stored nothing";
    EXPECT_EQ(Scan(rs, u"id", u"race-location"), emoji);
}

// 700 rows of one name and race in two cases, more than a fetch holds, come in id order; a scan
// that edits each row as it goes, as the publishers clear their flags, visits every row once.
TEST(Recordset, ScansVisitEveryRowOnceInKeyThenIdOrderWhileEditing) {
    TempCompendium c;
    {
        Database::Transaction tx(*c.state().Db);
        for (int i = 0; i < 1500; ++i) {
            c.add(i < 700
                      ? Entry(i % 2 ? "same" : "SAME", i % 3 ? "Moor" : "MOOR")
                      : EntrySpec{QStringLiteral("E%1").arg(i), "Loop", "", "", {}, i % 3 != 0});
        }
        tx.commit();
    }
    Recordset& rs = *c.state().EntryRs;
    for (QStringView index : {u"id", u"namedex", u"rldex"}) {
        for (QStringView field : {u"changed", u"details"}) {
            SCOPED_TRACE(index.toString().toStdString());
            std::vector<qint64> seen;
            Database::Transaction tx(*c.state().Db);
            rs.setIndex(index);
            for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
                seen.push_back(rs.field(u"id").toLongLong());
                rs.edit();
                rs.setField(field, field == u"changed" ? QVariant(!rs.field(field).toBool())
                                                       : QVariant(QStringLiteral("seen")));
                rs.update();
            }
            tx.commit();
            ASSERT_EQ(seen.size(), 1500u);
            EXPECT_EQ(std::set<qint64>(seen.begin(), seen.end()).size(), 1500u);
            EXPECT_TRUE(std::is_sorted(seen.end() - 700, seen.end())) << "equal keys in id order";
        }
    }
}

TEST(Database, ABusyFileMakesAWriteFailWithAClearMessageAndKeepsTheData) {
    TempCompendium c;
    const qint64 id = c.add(Entry("Before"));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(c.state().DatabasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", id);
    rs.edit();
    rs.setField(u"name", QStringLiteral("After"));
    const QString message = Refusal([&] { rs.update(); });
    EXPECT_TRUE(message.contains("in use by another program")) << message.toStdString();
    rs.cancelUpdate();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Scan(rs, u"id"), "Before");
}
