// The one writer of output files.
//
// Every line ends with CR LF; a "continued" piece is written without a line end, so the next
// piece carries on the same line. Text is encoded as Windows-1252, and a character that the code
// page cannot hold is written in the fallback form of the file's format (see TextCodec.h), so
// nothing is lost. An existing file is replaced. The file is closed when the writer goes out of
// scope; every failure throws FileError naming the file and giving the system's reason.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "app/TextCodec.h"

namespace tavri {

class OutputFile {
public:
    OutputFile(const QString& path, OutputFormat format);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes text followed by CR LF.
    void line(QStringView text);
    void line() { line(QStringView()); }
    // Writes text with no line end: the line is continued by what comes next.
    void part(QStringView text);
    // Writes bytes as they are (a file copied byte for byte).
    void raw(const QByteArray& bytes);

    // Hands what is buffered to the system, so that it survives this process ending.
    void flush();
    // Flushes and closes; throws FileError if the data cannot be written.
    void close();

    const QString& path() const { return path_; }

private:
    void flushIfFull();

    QString path_;
    OutputFormat format_;
    QFile file_;
    QByteArray buffer_;
};

}  // namespace tavri
