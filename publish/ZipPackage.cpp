// The e-book's zip archive through libzip.
#include "publish/ZipPackage.h"

#include <zip.h>

#include <QFile>

#include "base/FileError.h"

namespace tavri {
namespace {

QString ZipErrorText(zip_error_t* error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

}  // namespace

ZipPackage::ZipPackage(const QString& path, const QDateTime& modified)
    : path_(path), mtime_(modified.toSecsSinceEpoch()) {
    int code = 0;
    archive_ = zip_open(QFile::encodeName(path_).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive_ == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString reason = ZipErrorText(&error);
        zip_error_fini(&error);
        throw FileError(QStringLiteral("write"), path_, reason);
    }
}

ZipPackage::~ZipPackage() {
    // Abandoned (an exception is unwinding): the temporary file goes, the old archive stays.
    if (archive_ != nullptr) {
        zip_discard(archive_);
    }
}

void ZipPackage::fail(const QString& reason) {
    zip_discard(archive_);
    archive_ = nullptr;
    throw FileError(QStringLiteral("write"), path_, reason);
}

void ZipPackage::add(const QString& name, QByteArray bytes, Method method) {
    const QByteArray& kept = contents_.emplace_back(std::move(bytes));
    zip_source_t* source = zip_source_buffer(archive_, kept.constData(), kept.size(), 0);
    if (source == nullptr) {
        fail(ZipErrorText(zip_get_error(archive_)));
    }
    const zip_int64_t index =
        zip_file_add(archive_, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        fail(ZipErrorText(zip_get_error(archive_)));
    }
    const zip_int32_t compression = method == Method::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (zip_set_file_compression(archive_, index, compression, 0) != 0 ||
        zip_file_set_mtime(archive_, index, static_cast<time_t>(mtime_), 0) != 0) {
        fail(ZipErrorText(zip_get_error(archive_)));
    }
}

void ZipPackage::close() {
    if (archive_ == nullptr) {
        return;
    }
    if (zip_close(archive_) != 0) {
        fail(ZipErrorText(zip_get_error(archive_)));
    }
    archive_ = nullptr;
    contents_.clear();
}

}  // namespace tavri
