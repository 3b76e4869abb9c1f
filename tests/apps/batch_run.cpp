#include "batch_run.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace tav::test {

BatchRun runBatch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(MAILPIECE_BATCH_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

} // namespace tav::test
