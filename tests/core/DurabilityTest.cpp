// A process killed at an arbitrary moment while it writes leaves a consistent compendium that
// holds every row it had been told was stored.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <QProcess>

#include "support/TestSupport.h"

using namespace tavri;

namespace {

// Runs the writing child until it has acknowledged `wanted` ids, kills it with SIGKILL, and
// returns the ids it acknowledged.
std::vector<qint64> runAndKill(const QString& dir, int wanted, bool batched) {
    QProcess child;
    QStringList args{dir};
    if (batched) {
        args << QStringLiteral("batched");
    }
    child.start(QStringLiteral(TAVRI_CHILD_PATH), args);
    EXPECT_TRUE(child.waitForStarted());
    std::vector<qint64> acknowledged;
    QByteArray pending;
    while (static_cast<int>(acknowledged.size()) < wanted) {
        if (!child.waitForReadyRead(30000)) {
            ADD_FAILURE() << "the child stopped writing: " << child.readAllStandardError().data();
            break;
        }
        pending += child.readAllStandardOutput();
        qsizetype nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            acknowledged.push_back(pending.left(nl).toLongLong());
            pending.remove(0, nl + 1);
        }
    }
    child.kill();  // SIGKILL: no chance to close anything
    child.waitForFinished();
    return acknowledged;
}

void expectConsistentWith(const QString& dir, const std::vector<qint64>& acknowledged) {
    auto state = AppState::Open(dir);
    sqlite3* db = state->Db->handle();
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "ok");
    sqlite3_finalize(stmt);

    Recordset& rs = *state->EntryRs;
    rs.setIndex(u"id");
    for (qint64 id : acknowledged) {
        rs.seek(u"=", id);
        ASSERT_FALSE(rs.noMatch()) << "acknowledged row " << id << " is lost";
    }
    // Every row present is whole: all its fields written as the child wrote them.
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        EXPECT_EQ(rs.text(u"race-location"), "Loop");
        const QString details = rs.text(u"details");
        EXPECT_TRUE(details.isEmpty() || details.size() == 300);
    }
}

}  // namespace

TEST(Durability, KillDuringSingleRowUpdatesKeepsEveryAcknowledgedRow) {
    test::TempCompendium c;
    const QString dir = c.dir();
    c.state().Close();
    const std::vector<qint64> acknowledged = runAndKill(dir, 150, false);
    ASSERT_GE(acknowledged.size(), 150u);  // one read may bring a few more lines
    expectConsistentWith(dir, acknowledged);
}

TEST(Durability, KillDuringBatchedTransactionsKeepsWholeBatchesOnly) {
    test::TempCompendium c;
    const QString dir = c.dir();
    c.state().Close();
    const std::vector<qint64> acknowledged = runAndKill(dir, 20, true);
    expectConsistentWith(dir, acknowledged);
    auto state = AppState::Open(dir);
    Recordset& rs = *state->EntryRs;
    rs.setIndex(u"id");
    int rows = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        ++rows;
    }
    EXPECT_EQ(rows % 50, 0) << "a batch was stored in part";
    EXPECT_GE(rows, 20 * 50);
}
