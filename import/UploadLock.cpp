// The compendium's upload lock, on its folder's descriptor.
#include "import/UploadLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "base/FileError.h"

namespace tavri {

UploadLock::UploadLock(const QString& dataDir, const std::function<void()>& waiting) {
    fd_ = ::open(QFile::encodeName(dataDir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        throw FileError(QStringLiteral("open"), dataDir,
                        QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        return;
    }
    if (errno == EWOULDBLOCK) {
        waiting();
        int rc = 0;
        do {
            rc = ::flock(fd_, LOCK_EX);
        } while (rc != 0 && errno == EINTR);
        if (rc == 0) {
            return;
        }
    }
    const int error = errno;
    ::close(fd_);
    throw FileError(QStringLiteral("lock"), dataDir, QString::fromLocal8Bit(std::strerror(error)));
}

UploadLock::~UploadLock() {
    ::close(fd_);
}

}  // namespace tavri
