#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

class QTemporaryDir;

namespace tav::test {

/// How a run of a program ended and what it wrote.
struct ProgramRun {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QString out;
    QString err;
};

/// Runs `program` with `arguments` and waits for it (two minutes at most). `environment`
/// entries ("NAME=value") are added to this process's; `shellPrefix` (e.g. "ulimit -f 8") runs
/// before it in a shell that ignores SIGXFSZ for it, so a write past the limit fails as a full
/// disk does.
ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const QStringList& environment = {}, const QString& shellPrefix = {});

/// The same with the batch program.
ProgramRun runBatch(const QStringList& arguments, const QStringList& environment = {},
                    const QString& shellPrefix = {});

/// Writes `content` to `path` and returns the path.
QString writeFile(const QString& path, const QByteArray& content);
/// Writes `content` to the file `name` in `dir` and returns its path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content);
/// The bytes of `path`; none when it cannot be read.
QByteArray readFile(const QString& path);

} // namespace tav::test
