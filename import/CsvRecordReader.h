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
// - What is not text ends the reading at once, and notText() says where: a NUL anywhere, or
//   another control character below U+0020 outside a quoted value (TAB, CR and LF are text).
//   A Ctrl-Z as the very last character, the end-of-file mark of old DOS programs, is dropped.
//
// Promises: every input, whatever its bytes, is read in one pass over the text without reading
// past its end; each call of next() consumes at least one character or ends the reading. Text
// from a CsvTextSource is read chunk by chunk: what is held besides the record being read is a
// chunk and the start of the current line, and the records are the same whatever the chunk size.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>
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

// Where the text showed that it is not text: the line, the character, and the start of that line
// (its first characters, as far as the reader still held them).
struct CsvNotText {
    int line = 0;
    char16_t character = 0;
    QString lineStart;
};

class CsvTextSource;

class CsvRecordReader {
public:
    // Reads a text held whole.
    explicit CsvRecordReader(QString text);
    // Reads the text of source chunk by chunk; source must outlive the reader.
    explicit CsvRecordReader(CsvTextSource& source);
    // Reads the bytes of a file in the encoding CsvTextSource settles on, in chunks of chunkBytes.
    static CsvRecordReader fromBytes(const QByteArray& bytes, qsizetype chunkBytes = 1 << 16);
    CsvRecordReader(CsvRecordReader&&) noexcept;
    ~CsvRecordReader();

    // The next record that is not a heading, or nothing when the reading has ended.
    std::optional<CsvRecord> next();

    // After next() gave nothing: the unfinished record the text ended in, if it did.
    const std::optional<CsvIncomplete>& incomplete() const { return incomplete_; }
    // After next() gave nothing: where the text showed it is not text, if it did.
    const std::optional<CsvNotText>& notText() const { return notText_; }
    // How many heading records were passed over so far.
    int headings() const { return headings_; }

private:
    enum class ValueEnd { Comma, LineEnd, EndOfText, InsideQuotes, NotText };
    struct OwnedSource;

    std::optional<CsvRecord> readRecord();
    void skipBlankLines();
    ValueEnd readValue(QString& value);
    // Reads a quoted value's text after its opening quote; InsideQuotes when the text ends
    // first, NotText at a NUL, otherwise Comma (meaning only: closed).
    ValueEnd readQuoted(QString& value);
    void readUnquoted(QString& value);
    ValueEnd takeSeparator();
    // Steps over the line end at pos_ and counts the line.
    void takeLineEnd();
    // The control character at pos_ ends the reading, unless it is the closing Ctrl-Z.
    ValueEnd refuse();

    // Are at least n characters there from pos_ on? Reads more of the source when needed.
    bool have(qsizetype n) { return text_.size() - pos_ >= n || fill(n); }
    bool fill(qsizetype n);
    bool atEnd() { return !have(1); }
    QChar at(qsizetype i) const { return text_.at(i); }
    static bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
    static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
    static bool isControl(QChar c) { return c.unicode() < 0x20 && c != u'\t'; }

    std::unique_ptr<OwnedSource> owned_;
    CsvTextSource* source_ = nullptr;  // none when the whole text is in text_
    QString text_;                     // what is held of the text; pos_ is the next character
    qsizetype pos_ = 0;
    qsizetype lineStart_ = 0;  // where in text_ the current line begins; -1 once dropped
    int line_ = 1;
    bool afterComma_ = false;  // the last value was ended by a comma
    bool ended_ = false;
    int headings_ = 0;
    std::optional<CsvIncomplete> incomplete_;
    std::optional<CsvNotText> notText_;
};

}  // namespace tavri
