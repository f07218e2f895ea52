// The CSV upload: what the compendium holds afterwards, the exact log bytes, and what the user
// is told, for well-formed files, the edge cases of the format and the ways an upload goes wrong.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include <sys/stat.h>

#include "base/FileError.h"
#include "import/CsvUpload.h"
#include "import/DialogsUploadSink.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

using namespace tavri;
using tavri::test::ReadAll;
using tavri::test::TempCompendium;
using tavri::test::WriteAll;

namespace {

struct Stored {
    QString name, raceLocation, date, desc;
    QVariant details;
    bool changed = false;
    bool operator==(const Stored& o) const {
        return name == o.name && raceLocation == o.raceLocation && date == o.date &&
               desc == o.desc && details == o.details && details.isNull() == o.details.isNull() &&
               changed == o.changed;
    }
};

void PrintTo(const Stored& s, std::ostream* os) {
    *os << "{" << s.name.toStdString() << " | " << s.raceLocation.toStdString() << " | "
        << s.date.toStdString() << " | " << s.desc.toStdString() << " | "
        << (s.details.isNull() ? std::string("(null)") : s.details.toString().toStdString())
        << " | " << (s.changed ? "changed" : "unchanged") << "}";
}

// A changed entry as the upload stores it; null notes unless given.
Stored Entry(const QString& name, const QString& race, const QString& date, const QString& desc,
             const QVariant& details = QVariant()) {
    return {name, race, date, desc, details, true};
}

// Every entry, in the order they were added.
std::vector<Stored> Entries(AppState& state) {
    Recordset& rs = *state.EntryRs;
    std::vector<Stored> all;
    rs.setIndex(u"id");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        all.push_back({rs.text(u"name"), rs.text(u"race-location"), rs.text(u"date"),
                       rs.text(u"desc"), rs.field(u"details"), rs.field(u"changed").toBool()});
    }
    return all;
}

struct RecordingSink : UploadSink {
    std::vector<QString> truncations;
    std::vector<UploadOutcome> finishedWith;
    void waiting(const QString&) override { ADD_FAILURE() << "no other upload runs"; }
    bool truncated(const QString& text, bool) override {
        truncations.push_back(text);
        return true;
    }
    void finished(const UploadOutcome& outcome) override { finishedWith.push_back(outcome); }
};

// A compendium and a separate folder that the CSV files and the log live in.
class CsvUploadTest : public ::testing::Test {
protected:
    QString csv(const QByteArray& bytes, const QString& name = QStringLiteral("in.csv")) {
        const QString path = folder_.path() + QLatin1Char('/') + name;
        WriteAll(path, bytes);
        return path;
    }
    UploadOutcome upload(const QString& path) {
        const UploadOutcome outcome = UploadCsv(c_.state(), path, sink_);
        EXPECT_EQ(sink_.finishedWith.size(), 1u) << "the sink hears of the end exactly once";
        sink_.finishedWith.clear();
        return outcome;
    }
    QString logPath() const { return folder_.path() + QStringLiteral("/TavriUploadLog.txt"); }
    QByteArray log() const { return ReadAll(logPath()); }

    TempCompendium c_;
    QTemporaryDir folder_;
    RecordingSink sink_;
};

}  // namespace

TEST_F(CsvUploadTest, EachRecordBecomesAChangedEntryAndTheLogNamesEveryOne) {
    const UploadOutcome outcome = upload(csv(
        "ID,Name,Race/Location,Date,Description,Notes\r\n"
        "1,  Aldous Grey  ,  Human ,  1203 AR , A wandering scholar ,  \"Knows the old roads,\r\n"
        "and the new ones.\"  \r\n"
        "2,Brannoc,Dwarf,,\"Smith, of the deep halls\",\r\n"
        "3,Cerys,\"Elf\",Spring,\"Says \"\"never\"\"\",\"   \"\r\n"));
    EXPECT_EQ(Entries(c_.state()),
              (std::vector<Stored>{
                  Entry("Aldous Grey", "Human", "1203 AR", "A wandering scholar",
                        "Knows the old roads,\r\nand the new ones."),
                  Entry("Brannoc", "Dwarf", "", "Smith, of the deep halls"),
                  Entry("Cerys", "Elf", "Spring", "Says \"never\""),
              }));
    EXPECT_EQ(log(), "Aldous Grey uploaded OK\r\nBrannoc uploaded OK\r\nCerys uploaded OK\r\n");
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.added, 3);
    EXPECT_EQ(outcome.closingText(), "File successfully uploaded, 3 records added");
    EXPECT_TRUE(sink_.truncations.empty());
}

TEST_F(CsvUploadTest, AFileOfOnlyAHeadingAddsNothingAndCountsZero) {
    WriteAll(logPath(), "an older log\r\n");
    const UploadOutcome outcome = upload(csv("ID,Name,Race,Date,Desc,Notes\r\n"));
    EXPECT_TRUE(Entries(c_.state()).empty());
    EXPECT_EQ(log(), "") << "the log is replaced at each upload";
    EXPECT_EQ(outcome.closingText(), "File successfully uploaded, 0 records added");
}

TEST_F(CsvUploadTest, ANameIsCutAfter25CharactersAndTheCutIsReportedOnce) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x90\x89");  // one character, two UTF-16 units
    const QByteArray e = emoji.toUtf8();
    upload(
        csv("1,Exactly twenty-five chars,Elf,1,d,\r\n"
            "2,Twenty-six characters long,Elf,1,d,\r\n"
            "3,  \"   Padded, and exactly 25 ch   \",Elf,1,d,\r\n"
            "4," +
            e + "2345678901234567890123456,Elf,1,d,\r\n"));
    EXPECT_EQ(Entries(c_.state()), (std::vector<Stored>{
                                       Entry("Exactly twenty-five chars", "Elf", "1", "d"),
                                       Entry("Twenty-six characters lon", "Elf", "1", "d"),
                                       Entry("Padded, and exactly 25 ch", "Elf", "1", "d"),
                                       Entry(emoji + "234567890123456789012345", "Elf", "1", "d"),
                                   }));
    EXPECT_EQ(sink_.truncations,
              (std::vector<QString>{"Truncation: Twenty-six characters lon",
                                    "Truncation: " + emoji + "234567890123456789012345"}));
    // The log is UTF-8 text: every character reaches it.
    EXPECT_EQ(log(),
              "Exactly twenty-five chars uploaded OK\r\n"
              "Truncation: Twenty-six characters lon\r\n"
              "Twenty-six characters lon uploaded OK\r\n"
              "Padded, and exactly 25 ch uploaded OK\r\n"
              "Truncation: \xF0\x9F\x90\x89"
              "234567890123456789012345\r\n"
              "\xF0\x9F\x90\x89"
              "234567890123456789012345 uploaded OK\r\n");
}

TEST_F(CsvUploadTest, SevenValuesOnALineShiftEveryFollowingRecord) {
    const UploadOutcome outcome =
        upload(csv("1,Ann,Elf,1,d,n,extra\r\n"
                   "2,Bob,Orc,2,e,o\r\n"
                   "3,Cid,Imp,3,f,p\r\n"));
    // The surplus "extra" starts the second record, so its name is "2"; the third record starts
    // with "o" and is named "3"; the lone "p" left at the end is an unfinished record.
    EXPECT_EQ(Entries(c_.state()), (std::vector<Stored>{
                                       Entry("Ann", "Elf", "1", "d", "n"),
                                       Entry("2", "Bob", "Orc", "2", "e"),
                                       Entry("3", "Cid", "Imp", "3", "f"),
                                   }));
    EXPECT_EQ(outcome.added, 3);
    EXPECT_FALSE(outcome.stopped);
    EXPECT_EQ(outcome.closingText(),
              "The file ends in the middle of the record that begins on line 3: it has 1 of its "
              "6 values, so it was not added.\nFile uploaded, 3 records added");
}

TEST_F(CsvUploadTest, OnlyNameExactlyMakesAHeadingAndNoDuplicateCheckIsMade) {
    const QString path =
        csv("ID,Name,Race,Date,Desc,Notes\n"
            "1,name,Elf,1,d,\n"
            "ID,Name,Race,Date,Desc,Notes\n"
            "2,Ann,Elf,1,d,\n");
    upload(path);
    upload(path);
    EXPECT_EQ(Entries(c_.state()), (std::vector<Stored>{
                                       Entry("name", "Elf", "1", "d"),
                                       Entry("Ann", "Elf", "1", "d"),
                                       Entry("name", "Elf", "1", "d"),
                                       Entry("Ann", "Elf", "1", "d"),
                                   }));
    EXPECT_EQ(log(), "name uploaded OK\r\nAnn uploaded OK\r\n") << "replaced, not appended to";
}

TEST_F(CsvUploadTest, TrailingBlankLinesImportWholeAndReportNothingOdd) {
    const UploadOutcome outcome = upload(csv("1,Ann,Elf,1,d,n\r\n\r\n   \r\n\r\n"));
    EXPECT_EQ(Entries(c_.state()).size(), 1u);
    EXPECT_EQ(outcome.closingText(), "File successfully uploaded, 1 records added");
}

TEST_F(CsvUploadTest, AFileEndingInsideQuotesAddsTheRecordsBeforeIt) {
    const UploadOutcome outcome =
        upload(csv("1,Ann,Elf,1,d,n\r\n2,Bob,Orc,2,e,\"notes that never close\r\n"));
    EXPECT_EQ(Entries(c_.state()), (std::vector<Stored>{Entry("Ann", "Elf", "1", "d", "n")}));
    EXPECT_EQ(log(), "Ann uploaded OK\r\n");
    EXPECT_EQ(outcome.closingText(),
              "The file ends inside a quoted value of the record that begins on line 2, so that "
              "record was not added.\nFile uploaded, 1 records added");
}

TEST_F(CsvUploadTest, AValueTooLongForItsFieldStopsTheUploadAtThatRecord) {
    const QString race26 = QStringLiteral("Twenty-six characters long");
    const QString desc151(151, QLatin1Char('x'));
    const UploadOutcome outcome =
        upload(csv("ID,Name,Race,Date,Desc,Notes\r\n"
                   "1,Ann,Elf,1,d,n\r\n"
                   "2,A name that is far too long,Elf,1,d,n\r\n"
                   "3,Bob\r\n" +
                   race26.toUtf8() +
                   ",2,e,o\r\n"
                   "4,Cid,Imp,3,f,p\r\n"));
    EXPECT_EQ(Entries(c_.state()), (std::vector<Stored>{
                                       Entry("Ann", "Elf", "1", "d", "n"),
                                       Entry("A name that is far too lo", "Elf", "1", "d", "n"),
                                   }))
        << "the entries before the refused record stay; nothing after it is added";
    EXPECT_EQ(log(),
              "Ann uploaded OK\r\n"
              "Truncation: A name that is far too lo\r\n"
              "A name that is far too lo uploaded OK\r\n");
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.added, 2);
    EXPECT_TRUE(outcome.problem.startsWith("The record on line 4 was not added: "))
        << outcome.problem.toStdString();
    EXPECT_TRUE(outcome.problem.contains("\"race-location\"")) << outcome.problem.toStdString();
    EXPECT_TRUE(outcome.closingText().endsWith(
        "\nUpload stopped, 2 records added\n1 name was cut to 25 characters."));

    // The same for a description, and the cursor is usable afterwards.
    const UploadOutcome desc = upload(csv("1,Dee,Elf,1," + desc151.toUtf8() + ",\r\n", "desc.csv"));
    EXPECT_EQ(desc.added, 0);
    EXPECT_TRUE(desc.problem.startsWith("The record on line 1 was not added: "));
    EXPECT_TRUE(desc.problem.contains("\"desc\""));
    EXPECT_EQ(log(), "");
    upload(csv("1,Eve,Elf,1,d,\r\n", "ok.csv"));
    EXPECT_EQ(Entries(c_.state()).back(), Entry("Eve", "Elf", "1", "d"));
}

TEST_F(CsvUploadTest, ARefusedRecordInALaterBatchKeepsTheBatchesAndRecordsBeforeIt) {
    QByteArray bytes;
    QByteArray expectedLog;
    const int refused = kUploadBatchSize + kUploadBatchSize / 2;
    for (int i = 1; i <= refused + 10; ++i) {
        const QByteArray name = "Entry " + QByteArray::number(i);
        const QByteArray race = i == refused ? QByteArray(26, 'r') : QByteArray("Elf");
        bytes += QByteArray::number(i) + "," + name + "," + race + ",1,d,\n";
        if (i < refused) {
            expectedLog += name + " uploaded OK\r\n";
        }
    }
    const UploadOutcome outcome = upload(csv(bytes));
    EXPECT_EQ(outcome.added, refused - 1);
    EXPECT_TRUE(outcome.problem.startsWith(
        QStringLiteral("The record on line %1 was not added: ").arg(refused)));
    const std::vector<Stored> stored = Entries(c_.state());
    ASSERT_EQ(stored.size(), static_cast<size_t>(refused - 1));
    EXPECT_EQ(stored.back().name, QStringLiteral("Entry %1").arg(refused - 1));
    EXPECT_EQ(log(), expectedLog);
}

TEST_F(CsvUploadTest, AFileThatCannotBeReadOrALogThatCannotBeMadeIsReportedBeforeAnyEntry) {
    WriteAll(logPath(), "the last upload's log\r\n");
    EXPECT_THROW(upload(folder_.path() + "/missing.csv"), FileError);
    EXPECT_THROW(UploadCsv(c_.state(), folder_.path(), sink_), FileError) << "a folder";
    EXPECT_EQ(log(), "the last upload's log\r\n") << "an unreadable file leaves the old log";

    QFile::remove(logPath());
    ASSERT_TRUE(QDir(folder_.path()).mkdir("TavriUploadLog.txt"));  // no file can be made there
    try {
        UploadCsv(c_.state(), csv("1,Ann,Elf,1,d,n\r\n"), sink_);
        ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains("TavriUploadLog.txt")) << e.message().toStdString();
    }
    EXPECT_TRUE(Entries(c_.state()).empty());
    EXPECT_TRUE(sink_.finishedWith.empty());
}

TEST_F(CsvUploadTest, ALogThatFillsTheDiskIsReportedAndTheStoredEntriesCounted) {
    if (!QFile::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    ASSERT_TRUE(QFile::link("/dev/full", logPath()));
    const UploadOutcome outcome = upload(csv("1,Ann,Elf,1,d,n\r\n2,Bob,Orc,2,e,o\r\n"));
    EXPECT_EQ(Entries(c_.state()).size(), 2u) << "the entries were committed before the log failed";
    EXPECT_EQ(outcome.added, 2);
    EXPECT_FALSE(outcome.complete());
    EXPECT_TRUE(outcome.problem.contains("TavriUploadLog.txt")) << outcome.problem.toStdString();
    EXPECT_TRUE(outcome.problem.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << "the system's own reason: " << outcome.problem.toStdString();
    // The log is flushed after each batch, so its failure stops the upload at once.
    EXPECT_TRUE(outcome.closingText().endsWith("\nUpload stopped, 2 records added"))
        << outcome.closingText().toStdString();
}

TEST_F(CsvUploadTest, ManyRecordsGoInBatchesWithTheLogInFileOrder) {
    QByteArray bytes = "ID,Name,Race,Date,Desc,Notes\r\n";
    QByteArray expectedLog;
    const int n = 2 * kUploadBatchSize + 7;
    for (int i = 0; i < n; ++i) {
        const QByteArray name = "Person " + QByteArray::number(i);
        bytes += QByteArray::number(i) + "," + name + ",Town " + QByteArray::number(i % 13) +
                 ",Year " + QByteArray::number(i) + ",Someone,\"Notes, " + QByteArray::number(i) +
                 "\"\r\n";
        expectedLog += name + " uploaded OK\r\n";
    }
    const UploadOutcome outcome = upload(csv(bytes));
    EXPECT_EQ(outcome.closingText(),
              QStringLiteral("File successfully uploaded, %1 records added").arg(n));
    const std::vector<Stored> stored = Entries(c_.state());
    ASSERT_EQ(stored.size(), static_cast<size_t>(n));
    for (int i : {0, kUploadBatchSize - 1, kUploadBatchSize, n - 1}) {
        EXPECT_EQ(
            stored[i],
            Entry(QStringLiteral("Person %1").arg(i), QStringLiteral("Town %1").arg(i % 13),
                  QStringLiteral("Year %1").arg(i), "Someone", QStringLiteral("Notes, %1").arg(i)));
    }
    EXPECT_EQ(log(), expectedLog);
}

// A sink that ends the process, without unwinding, at the first truncation: a crash.
struct CrashingSink : UploadSink {
    void waiting(const QString&) override {}
    bool truncated(const QString&, bool) override { std::_Exit(3); }
    void finished(const UploadOutcome&) override {}
};

// A sink that abandons the upload with an exception at the first truncation.
struct AbandoningSink : UploadSink {
    struct Abandoned {};
    void waiting(const QString&) override {}
    bool truncated(const QString&, bool) override { throw Abandoned{}; }
    void finished(const UploadOutcome&) override {}
};

TEST(CsvUploadDeathTest, AnUploadCutShortKeepsWholeBatchesAndTheLogNamesOnlyStoredEntries) {
    // Names of 25 characters, so that the committed batches' log lines outgrow the log's buffer.
    const int cutAt = 2 * kUploadBatchSize + kUploadBatchSize / 2;
    QByteArray bytes;
    for (int i = 1; i <= cutAt + 5; ++i) {
        const QByteArray name =
            i == cutAt ? QByteArray(30, 'L')
                       : "Crash test entry no " + QByteArray::number(i).rightJustified(5, '0');
        bytes += "0," + name + ",Elf,1,d,\r\n";
    }
    for (const bool crash : {true, false}) {
        SCOPED_TRACE(crash ? "crash" : "exception");
        TempCompendium c;
        QTemporaryDir folder;
        const QString path = folder.path() + "/big.csv";
        WriteAll(path, bytes);
        if (crash) {
            c.state().Close();
            GTEST_FLAG_SET(death_test_style, "fast");
            EXPECT_EXIT(
                {
                    const std::unique_ptr<AppState> child = AppState::Open(c.dir());
                    CrashingSink sink;
                    UploadCsv(*child, path, sink);
                },
                ::testing::ExitedWithCode(3), "");
            c.reopen();
        } else {
            AbandoningSink sink;
            EXPECT_THROW(UploadCsv(c.state(), path, sink), AbandoningSink::Abandoned);
        }
        const std::vector<Stored> stored = Entries(c.state());
        ASSERT_EQ(stored.size(), static_cast<size_t>(2 * kUploadBatchSize))
            << "the two committed batches, none of the open one";
        EXPECT_EQ(stored.back().name, QStringLiteral("Crash test entry no %1")
                                          .arg(2 * kUploadBatchSize, 5, 10, QLatin1Char('0')));
        // Whatever reached the log is a prefix of the committed entries' lines.
        const QByteArray logged = ReadAll(folder.path() + "/TavriUploadLog.txt");
        const QList<QByteArray> lines = logged.split('\n');
        ASSERT_EQ(lines.back(), "") << "whole lines only";
        EXPECT_LE(lines.size() - 1, 2 * kUploadBatchSize);
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            ASSERT_EQ(lines[i], stored[i].name.toUtf8() + " uploaded OK\r");
        }
        if (!crash) {
            EXPECT_EQ(lines.size() - 1, 2 * kUploadBatchSize)
                << "unwinding closes the log with every committed line";
        }
    }
}

TEST(CsvUploadCommand, UploadsFromTheCommandLineWithTheSameRulesAndHonestStatus) {
    TempCompendium c;
    c.state().Close();
    QTemporaryDir folder;
    const QString good = folder.path() + "/good.csv";
    WriteAll(good,
             "ID,Name,Race,Date,Desc,Notes\r\n1,A name well over the limit of 25,Elf,1,d,n\r\n");
    QProcess p;
    p.start(TAVRI_CLI_PATH, {"upload-csv", c.dir(), good});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.readAllStandardOutput(),
              "File successfully uploaded, 1 records added\n1 name was cut to 25 characters.\n");
    EXPECT_EQ(p.readAllStandardError(), "Truncation: A name well over the limi\n");
    EXPECT_EQ(ReadAll(folder.path() + "/TavriUploadLog.txt"),
              "Truncation: A name well over the limi\r\nA name well over the limi uploaded OK\r\n");

    const QString partial = folder.path() + "/partial.csv";
    WriteAll(partial, "1,Ann,Elf,1,d,n\r\n2,Bob\r\n");
    p.start(TAVRI_CLI_PATH, {"upload-csv", c.dir(), partial});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardOutput(), "");
    EXPECT_EQ(p.readAllStandardError(),
              "The file ends in the middle of the record that begins on line 2: it has 2 of its 6 "
              "values, so it was not added.\nFile uploaded, 1 records added\n");

    p.start(TAVRI_CLI_PATH, {"upload-csv", c.dir(), folder.path() + "/missing.csv"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("missing.csv"));

    p.start(TAVRI_CLI_PATH, {"upload-csv", c.dir()});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);

    c.reopen();
    EXPECT_EQ(Entries(c.state()), (std::vector<Stored>{
                                      Entry("A name well over the limi", "Elf", "1", "d", "n"),
                                      Entry("Ann", "Elf", "1", "d", "n"),
                                  }));
}

// The fixtures in tests/data/csv were saved by LibreOffice Calc 7.4 from spreadsheet-export.fods
// (kept beside them) with
//   soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' ...  (UTF-8)
//   soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,1,1' ... (Windows-1252)
//   soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,65535,1' ... (UTF-16)
// The spreadsheet program quotes every text cell, doubles quotes inside them, writes a cell of
// two paragraphs with a line feed inside the quotes, writes numbers and empty cells bare, and
// ends each row with LF.
TEST(CsvUploadFixture, AFileSavedByASpreadsheetProgramImportsAsExpectedInEitherEncoding) {
    for (const char* name : {"spreadsheet-export-utf8.csv", "spreadsheet-export-cp1252.csv",
                             "spreadsheet-export-utf16.csv"}) {
        SCOPED_TRACE(name);
        TempCompendium c;
        QTemporaryDir folder;
        const QString path = folder.path() + "/export.csv";
        WriteAll(path, ReadAll(QStringLiteral(TAVRI_TEST_DATA "/csv/") + name));
        RecordingSink sink;
        const UploadOutcome outcome = UploadCsv(c.state(), path, sink);
        EXPECT_EQ(
            Entries(c.state()),
            (std::vector<Stored>{
                Entry("Aldous Grey", "Human", "1203 AR", "A scholar, of sorts",
                      "Knows the old roads.\r\nSays \"never\" often."),
                Entry(QString::fromUtf8("\xC3\x89lodie of the Moorland Ma"),
                      QString::fromUtf8("Caf\xC3\xA9 Quarter"), "",
                      QString::fromUtf8("Keeps the \xE2\x80\x9CGreen Door\xE2\x80\x9D inn")),
                Entry("name", "Dwarf", "1204", "A dwarf called name", "<b>Bold</b>, with a comma"),
            }));
        EXPECT_EQ(sink.truncations, (std::vector<QString>{QString::fromUtf8(
                                        "Truncation: \xC3\x89lodie of the Moorland Ma")}));
        EXPECT_EQ(ReadAll(folder.path() + "/TavriUploadLog.txt"),
                  "Aldous Grey uploaded OK\r\n"
                  "Truncation: \xC3\x89lodie of the Moorland Ma\r\n"
                  "\xC3\x89lodie of the Moorland Ma uploaded OK\r\n"
                  "name uploaded OK\r\n");
        EXPECT_EQ(outcome.closingText(),
                  "File successfully uploaded, 3 records added\n1 name was cut to 25 characters.");
    }
}

TEST_F(CsvUploadTest, WhatIsNotATextFileIsRefusedBeforeAnythingIsStored) {
    // The first bytes of a PNG image: signature, then the header chunk.
    const QByteArray png(
        "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1F\x15\xC4\x89", 33);
    const QString fifo = folder_.path() + "/pipe.csv";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        const char* name;
        QString path;
        const char* says;
    } cases[] = {
        {"an image", csv(png, "image.csv"),
         "image.csv does not look like a CSV text file: line 2 holds the control character "
         "\\x1a (the line begins \"\\x1a\"). Nothing was added."},
        {"controls in a value", csv("1,Ann,Elf,1,d,n\r\n2,B\x02ob,Orc,1,d,n\r\n", "ctl.csv"),
         "ctl.csv does not look like a CSV text file: line 2 holds the control character \\x02 "
         "(the line begins \"2,B\\x02ob,Orc,1,d,n\"). Nothing was added."},
        {"a FIFO", fifo, "pipe.csv: it is not a regular file."},
        {"a device", "/dev/zero", "/dev/zero: it is not a regular file."},
        {"a folder", folder_.path(), ": it is a folder."},
    };
    WriteAll(logPath(), "the last upload's log\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            UploadCsv(c_.state(), c.path, sink_);
            ADD_FAILURE() << "not refused";
        } catch (const FileError& e) {
            EXPECT_TRUE(e.message().endsWith(QString::fromUtf8(c.says)))
                << e.message().toStdString();
        }
    }
    EXPECT_TRUE(Entries(c_.state()).empty());
    EXPECT_TRUE(sink_.finishedWith.empty());
    EXPECT_EQ(log(), "the last upload's log\r\n");
}

TEST(CsvUploadMessages, AQuotedValueIsCutTo60CharactersAndItsControlsMadeVisible) {
    const QString dragon = QString::fromUtf8("\xF0\x9F\x90\x89");
    const struct {
        QString value;
        QString shown;
    } cases[] = {
        {"plain", "plain"},
        {QString("a\tb\r\nc") + QChar(0) + QChar(0x1B) + QChar(0x7F) + QChar(0x85),
         "a\\tb\\r\\nc\\x00\\x1b\\x7f\\x85"},
        {QString(60, 'x'), QString(60, 'x')},
        {QString(61, 'x'), QString(60, 'x') + QString::fromUtf8("\xE2\x80\xA6 (61 characters)")},
        {dragon.repeated(61),
         dragon.repeated(60) + QString::fromUtf8("\xE2\x80\xA6 (61 characters)")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownValue(c.value), c.shown);
    }
}

TEST_F(CsvUploadTest, AFiftyMegabyteValueIsQuotedByItsFirstCharactersOnly) {
    const qsizetype size = 50 << 20;
    const UploadOutcome outcome =
        upload(csv("1,Ann,Elf,1,\"" + QByteArray(size, 'x') + "\",notes\r\n"));
    EXPECT_EQ(outcome.added, 0);
    const QString text = outcome.closingText();
    EXPECT_LT(text.size(), 300) << "at most about 100 characters of the value";
    EXPECT_TRUE(text.contains(QString(60, 'x') +
                              QString::fromUtf8("\xE2\x80\xA6 (%1 characters)").arg(size)))
        << text.left(300).toStdString();
}

// The main window's boxes, scripted: a second button while more names are to be cut, which
// stops the boxes but not the log.
TEST_F(CsvUploadTest, TruncationBoxesCanBeStoppedForTheRestOfTheUpload) {
    const QByteArray longNames =
        "1,A first name over the limit,Elf,1,d,\r\n"
        "2,Short,Elf,1,d,\r\n"
        "3,A second name over the limit,Elf,1,d,\r\n"
        "4,A third name over the limit,Elf,1,d,\r\n";
    const struct {
        const char* name;
        QByteArray bytes;
        std::vector<Answer> answers;
        std::vector<MessageButtons> boxes;  // the truncation boxes shown, in order
        const char* closing;
    } cases[] = {
        {"skip after the first",
         longNames,
         {Answer::SkipRest},
         {MessageButtons::OkSkipRest},
         "4 records added\n3 names were cut to 25 characters."},
        {"read them all",
         longNames,
         {Answer::Ok, Answer::Ok, Answer::Ok},
         {MessageButtons::OkSkipRest, MessageButtons::OkSkipRest, MessageButtons::Ok},
         "4 records added\n3 names were cut to 25 characters."},
        {"only one",
         "1,A single name over the limit,Elf,1,d,\r\n",
         {Answer::Ok},
         {MessageButtons::Ok},
         "1 records added\n1 name was cut to 25 characters."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        for (const Answer a : c.answers) {
            dialogs.answer(a);
        }
        DialogsUploadSink sink(dialogs, "Campaign");
        UploadCsv(c_.state(), csv(c.bytes), sink);
        std::vector<MessageButtons> boxes;
        for (const ScriptedDialogs::Shown& s : dialogs.shown()) {
            if (s.message.text.startsWith("Truncation: ")) {
                boxes.push_back(s.message.buttons);
            }
        }
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_TRUE(dialogs.messages().back().endsWith(c.closing))
            << dialogs.messages().back().toStdString();
        EXPECT_EQ(log().count("Truncation: "), c.bytes.count("over the limit"))
            << "the log gets every line";
    }
}

// A sink whose truncation runs a second writer, tavri-cli publish (which clears the changed
// flags), and waits for it.
struct PublishingSink : RecordingSink {
    QString dir;
    bool person = false;
    int exitCode = -1;
    QByteArray errors;
    bool waitsForPerson() const override { return person; }
    bool truncated(const QString& text, bool more) override {
        QProcess p;
        p.start(TAVRI_CLI_PATH, {"publish", dir});
        EXPECT_TRUE(p.waitForFinished(60000));
        exitCode = p.exitCode();
        errors = p.readAllStandardError();
        return RecordingSink::truncated(text, more);
    }
};

TEST_F(CsvUploadTest, AnotherWriterNeverWaitsOnAPersonReadingABox) {
    const QByteArray bytes = "1,Ann,Elf,1,d,\r\n2,A name well over the limit of 25,Elf,1,d,\r\n";
    for (const bool person : {true, false}) {
        SCOPED_TRACE(person ? "a box" : "a terminal");
        PublishingSink sink;
        sink.dir = c_.dir();
        sink.person = person;
        const UploadOutcome outcome = UploadCsv(c_.state(), csv(bytes), sink);
        EXPECT_EQ(outcome.added, 2);
        if (person) {
            EXPECT_EQ(sink.exitCode, 0)
                << "the batch was committed before the box: " << sink.errors.toStdString();
        } else {
            // Without a person to wait for, the batch stays open, and the publisher, whose site
            // is already written, must say so.
            EXPECT_EQ(sink.exitCode, 1);
            EXPECT_TRUE(sink.errors.startsWith(
                "The site was written; the changed flags were not cleared: "))
                << sink.errors.toStdString();
        }
    }
}

// The first upload holds the compendium and the log while its sink starts two more uploads in
// real processes: one that would share the log is refused at once, one into the same compendium
// says that it waits and then adds its entries after the first upload's.
TEST_F(CsvUploadTest, OneUploadAtATimePerCompendiumAndOneWriterPerLog) {
    TempCompendium other;
    other.state().Close();
    QTemporaryDir elsewhere;
    const QString sameLog = csv("1,Log sharer,Elf,1,d,\r\n", "same-folder.csv");
    const QString sameCompendium = elsewhere.path() + "/second.csv";
    WriteAll(sameCompendium, "1,Second upload,Elf,1,d,\r\n");

    struct : RecordingSink {
        QString compendium, otherCompendium, sameLog, sameCompendium;
        QProcess logSharer, waiter;
        bool truncated(const QString& text, bool more) override {
            logSharer.start(TAVRI_CLI_PATH, {"upload-csv", otherCompendium, sameLog});
            EXPECT_TRUE(logSharer.waitForFinished(60000));
            waiter.setReadChannel(QProcess::StandardError);
            waiter.start(TAVRI_CLI_PATH, {"upload-csv", compendium, sameCompendium});
            EXPECT_TRUE(waiter.waitForReadyRead(60000)) << "told that it waits";
            return RecordingSink::truncated(text, more);
        }
    } sink;
    sink.compendium = c_.dir();
    sink.otherCompendium = other.dir();
    sink.sameLog = sameLog;
    sink.sameCompendium = sameCompendium;
    const UploadOutcome outcome = UploadCsv(
        c_.state(), csv("1,First upload,Elf,1,d,\r\n2,A name well over the limit,Elf,1,d,\r\n"),
        sink);
    ASSERT_TRUE(sink.waiter.waitForFinished(60000));

    EXPECT_EQ(outcome.added, 2);
    EXPECT_EQ(sink.logSharer.exitCode(), 1);
    EXPECT_TRUE(sink.logSharer.readAllStandardError().contains("another upload is writing it"));
    EXPECT_EQ(sink.waiter.exitCode(), 0);
    EXPECT_TRUE(sink.waiter.readAllStandardError().startsWith(
        "Another upload into this compendium is running; this upload waits until it has "
        "finished.\n"));
    EXPECT_EQ(log(),
              "First upload uploaded OK\r\nTruncation: A name well over the limi\r\n"
              "A name well over the limi uploaded OK\r\n");
    std::vector<QString> names;
    for (const Stored& s : Entries(c_.state())) {
        names.push_back(s.name);
    }
    EXPECT_EQ(names,
              (std::vector<QString>{"First upload", "A name well over the limi", "Second upload"}));
    other.reopen();
    EXPECT_TRUE(Entries(other.state()).empty());
}
