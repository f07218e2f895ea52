// A zip archive written through libzip, the container of the e-book.
//
// Entries are added from memory in the order they go into the archive; each is either stored
// or deflated. Nothing reaches the final path until close(): libzip writes a temporary file in
// the same folder and renames it over the path, so a reader never sees half an archive and an
// old archive stays whole when writing fails. Every failure throws FileError naming the path.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <deque>

struct zip;

namespace tavri {

class ZipPackage {
public:
    enum class Method { Store, Deflate };

    // Starts a new archive that will replace path; entries carry the time stamp modified.
    ZipPackage(const QString& path, const QDateTime& modified);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    // Adds an entry named name (a relative path with "/" separators, UTF-8 in the archive).
    void add(const QString& name, QByteArray bytes, Method method = Method::Deflate);
    // Compresses every entry and moves the archive into place.
    void close();

    const QString& path() const { return path_; }

private:
    [[noreturn]] void fail(const QString& reason);

    QString path_;
    qint64 mtime_;
    zip* archive_ = nullptr;
    std::deque<QByteArray> contents_;  // libzip reads them only in close(): kept until then
};

}  // namespace tavri
