// The CSV upload: what it adds to what the reader reads (entries, the log, the user's messages),
// and the ways an upload goes wrong. The grammar of the file is the reader's (CsvRecordReaderTest).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <list>
#include <utility>

#include "base/FileError.h"
#include "import/CsvUpload.h"
#include "import/DialogsUploadSink.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

using namespace tavri;
using namespace tavri::test;

namespace {

// Every entry in the order added, as "name|race|date|desc|notes", notes "-" when null, and
// " unchanged" appended when the changed flag is not set.
QStringList Entries(AppState& state) {
    Recordset& rs = *state.EntryRs;
    QStringList all;
    rs.setIndex(u"id");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QVariant notes = rs.field(u"details");
        all << QStringList{rs.text(u"name"), rs.text(u"race-location"), rs.text(u"date"),
                           rs.text(u"desc"), notes.isNull() ? "-" : notes.toString()}
                       .join(u'|') +
                   (rs.field(u"changed").toBool() ? "" : " unchanged");
    }
    return all;
}

// The log of an upload that stored these entries: each one's line, after the line of its name's
// cut if it is among the cuts told.
QByteArray Log(const QStringList& stored, const QStringList& cuts = {}) {
    QString log;
    for (const QString& entry : stored) {
        const QString cut = "Truncation: " + entry.section(u'|', 0, 0);
        log += (cuts.contains(cut) ? cut + "\r\n" : "") + cut.mid(12) + " uploaded OK\r\n";
    }
    return log.toUtf8();
}

// Records what the upload tells; at each truncation it first runs atBox (which may end
// the process, throw, or run other writers).
struct RecordingSink : UploadSink {
    bool person = false;
    std::function<void()> atBox = [] {};
    QStringList truncations;
    int ends = 0;
    void waiting(const QString&) override { ADD_FAILURE() << "no other upload runs"; }
    bool waitsForPerson() const override { return person; }
    bool truncated(const QString& text, bool) override {
        atBox();
        truncations << text;
        return true;
    }
    void finished(const UploadOutcome&) override { ++ends; }
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
        EXPECT_EQ(std::exchange(sink_.ends, 0), 1) << "the sink hears of the end exactly once";
        return outcome;
    }
    QString logPath() const { return folder_.path() + QStringLiteral("/TavriUploadLog.txt"); }
    QByteArray log() const { return ReadAll(logPath()); }

    TempCompendium c_;
    QTemporaryDir folder_;
    RecordingSink sink_;
};

}  // namespace

// One compendium through the whole table: each case sees the entries it added (as changed
// entries, values trimmed, empty notes null, no check for a name already there), the log that
// replaced the last one (a line for each stored entry, after the line of its name's cut), the
// truncations told and the closing text. A refused record leaves the cursor usable for the next
// case.
TEST_F(CsvUploadTest, WhatEachFileAddsLogsAndSays) {
    const qsizetype big = 50 << 20;  // a value quoted in a message by its first characters only
    struct Case {
        QByteArray bytes;
        const char *stored, *told;  // told: the truncations, one a line
        QString closing;
    };
    std::vector<Case> cases = {
        {"1,\"  Aldous Grey  \",Human ,1203 AR ,A scholar ,\"  Knows the roads  \"\r\n"
         "2,Brannoc,Dwarf,,d,\r\n3,Cerys,Elf,Spring,d,\"   \"\r\n",
         "Aldous Grey|Human|1203 AR|A scholar|Knows the roads\nBrannoc|Dwarf||d|-\n"
         "Cerys|Elf|Spring|d|-",
         "", "File successfully uploaded, 3 records added"},
        // Names are cut after 25 characters (not UTF-16 units), once trimmed.
        {"1,Exactly twenty-five chars,Elf,1,d,\r\n2,Twenty-six characters long,Elf,1,d,\r\n"
         "3,  \"   Padded, and exactly 25 ch   \",Elf,1,d,\r\n"
         "4,\U0001F4092345678901234567890123456,Elf,1,d,\r\n",
         "Exactly twenty-five chars|Elf|1|d|-\nTwenty-six characters lon|Elf|1|d|-\n"
         "Padded, and exactly 25 ch|Elf|1|d|-\n\U0001F409234567890123456789012345|Elf|1|d|-",
         "Truncation: Twenty-six characters lon\nTruncation: \U0001F409234567890123456789012345",
         "File successfully uploaded, 4 records added\n2 names were cut to 25 characters."},
        // A value too long for its field stops the upload at its record, named by its first line.
        {"ID,Name,Race,Date,Desc,Notes\r\n1,Ann,Elf,1,d,n\r\n"
         "2,A name that is far too long,Elf,1,d,n\r\n3,Bob\r\nTwenty-six characters long,2,e,o\r\n"
         "4,Cid,Imp,3,f,p\r\n",
         "Ann|Elf|1|d|n\nA name that is far too lo|Elf|1|d|n",
         "Truncation: A name that is far too lo",
         "The record on line 4 was not added: The field \"race-location\" holds at most 25 "
         "characters; \"Twenty-six characters long\" has 26. Nothing was stored.\n"
         "Upload stopped, 2 records added\n1 name was cut to 25 characters."},
        {"1,Dee,Elf,1,\"" + QByteArray(big, 'x') + "\",\r\n", "", "",
         QStringLiteral("The record on line 1 was not added: The field \"desc\" holds at most 150 "
                        "characters; \"%1\u2026 (%2 characters)\" has %2. Nothing was stored.\n"
                        "Upload stopped, 0 records added")
             .arg(QString(60, 'x'))
             .arg(big)},
        {"1,Ann,Elf,1,d,n\r\n2,Bob\r\n", "Ann|Elf|1|d|n", "",
         "The file ends in the middle of the record that begins on line 2: it has 2 of its 6 "
         "values, so it was not added.\nFile uploaded, 1 records added"},
        {"1,Ann,Elf,1,d,n\r\n2,Bob,Orc,2,e,\"never closed\r\n", "Ann|Elf|1|d|n", "",
         "The file ends inside a quoted value of the record that begins on line 2, so that "
         "record was not added.\nFile uploaded, 1 records added"},
    };
    // The fixtures in tests/data/csv were saved by LibreOffice Calc 7.4 from
    // spreadsheet-export.fods (kept beside them) with
    //   soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' (UTF-8)
    //   soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,1,1' (Windows-1252)
    //   soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,65535,1' (UTF-16)
    // The spreadsheet program quotes every text cell, doubles quotes inside them, writes a cell
    // of two paragraphs with a line feed inside the quotes, writes numbers and empty cells bare,
    // and ends each row with LF.
    for (const char* encoding : {"utf8", "cp1252", "utf16"}) {
        cases.push_back(
            {ReadAll(
                 QStringLiteral(TAVRI_TEST_DATA "/csv/spreadsheet-export-%1.csv").arg(encoding)),
             "Aldous Grey|Human|1203 AR|A scholar, of sorts|Knows the old roads.\r\nSays \"never\" "
             "often.\n\u00C9lodie of the Moorland Ma|Caf\u00E9 Quarter||Keeps the \u201CGreen "
             "Door\u201D "
             "inn|-\nname|Dwarf|1204|A dwarf called name|<b>Bold</b>, with a comma",
             "Truncation: \u00C9lodie of the Moorland Ma",
             "File successfully uploaded, 3 records added\n1 name was cut to 25 characters."});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.left(40).toStdString());
        const qsizetype before = Entries(c_.state()).size();
        sink_.truncations.clear();
        const UploadOutcome outcome = upload(csv(c.bytes));
        const QStringList stored = Entries(c_.state()).mid(before);
        EXPECT_EQ(stored.join(u'\n').toStdString(), c.stored);
        EXPECT_EQ(log(), Log(stored, sink_.truncations));
        EXPECT_EQ(sink_.truncations.join(u'\n').toStdString(), c.told);
        EXPECT_EQ(outcome.closingText().toStdString(), c.closing.toStdString());
    }
}

// A file that cannot be read, is not a regular file or not text, or a log that cannot be made:
// refused before any entry is added, and (but for the log) the old log left as it was.
TEST_F(CsvUploadTest, WhatCannotBeReadOrIsNotTextIsRefusedBeforeAnythingIsStored) {
    QTemporaryDir logless;  // its log's name is taken by a folder
    ASSERT_TRUE(QDir(logless.path()).mkdir("TavriUploadLog.txt"));
    WriteAll(logless.path() + "/in.csv", "1,Ann,Elf,1,d,n\r\n");
    const std::pair<QString, QString> cases[] = {
        {csv("1,Ann,Elf,1,d,n\r\n2,B\x02ob,Orc,1,d,n\r\n", "ctl.csv"),
         "ctl.csv does not look like a CSV text file: line 2 holds the control character \\x02 "
         "(the line begins \"2,B\\x02ob,Orc,1,d,n\"). Nothing was added."},
        {folder_.path() + "/missing.csv",
         "missing.csv: " + QString::fromLocal8Bit(std::strerror(ENOENT)) + "."},
        {"/dev/zero", "/dev/zero: it is not a regular file."},
        {folder_.path(), ": it is a folder."},
        {logless.path() + "/in.csv",
         "TavriUploadLog.txt: " + QString::fromLocal8Bit(std::strerror(EISDIR)) + "."},
    };
    WriteAll(logPath(), "the last upload's log\r\n");
    for (const auto& [path, says] : cases) {
        const QString refusal = Refusal<FileError>([&] { UploadCsv(c_.state(), path, sink_); });
        EXPECT_TRUE(refusal.endsWith(says)) << refusal.toStdString();
    }
    EXPECT_TRUE(Entries(c_.state()).empty());
    EXPECT_EQ(sink_.ends, 0);
    EXPECT_EQ(log(), "the last upload's log\r\n");
}

TEST_F(CsvUploadTest, ALogThatFillsTheDiskStopsTheUploadWithTheSystemsReason) {
    ASSERT_TRUE(QFile::link("/dev/full", logPath()));
    const UploadOutcome outcome = upload(csv("1,Ann,Elf,1,d,n\r\n2,Bob,Orc,2,e,o\r\n"));
    EXPECT_EQ(Entries(c_.state()).size(), 2) << "the entries were committed before the log failed";
    EXPECT_EQ(outcome.closingText(), "Cannot write " + logPath() + ": " +
                                         QString::fromLocal8Bit(std::strerror(ENOSPC)) +
                                         ".\nUpload stopped, 2 records added");
}

// An upload cut short by a crash or an exception keeps its committed batches, none of the open
// one, and the log names every stored entry, in order, and nothing else.
using CsvUploadDeathTest = CsvUploadTest;
TEST_F(CsvUploadDeathTest, AnUploadCutShortKeepsWholeBatchesAndTheLogNamesOnlyStoredEntries) {
    // Names of 25 characters, so that the committed batches' log lines outgrow the log's buffer;
    // the record at cutAt has a name to be cut and a race too long for its field.
    const int cutAt = 2 * kUploadBatchSize + kUploadBatchSize / 2;
    QByteArray bytes;
    for (int i = 1; i <= cutAt + 5; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(5, '0');
        bytes += i == cutAt ? "0," + QByteArray(30, 'L') + "," + QByteArray(26, 'r') + ",1,d,\r\n"
                            : "0,Crash test entry no " + n + ",Town " + n + ",1,d,\"Notes, " + n +
                                  "\"\r\n";
    }
    const QString path = csv(bytes);
    for (const bool crash : {true, false}) {
        SCOPED_TRACE(crash);
        const qsizetype before = Entries(c_.state()).size();
        if (crash) {
            sink_.atBox = [] { std::_Exit(3); };
            c_.state().Close();
            GTEST_FLAG_SET(death_test_style, "fast");
            EXPECT_EXIT(UploadCsv(*AppState::Open(c_.dir()), path, sink_),
                        ::testing::ExitedWithCode(3), "");
            c_.reopen();
        } else {
            sink_.atBox = [] { throw 3; };
            EXPECT_THROW(UploadCsv(c_.state(), path, sink_), int);
        }
        const QStringList stored = Entries(c_.state()).mid(before);
        const int kept = 2 * kUploadBatchSize;
        ASSERT_EQ(stored.size(), kept);
        EXPECT_EQ(stored.back(), QStringLiteral("Crash test entry no %1|Town %1|1|d|Notes, %1")
                                     .arg(kept, 5, 10, QLatin1Char('0')));
        EXPECT_TRUE(log() == Log(stored)) << "the log names the stored entries, whole lines only";
    }
}

TEST(CsvUploadMessages, AQuotedValueIsCutTo60CharactersAndItsControlsMadeVisible) {
    const QString x60(60, 'x'), dragon = "\U0001F409", more = "\u2026 (61 characters)";
    const std::pair<QString, QString> cases[] = {
        {QString("a\tb\r\nc") + QChar(0) + "\x1B\x7F\u0085\u00A0",
         "a\\tb\\r\\nc\\x00\\x1b\\x7f\\x85\u00A0"},
        {x60, x60},
        {x60 + "x", x60 + more},
        {dragon.repeated(61), dragon.repeated(60) + more},
    };
    for (const auto& [value, shown] : cases) {
        EXPECT_EQ(ShownValue(value), shown);
    }
}

// The main window's boxes, scripted: the second button while more names are to be cut stops
// the boxes but not the log nor the count.
TEST_F(CsvUploadTest, TruncationBoxesCanBeStoppedForTheRestOfTheUpload) {
    ScriptedDialogs dialogs;
    dialogs.answer(Answer::SkipRest);
    DialogsUploadSink sink(dialogs, "Campaign");
    UploadCsv(c_.state(),
              csv("1,A first name over the limit,Elf,1,d,\r\n2,Short,Elf,1,d,\r\n"
                  "3,A second name over the limit,Elf,1,d,\r\n"),
              sink);
    const std::vector<QString> told = dialogs.messages();
    EXPECT_EQ(std::count_if(told.begin(), told.end(),
                            [](const QString& m) { return m.startsWith("Truncation: "); }),
              1);
    EXPECT_EQ(told.back(),
              "File successfully uploaded, 3 records added\n2 names were cut to 25 characters.");
    EXPECT_EQ(log().count("Truncation: "), 2) << "the log gets every line";
}

// At its box the first upload holds the compendium and the log while its sink runs three more
// writers in real processes. tavri-cli publish (which clears the changed flags), its site already
// written, must say that the batch was still open, unless a person reads the box: then the batch
// was committed before it. An upload that would share the log is refused at once; one into the
// same compendium says that it waits and then adds its entries after the first upload's.
TEST_F(CsvUploadTest, AnotherWriterNeverWaitsOnAPersonReadingABoxAndUploadsTakeTurns) {
    TempCompendium other;
    other.state().Close();
    QTemporaryDir elsewhere;  // the waiter's log is not the first upload's
    WriteAll(elsewhere.path() + "/second.csv", "1,Second upload,Elf,1,d,\r\n");
    for (const bool person : {true, false}) {
        SCOPED_TRACE(person);
        const qsizetype before = Entries(c_.state()).size();
        std::list<QProcess> runs;  // publish and the log sharer, each to its end, then the waiter
        const QString sharer = csv("1,Log sharer,Elf,1,d,\r\n", "same.csv");
        sink_.person = person;
        sink_.atBox = [&] {
            for (const QStringList& args : {QStringList{"publish", c_.dir()},
                                            QStringList{"upload-csv", other.dir(), sharer}}) {
                runs.emplace_back().start(TAVRI_CLI_PATH, args);
                EXPECT_TRUE(runs.back().waitForFinished(60000));
            }
            runs.emplace_back().setReadChannel(QProcess::StandardError);
            runs.back().start(TAVRI_CLI_PATH,
                              {"upload-csv", c_.dir(), elsewhere.path() + "/second.csv"});
            EXPECT_TRUE(runs.back().waitForReadyRead(60000)) << "told that it waits";
        };
        upload(csv("1,First upload,Elf,1,d,\r\n2,A name well over the limit,Elf,1,d,\r\n"));
        sink_.atBox = [] {};  // it holds this pass's runs
        EXPECT_EQ(runs.front().exitCode(), person ? 0 : 1);
        EXPECT_EQ(runs.front().readAllStandardError().startsWith(
                      "The site was written; the changed flags were not cleared: "),
                  !person);
        ASSERT_TRUE(runs.back().waitForFinished(60000));
        QProcess& logSharer = *std::next(runs.begin());
        EXPECT_EQ(logSharer.exitCode(), 1);
        EXPECT_TRUE(logSharer.readAllStandardError().contains("another upload is writing it"));
        EXPECT_EQ(runs.back().exitCode(), 0);
        EXPECT_TRUE(runs.back().readAllStandardError().startsWith(
            "Another upload into this compendium is running; this upload waits until it has "
            "finished.\n"));
        const QStringList stored = Entries(c_.state()).mid(before);
        EXPECT_EQ(log(), Log(stored.first(2), {"Truncation: A name well over the limi"}));
        // Published only when committed before the box.
        EXPECT_EQ(stored.join(u'\n').toStdString(),
                  std::string("First upload|Elf|1|d|-") + (person ? " unchanged" : "") +
                      "\nA name well over the limi|Elf|1|d|-\nSecond upload|Elf|1|d|-");
    }
}
