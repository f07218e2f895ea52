// The one writer of output files.
//
// Every line ends with CR LF; a "continued" piece is written without a line end, so the next
// piece carries on the same line. Text is encoded as the file's format requires (see
// TextCodec.h): UTF-8 for HTML and plain text, Windows-1252 with the format's escape for RTF and
// PML, so nothing is lost. Every failure throws FileError naming the file and giving the
// system's reason.
//
// A replaced file (the default) is never cut: the new bytes go to a temporary file in the same
// folder, which close() renames over the old one, so a failure, a full disk or a kill leaves
// either the old file or the new one. A symlink at the file's place is replaced, not followed.
// When the new bytes equal the old file's, nothing is written at all and the old file keeps its
// modification time: the writer compares as it goes and only starts a temporary file at the
// first byte that differs. A temporary file left by a process that died is removed by
// RemoveLeftoverTemporaries, which every publication runs on its folders.
#pragma once

#include <QByteArray>
#include <QString>

#include "base/TextCodec.h"

namespace tavri {

class OutputFile {
public:
    enum class Mode {
        Replace,      // written aside, renamed into place by close(); unchanged bytes kept
        Progressive,  // emptied at once and written in place; flush() makes lines last (a log)
    };

    OutputFile(const QString& path, OutputFormat format, Mode mode = Mode::Replace);
    // Without close(), a replaced file stays as it was and the temporary file is removed.
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

    // Hands what is buffered to the system: in a progressive file it survives this process
    // ending.
    void flush();
    // Flushes and puts the file in place; throws FileError if the data cannot be written.
    void close();

    const QString& path() const { return path_; }
    // After close(): whether the file on disk was changed (false when the bytes were equal).
    bool rewritten() const { return rewritten_; }

private:
    void flushIfFull();
    void openTarget();
    void diverge();
    void writeOut(const char* data, qint64 size);
    void fail(const QString& reason);
    void discard();

    QString path_;
    OutputFormat format_;
    Mode mode_;
    QByteArray buffer_;
    int oldFd_ = -1;      // the old file, while every byte so far equals its start
    qint64 matched_ = 0;  // bytes equal to the old file's start
    unsigned oldMode_ = 0;
    int outFd_ = -1;  // the temporary file (Replace) or the file itself (Progressive)
    QString tempPath_;
    bool rewritten_ = false;
};

// A path in folder for a temporary file or folder of this process: one that no other writer, of
// this process or another, uses, and that RemoveLeftoverTemporaries clears once the process has
// ended.
QString TemporaryNameIn(const QString& folder);

// Removes the temporary files and folders that processes no longer running left in folder.
void RemoveLeftoverTemporaries(const QString& folder);

// The name prefix of the temporary files, which hold the writing process's id.
inline constexpr char kOutputTempPrefix[] = ".tavri-tmp.";

}  // namespace tavri
