#include "dir_lib.h"

#include "temp_file.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace tav::DirLib {

namespace {
// A file kept by another process must not hang the caller's destruction for long.
constexpr int kDeleteWaitMilliseconds = 2000;
} // namespace

QString SystemDirectory() {
    QString directory = qEnvironmentVariable(SystemDirectoryVariable).trimmed();
    if (directory.isEmpty())
        directory = QStringLiteral(MAILPIECE_INSTALLED_DATA_DIR);
    return AddBackslash(directory);
}

QString AddBackslash(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

bool FileExists(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

void DeleteFileAndWait(const QString& path) {
    QFile::remove(path);
    const QDeadlineTimer deadline(kDeleteWaitMilliseconds);
    while (FileExists(path) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}

QString MakeTempFileName(const QString& prefix) {
    const QString stem = prefix.isEmpty() ? QStringLiteral("tmp") : prefix.left(3);
    return createExclusiveTempFile(tempDirectory(), stem);
}

} // namespace tav::DirLib
