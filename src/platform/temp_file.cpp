#include "temp_file.h"

#include "tav_error.h"

#include <QDir>
#include <QTemporaryFile>

namespace tav {

QString tempDirectory() {
    const QString temp = qEnvironmentVariable("Temp").trimmed();
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

QString createExclusiveTempFile(const QString& directory, const QString& prefix) {
    // QTemporaryFile opens with O_CREAT | O_EXCL and owner-only permissions.
    QTemporaryFile file(QDir(directory).filePath(prefix + QStringLiteral("XXXXXX.tmp")));
    file.setAutoRemove(false);
    if (!file.open())
        raiseError(ErrorNumber::PathFileAccess, QStringLiteral("createExclusiveTempFile"),
                   QStringLiteral("cannot create a temporary file in \"%1\": %2")
                       .arg(directory, file.errorString()));
    return QFileInfo(file.fileName()).absoluteFilePath();
}

} // namespace tav
