// The upload log "TavriUploadLog.txt": one writer at a time.
//
// The file is opened without being emptied, then locked (an advisory flock, held while the upload
// runs and released however the process ends), and only then emptied: a second upload that would
// share the log is refused with a message before it has touched a byte of it, so two uploads
// never write into one log. Lines are Windows-1252 text ended by CR LF, as the other text files
// of the program, buffered until flush().
//
// Promises: every failure throws FileError naming the log and giving the system's own reason;
// a write that the disk cuts short is continued, and its failure is reported as the system
// reports it ("No space left on device").
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace tavri {

class UploadLog {
public:
    // Throws FileError when the log cannot be made, or when another upload holds it.
    explicit UploadLog(const QString& path);
    ~UploadLog();
    UploadLog(const UploadLog&) = delete;
    UploadLog& operator=(const UploadLog&) = delete;

    void line(QStringView text);
    // Hands the buffered lines to the system, so that they survive this process ending.
    void flush();
    // Flushes, then releases the lock and the file.
    void close();

    const QString& path() const { return path_; }

private:
    [[noreturn]] void fail(int error);

    QString path_;
    int fd_ = -1;
    QByteArray buffer_;
};

}  // namespace tavri
