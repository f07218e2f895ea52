// Buffered output files with CR LF line ends, replaced atomically and left alone when unchanged.
//
// Invariants of a replaced file while it is being written:
//   - oldFd_ open: every byte produced so far equals the old file's first matched_ bytes, and
//     nothing has been written anywhere;
//   - outFd_ open: the temporary file tempPath_ holds every byte produced so far but the buffer;
//   - never both. The old file itself is only ever touched by the rename in close().
#include "base/OutputFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "base/FileError.h"

namespace tavri {
namespace {

constexpr qsizetype kBufferSize = 1 << 16;
constexpr qint64 kChunk = 1 << 16;

QString systemReason(int error) {
    return QString::fromStdString(std::system_category().message(error));
}

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

QString temporaryPathBeside(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return TemporaryNameIn(slash >= 0 ? path.left(slash + 1) : QString());
}

// Reads up to size bytes at offset; returns the count read (less only at the end of the file).
qint64 readAt(int fd, char* data, qint64 size, qint64 offset) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t r = ::pread(fd, data + done, static_cast<size_t>(size - done), offset + done);
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r <= 0) {
            break;
        }
        done += r;
    }
    return done;
}

}  // namespace

OutputFile::OutputFile(const QString& path, OutputFormat format, Mode mode)
    : path_(path), format_(format), mode_(mode) {
    buffer_.reserve(kBufferSize + 1024);
    openTarget();
}

OutputFile::~OutputFile() {
    if (mode_ == Mode::Progressive && outFd_ >= 0) {
        // A log abandoned by an exception keeps its lines; the error that caused the unwinding
        // is the one reported.
        const ssize_t ignored = ::write(outFd_, buffer_.constData(), buffer_.size());
        (void)ignored;
    }
    discard();
}

void OutputFile::openTarget() {
    const QByteArray native = nativePath(path_);
    if (mode_ == Mode::Progressive) {
        outFd_ = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (outFd_ < 0) {
            throw FileError(QStringLiteral("write"), path_, systemReason(errno));
        }
        return;
    }
    // Only a regular file can be kept; a symlink, a missing file or anything else is replaced.
    struct stat st {};
    if (::lstat(native.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        oldMode_ = st.st_mode & 07777;
        oldFd_ = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (oldFd_ < 0) {
        diverge();
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
    const char* data = buffer_.constData();
    qint64 left = buffer_.size();
    if (oldFd_ >= 0) {
        char old[kChunk];
        while (left > 0) {
            const qint64 n = std::min(left, kChunk);
            if (readAt(oldFd_, old, n, matched_) != n || std::memcmp(old, data, n) != 0) {
                diverge();
                break;
            }
            matched_ += n;
            data += n;
            left -= n;
        }
    }
    if (left > 0) {
        writeOut(data, left);
    }
    buffer_.clear();
}

void OutputFile::diverge() {
    if (outFd_ >= 0) {
        return;
    }
    tempPath_ = temporaryPathBeside(path_);
    outFd_ =
        ::open(nativePath(tempPath_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (outFd_ < 0) {
        const int error = errno;
        tempPath_.clear();
        fail(systemReason(error));
    }
    if (oldFd_ < 0) {
        return;
    }
    // The replacement keeps the old file's permissions, and starts with the bytes that matched.
    if (::fchmod(outFd_, oldMode_) != 0) {
        fail(systemReason(errno));
    }
    char chunk[kChunk];
    for (qint64 offset = 0; offset < matched_;) {
        const qint64 n = readAt(oldFd_, chunk, std::min(kChunk, matched_ - offset), offset);
        if (n <= 0) {
            fail(QStringLiteral("the old file changed while it was being replaced"));
        }
        writeOut(chunk, n);
        offset += n;
    }
    ::close(oldFd_);
    oldFd_ = -1;
}

void OutputFile::writeOut(const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t w = ::write(outFd_, data, static_cast<size_t>(size));
        if (w < 0 && errno == EINTR) {
            continue;
        }
        if (w <= 0) {
            fail(systemReason(w < 0 ? errno : ENOSPC));
        }
        data += w;
        size -= w;
    }
}

void OutputFile::close() {
    if (oldFd_ < 0 && outFd_ < 0) {
        return;
    }
    flush();
    if (oldFd_ >= 0) {
        struct stat st {};
        if (::fstat(oldFd_, &st) == 0 && st.st_size == matched_) {
            ::close(oldFd_);  // the same bytes: the old file stays, with its time
            oldFd_ = -1;
            return;
        }
        diverge();  // the old file is longer
    }
    const int fd = outFd_;
    outFd_ = -1;
    if (::close(fd) != 0) {
        fail(systemReason(errno));
    }
    if (mode_ == Mode::Replace &&
        ::rename(nativePath(tempPath_).constData(), nativePath(path_).constData()) != 0) {
        fail(systemReason(errno));
    }
    tempPath_.clear();
    rewritten_ = true;
}

void OutputFile::fail(const QString& reason) {
    buffer_.clear();
    discard();
    throw FileError(QStringLiteral("write"), path_, reason);
}

void OutputFile::discard() {
    if (oldFd_ >= 0) {
        ::close(oldFd_);
        oldFd_ = -1;
    }
    if (outFd_ >= 0) {
        ::close(outFd_);
        outFd_ = -1;
    }
    if (!tempPath_.isEmpty()) {
        ::unlink(nativePath(tempPath_).constData());
        tempPath_.clear();
    }
}

QString TemporaryNameIn(const QString& folder) {
    static std::atomic<quint64> sequence{0};
    const QString base =
        folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return base + QLatin1String(kOutputTempPrefix) + QString::number(::getpid()) +
           QLatin1Char('.') + QString::number(sequence.fetch_add(1));
}

void RemoveLeftoverTemporaries(const QString& folder) {
    const QString prefix = QLatin1String(kOutputTempPrefix);
    const QDir dir(folder);
    const QStringList names = dir.entryList({prefix + QLatin1Char('*')},
                                            QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const qsizetype end = name.indexOf(QLatin1Char('.'), prefix.size());
        bool ok = false;
        const qint64 pid = name.mid(prefix.size(), end - prefix.size()).toLongLong(&ok);
        if (!ok || pid <= 0 || pid == ::getpid()) {
            continue;
        }
        // Another process's file is removed only once that process has gone.
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            const QString path = dir.filePath(name);
            if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink()) {
                QDir(path).removeRecursively();
            } else {
                QFile::remove(path);
            }
        }
    }
}

}  // namespace tavri
