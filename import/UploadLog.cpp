// The upload log, written through the file descriptor so that the lock and the system's reasons
// are at hand.
#include "import/UploadLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "base/FileError.h"
#include "base/TextCodec.h"

namespace tavri {

UploadLog::UploadLog(const QString& path) : path_(path) {
    fd_ = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        fail(errno);
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        if (error == EWOULDBLOCK) {
            throw FileError(QStringLiteral("write"), path_,
                            QStringLiteral("another upload is writing it; try again when that "
                                           "upload has finished. Nothing was added"));
        }
        fail(error);
    }
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd_, 0) != 0) {
        fail(errno);
    }
}

UploadLog::~UploadLog() {
    // A log abandoned by an exception still gets its lines if it can; the error that caused the
    // unwinding is the one reported.
    if (fd_ >= 0) {
        for (qsizetype done = 0; done < buffer_.size();) {
            const ssize_t n = ::write(fd_, buffer_.constData() + done, buffer_.size() - done);
            if (n <= 0) {
                break;
            }
            done += n;
        }
        ::close(fd_);
    }
}

void UploadLog::fail(int error) {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    throw FileError(QStringLiteral("write"), path_, QString::fromLocal8Bit(std::strerror(error)));
}

void UploadLog::line(QStringView text) {
    appendEncoded(buffer_, text, OutputFormat::Text);
    buffer_ += "\r\n";
}

void UploadLog::flush() {
    qsizetype done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.constData() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            buffer_.clear();
            fail(n < 0 ? errno : ENOSPC);
        }
        done += n;
    }
    buffer_.clear();
}

void UploadLog::close() {
    if (fd_ < 0) {
        return;
    }
    flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        throw FileError(QStringLiteral("write"), path_,
                        QString::fromLocal8Bit(std::strerror(errno)));
    }
}

}  // namespace tavri
