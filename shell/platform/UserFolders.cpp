#include "UserFolders.h"

#include "shell/core/Folders.h"

#include <QDir>
#include <QStandardPaths>

namespace shell {

namespace {

std::string Usable(QStandardPaths::StandardLocation location)
{
    QString path = QStandardPaths::writableLocation(location);
    if (path.isEmpty())
        return {};
    std::string p = QDir::toNativeSeparators(QDir::cleanPath(path)).toStdString();
    return ForceDirectories(p) ? p : std::string();
}

} // namespace

std::string GetSpecialFolderPath(int folder)
{
    if (folder == CSIDL_PERSONAL) {
        // The variable, when set, is the desktop's word for where documents go; Qt itself
        // reads only the user-dirs file.
        QString fromEnvironment = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
        if (QDir::isAbsolutePath(fromEnvironment)) {
            std::string p = QDir::toNativeSeparators(QDir::cleanPath(fromEnvironment)).toStdString();
            if (ForceDirectories(p))
                return p;
        }
        std::string docs = Usable(QStandardPaths::DocumentsLocation);
        if (!docs.empty())
            return docs;
    }
    std::string data = Usable(QStandardPaths::GenericDataLocation);
    if (!data.empty())
        return data;
    // Neither folder can be had (no home, read-only home): fall back to the temporary
    // folder so the programs still have a root for the suite folder.
    return QDir::toNativeSeparators(QDir::tempPath()).toStdString();
}

} // namespace shell
