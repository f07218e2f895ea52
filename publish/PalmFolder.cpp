// The palm folder of the reading files.
#include "publish/PalmFolder.h"

#include <QFile>
#include <filesystem>
#include <system_error>

#include "base/FileError.h"
#include "base/OutputFile.h"

namespace tavri {

QString EnsurePalmFolder(const AppState& state) {
    const QString folder = state.PalmDir();
    const std::filesystem::path path(QFile::encodeName(folder).toStdString());
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) {
        throw FileError(QStringLiteral("create the folder"), folder,
                        QString::fromStdString(error.message()));
    }
    if (!std::filesystem::is_directory(path, error)) {
        throw FileError(QStringLiteral("create the folder"), folder,
                        QStringLiteral("a file of that name is in the way"));
    }
    RemoveLeftoverTemporaries(folder);
    return folder;
}

}  // namespace tavri
