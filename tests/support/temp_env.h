#pragma once

#include <QByteArray>
#include <QTemporaryDir>

namespace tav::test {

/// Points the "Temp" environment variable at a fresh private directory for the guard's lifetime.
class ScopedTempDirectory {
public:
    ScopedTempDirectory();
    ~ScopedTempDirectory();
    /// The directory's path.
    QString path() const { return dir_.path(); }
    /// Names of the files in the directory.
    QStringList fileNames() const;

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_;
};

} // namespace tav::test
