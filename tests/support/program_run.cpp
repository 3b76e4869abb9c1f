#include "program_run.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace tav::test {

ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const QStringList& environment, const QString& shellPrefix) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : environment)
        env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    if (shellPrefix.isEmpty()) {
        process.start(program, arguments);
    } else {
        process.start(
            "/bin/sh",
            QStringList{"-c",
                        QStringLiteral("trap '' XFSZ; %1; exec \"$0\" \"$@\"").arg(shellPrefix),
                        program} +
                arguments);
    }
    process.waitForFinished(120000);
    return {process.exitStatus(), process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

ProgramRun runBatch(const QStringList& arguments, const QStringList& environment,
                    const QString& shellPrefix) {
    return runProgram(QStringLiteral(MAILPIECE_BATCH_PROGRAM), arguments, environment, shellPrefix);
}

QString writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    return writeFile(dir.filePath(name), content);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tav::test
