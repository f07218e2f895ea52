// The shared walk and the run's scratch files.
#include "publish/GroupedWalk.h"

#include <QFile>

#include "base/FileError.h"

namespace tavri {

qint64 WalkEntries(Recordset& rs, QStringView index, std::initializer_list<WalkWriter*> writers,
                   PublishProgress& progress, qint64 total) {
    rs.setIndex(index);
    qint64 done = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        for (WalkWriter* w : writers) {
            w->entry(rs);
        }
        ++done;
        if (total > 0) {
            progress.step(done, total);
        }
    }
    for (WalkWriter* w : writers) {
        w->finish();
    }
    return done;
}

ScratchFile::ScratchFile(const QString& folder, OutputFormat format)
    : dir_(TemporaryNameIn(folder) + QStringLiteral("-XXXXXX")) {
    if (!dir_.isValid()) {
        throw FileError(QStringLiteral("create a scratch folder in"), folder, dir_.errorString());
    }
    out_ = std::make_unique<OutputFile>(dir_.filePath(QStringLiteral("scratch")), format);
}

void ScratchFile::closeInto(OutputFile& to) {
    out_->close();
    AppendFileTo(to, out_->path());
}

void ScratchFile::copyTo(const QString& path, OutputFormat format) {
    out_->close();
    OutputFile copy(path, format);
    AppendFileTo(copy, out_->path());
    copy.close();
}

void AppendFileTo(OutputFile& to, const QString& path) {
    QFile from(path);
    if (!from.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("read"), path, from.errorString());
    }
    constexpr qint64 kPiece = 1 << 16;
    while (!from.atEnd()) {
        const QByteArray piece = from.read(kPiece);
        if (piece.isEmpty() && from.error() != QFileDevice::NoError) {
            throw FileError(QStringLiteral("read"), path, from.errorString());
        }
        to.raw(piece);
    }
}

}  // namespace tavri
