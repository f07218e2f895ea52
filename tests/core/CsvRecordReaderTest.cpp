// The CSV record reader as one table: bytes in, records and the way the reading ended out, the
// same whatever the chunk size the bytes are read in.
#include <gtest/gtest.h>

#include <QStringEncoder>
#include <QStringList>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "import/CsvRecordReader.h"

using namespace tavri;

namespace {

// A reading in one line: each record as "line:v1|v2|v3|v4|v5|v6", then the headings passed
// over, the unfinished record ("partial line:values", "in quotes") or where the text showed it
// is not text ("not text line:character in hex").
std::string Summary(CsvRecordReader reader) {
    QStringList parts;
    while (const std::optional<CsvRecord> r = reader.next()) {
        parts << QString::number(r->line) + u':' +
                     QStringList(r->values.begin(), r->values.end()).join(u'|');
    }
    EXPECT_FALSE(reader.next()) << "a reader that has ended stays ended";
    if (reader.headings() > 0) {
        parts << QStringLiteral("headings %1").arg(reader.headings());
    }
    if (const std::optional<CsvIncomplete>& i = reader.incomplete()) {
        parts << QStringLiteral("partial %1:%2%3")
                     .arg(i->line)
                     .arg(i->values)
                     .arg(i->inQuotes ? " in quotes" : "");
    }
    if (const std::optional<CsvNotText>& bad = reader.notText()) {
        parts << QStringLiteral("not text %1:%2").arg(bad->line).arg(int(bad->character), 0, 16);
    }
    return parts.join(u' ').toStdString();
}

}  // namespace

TEST(CsvRecordReader, ReadsEveryInputTheSameWhateverTheChunkSize) {
    std::vector<std::pair<QByteArray, std::string>> cases = {
        // Quoted values hold commas and line ends (each kept as CR LF); "" is one quote.
        {"1,\"Smith, John\",\"Town\",\"\",\"He said \"\"no\"\".\",\"a\nb\rc\r\nd\"\n",
         "1:1|Smith, John|Town||He said \"no\".|a\r\nb\r\nc\r\nd"},
        // Blanks before a value are skipped, blanks after an unquoted one stay; quotes inside an
        // unquoted value are characters, text after a closing quote is kept; "Name " is no heading.
        {"  1,\t Name ,  \"  quoted  \"  ,a\"b\"c,\"x\"tail,   \n",
         "1:1|Name |  quoted    |a\"b\"c|xtail|"},
        {"1,\ta\t,b,c,d,e\n", "1:1|a\t|b|c|d|e"},
        // A record is the next six values: a short line borrows, a long one gives its surplus.
        {"1,a,b\nc,d,e\n2,f,g,h,i,j,3\nk,l,m,n,o\n", "1:1|a|b|c|d|e 3:2|f|g|h|i|j 3:3|k|l|m|n|o"},
        // Every kind of line end; the last value may end with the text.
        {"1,a,b,c,d,e\r2,f,g,h,i,j\r\n3,k,l,m,n,o\n4,p,q,r,s,t",
         "1:1|a|b|c|d|e 2:2|f|g|h|i|j 3:3|k|l|m|n|o 4:4|p|q|r|s|t"},
        {"1,a,b\n\nd,e\n", "1:1|a|b||d|e"},  // an empty line inside a record is an empty value
        // Headings ("Name" exactly, quoted or not) are passed over wherever they stand.
        {"ID,Name,R,D,E,N\n1,a,b,c,d,e\nID,\"Name\",R,D,E,N\n2,name,b,c,d,e\n3,NAME,b,c,d,e\n",
         "2:1|a|b|c|d|e 4:2|name|b|c|d|e 5:3|NAME|b|c|d|e headings 2"},
        // Blank lines where a record would begin are passed over, trailing ones included.
        {"\n  \n1,a,b,c,d,e\n\r\n \t \r\n2,f,g,h,i,j\n\n   \n\n", "3:1|a|b|c|d|e 6:2|f|g|h|i|j"},
        {"", ""},
        {"  \r\n\t", ""},
        // A comma at the end of the text announces an empty value; after six values, a seventh.
        {"1,a,b,c,d,", "1:1|a|b|c|d|"},
        {"1,a,b,c,d,e,\n", "1:1|a|b|c|d|e partial 1:1"},
        // The text ending inside a record: that record is reported, not returned.
        {"1,a,b,c,d,e\n2,f,g\nh\n", "1:1|a|b|c|d|e partial 2:4"},
        {"1,a,b,c,d,e\n2,f,g", "1:1|a|b|c|d|e partial 2:3"},
        {"1,a,b,c,d,e\n2,f,g,h,i,\"unclosed, notes\nmore", "1:1|a|b|c|d|e partial 2:5 in quotes"},
        {"\"", "partial 1:0 in quotes"},
        {"ID,Name,Race\n", "partial 1:3"},  // an unfinished record is no heading
        // UTF-8 when valid (below, with and without a mark), else Windows-1252.
        {"1,\xC9lan \x80,r,d,e,\x93q\x94\n", "1:1|\u00C9lan \u20AC|r|d|e|\u201Cq\u201D"},
        // A NUL anywhere, or another control outside quotes, ends the reading at its line; a
        // Ctrl-Z as the very last character is dropped.
        {"1,a,b,c,d,e\n2,b\x01,c,d,e,f\n", "1:1|a|b|c|d|e not text 2:1"},
        {"1,\"a\x01\x1B\",c,d,e,f\n", "1:1|a\x01\x1B|c|d|e|f"},
        {QByteArray("1,\"a\0b\",c,d,e,f\n", 16), "not text 1:0"},
        {QByteArray("1,a,b,c,d,e\n\0", 13), "1:1|a|b|c|d|e not text 2:0"},
        {"1,a,b,c,d,e\x1A", "1:1|a|b|c|d|e"},
        {"1,a,b,c,d,e\r\n\x1A", "1:1|a|b|c|d|e"},
        {"1,a,b,c,d,e\r\n\x1A\r\n", "1:1|a|b|c|d|e not text 2:1a"},
        {"1,a,b,c,d,e\n\x1A\x1A", "1:1|a|b|c|d|e not text 2:1a"},
        {QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "not text 2:1a"},
    };
    // The same rows in every encoding a spreadsheet or an editor writes.
    const QString text = QString::fromUtf8(
        "ID,Name,Race,Date,Desc,Notes\r\n1,\u00C9lan \U0001F409,\"\u0391\u03B8\u03AE\u03BD\u03B1, "
        "Greece\",1203,d,\"two\nlines\"\r\n");
    const std::string same =
        "2:1|\u00C9lan \U0001F409|\u0391\u03B8\u03AE\u03BD\u03B1, Greece|1203|d|two\r\nlines "
        "headings 1";
    cases.push_back({text.toUtf8(), same});
    for (const auto e :
         {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE,
          QStringConverter::Utf32LE, QStringConverter::Utf32BE}) {
        QStringEncoder marked(e, QStringConverter::Flag::WriteBom);
        cases.push_back({QByteArray(marked.encode(text)), same});
        if (e == QStringConverter::Utf16LE || e == QStringConverter::Utf16BE) {
            cases.push_back({QByteArray(QStringEncoder(e).encode(text)), same});
        }
    }

    for (const auto& [bytes, read] : cases) {
        SCOPED_TRACE(bytes.toHex(' ').toStdString());
        for (const qsizetype chunk : {1 << 16, 1, 2, 3, 5}) {
            SCOPED_TRACE(chunk);
            EXPECT_EQ(Summary(CsvRecordReader::fromBytes(bytes, chunk)), read);
        }
        if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return b >= 0; })) {
            EXPECT_EQ(Summary(CsvRecordReader(QString::fromLatin1(bytes))), read) << "as text";
        }
    }
}
