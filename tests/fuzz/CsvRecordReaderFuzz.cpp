// The CSV record reader under libFuzzer: any bytes are read to their end without a crash, a
// hang or a read past the input, and what comes out keeps the reader's promises.
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
    tavri::CsvRecordReader reader = tavri::CsvRecordReader::fromBytes(bytes);
    std::size_t records = 0;
    int lastLine = 1;
    while (const std::optional<tavri::CsvRecord> record = reader.next()) {
        // Six values need at least five separators, so a text has fewer records than bytes.
        Require(++records <= size);
        Require(!record->isHeading());
        Require(record->line >= lastLine);
        lastLine = record->line;
    }
    Require(!reader.next());
    if (const std::optional<tavri::CsvIncomplete>& partial = reader.incomplete()) {
        Require(partial->line >= lastLine);
        Require(partial->values >= 0 && partial->values < tavri::CsvRecord::kValues);
    }
    Require(static_cast<std::size_t>(reader.headings()) <= size);
    return 0;
}
