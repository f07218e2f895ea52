// A child process for the durability test: adds entries one at a time, each in its own update,
// and prints the id of each one once update has returned. The parent kills it at some moment and
// checks that every id it was told of is in the file.
#include <QCoreApplication>
#include <cstdio>

#include "app/AppState.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    auto state = tavri::AppState::Open(QString::fromLocal8Bit(argv[1]));
    tavri::Recordset& rs = *state->EntryRs;
    const bool batched = argc > 2;
    for (int i = 0;; ++i) {
        if (batched) {
            // Batches of 50 rows in one transaction each: acknowledged once committed.
            tavri::Database::Transaction tx(*state->Db);
            qint64 last = 0;
            for (int j = 0; j < 50; ++j) {
                rs.addNew();
                rs.setField(u"name", QStringLiteral("Batch %1").arg(i));
                rs.setField(u"race-location", QStringLiteral("Loop"));
                rs.setField(u"desc", QString(120, QLatin1Char('x')));
                rs.update();
                last = rs.lastAddedId();
            }
            tx.commit();
            std::printf("%lld\n", static_cast<long long>(last));
        } else {
            rs.addNew();
            rs.setField(u"name", QStringLiteral("Entry %1").arg(i));
            rs.setField(u"race-location", QStringLiteral("Loop"));
            rs.setField(u"details", QString(300, QLatin1Char('n')));
            rs.setField(u"changed", true);
            rs.update();
            std::printf("%lld\n", static_cast<long long>(rs.lastAddedId()));
        }
        std::fflush(stdout);
    }
}
