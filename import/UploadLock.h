// One upload at a time per compendium: an advisory lock (flock) on the compendium's folder,
// taken before the first entry is written and held until the upload has ended. The lock goes
// with the process, however it ends, and leaves no file behind.
#pragma once

#include <QString>
#include <functional>

namespace tavri {

class UploadLock {
public:
    // Takes the lock of the compendium in dataDir. When another upload holds it, calls waiting
    // first, then waits for that upload to end. Throws FileError when the folder cannot be
    // opened.
    UploadLock(const QString& dataDir, const std::function<void()>& waiting);
    ~UploadLock();
    UploadLock(const UploadLock&) = delete;
    UploadLock& operator=(const UploadLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace tavri
