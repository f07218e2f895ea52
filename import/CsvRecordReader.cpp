// The CSV record reader: one forward pass over the decoded text.
//
// The reader's state between records is where it stands (pos_, line_) and what ended the last
// value: a comma always announces one more value, even at the very end of the text (a spreadsheet
// writes a row whose last cell is empty as a line ending in a comma), while after a line end the
// end of the text means there is nothing more.
//
// Text from a source is held in text_ from the current line's start (while that is near) or from
// pos_; fill() drops the rest before it reads the next chunk. Every look at a character goes
// through have(), so no decision depends on where a chunk happens to end.
#include "import/CsvRecordReader.h"

#include <QBuffer>

#include "import/CsvTextSource.h"

namespace tavri {
namespace {

constexpr char16_t kCtrlZ = 0x1A;
// How much of the current line's start is kept for notText().
constexpr qsizetype kLineStartKept = 60;

void DropClosingCtrlZ(QString& text, qsizetype from) {
    if (text.size() > from && text.back() == QChar(kCtrlZ)) {
        text.chop(1);
    }
}

}  // namespace

// Bytes held by the reader, read through a buffer device like a file.
struct CsvRecordReader::OwnedSource {
    OwnedSource(const QByteArray& bytes, qsizetype chunkBytes)
        : data(bytes), buffer(&data), source(opened(buffer), QString(), chunkBytes) {}
    static QIODevice& opened(QBuffer& b) {
        b.open(QIODevice::ReadOnly);
        return b;
    }
    QByteArray data;
    QBuffer buffer;
    CsvTextSource source;
};

CsvRecordReader::CsvRecordReader(QString text) : text_(std::move(text)) {
    DropClosingCtrlZ(text_, 0);
}

CsvRecordReader::CsvRecordReader(CsvTextSource& source) : source_(&source) {}

CsvRecordReader::CsvRecordReader(CsvRecordReader&&) noexcept = default;
CsvRecordReader::~CsvRecordReader() = default;

CsvRecordReader CsvRecordReader::fromBytes(const QByteArray& bytes, qsizetype chunkBytes) {
    auto owned = std::make_unique<OwnedSource>(bytes, chunkBytes);
    CsvRecordReader reader(owned->source);
    reader.owned_ = std::move(owned);
    return reader;
}

bool CsvRecordReader::fill(qsizetype n) {
    if (source_ == nullptr) {
        return false;
    }
    const qsizetype keep =
        lineStart_ >= 0 && pos_ - lineStart_ <= kLineStartKept ? lineStart_ : pos_;
    text_.remove(0, keep);
    pos_ -= keep;
    lineStart_ = lineStart_ >= keep ? lineStart_ - keep : -1;
    while (text_.size() - pos_ < n) {
        if (!source_->read(text_)) {
            source_ = nullptr;
            DropClosingCtrlZ(text_, pos_);
            return text_.size() - pos_ >= n;
        }
    }
    return true;
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
        if (end == ValueEnd::NotText) {
            return std::nullopt;
        }
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
        while (have(1) && isBlank(at(pos_))) {
            ++pos_;
        }
        if (have(1) && at(pos_) == QChar(kCtrlZ)) {
            have(2);  // a source that ends here drops the closing Ctrl-Z: no record begins
        }
        if (atEnd() || !isLineEnd(at(pos_))) {
            return;
        }
        takeLineEnd();
    }
}

CsvRecordReader::ValueEnd CsvRecordReader::readValue(QString& value) {
    while (have(1) && isBlank(at(pos_))) {
        ++pos_;
    }
    if (have(1) && at(pos_) == u'"') {
        ++pos_;
        const ValueEnd end = readQuoted(value);
        if (end != ValueEnd::Comma) {
            return end;
        }
    }
    readUnquoted(value);
    return takeSeparator();
}

CsvRecordReader::ValueEnd CsvRecordReader::readQuoted(QString& value) {
    for (;;) {
        qsizetype p = pos_;
        while (p < text_.size() && at(p) != u'"' && !isLineEnd(at(p)) && at(p) != u'\0') {
            ++p;
        }
        value += QStringView(text_).sliced(pos_, p - pos_);
        pos_ = p;
        if (atEnd()) {
            return ValueEnd::InsideQuotes;
        }
        const QChar c = at(pos_);
        if (c == u'\0') {
            return refuse();
        }
        if (isLineEnd(c)) {
            takeLineEnd();
            value += QStringLiteral("\r\n");
            continue;
        }
        if (c != u'"') {
            continue;  // the chunk ended here; atEnd() has read the next one
        }
        // A quote: doubled it stands for itself, single it closes the value.
        ++pos_;
        if (have(1) && at(pos_) == u'"') {
            value += u'"';
            ++pos_;
            continue;
        }
        return ValueEnd::Comma;
    }
}

void CsvRecordReader::readUnquoted(QString& value) {
    for (;;) {
        qsizetype p = pos_;
        while (p < text_.size() && at(p) != u',' && !isControl(at(p))) {
            ++p;
        }
        value += QStringView(text_).sliced(pos_, p - pos_);
        pos_ = p;
        if (pos_ < text_.size() || atEnd()) {
            return;
        }
    }
}

CsvRecordReader::ValueEnd CsvRecordReader::takeSeparator() {
    if (atEnd()) {
        return ValueEnd::EndOfText;
    }
    const QChar c = at(pos_);
    if (c == u',') {
        ++pos_;
        return ValueEnd::Comma;
    }
    if (isLineEnd(c)) {
        takeLineEnd();
        return ValueEnd::LineEnd;
    }
    return refuse();
}

void CsvRecordReader::takeLineEnd() {
    if (at(pos_) == u'\r' && have(2) && at(pos_ + 1) == u'\n') {
        ++pos_;
    }
    ++pos_;
    ++line_;
    lineStart_ = pos_;
}

CsvRecordReader::ValueEnd CsvRecordReader::refuse() {
    if (at(pos_) == QChar(kCtrlZ)) {
        have(2);  // a source that ends here drops the closing Ctrl-Z
        if (atEnd()) {
            return ValueEnd::EndOfText;
        }
    }
    CsvNotText notText{line_, at(pos_).unicode(), QString()};
    if (lineStart_ >= 0) {
        qsizetype end = lineStart_;
        while (end < text_.size() && end - lineStart_ < kLineStartKept && !isLineEnd(at(end))) {
            ++end;
        }
        notText.lineStart = text_.sliced(lineStart_, end - lineStart_);
    }
    notText_ = std::move(notText);
    return ValueEnd::NotText;
}

}  // namespace tavri
