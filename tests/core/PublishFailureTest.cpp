// A publication that fails never breaks the site it replaces: killed at any moment by a real
// signal, or stopped by a full disk, it leaves every file either as the old run wrote it or as
// the new run writes it.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <random>

#include "base/OutputFile.h"
#include "publish/AlphaSite.h"
#include "publish/SitePublisher.h"
#include "support/FixtureWorld.h"

using namespace tavri;

namespace {

constexpr int kEntries = 500;

// The old site of a compendium, and the site its next publication writes after every entry was
// changed; the compendium holds the changes, its folder the old site.
class FailedPublication : public ::testing::Test {
protected:
    void SetUp() override {
        // A compendium large enough that a publication outlasts the parent's reaction to its
        // progress, and that one letter page and the reading files take many writes each.
        Database::Transaction tx(*site_.state().Db);
        for (int i = 0; i < kEntries; ++i) {
            const QString letter(QChar(u"MMMMABCE"[i % 8]));
            site_.add({letter + QStringLiteral("name %1").arg(i, 3, 10, QLatin1Char('0')),
                       QStringLiteral("Place ") + QChar(u'A' + i % 7),
                       QStringLiteral("year %1").arg(i),
                       QStringLiteral("Summary of entry %1").arg(i),
                       QString::fromUtf8("Notes of Łukasz %1,\r\nsecond line").arg(i), false});
        }
        tx.commit();
        PublishSite(site_.state(), SitePublishOptions{}, quiet_);
        old_ = test::ReadTree(reports());
        site_.state().Db->exec(
            R"(UPDATE "Tavri" SET "desc" = 'new ' || "desc", "details" = "details" || ' new')");
        PublishSite(site_.state(), SitePublishOptions{}, quiet_);
        new_ = test::ReadTree(reports());
        site_.state().Close();
        test::WriteTree(reports(), old_);
        ASSERT_EQ(old_.size(), new_.size());
    }

    QString reports() { return site_.dir() + QStringLiteral("Reports/"); }

    // Every file is the old one or the new one, whole. Returns whether both kinds were there.
    bool expectOldOrNew(const QString& when) {
        bool someOld = false;
        bool someNew = false;
        for (const auto& [relative, bytes] : test::ReadTree(reports())) {
            if (relative.contains(QLatin1String(kOutputTempPrefix))) {
                continue;  // a temporary file (or one in a temporary folder) of a killed run
            }
            const auto old = old_.find(relative);
            const bool isOld = old != old_.end() && old->second == bytes;
            const bool isNew = new_.count(relative) && new_.at(relative) == bytes;
            EXPECT_TRUE(isOld || isNew) << relative.toStdString() << " is cut "
                                        << when.toStdString() << " (" << bytes.size() << " bytes)";
            someOld = someOld || (isOld && !isNew);
            someNew = someNew || (isNew && !isOld);
        }
        for (const auto& [relative, bytes] : old_) {
            EXPECT_TRUE(QFileInfo::exists(reports() + relative))
                << relative.toStdString() << " is gone " << when.toStdString();
        }
        return someOld && someNew;
    }

    test::TempCompendium site_;
    PublishProgress quiet_;
    test::Files old_;
    test::Files new_;
};

}  // namespace

TEST_F(FailedPublication, AKillAtAnyMomentLeavesEveryFileOldOrNew) {
    std::mt19937 random(testing::UnitTest::GetInstance()->random_seed());
    std::uniform_int_distribution<int> step(1, 2 * kEntries);
    int midway = 0;
    for (int round = 0; round < 5; ++round) {
        test::WriteTree(reports(), old_);
        const int steps = round == 0 ? 1 : step(random);
        // The child runs until it has reported `steps` entries, then gets a SIGKILL.
        QProcess child;
        child.start(QStringLiteral(TAVRI_PUBLISH_CHILD_PATH), {site_.dir()});
        ASSERT_TRUE(child.waitForStarted());
        for (int seen = 0; seen < steps && child.waitForReadyRead(30000);) {
            seen += child.readAllStandardOutput().count('\n');
        }
        child.kill();
        child.waitForFinished();
        midway += expectOldOrNew(QStringLiteral("after a kill at step %1").arg(steps));
    }
    EXPECT_GT(midway, 0) << "no kill came before the child had finished";
    // The next run finishes the site and removes what the killed ones left behind.
    PublishSite(*AppState::Open(site_.dir()), SitePublishOptions{}, quiet_);
    EXPECT_EQ(test::ReadTree(reports()), new_) << "with no temporary file";
}

TEST_F(FailedPublication, AFullDiskLeavesTheOldSiteWhole) {
    // Room for every entry page but not for a letter page of many entries.
    constexpr int kLargestFile = 8000;
    QProcess child;
    child.start(QStringLiteral(TAVRI_PUBLISH_CHILD_PATH),
                {site_.dir(), QString::number(kLargestFile)});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 3);
    const QByteArray error = child.readAllStandardError();
    EXPECT_TRUE(error.contains(": File too large.")) << error.toStdString();
    expectOldOrNew(QStringLiteral("after a full disk"));
    const test::Files after = test::ReadTree(reports());
    EXPECT_EQ(after.size(), old_.size()) << "a failed file removes its temporary file";
    EXPECT_NE(after, old_) << "the files before the full one were published";
}
