// The record reader of the CSV upload: turns the text of a comma-separated file into records
// of six values, the way the upload reads them. It knows no window and no database.
//
// How the text is read:
// - Values are separated by commas; a line end (CR LF, LF or a lone CR) also ends a value.
// - Blanks (spaces and tabs) before a value are skipped.
// - A value that begins with a double quote runs to the next double quote; commas and line ends
//   inside it belong to it, and each line end inside it is stored as CR LF, the line break of
//   the compendium's notes. A doubled quote inside it stands for one quote character, as
//   spreadsheet programs write it. Whatever follows the closing quote up to the next comma or
//   line end is appended to the value as it stands, so nothing of a malformed value is lost.
// - A value without a quote at its start runs to the next comma or line end; quotes inside it
//   are ordinary characters, and blanks at its end belong to it (the upload trims every value
//   it stores; only the heading test sees them).
// - A record is the next six values, whatever lines they stand on: a short line borrows from the
//   following line, a long one gives its surplus to the next record.
// - A record whose second value is exactly "Name" (letter case counts) is a heading; it is
//   passed over wherever it stands.
// - Where a record would begin at the start of a line, lines that are empty or hold only blanks
//   are passed over. Reading ends when the text ends before a record begins. When it ends inside
//   a record (fewer than six values, or inside a quoted value), that record is not returned and
//   incomplete() says where it began.
//
// Promises: every input, whatever its bytes, is read in one pass over the text without reading
// past its end; each call of next() consumes at least one character or ends the reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace tavri {

struct CsvRecord {
    static constexpr int kValues = 6;
    std::array<QString, kValues> values;
    int line = 0;  // the line, counted from 1, on which the record's first value begins

    bool isHeading() const { return values[1] == QLatin1String("Name"); }
};

// Where and how the text ended inside a record.
struct CsvIncomplete {
    int line = 0;           // the line on which the unfinished record began
    int values = 0;         // how many of its values were read whole
    bool inQuotes = false;  // the text ended inside a quoted value
};

class CsvRecordReader {
public:
    explicit CsvRecordReader(QString text);
    // Reads the bytes of a file: UTF-8 when they are valid UTF-8 (a byte-order mark dropped),
    // otherwise Windows-1252.
    static CsvRecordReader fromBytes(const QByteArray& bytes);

    // The next record that is not a heading, or nothing when the reading has ended.
    std::optional<CsvRecord> next();

    // After next() gave nothing: the unfinished record the text ended in, if it did.
    const std::optional<CsvIncomplete>& incomplete() const { return incomplete_; }
    // How many heading records were passed over so far.
    int headings() const { return headings_; }

private:
    enum class ValueEnd { Comma, LineEnd, EndOfText, InsideQuotes };

    std::optional<CsvRecord> readRecord();
    void skipBlankLines();
    ValueEnd readValue(QString& value);
    // Reads a quoted value's text after its opening quote; false when the text ends first.
    bool readQuoted(QString& value);
    void readUnquoted(QString& value);
    ValueEnd takeSeparator();
    // If the text at pos_ is a line end, steps over it, counts the line and returns true.
    bool takeLineEnd();
    bool atEnd() const { return pos_ >= text_.size(); }
    static bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
    static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    bool afterComma_ = false;  // the last value was ended by a comma
    bool ended_ = false;
    int headings_ = 0;
    std::optional<CsvIncomplete> incomplete_;
};

}  // namespace tavri
