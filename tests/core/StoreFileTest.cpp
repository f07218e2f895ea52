// The entry store: the cursor's contract (orders, seeks, nulls, ids, field widths, edits during
// scans, a busy file, the options record and the facts kept in "meta"), and the compendium as a
// file (its layout and upgrades, the order kept in sort keys that any SQLite tool can use, and the
// checks that opening makes before it writes).
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <set>

#include "store/Collation.h"
#include "support/TestSupport.h"

using namespace tavri;
using namespace tavri::test;

namespace {

EntrySpec Entry(const QString& name, const QString& race = QStringLiteral("Elf")) {
    return {name, race, QStringLiteral("1066"), QStringLiteral("d"), QString(), false};
}

// Runs SQL on a file in Debian's stock sqlite3 shell, with no extension of ours, as another
// program would.
QString Shell(const QString& path, const QString& input) {
    const Ran run = Run("sqlite3", {"-batch", "-bail", path}, input.toUtf8());
    EXPECT_EQ(run.status, 0) << "sqlite3 (scripts/install-deps --tests): " << run.err.toStdString();
    return run.out;
}

// The demo world with the hard-text upload in the first layout, and its listing.
const QString kFirstLayout = QStringLiteral(TAVRI_TEST_DATA "/first-layout/");
const QString kFixtureList = QString::fromUtf8(ReadAll(kFirstLayout + "list.txt"));

}  // namespace

// Upgrading the first layout, and rebuilding keys made under another collation version: both
// once, with a notice, and nothing lost.
TEST(StoreFile, FirstLayoutsAndForeignKeysAreRebuiltOnOpen) {
    for (const bool foreignKeys : {false, true}) {
        QTemporaryDir temp;
        const QString dir = temp.path() + "/";
        ASSERT_TRUE(QFile::copy(kFirstLayout + "tavri.db", dir + "tavri.db"));
        if (foreignKeys) {
            AppState::Open(dir)->Close();
            Shell(dir + "tavri.db",
                  "UPDATE \"Tavri\" SET namekey = randomblob(8), rlkey = x'00';"
                  "UPDATE meta SET value = 'icu 1.0 en_US secondary' WHERE key = 'collation'");
        }
        {
            auto state = AppState::Open(dir);
            ASSERT_EQ(state->Db->notices().size(), 1);
            if (foreignKeys) {
                EXPECT_TRUE(state->Db->notices()[0].contains("icu 1.0"));
            }
            EXPECT_EQ(state->Db->meta("collation"), collationVersion());
            // The id sequence survives: a new entry takes an id never handed out before.
            Recordset& rs = *state->EntryRs;
            rs.addNew();
            rs.setField(u"name", QStringLiteral("Newest"));
            rs.update();
            EXPECT_EQ(rs.lastAddedId(), 54);
            rs.remove();
            state->Close();
        }
        EXPECT_EQ(RunCli({"list", dir}).out, kFixtureList);
        EXPECT_TRUE(AppState::Open(dir)->Db->notices().isEmpty()) << "rebuilt once only";
    }
}

TEST(StoreFile, TheStockShellChecksSortsDumpsAndEditsTheFile) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/";
    ASSERT_TRUE(QFile::copy(kFirstLayout + "tavri.db", dir + "tavri.db"));
    AppState::Open(dir)->Close();
    EXPECT_EQ(Shell(dir + "tavri.db",
                    "PRAGMA integrity_check;\n"
                    "SELECT count(*) FROM \"Tavri\";\n"
                    "SELECT name FROM \"Tavri\" WHERE name = 'Élan';\n"
                    "SELECT name FROM \"Tavri\" ORDER BY namekey, id LIMIT 3;\n"),
              "ok\n53\nÉlan\n3rd Flood\n7th Legion\nAldric Fenmoor\n");
    // A dump reloaded into a new file opens with the same entries in the same order.
    QDir().mkpath(temp.path() + "/copy");
    Shell(temp.path() + "/copy/tavri.db", Shell(dir + "tavri.db", ".dump\n"));
    EXPECT_EQ(RunCli({"list", temp.path() + "/copy/"}).out, kFixtureList);

    // Rows the shell adds and renames while a window has the file open are listed in place,
    // there and by the command line, and found by seeks.
    auto open = AppState::Open(dir);
    EXPECT_EQ(Shell(dir + "tavri.db",
                    "INSERT INTO \"Tavri\" (name, \"race-location\", date, \"desc\") "
                    "VALUES ('ázimuth', 'Vael', 'now', 'added by the shell');\n"
                    "UPDATE \"Tavri\" SET name = 'zz Renamed' WHERE name = 'Aldric Fenmoor';\n"
                    "UPDATE \"Tavri\" SET name = 'ORC' WHERE name = 'Orc';\n"
                    "DELETE FROM \"Tavri\" WHERE name = 'Emu';\nVACUUM;\nREINDEX;\n"
                    "PRAGMA integrity_check;\n"),
              "ok\n");
    // The window's scan makes the keys the shell left out; its seeks then find those rows.
    const QString inWindow = ListedNames(*open);
    Recordset& rs = *open->EntryRs;
    rs.setIndex(u"namedex");
    for (const char* name : {"AZIMUTH", "ÁZIMUTH", "zz renamed", "orc"}) {
        rs.seek(u"=", QString::fromUtf8(name));
        EXPECT_EQ(rs.noMatch(), QByteArray(name) == "AZIMUTH") << name;
    }
    rs.setIndex(u"rldex");
    rs.seek(u">=", QStringLiteral("vael"));
    EXPECT_EQ(rs.text(u"name"), "3rd Flood");
    QStringList listed;
    for (const QString& line : RunCli({"list", dir}).out.split('\n', Qt::SkipEmptyParts)) {
        listed << line.section('\t', 1, 1);
    }
    EXPECT_EQ(inWindow, listed.join(','));
    ASSERT_EQ(listed.size(), 53);
    EXPECT_EQ(listed.indexOf("ázimuth"), listed.indexOf("Ashdelve") + 1) << "the accent after";
    EXPECT_EQ(listed.indexOf("zz Renamed"), listed.indexOf("Zeno") + 1);
    EXPECT_EQ(listed.indexOf("ORC"), listed.indexOf("Obsidian Gate") + 1);
}

TEST(StoreFile, OpeningRefusesOddFilesWithAMessageAndLeavesTheirBytesUntouched) {
    const QString tables =
        "CREATE TABLE \"Tavri\" (id INTEGER PRIMARY KEY, name, \"race-location\", date, desc, "
        "details, changed); CREATE TABLE options (campaign, nameH, inkcolour, linkcolour, "
        "bookmark);";
    const struct {
        const char* what;
        QString made;  // SQL that makes the file; text that is no SQL is written as it is
        const char* message;
    } cases[] = {
        {"a zero-byte file", "", "empty file"},
        {"a file that is not SQLite", QString(4096, 'x'), "is damaged"},
        {"a database of another program", "CREATE TABLE t (x)", "not a Tavri compendium"},
        {"an entry table without its description",
         QString(tables).remove(", desc") + "INSERT INTO \"Tavri\" (name) VALUES ('x')",
         "has no field \"desc\""},
        {"an options table without its bookmark", QString(tables).remove(", bookmark"),
         "has no field \"bookmark\""},
        {"a compendium with damaged pages",
         tables +
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
             "INSERT INTO \"Tavri\" (name, details) SELECT 'n' || i, hex(randomblob(100)) FROM n",
         "is damaged"},
        {"a file of a newer layout", tables + "PRAGMA user_version = 2", "newer Tavri"},
    };
    for (const auto& c : cases) {
        QTemporaryDir temp;
        const QString path = temp.path() + "/tavri.db";
        if (c.made.startsWith("CREATE")) {
            Shell(path, c.made);
        } else {
            WriteAll(path, c.made.toUtf8());
        }
        if (c.made.contains("randomblob")) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.seek(3 * 4096);
            file.write(QByteArray(3000, 'x'));
        }
        const QByteArray before = ReadAll(path);
        const QString refusal = Refusal([&] { AppState::Open(temp.path() + "/"); });
        EXPECT_TRUE(refusal.contains(c.message)) << c.what << ": " << refusal.toStdString();
        EXPECT_EQ(ReadAll(path), before) << c.what;
        EXPECT_EQ(FilesIn(temp.path()), QStringList{"tavri.db"}) << c.what;
    }
}

TEST(Recordset, IndexesOrderIgnoringCaseWithIdBreakingTiesAndSeeksFindThatWay) {
    TempCompendium c;
    c.add(Entry("orc", "Steppe"));
    c.add(Entry("Banshee", "moor"));
    c.add(Entry("ORC", "Moor"));
    c.add(Entry("apple", "Moor"));
    c.add(Entry(QString::fromUtf8("Élan"), "Vael"));
    c.add(Entry("Elf", "Vael"));
    Recordset& rs = *c.state().EntryRs;
    EXPECT_EQ(Scan(rs, u"namedex"), "apple,Banshee,Élan,Elf,orc,ORC");
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
    rs.setIndex(u"id");  // an id that is found: the ids test below
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

TEST(Recordset, NullsFieldNamesRefusedWritesTheOptionsRecordAndMeta) {
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
    EXPECT_THROW(rs.setField(u"name", QStringLiteral("x")), StoreError) << "no edit begun";
    EXPECT_THROW(rs.update(), StoreError);
    EXPECT_THROW(rs.setIndex(u"nosuch"), StoreError);
    rs.addNew();
    EXPECT_THROW(rs.setField(u"id", qlonglong{5}), StoreError) << "no writer sets the id";
    rs.cancelUpdate();

    Recordset& opt = *c.state().OptionsRs;
    EXPECT_EQ(opt.text(u"campaign"), "New Campaign");
    EXPECT_EQ(opt.text(u"NAMEH") + opt.text(u"inkcolour") + opt.text(u"linkcolour"), "");
    EXPECT_EQ(opt.field(u"bookmark").toLongLong(), 0);
    opt.edit();
    opt.setField(u"bookmark", qlonglong{7});
    opt.update();
    c.state().Db->setMeta("book-id", "urn:uuid:1");
    c.state().Db->setMeta("book-id", "urn:uuid:2");
    c.reopen();
    EXPECT_EQ(c.state().OptionsRs->field(u"bookmark").toLongLong(), 7);
    EXPECT_EQ(c.state().Db->meta("book-id"), "urn:uuid:2");
}

TEST(Recordset, FieldWidthsAndABusyFileRefuseAWriteWithTheirCauseAndNothingIsStored) {
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

    // A file another program holds busy makes a write fail with a clear message.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(c.state().DatabasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    rs.seek(u"=", id);
    rs.edit();
    rs.setField(u"name", QStringLiteral("After"));
    const QString message = Refusal([&] { rs.update(); });
    EXPECT_TRUE(message.contains("in use by another program")) << message.toStdString();
    rs.cancelUpdate();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Scan(rs, u"id"), "Keep") << "the refused updates stored nothing";
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
