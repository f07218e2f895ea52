// The CSV record reader: values, quotes, records across lines, headings and the ways a file ends.
#include <gtest/gtest.h>

#include <QStringEncoder>
#include <vector>

#include "import/CsvRecordReader.h"

using namespace tavri;

namespace {

using Values = std::vector<QString>;

struct Reading {
    std::vector<Values> records;
    std::vector<int> lines;
    std::optional<CsvIncomplete> incomplete;
    int headings = 0;
    int badLine = 0;  // where the text showed it is not text, 0 when it did not
    char16_t badCharacter = 0;
};

Reading ReadAll(CsvRecordReader reader) {
    Reading r;
    while (const std::optional<CsvRecord> record = reader.next()) {
        r.records.emplace_back(record->values.begin(), record->values.end());
        r.lines.push_back(record->line);
    }
    r.incomplete = reader.incomplete();
    r.headings = reader.headings();
    if (reader.notText()) {
        r.badLine = reader.notText()->line;
        r.badCharacter = reader.notText()->character;
    }
    EXPECT_FALSE(reader.next()) << "a reader that has ended stays ended";
    return r;
}

Reading Read(const QString& text) {
    return ReadAll(CsvRecordReader(text));
}

}  // namespace

TEST(CsvRecordReader, QuotedValuesHoldCommasAndLineEndsAndADoubledQuoteIsOneQuote) {
    const Reading r = Read(
        "1,\"Smith, John\",\"Town\",\"\",\"He said "
        "\"\"no\"\".\",\"first\nsecond\rthird\r\nend\"\n");
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0], (Values{"1", "Smith, John", "Town", "", "He said \"no\".",
                                    "first\r\nsecond\r\nthird\r\nend"}))
        << "every line end inside quotes is kept as CR LF";
    EXPECT_FALSE(r.incomplete);
}

TEST(CsvRecordReader, BlanksBeforeAValueAreSkippedAndBlanksAfterAnUnquotedValueStay) {
    const Reading r = Read("  1,\t Name ,  \"  quoted  \"  ,a\"b\"c,\"x\"tail,   \n");
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0], (Values{"1", "Name ", "  quoted    ", "a\"b\"c", "xtail", ""}))
        << "quotes inside an unquoted value are characters; text after a closing quote is kept";
    EXPECT_EQ(r.headings, 0) << "\"Name \" with its trailing blank is not a heading";
}

TEST(CsvRecordReader, ARecordIsTheNextSixValuesWhateverLinesTheyStandOn) {
    const Reading r = Read(
        "1,a,b\n"
        "c,d,e\n"          // the short line above borrows these
        "2,f,g,h,i,j,3\n"  // seven values: the surplus begins the next record
        "k,l,m,n,o\n");
    ASSERT_EQ(r.records.size(), 3u);
    EXPECT_EQ(r.records[0], (Values{"1", "a", "b", "c", "d", "e"}));
    EXPECT_EQ(r.records[1], (Values{"2", "f", "g", "h", "i", "j"}));
    EXPECT_EQ(r.records[2], (Values{"3", "k", "l", "m", "n", "o"}));
    EXPECT_EQ(r.lines, (std::vector<int>{1, 3, 3}));
    EXPECT_FALSE(r.incomplete);
}

TEST(CsvRecordReader, EveryKindOfLineEndEndsAValueAndCountsALine) {
    const Reading r = Read("1,a,b,c,d,e\r2,f,g,h,i,j\r\n3,k,l,m,n,o\n4,p,q,r,s,t");
    ASSERT_EQ(r.records.size(), 4u);
    EXPECT_EQ(r.records[3], (Values{"4", "p", "q", "r", "s", "t"}));
    EXPECT_EQ(r.lines, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(r.incomplete) << "the last value may end with the text";
}

TEST(CsvRecordReader, AnEmptyLineInsideARecordIsAnEmptyValue) {
    const Reading r = Read("1,a,b\n\nd,e\n");
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0], (Values{"1", "a", "b", "", "d", "e"}));
}

TEST(CsvRecordReader, HeadingsArePassedOverWhereverTheyStandAndOnlyWithNameExactly) {
    const Reading r = Read(
        "ID,Name,Race,Date,Desc,Notes\n"
        "1,Ann,Elf,1,d,n\n"
        "ID,\"Name\",Race,Date,Desc,Notes\n"
        "2,name,Elf,1,d,n\n"
        "3,NAME,Elf,1,d,n\n");
    EXPECT_EQ(r.headings, 2) << "a quoted Name is a heading too";
    ASSERT_EQ(r.records.size(), 3u);
    EXPECT_EQ(r.records[0][1], "Ann");
    EXPECT_EQ(r.records[1][1], "name");
    EXPECT_EQ(r.records[2][1], "NAME");
    EXPECT_EQ(r.lines, (std::vector<int>{2, 4, 5}));
}

TEST(CsvRecordReader, BlankLinesWhereARecordWouldBeginArePassedOver) {
    const Reading r = Read("\n  \n1,a,b,c,d,e\n\r\n \t \r\n2,f,g,h,i,j\n\n   \n\n");
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.lines, (std::vector<int>{3, 6}));
    EXPECT_FALSE(r.incomplete) << "trailing blank lines begin no record";

    for (const QString& empty : {QString(), QStringLiteral("\n\n"), QStringLiteral("  \r\n\t")}) {
        const Reading none = Read(empty);
        EXPECT_TRUE(none.records.empty());
        EXPECT_FALSE(none.incomplete);
    }
}

TEST(CsvRecordReader, ACommaAtTheEndOfTheTextAnnouncesAnEmptyValue) {
    // A spreadsheet row whose last cell is empty, in a file without a final line end.
    const Reading r = Read("1,a,b,c,d,");
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0], (Values{"1", "a", "b", "c", "d", ""}));
    EXPECT_FALSE(r.incomplete);

    // A trailing comma after six values is a seventh value, which begins a record of its own.
    const Reading seven = Read("1,a,b,c,d,e,\n");
    ASSERT_EQ(seven.records.size(), 1u);
    ASSERT_TRUE(seven.incomplete);
    EXPECT_EQ(seven.incomplete->line, 1);
    EXPECT_EQ(seven.incomplete->values, 1);
}

TEST(CsvRecordReader, TheTextEndingInsideARecordIsReportedAndThatRecordNotReturned) {
    const Reading r = Read("1,a,b,c,d,e\n2,f,g\nh\n");
    ASSERT_EQ(r.records.size(), 1u);
    ASSERT_TRUE(r.incomplete);
    EXPECT_EQ(r.incomplete->line, 2);
    EXPECT_EQ(r.incomplete->values, 4);
    EXPECT_FALSE(r.incomplete->inQuotes);

    const Reading noEnd = Read("1,a,b,c,d,e\n2,f,g");
    ASSERT_TRUE(noEnd.incomplete);
    EXPECT_EQ(noEnd.incomplete->values, 3);

    const Reading quotes = Read("1,a,b,c,d,e\n2,f,g,h,i,\"unclosed, notes\nmore");
    ASSERT_EQ(quotes.records.size(), 1u);
    ASSERT_TRUE(quotes.incomplete);
    EXPECT_EQ(quotes.incomplete->line, 2);
    EXPECT_EQ(quotes.incomplete->values, 5);
    EXPECT_TRUE(quotes.incomplete->inQuotes);

    const Reading lone = Read("\"");
    EXPECT_TRUE(lone.records.empty());
    ASSERT_TRUE(lone.incomplete);
    EXPECT_TRUE(lone.incomplete->inQuotes);

    const Reading partialHeading = Read("ID,Name,Race\n");
    EXPECT_EQ(partialHeading.headings, 0) << "an unfinished record is not a heading";
    ASSERT_TRUE(partialHeading.incomplete);
    EXPECT_EQ(partialHeading.incomplete->values, 3);
}

TEST(CsvRecordReader, BytesAreReadAsUtf8WhenValidAndAsWindows1252Otherwise) {
    const Reading utf8 = ReadAll(CsvRecordReader::fromBytes(
        "\xEF\xBB\xBFID,Name,a,b,c,d\n1,\xC3\x89lan \xF0\x9F\x90\x89,r,d,e,n\n"));
    EXPECT_EQ(utf8.headings, 1) << "the byte-order mark is not part of the first value";
    ASSERT_EQ(utf8.records.size(), 1u);
    EXPECT_EQ(utf8.records[0][1], QString::fromUtf8("\xC3\x89lan \xF0\x9F\x90\x89"));

    const Reading cp1252 = ReadAll(CsvRecordReader::fromBytes("1,\xC9lan \x80,r,d,e,\x93q\x94\n"));
    ASSERT_EQ(cp1252.records.size(), 1u);
    EXPECT_EQ(cp1252.records[0][1], QString::fromUtf8("\xC3\x89lan \xE2\x82\xAC"));
    EXPECT_EQ(cp1252.records[0][5], QString::fromUtf8("\xE2\x80\x9Cq\xE2\x80\x9D"));
}

// The same rows in every encoding a spreadsheet or an editor writes.
TEST(CsvRecordReader, EveryUnicodeEncodingWithOrWithoutAMarkReadsTheSameRecords) {
    const QString text = QString::fromUtf8(
        "ID,Name,Race,Date,Desc,Notes\r\n"
        "1,\xC3\x89lan \xF0\x9F\x90\x89,\"\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1, "
        "Greece\",1203,d,\"two\nlines\"\r\n");
    const auto utf16 = [&](QStringConverter::Encoding e, bool mark) {
        QStringEncoder encoder(
            e, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        return QByteArray(encoder.encode(text));
    };
    const Reading expected = Read(text);
    ASSERT_EQ(expected.records.size(), 1u);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", text.toUtf8()},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + text.toUtf8()},
        {"UTF-16 LE with a mark", utf16(QStringConverter::Utf16LE, true)},
        {"UTF-16 BE with a mark", utf16(QStringConverter::Utf16BE, true)},
        {"UTF-16 LE without a mark", utf16(QStringConverter::Utf16LE, false)},
        {"UTF-16 BE without a mark", utf16(QStringConverter::Utf16BE, false)},
        {"UTF-32 LE with a mark", utf16(QStringConverter::Utf32LE, true)},
        {"UTF-32 BE with a mark", utf16(QStringConverter::Utf32BE, true)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Reading r = ReadAll(CsvRecordReader::fromBytes(c.bytes));
        EXPECT_EQ(r.records, expected.records);
        EXPECT_EQ(r.headings, 1);
        EXPECT_FALSE(r.incomplete);
    }
}

// A NUL anywhere, or another control character outside quotes, ends the reading where it stands.
TEST(CsvRecordReader, WhatIsNotTextEndsTheReadingAtItsLine) {
    const struct {
        const char* name;
        QByteArray bytes;
        size_t records;          // read before it
        int line;                // of the offence, 0 for none
        char16_t character = 0;  // the offending character
    } cases[] = {
        {"a control outside quotes", QByteArray("1,a,b,c,d,e\n2,b\x01,c,d,e,f\n"), 1, 2, 0x01},
        {"a control inside quotes is text", QByteArray("1,\"a\x01\x1B\",c,d,e,f\n"), 1, 0},
        {"a NUL inside quotes", QByteArray("1,\"a\0b\",c,d,e,f\n", 16), 0, 1, 0},
        {"a NUL outside quotes", QByteArray("1,a,b,c,d,e\n\0", 13), 1, 2, 0},
        {"a closing Ctrl-Z is dropped", QByteArray("1,a,b,c,d,e\r\n\x1A"), 1, 0},
        {"a Ctrl-Z closing a short line is dropped", QByteArray("1,a,b,c,d,e\x1A"), 1, 0},
        {"a Ctrl-Z before the end", QByteArray("1,a,b,c,d,e\r\n\x1A\r\n"), 1, 2, 0x1A},
        {"two closing Ctrl-Z", QByteArray("1,a,b,c,d,e\n\x1A\x1A"), 1, 2, 0x1A},
        {"tabs are blanks", QByteArray("1,\ta\t,b,c,d,e\n"), 1, 0},
        {"a binary header", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), 0, 2, 0x1A},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Reading r = ReadAll(CsvRecordReader::fromBytes(c.bytes));
        EXPECT_EQ(r.records.size(), c.records);
        EXPECT_EQ(r.badLine, c.line);
        EXPECT_EQ(r.badCharacter, c.character);
        if (c.line > 0) {
            EXPECT_FALSE(r.incomplete);
        }
    }
}

// Text read from a source arrives in chunks: no chunk boundary (inside a CR LF, between doubled
// quotes, inside a UTF-8 or UTF-16 sequence, before a closing Ctrl-Z) may change what is read.
TEST(CsvRecordReader, RecordsAreTheSameWhateverTheChunkSize) {
    const QByteArray inputs[] = {
        "ID,Name,a,b,c,d\r\n1,\"x\"\"y\",\"l1\r\nl2\",,\xC3\x89,\"q\"tail\r\n2,a,b\rc,d,e\n",
        "1,a,b,c,d,e\r\n   \r\n\r\n2,\xF0\x9F\x90\x89,b,c,d,\r\n\x1A",
        "1,\"never closed\r\n,,,,",
        QByteArray("\xFF\xFE"
                   "1\0,\0a\0,\0b\0,\0c\0,\0d\0,\0e\0\r\0\n\0",
                   26),
        "1,a,b,c,d,e\n2,b,c\x02,d,e,f\n",
        "\x93q\x94,\xC9,b,c,d,\"e\"\n",
    };
    for (const QByteArray& bytes : inputs) {
        SCOPED_TRACE(bytes.toStdString());
        const Reading whole = ReadAll(CsvRecordReader::fromBytes(bytes));
        for (const qsizetype chunk : {1, 2, 3, 5}) {
            SCOPED_TRACE(chunk);
            const Reading r = ReadAll(CsvRecordReader::fromBytes(bytes, chunk));
            EXPECT_EQ(r.records, whole.records);
            EXPECT_EQ(r.lines, whole.lines);
            EXPECT_EQ(r.headings, whole.headings);
            EXPECT_EQ(r.badLine, whole.badLine);
            EXPECT_EQ(r.badCharacter, whole.badCharacter);
            ASSERT_EQ(r.incomplete.has_value(), whole.incomplete.has_value());
            if (r.incomplete) {
                EXPECT_EQ(r.incomplete->line, whole.incomplete->line);
                EXPECT_EQ(r.incomplete->values, whole.incomplete->values);
                EXPECT_EQ(r.incomplete->inQuotes, whole.incomplete->inQuotes);
            }
        }
    }
}
