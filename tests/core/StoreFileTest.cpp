// The compendium as a file: its layout and upgrades, the facts kept in "meta", the order kept in
// sort keys that any SQLite tool can use, and the checks that opening makes before it writes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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
