// The compendium as a file: its layout and upgrades, the order kept in sort keys that any SQLite
// tool can use, and the checks that opening makes before it writes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QStandardPaths>

#include "store/Collation.h"
#include "support/TestSupport.h"

using namespace tavri;
using namespace tavri::test;

namespace {

// Runs SQL on a file through its own plain connection, as another program would.
void RunSql(const QString& path, const char* sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(raw);
}

QString CliList(const QString& dir) {
    const Ran list = RunCli({QStringLiteral("list"), dir});
    EXPECT_EQ(list.status, 0) << list.err.toStdString();
    return list.out;
}

// Debian's stock sqlite3 shell, with no extension of ours.
QString Shell(const QString& path, const QString& input) {
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    EXPECT_FALSE(shell.isEmpty()) << "the sqlite3 shell is needed (scripts/install-deps --tests)";
    const Ran run =
        Run(shell, {QStringLiteral("-batch"), QStringLiteral("-bail"), path}, input.toUtf8());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return run.out;
}

// The demo world with the hard-text upload in the first layout, copied into temp.
QString FirstLayoutIn(const QTemporaryDir& temp) {
    const QString dir = temp.path() + "/";
    EXPECT_TRUE(
        QFile::copy(QStringLiteral(TAVRI_TEST_DATA "/first-layout/tavri.db"), dir + "tavri.db"));
    return dir;
}

const QString kFixtureList =
    QString::fromUtf8(ReadAll(QStringLiteral(TAVRI_TEST_DATA "/first-layout/list.txt")));

}  // namespace

// Upgrading the first layout, and rebuilding keys made under another collation version: both
// once, with a notice, and nothing lost.
TEST(StoreFile, FirstLayoutsAndForeignKeysAreRebuiltOnOpen) {
    for (const bool foreignKeys : {false, true}) {
        QTemporaryDir temp;
        const QString dir = FirstLayoutIn(temp);
        if (foreignKeys) {
            AppState::Open(dir)->Close();
            RunSql(dir + "tavri.db",
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
        EXPECT_EQ(CliList(dir), kFixtureList);
        EXPECT_TRUE(AppState::Open(dir)->Db->notices().isEmpty()) << "rebuilt once only";
    }
}

TEST(StoreFile, TheStockShellChecksSortsDumpsAndEditsTheFile) {
    QTemporaryDir temp;
    const QString dir = FirstLayoutIn(temp);
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
    EXPECT_EQ(CliList(temp.path() + "/copy/"), kFixtureList);

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
    QStringList listed;
    for (const QString& line : CliList(dir).split('\n', Qt::SkipEmptyParts)) {
        listed << line.section('\t', 1, 1);
    }
    EXPECT_EQ(ListedNames(*open), listed.join(','));
    ASSERT_EQ(listed.size(), 53);
    EXPECT_EQ(listed.indexOf("ázimuth"), listed.indexOf("Ashdelve") + 1) << "the accent after";
    EXPECT_EQ(listed.indexOf("zz Renamed"), listed.indexOf("Zeno") + 1);
    EXPECT_EQ(listed.indexOf("ORC"), listed.indexOf("Obsidian Gate") + 1);
    Recordset& rs = *open->EntryRs;
    rs.setIndex(u"namedex");
    for (const char* name : {"AZIMUTH", "ÁZIMUTH", "zz renamed", "orc"}) {
        rs.seek(u"=", QString::fromUtf8(name));
        EXPECT_EQ(rs.noMatch(), QByteArray(name) == "AZIMUTH") << name;
    }
    rs.setIndex(u"rldex");
    rs.seek(u">=", QStringLiteral("vael"));
    EXPECT_EQ(rs.text(u"name"), "3rd Flood");
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
            RunSql(path, c.made.toUtf8().constData());
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
