#include "temp_file.h"

#include "tav_error.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tav {

QString tempDirectory() {
    const QString temp = qEnvironmentVariable("Temp").trimmed();
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

ExclusiveTempFile openExclusiveTempFile(const QString& directory, const QString& prefix) {
    const QString absolute = QFileInfo(directory).absoluteFilePath();
    QByteArray name =
        QFile::encodeName(QDir(absolute).filePath(prefix + QStringLiteral("XXXXXX.tmp")));
    // mkostemps creates with O_CREAT | O_EXCL and mode 0600: never an existing file or link.
    const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
    if (fd < 0)
        raiseError(ErrorNumber::PathFileAccess, QStringLiteral("createExclusiveTempFile"),
                   QStringLiteral("cannot create a temporary file in \"%1\": %2")
                       .arg(directory, QString::fromLocal8Bit(std::strerror(errno))));
    return {QFile::decodeName(name), fd};
}

QString createExclusiveTempFile(const QString& directory, const QString& prefix) {
    const ExclusiveTempFile file = openExclusiveTempFile(directory, prefix);
    ::close(file.fd);
    return file.path;
}

} // namespace tav
