// Buffered output files with CR LF line ends and Windows-1252 text.
#include "app/OutputFile.h"

#include "app/FileError.h"

namespace tavri {
namespace {
constexpr qsizetype kBufferSize = 1 << 16;
}

OutputFile::OutputFile(const QString& path, OutputFormat format)
    : path_(path), format_(format), file_(path) {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        throw FileError(QStringLiteral("write"), path_, file_.errorString());
    }
    buffer_.reserve(kBufferSize + 1024);
}

OutputFile::~OutputFile() {
    // A writer abandoned by an exception still releases its file; the error that caused the
    // unwinding is the one reported.
    if (file_.isOpen()) {
        file_.write(buffer_);
        file_.close();
    }
}

void OutputFile::line(QStringView text) {
    appendEncoded(buffer_, text, format_);
    buffer_ += "\r\n";
    flushIfFull();
}

void OutputFile::part(QStringView text) {
    appendEncoded(buffer_, text, format_);
    flushIfFull();
}

void OutputFile::raw(const QByteArray& bytes) {
    buffer_ += bytes;
    flushIfFull();
}

void OutputFile::flushIfFull() {
    if (buffer_.size() >= kBufferSize) {
        flush();
    }
}

void OutputFile::flush() {
    if (buffer_.isEmpty()) {
        return;
    }
    if (file_.write(buffer_) != buffer_.size()) {
        const QString reason = file_.errorString();
        buffer_.clear();
        file_.close();
        throw FileError(QStringLiteral("write"), path_, reason);
    }
    buffer_.clear();
}

void OutputFile::close() {
    if (!file_.isOpen()) {
        return;
    }
    flush();
    file_.close();
    if (file_.error() != QFileDevice::NoError) {
        throw FileError(QStringLiteral("write"), path_, file_.errorString());
    }
}

}  // namespace tavri
