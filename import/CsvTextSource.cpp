// The CSV file's bytes, decoded in chunks after the encoding has been settled.
#include "import/CsvTextSource.h"

#include <QVarLengthArray>

#include "base/FileError.h"
#include "base/TextCodec.h"

namespace tavri {
namespace {

// How much of the file's start the UTF-16 pattern is looked for in: its first lines.
constexpr qsizetype kPatternBytes = 512;

bool StartsWith(const QByteArray& bytes, const char* prefix, qsizetype n) {
    return bytes.size() >= n && std::equal(prefix, prefix + n, bytes.constData());
}

}  // namespace

CsvTextSource::CsvTextSource(QIODevice& device, QString name, qsizetype chunkBytes)
    : device_(device), name_(std::move(name)), chunkBytes_(std::max<qsizetype>(chunkBytes, 1)) {
    encoding_ = detect(device_.peek(kPatternBytes));
    if (encoding_ == Encoding::Utf8 && !isValidUtf8()) {
        encoding_ = Encoding::Windows1252;
    }
    rewind();
}

CsvTextSource::Encoding CsvTextSource::detect(const QByteArray& head) {
    if (StartsWith(head, "\xFF\xFE\0\0", 4)) {
        return Encoding::Utf32LE;
    }
    if (StartsWith(head, "\0\0\xFE\xFF", 4)) {
        return Encoding::Utf32BE;
    }
    if (StartsWith(head, "\xFF\xFE", 2)) {
        return Encoding::Utf16LE;
    }
    if (StartsWith(head, "\xFE\xFF", 2)) {
        return Encoding::Utf16BE;
    }
    // Latin text in UTF-16 has a NUL as the high byte of nearly every unit and never as the low
    // one; 8-bit text holds no NUL at all, and binary data holds them on both sides.
    const qsizetype units = head.size() / 2;
    if (units >= 2) {
        qsizetype evenNuls = 0;
        qsizetype oddNuls = 0;
        for (qsizetype i = 0; i < units * 2; i += 2) {
            evenNuls += head[i] == '\0' ? 1 : 0;
            oddNuls += head[i + 1] == '\0' ? 1 : 0;
        }
        if (evenNuls == 0 && oddNuls * 2 >= units) {
            return Encoding::Utf16LE;
        }
        if (oddNuls == 0 && evenNuls * 2 >= units) {
            return Encoding::Utf16BE;
        }
    }
    return Encoding::Utf8;
}

bool CsvTextSource::isValidUtf8() {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QVarLengthArray<QChar, 1> scratch;
    for (QByteArray bytes = readBytes(); !bytes.isEmpty(); bytes = readBytes()) {
        scratch.resize(utf8.requiredSpace(bytes.size()));
        utf8.appendToBuffer(scratch.data(), bytes);
        if (utf8.hasError()) {
            return false;
        }
    }
    // A sequence left unfinished at the end shows as an error once anything follows it.
    QChar tail[4];
    utf8.appendToBuffer(tail, "\n");
    return !utf8.hasError();
}

QByteArray CsvTextSource::readBytes() {
    QByteArray bytes(chunkBytes_, Qt::Uninitialized);
    const qint64 n = device_.read(bytes.data(), chunkBytes_);
    if (n < 0) {
        throw FileError(QStringLiteral("read"), name_, device_.errorString());
    }
    bytes.truncate(n);
    return bytes;
}

void CsvTextSource::rewind() {
    if (!device_.seek(0)) {
        throw FileError(QStringLiteral("read"), name_, device_.errorString());
    }
    ended_ = false;
    switch (encoding_) {
        case Encoding::Utf8:
            decoder_.emplace(QStringDecoder::Utf8);
            break;
        case Encoding::Utf16LE:
            decoder_.emplace(QStringDecoder::Utf16LE);
            break;
        case Encoding::Utf16BE:
            decoder_.emplace(QStringDecoder::Utf16BE);
            break;
        case Encoding::Utf32LE:
            decoder_.emplace(QStringDecoder::Utf32LE);
            break;
        case Encoding::Utf32BE:
            decoder_.emplace(QStringDecoder::Utf32BE);
            break;
        case Encoding::Windows1252:
            decoder_.reset();
            break;
    }
}

bool CsvTextSource::read(QString& out) {
    if (ended_) {
        return false;
    }
    const QByteArray bytes = readBytes();
    if (bytes.isEmpty()) {
        ended_ = true;
        return false;
    }
    const qsizetype old = out.size();
    if (decoder_) {
        out.resize(old + decoder_->requiredSpace(bytes.size()));
        const QChar* end = decoder_->appendToBuffer(out.data() + old, bytes);
        out.resize(end - out.constData());
    } else {
        out.resize(old + bytes.size());
        QChar* d = out.data() + old;
        for (const char b : bytes) {
            *d++ = QChar(windows1252Char(static_cast<unsigned char>(b)));
        }
    }
    return true;
}

}  // namespace tavri
