// The compendium as a file: its layout and upgrades, the facts kept in "meta", the order kept in
// sort keys that any SQLite tool can use, and the checks that opening makes before it writes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/EntryList.h"
#include "store/Collation.h"
#include "support/TestSupport.h"

using namespace tavri;
using namespace tavri::test;

namespace {

// Runs SQL on a file through its own plain connection, as another program would.
void RunSql(const QString& path, const char* sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(raw, sql, nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "") << " in " << sql;
    sqlite3_free(message);
    sqlite3_close(raw);
}

QString CliList(const QString& dir) {
    QProcess cli;
    cli.start(QStringLiteral(TAVRI_CLI_PATH), {QStringLiteral("list"), dir});
    cli.waitForFinished(120000);
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QString::fromUtf8(cli.readAllStandardOutput());
}

}  // namespace

TEST(StoreFile, MetaValuesAreKeptByKeyAcrossAReopen) {
    TempCompendium c;
    Database& db = *c.state().Db;
    EXPECT_EQ(db.meta("book-id"), "") << "a key never set reads empty";
    db.setMeta("book-id", "urn:uuid:1");
    db.setMeta("book-id", "urn:uuid:2");
    db.setMeta("other", "x");
    c.reopen();
    EXPECT_EQ(c.state().Db->meta("book-id"), "urn:uuid:2");
    EXPECT_EQ(c.state().Db->meta("other"), "x");
}

TEST(StoreFile, ACompendiumOfTheFirstLayoutIsUpgradedInPlaceWithNothingLost) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/";
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TAVRI_TEST_DATA "/first-layout/tavri.db"), dir + "tavri.db"));
    {
        auto state = AppState::Open(dir);
        EXPECT_EQ(state->Db->meta("collation"), collationVersion());
        EXPECT_EQ(state->Db->notices().size(), 1);
        // The id sequence survives: a new entry takes an id never handed out before.
        Recordset& rs = *state->EntryRs;
        rs.addNew();
        rs.setField(u"name", QStringLiteral("Newest"));
        rs.update();
        EXPECT_EQ(rs.lastAddedId(), 54);
        rs.remove();
        state->Close();
    }
    EXPECT_EQ(CliList(dir),
              QString::fromUtf8(ReadAll(QStringLiteral(TAVRI_TEST_DATA "/first-layout/list.txt"))));
    auto again = AppState::Open(dir);
    EXPECT_TRUE(again->Db->notices().isEmpty()) << "upgraded once only";
}

namespace {

// Runs Debian's stock sqlite3 shell, with no extension of ours, on a file; returns its output.
QString Shell(const QString& path, const QString& input, int expectedExit = 0) {
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    EXPECT_FALSE(shell.isEmpty()) << "the sqlite3 shell is needed (scripts/install-deps --tests)";
    QProcess p;
    p.start(shell, {QStringLiteral("-batch"), QStringLiteral("-bail"), path});
    p.write(input.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(120000);
    EXPECT_EQ(p.exitCode(), expectedExit) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The demo world with the hard-text upload, upgraded to the current layout.
QString FixtureIn(const QTemporaryDir& temp) {
    const QString dir = temp.path() + "/";
    EXPECT_TRUE(
        QFile::copy(QStringLiteral(TAVRI_TEST_DATA "/first-layout/tavri.db"), dir + "tavri.db"));
    AppState::Open(dir)->Close();
    return dir;
}

QString FixtureList() {
    return QString::fromUtf8(ReadAll(QStringLiteral(TAVRI_TEST_DATA "/first-layout/list.txt")));
}

}  // namespace

TEST(StoreFile, TheStockShellChecksCountsSortsAndVacuumsTheFile) {
    QTemporaryDir temp;
    const QString db = FixtureIn(temp) + "tavri.db";
    EXPECT_EQ(Shell(db,
                    "PRAGMA integrity_check;\n"
                    "SELECT count(*) FROM \"Tavri\";\n"
                    "SELECT name FROM \"Tavri\" WHERE name = 'Élan';\n"
                    "SELECT name FROM \"Tavri\" ORDER BY namekey, id LIMIT 3;\n"
                    "DELETE FROM \"Tavri\" WHERE name = 'Emu';\n"
                    "VACUUM;\n"
                    "REINDEX;\n"
                    "PRAGMA integrity_check;\n"),
              "ok\n53\nÉlan\n3rd Flood\n7th Legion\nAldric Fenmoor\nok\n");
}

TEST(StoreFile, ADumpReloadedIntoANewFileOpensWithTheSameEntriesInTheSameOrder) {
    QTemporaryDir temp;
    const QString db = FixtureIn(temp) + "tavri.db";
    const QString copy = temp.path() + "/copy/";
    QDir().mkpath(copy);
    Shell(copy + "tavri.db", Shell(db, ".dump\n"));
    EXPECT_EQ(CliList(copy), FixtureList());
}

TEST(StoreFile, RowsTheShellAddsAndRenamesAreListedInPlaceAndFoundBySeeks) {
    QTemporaryDir temp;
    const QString dir = FixtureIn(temp);
    auto open = AppState::Open(dir);  // a window that has the file open meanwhile
    Shell(dir + "tavri.db",
          "INSERT INTO \"Tavri\" (name, \"race-location\", date, \"desc\") "
          "VALUES ('ázimuth', 'Vael', 'now', 'added by the shell');\n"
          "UPDATE \"Tavri\" SET name = 'zz Renamed' WHERE name = 'Aldric Fenmoor';\n"
          "UPDATE \"Tavri\" SET name = 'ORC' WHERE name = 'Orc';\n");
    const QString listed = CliList(dir);
    QString inWindow;
    for (const ListRow& r : BuildEntryList(*open, ListFilter{}).rows) {
        inWindow += r.name + '\n';
    }
    const QStringList lines = listed.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 54);
    QString names;
    for (const QString& line : lines) {
        names += line.section('\t', 1, 1) + '\n';
    }
    EXPECT_EQ(inWindow, names) << "the open compendium lists them in place too";
    const auto row = [&](const QString& name) {
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].section('\t', 1, 1) == name) {
                return i;
            }
        }
        return -1;
    };
    EXPECT_EQ(row("ázimuth"), row("Ashdelve") + 1) << "sorted by its letters, the accent after";
    EXPECT_EQ(row("zz Renamed"), row("Zeno") + 1);
    EXPECT_EQ(row("ORC"), row("Obsidian Gate") + 1);
    auto state = AppState::Open(dir);
    Recordset& rs = *state->EntryRs;
    rs.setIndex(u"namedex");
    for (const char* name : {"AZIMUTH", "ÁZIMUTH", "zz renamed", "orc"}) {
        rs.seek(u"=", QString::fromUtf8(name));
        EXPECT_EQ(rs.noMatch(), QByteArray(name) == "AZIMUTH") << name;
    }
    rs.setIndex(u"rldex");
    rs.seek(u">=", QStringLiteral("vael"));
    EXPECT_EQ(rs.text(u"name"), "3rd Flood");
}

TEST(StoreFile, KeysMadeUnderAnotherCollationVersionAreRebuiltOnOpen) {
    QTemporaryDir temp;
    const QString dir = FixtureIn(temp);
    // As if another ICU had made them: every key wrong, the version another.
    RunSql(dir + "tavri.db",
           "UPDATE \"Tavri\" SET namekey = randomblob(8), rlkey = x'00';"
           "UPDATE meta SET value = 'icu 1.0 en_US secondary' WHERE key = 'collation'");
    auto state = AppState::Open(dir);
    ASSERT_EQ(state->Db->notices().size(), 1);
    EXPECT_TRUE(state->Db->notices()[0].contains("icu 1.0"))
        << state->Db->notices()[0].toStdString();
    EXPECT_EQ(state->Db->meta("collation"), collationVersion());
    state->Close();
    EXPECT_EQ(CliList(dir), FixtureList());
}

TEST(StoreFile, OpeningRefusesOddFilesWithAMessageAndLeavesTheirBytesUntouched) {
    static const struct {
        const char* what;
        QByteArray bytes;  // written as they are; empty for a file made by the SQL
        const char* sql;
        const char* message;
    } cases[] = {
        {"a zero-byte file", "", nullptr, "empty file"},
        {"a file that is not SQLite", QByteArray(4096, 'x'), nullptr, "is damaged"},
        {"an entry table without its description",
         {},
         "CREATE TABLE \"Tavri\" (id INTEGER PRIMARY KEY, name, \"race-location\", date, "
         "details, changed); CREATE TABLE options (campaign, nameH, inkcolour, linkcolour, "
         "bookmark); INSERT INTO \"Tavri\" (name) VALUES ('x')",
         "has no field \"desc\""},
        {"an options table without its bookmark",
         {},
         "CREATE TABLE \"Tavri\" (id INTEGER PRIMARY KEY, name, \"race-location\", date, desc, "
         "details, changed); CREATE TABLE options (campaign, nameH, inkcolour, linkcolour)",
         "has no field \"bookmark\""},
        {"a compendium with damaged pages",
         {},
         "CREATE TABLE \"Tavri\" (id INTEGER PRIMARY KEY, name, \"race-location\", date, desc, "
         "details, changed); CREATE TABLE options (campaign, nameH, inkcolour, linkcolour, "
         "bookmark); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
         "500) INSERT INTO \"Tavri\" (name, details) SELECT 'n' || i, hex(randomblob(100)) FROM n",
         "is damaged"},
        {"a file of a newer layout",
         {},
         "CREATE TABLE \"Tavri\" (id INTEGER PRIMARY KEY, name, \"race-location\", date, desc, "
         "details, changed); CREATE TABLE options (campaign, nameH, inkcolour, linkcolour, "
         "bookmark); PRAGMA user_version = 2",
         "newer Tavri"},
    };
    for (const auto& c : cases) {
        QTemporaryDir temp;
        const QString path = temp.path() + "/tavri.db";
        if (c.sql) {
            RunSql(path, c.sql);
            if (QByteArray(c.message) == "is damaged") {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                file.seek(3 * 4096);
                file.write(QByteArray(3000, 'x'));
            }
        } else {
            WriteAll(path, c.bytes);
        }
        const QByteArray before = ReadAll(path);
        try {
            AppState::Open(temp.path() + "/");
            ADD_FAILURE() << c.what << " was opened";
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.message().contains(c.message))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_EQ(ReadAll(path), before) << c.what;
        EXPECT_EQ(FilesIn(temp.path()), QStringList{"tavri.db"}) << c.what;
    }
}
