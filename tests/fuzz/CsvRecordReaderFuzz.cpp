// The CSV record reader under libFuzzer: any bytes are read to their end without a crash, a
// hang or a read past the input, what comes out keeps the reader's promises, and reading the
// bytes in small chunks gives exactly what reading them in one chunk gives.
#include <cstdint>
#include <cstdlib>

#include "import/CsvRecordReader.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Not a copy: a read past the end of the fuzzer's buffer is caught by AddressSanitizer.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    tavri::CsvRecordReader whole = tavri::CsvRecordReader::fromBytes(bytes);
    // A chunk of 1 to 7 bytes, chosen by the input, so that boundaries fall everywhere.
    tavri::CsvRecordReader chunked =
        tavri::CsvRecordReader::fromBytes(bytes, 1 + static_cast<qsizetype>(size % 7));
    std::size_t records = 0;
    int lastLine = 1;
    while (const std::optional<tavri::CsvRecord> record = whole.next()) {
        // Six values need at least five separators, so a text has fewer records than bytes.
        Require(++records <= size);
        Require(!record->isHeading());
        Require(record->line >= lastLine);
        lastLine = record->line;
        const std::optional<tavri::CsvRecord> same = chunked.next();
        Require(same && same->values == record->values && same->line == record->line);
    }
    Require(!whole.next());
    Require(!chunked.next());
    Require(whole.headings() == chunked.headings());
    Require(whole.incomplete().has_value() == chunked.incomplete().has_value());
    if (const std::optional<tavri::CsvIncomplete>& partial = whole.incomplete()) {
        Require(partial->line >= lastLine);
        Require(partial->values >= 0 && partial->values < tavri::CsvRecord::kValues);
        Require(partial->line == chunked.incomplete()->line &&
                partial->values == chunked.incomplete()->values &&
                partial->inQuotes == chunked.incomplete()->inQuotes);
    }
    Require(whole.notText().has_value() == chunked.notText().has_value());
    if (const std::optional<tavri::CsvNotText>& bad = whole.notText()) {
        Require(!whole.incomplete());
        Require(bad->line >= lastLine);
        Require(bad->character < 0x20 && bad->character != u'\t' && bad->character != u'\r' &&
                bad->character != u'\n');
        Require(bad->line == chunked.notText()->line &&
                bad->character == chunked.notText()->character);
    }
    Require(static_cast<std::size_t>(whole.headings()) <= size);
    return 0;
}
