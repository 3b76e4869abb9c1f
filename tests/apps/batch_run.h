#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTemporaryDir;

namespace tav::test {

/// How a run of the batch program ended and what it wrote.
struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

/// Runs the batch program with `arguments` and waits for it (a minute at most).
BatchRun runBatch(const QStringList& arguments);

/// Writes `content` to the file `name` in `dir` and returns its path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content);

} // namespace tav::test
