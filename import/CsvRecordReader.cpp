// The CSV record reader: one forward pass over the decoded text.
//
// The reader's state between records is where it stands (pos_, line_) and what ended the last
// value: a comma always announces one more value, even at the very end of the text (a spreadsheet
// writes a row whose last cell is empty as a line ending in a comma), while after a line end the
// end of the text means there is nothing more.
#include "import/CsvRecordReader.h"

#include "app/TextCodec.h"

namespace tavri {

CsvRecordReader::CsvRecordReader(QString text) : text_(std::move(text)) {}

CsvRecordReader CsvRecordReader::fromBytes(const QByteArray& bytes) {
    return CsvRecordReader(decodeInputBytes(bytes));
}

std::optional<CsvRecord> CsvRecordReader::next() {
    while (!ended_) {
        std::optional<CsvRecord> record = readRecord();
        if (!record) {
            ended_ = true;
            break;
        }
        if (!record->isHeading()) {
            return record;
        }
        ++headings_;
    }
    return std::nullopt;
}

std::optional<CsvRecord> CsvRecordReader::readRecord() {
    if (!afterComma_) {
        skipBlankLines();
        if (atEnd()) {
            return std::nullopt;
        }
    }
    CsvRecord record;
    record.line = line_;
    for (int i = 0; i < CsvRecord::kValues; ++i) {
        if (i > 0 && !afterComma_ && atEnd()) {
            incomplete_ = CsvIncomplete{record.line, i, false};
            return std::nullopt;
        }
        const ValueEnd end = readValue(record.values[i]);
        afterComma_ = end == ValueEnd::Comma;
        if (end == ValueEnd::InsideQuotes) {
            incomplete_ = CsvIncomplete{record.line, i, true};
            return std::nullopt;
        }
        if (end == ValueEnd::EndOfText && i + 1 < CsvRecord::kValues) {
            incomplete_ = CsvIncomplete{record.line, i + 1, false};
            return std::nullopt;
        }
    }
    return record;
}

// Only called where a record would begin at the start of a line (or of the text).
void CsvRecordReader::skipBlankLines() {
    for (;;) {
        qsizetype p = pos_;
        while (p < text_.size() && isBlank(text_[p])) {
            ++p;
        }
        if (p >= text_.size()) {
            pos_ = p;
            return;
        }
        if (!isLineEnd(text_[p])) {
            return;  // the blanks before the value are skipped by readValue
        }
        pos_ = p;
        takeLineEnd();
    }
}

CsvRecordReader::ValueEnd CsvRecordReader::readValue(QString& value) {
    while (!atEnd() && isBlank(text_[pos_])) {
        ++pos_;
    }
    if (!atEnd() && text_[pos_] == u'"') {
        ++pos_;
        if (!readQuoted(value)) {
            return ValueEnd::InsideQuotes;
        }
    }
    readUnquoted(value);
    return takeSeparator();
}

bool CsvRecordReader::readQuoted(QString& value) {
    for (;;) {
        qsizetype p = pos_;
        while (p < text_.size() && text_[p] != u'"' && !isLineEnd(text_[p])) {
            ++p;
        }
        value += QStringView(text_).sliced(pos_, p - pos_);
        pos_ = p;
        if (atEnd()) {
            return false;
        }
        if (isLineEnd(text_[pos_])) {
            takeLineEnd();
            value += QStringLiteral("\r\n");
            continue;
        }
        // A quote: doubled it stands for itself, single it closes the value.
        ++pos_;
        if (!atEnd() && text_[pos_] == u'"') {
            value += u'"';
            ++pos_;
            continue;
        }
        return true;
    }
}

void CsvRecordReader::readUnquoted(QString& value) {
    qsizetype p = pos_;
    while (p < text_.size() && text_[p] != u',' && !isLineEnd(text_[p])) {
        ++p;
    }
    value += QStringView(text_).sliced(pos_, p - pos_);
    pos_ = p;
}

CsvRecordReader::ValueEnd CsvRecordReader::takeSeparator() {
    if (atEnd()) {
        return ValueEnd::EndOfText;
    }
    if (text_[pos_] == u',') {
        ++pos_;
        return ValueEnd::Comma;
    }
    takeLineEnd();
    return ValueEnd::LineEnd;
}

bool CsvRecordReader::takeLineEnd() {
    if (atEnd() || !isLineEnd(text_[pos_])) {
        return false;
    }
    if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') {
        ++pos_;
    }
    ++pos_;
    ++line_;
    return true;
}

}  // namespace tavri
