// The CSV record reader: values, quotes, records across lines, headings and the ways a file ends.
#include <gtest/gtest.h>

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
};

Reading ReadAll(CsvRecordReader reader) {
    Reading r;
    while (const std::optional<CsvRecord> record = reader.next()) {
        r.records.emplace_back(record->values.begin(), record->values.end());
        r.lines.push_back(record->line);
    }
    r.incomplete = reader.incomplete();
    r.headings = reader.headings();
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

TEST(CsvRecordReader, NulAndControlCharactersAreOrdinaryCharacters) {
    const QByteArray bytes("1,a\0b,c\x01,\x7F,e,f\n", 16);
    const Reading r = ReadAll(CsvRecordReader::fromBytes(bytes));
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0][1], QString(QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b")));
    EXPECT_EQ(r.records[0][2], QString(QStringLiteral("c") + QChar(u'\x01')));
}
