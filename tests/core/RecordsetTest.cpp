// The entry store's contract: orders, seeks, nulls, ids, field widths, edits during scans and
// the options record.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <QDir>

#include "app/AppState.h"
#include "store/Collation.h"
#include "support/TestSupport.h"

using namespace tavri;
using tavri::test::EntrySpec;
using tavri::test::TempCompendium;

namespace {

// The values of one field over a full scan of an index.
std::vector<QString> scan(Recordset& rs, QStringView index, QStringView field) {
    std::vector<QString> seen;
    rs.setIndex(index);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        seen.push_back(rs.text(field));
    }
    return seen;
}

EntrySpec entry(const QString& name, const QString& race = QStringLiteral("Elf")) {
    return {name, race, QStringLiteral("1066"), QStringLiteral("d"), QString(), false};
}

}  // namespace

TEST(Collation, IgnoresCaseKeepsAccentsAndIsADictionaryOrder) {
    EXPECT_EQ(compareKeys(u"ORC", u"orc"), 0);
    EXPECT_NE(compareKeys(u"Élan", u"elan"), 0);
    EXPECT_LT(compareKeys(u"elan", u"Élan2"), 0);
    EXPECT_LT(compareKeys(u"Élan", u"Emberwing"), 0) << "an accented letter sorts beside its base";
    EXPECT_LT(compareKeys(u"apple", u"Banana"), 0);
    EXPECT_EQ(compareKeys(u"ΔΡΆΚΩΝ", u"δράκων"), 0) << "letter case is ignored in every alphabet";
}

TEST(Recordset, IndexesOrderIgnoringCaseWithIdBreakingTies) {
    TempCompendium c;
    const qint64 orc1 = c.add(entry("orc", "Steppe"));
    c.add(entry("Banshee", "moor"));
    const qint64 orc2 = c.add(entry("ORC", "Moor"));
    c.add(entry("apple", "Moor"));
    Recordset& rs = *c.state().EntryRs;

    EXPECT_EQ(scan(rs, u"namedex", u"name"),
              (std::vector<QString>{"apple", "Banshee", "orc", "ORC"}));
    std::vector<QString> ids = scan(rs, u"namedex", u"id");
    EXPECT_EQ(ids[2], QString::number(orc1));
    EXPECT_EQ(ids[3], QString::number(orc2));
    // rldex: race/location first, then the name as the second key, then id.
    EXPECT_EQ(scan(rs, u"rldex", u"name"),
              (std::vector<QString>{"apple", "Banshee", "ORC", "orc"}));
    EXPECT_EQ(scan(rs, u"id", u"name"), (std::vector<QString>{"orc", "Banshee", "ORC", "apple"}));
}

TEST(Recordset, SeeksMatchIgnoringCaseAndSetNoMatch) {
    TempCompendium c;
    c.add(entry("Dragon"));
    const qint64 elf = c.add(entry("Elf"));
    c.add(entry(QString::fromUtf8("Élan")));
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"namedex");

    rs.seek(u"=", QStringLiteral("DRAGON"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.text(u"Name"), "Dragon");

    rs.seek(u"=", QStringLiteral("elan"));
    EXPECT_TRUE(rs.noMatch()) << "accents are kept";
    rs.seek(u"=", QString::fromUtf8("éLAN"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.text(u"name"), QString::fromUtf8("Élan"));

    rs.seek(u">=", QStringLiteral("dra"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.text(u"name"), "Dragon");
    rs.seek(u">=", QStringLiteral("drz"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.text(u"name"), QString::fromUtf8("Élan"));
    rs.moveNext();
    ASSERT_FALSE(rs.eof()) << "a seek positions the scan; moving on continues in index order";
    EXPECT_EQ(rs.text(u"name"), "Elf");
    rs.seek(u">=", QStringLiteral("zz"));
    EXPECT_TRUE(rs.noMatch()) << "past the last name";
    EXPECT_THROW(rs.field(u"name"), StoreError) << "no current record after a failed seek";

    rs.setIndex(u"id");
    rs.seek(u"=", elf);
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.text(u"NAME"), "Elf");
    rs.seek(u"=", qlonglong{9999});
    EXPECT_TRUE(rs.noMatch());
}

TEST(Recordset, MissingValuesReadAsNullAndFieldNamesIgnoreCase) {
    TempCompendium c;
    c.add({"Plain", "Elf", "1", "d", QString(), true});
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"namedex");
    rs.moveFirst();
    EXPECT_TRUE(rs.field(u"details").isNull());
    EXPECT_EQ(rs.text(u"Details"), "");
    EXPECT_EQ(rs.field(u"Changed").toBool(), true);
    EXPECT_EQ(rs.text(u"changed"), "True");
    EXPECT_THROW(rs.field(u"nosuchfield"), StoreError);

    Recordset& opt = *c.state().OptionsRs;
    EXPECT_EQ(opt.text(u"campaign"), "New Campaign");
    EXPECT_EQ(opt.text(u"NAMEH"), "");
    EXPECT_EQ(opt.text(u"nameh"), "");
    EXPECT_EQ(opt.field(u"bookmark").toLongLong(), 0);
}

TEST(Recordset, IdsAreNeverReusedNotEvenAfterTheNewestIsDeleted) {
    TempCompendium c;
    c.add(entry("A"));
    const qint64 b = c.add(entry("B"));
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", b);
    rs.remove();
    c.reopen();
    const qint64 next = c.add(entry("C"));
    EXPECT_GT(next, b);
    Recordset& again = *c.state().EntryRs;
    again.setIndex(u"id");
    again.seek(u"=", next);
    EXPECT_EQ(again.text(u"name"), "C") << "after update of an addNew the new row can be read";
}

TEST(Recordset, FieldWidthsAreRefusedByNameAndNothingIsStored) {
    TempCompendium c;
    const qint64 id = c.add(entry("Keep"));
    Recordset& rs = *c.state().EntryRs;

    rs.addNew();
    rs.setField(u"name", QString(26, QLatin1Char('n')));
    try {
        rs.update();
        FAIL() << "a 26-character name was stored";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.message().contains("\"name\"")) << e.message().toStdString();
    }
    rs.cancelUpdate();

    // 25 emoji are 25 characters, though 50 UTF-16 units and 100 bytes.
    QString emoji;
    for (int i = 0; i < 25; ++i) {
        emoji += QString::fromUtf8("\xF0\x9F\x90\x89");
    }
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
    try {
        rs.update();
        FAIL() << "a 151-character description was stored";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.message().contains("\"desc\"")) << e.message().toStdString();
    }
    rs.cancelUpdate();
    rs.seek(u"=", id);
    EXPECT_EQ(rs.text(u"name"), "Keep") << "the refused update stored nothing";
    EXPECT_EQ(rs.text(u"race-location"), emoji);
    EXPECT_EQ(scan(rs, u"id", u"name").size(), 1u);
}

TEST(Recordset, AScanThatEditsAsItGoesVisitsEveryRowOnce) {
    TempCompendium c;
    {
        Database::Transaction tx(*c.state().Db);
        for (int i = 0; i < 1500; ++i) {
            c.add({QStringLiteral("E%1").arg(i), "Loop", "", "", QString(), i % 3 != 0});
        }
        tx.commit();
    }
    Recordset& rs = *c.state().EntryRs;
    for (QStringView index : {u"id", u"namedex", u"rldex"}) {
        for (QStringView field : {u"changed", u"details"}) {
            std::vector<qint64> seen;
            Database::Transaction tx(*c.state().Db);  // as the publishers clear their flags
            rs.setIndex(index);
            for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
                seen.push_back(rs.field(u"id").toLongLong());
                rs.edit();
                if (field == u"changed") {
                    rs.setField(u"changed", !rs.field(u"changed").toBool());
                } else {
                    rs.setField(u"details", QStringLiteral("seen"));
                }
                rs.update();
            }
            tx.commit();
            std::vector<qint64> sorted = seen;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end())
                << "a row was visited twice in " << index.toString().toStdString();
            EXPECT_EQ(seen.size(), 1500u) << index.toString().toStdString();
        }
    }
}

TEST(Recordset, ScansCrossRunsOfEqualKeysLongerThanOneFetch) {
    TempCompendium c;
    {
        Database::Transaction tx(*c.state().Db);
        for (int i = 0; i < 700; ++i) {
            c.add(entry(i % 2 ? "same" : "SAME", i % 3 ? "Moor" : "MOOR"));
        }
        tx.commit();
    }
    Recordset& rs = *c.state().EntryRs;
    for (QStringView index : {u"namedex", u"rldex"}) {
        std::vector<qint64> ids;
        rs.setIndex(index);
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            ids.push_back(rs.field(u"id").toLongLong());
        }
        ASSERT_EQ(ids.size(), 700u) << index.toString().toStdString();
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end())) << "equal keys come in id order";
    }
}

TEST(Recordset, DeletingDuringAScanMovesOnToTheNextRow) {
    TempCompendium c;
    for (const char* n : {"a", "b", "c", "d"}) {
        c.add(entry(n));
    }
    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"namedex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (rs.text(u"name") == "b" || rs.text(u"name") == "c") {
            rs.remove();
            EXPECT_FALSE(rs.hasCurrent());
        }
    }
    EXPECT_EQ(scan(rs, u"namedex", u"name"), (std::vector<QString>{"a", "d"}));
}

TEST(Recordset, TheOptionsRecordIsEditedInPlaceAndSurvivesAReopen) {
    TempCompendium c("Campaign Notes");
    Recordset& opt = *c.state().OptionsRs;
    opt.edit();
    opt.setField(u"inkcolour", QStringLiteral(" #123456 "));
    opt.setField(u"bookmark", qlonglong{7});
    opt.update();
    c.reopen();
    Recordset& again = *c.state().OptionsRs;
    EXPECT_EQ(again.text(u"campaign"), "Campaign Notes");
    EXPECT_EQ(again.text(u"inkcolour"), " #123456 ") << "stored exactly as written";
    EXPECT_EQ(again.field(u"bookmark").toLongLong(), 7);
}

TEST(Recordset, WritesWithoutAnEditAndUnknownIndexesAreRefused) {
    TempCompendium c;
    Recordset& rs = *c.state().EntryRs;
    EXPECT_THROW(rs.setField(u"name", QStringLiteral("x")), StoreError);
    EXPECT_THROW(rs.update(), StoreError);
    EXPECT_THROW(rs.setIndex(u"nosuch"), StoreError);
    rs.setIndex(u"NameDex");
    EXPECT_EQ(rs.index(), "namedex");
    rs.addNew();
    EXPECT_THROW(rs.setField(u"id", qlonglong{5}), StoreError) << "no writer sets the id";
}

TEST(Database, ABusyFileMakesAWriteFailWithAClearMessageAndKeepsTheData) {
    TempCompendium c;
    const qint64 id = c.add(entry("Before"));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(c.state().DatabasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    Recordset& rs = *c.state().EntryRs;
    rs.setIndex(u"id");
    rs.seek(u"=", id);
    rs.edit();
    rs.setField(u"name", QStringLiteral("After"));
    try {
        rs.update();
        FAIL() << "the update went through a locked file";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.message().contains("in use by another program")) << e.message().toStdString();
    }
    rs.cancelUpdate();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    rs.seek(u"=", id);
    EXPECT_EQ(rs.text(u"name"), "Before");
}

TEST(Database, OpenRefusesMissingFilesAndFilesThatAreNotCompendiums) {
    QTemporaryDir dir;
    EXPECT_THROW(Database::open(dir.path() + "/none.db"), StoreError);
    sqlite3* raw = nullptr;
    const QString path = dir.path() + "/other.db";
    sqlite3_open(path.toUtf8().constData(), &raw);
    sqlite3_exec(raw, "CREATE TABLE t (x)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    try {
        Database::open(path);
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.message().contains("not a Tavri compendium"));
    }
    EXPECT_THROW(Database::create(path, "x"), StoreError) << "never written over";
}
