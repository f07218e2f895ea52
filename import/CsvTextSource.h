// The text of a CSV file, decoded chunk by chunk, so that the reader never holds more than a
// chunk of it at a time.
//
// The encoding is settled before the first character is handed out:
// - a byte-order mark names it: UTF-8, UTF-16 LE or BE, UTF-32 LE or BE (the mark is dropped);
// - without one, bytes that show the UTF-16 pattern in the first lines (a NUL in every other
//   byte, the text's own bytes never NUL) are UTF-16, little- or big-endian by where the NULs
//   stand;
// - otherwise the file is 8-bit text: UTF-8 when the whole file is valid UTF-8, else
//   Windows-1252. Deciding that takes a first pass over the bytes, chunk by chunk, before the
//   decoding pass; the device must therefore be seekable.
//
// Promises: the text handed out is the same whatever the chunk size; memory is a few chunks,
// whatever the file's size. A read failure throws FileError naming the file.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <optional>

namespace tavri {

class CsvTextSource {
public:
    enum class Encoding { Utf8, Windows1252, Utf16LE, Utf16BE, Utf32LE, Utf32BE };
    static constexpr qsizetype kChunkBytes = 1 << 16;

    // Reads device (open for reading, standing at its start); name is the file for messages.
    CsvTextSource(QIODevice& device, QString name, qsizetype chunkBytes = kChunkBytes);

    Encoding encoding() const { return encoding_; }
    // Appends the next chunk of text to out; false, with nothing appended, at the end.
    bool read(QString& out);
    // Goes back to the first character, for a second pass.
    void rewind();

private:
    static Encoding detect(const QByteArray& head);
    bool isValidUtf8();
    QByteArray readBytes();

    QIODevice& device_;
    QString name_;
    qsizetype chunkBytes_;
    Encoding encoding_ = Encoding::Utf8;
    std::optional<QStringDecoder> decoder_;  // none for Windows-1252, which needs no state
    bool ended_ = false;
};

}  // namespace tavri
