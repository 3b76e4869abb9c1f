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

/// Points the catalogue's directory (DirLib's system directory) at `directory` for the guard's
/// lifetime, without the label template library unless `withTemplates`.
class ScopedCatalog {
public:
    explicit ScopedCatalog(const QByteArray& directory, bool withTemplates = false);
    ~ScopedCatalog();
    ScopedCatalog(const ScopedCatalog&) = delete;
    ScopedCatalog& operator=(const ScopedCatalog&) = delete;

private:
    QByteArray previous_;
    bool hadPrevious_;
    QByteArray previousTemplates_;
    bool hadTemplates_;
};

/// Points XDG_CONFIG_HOME (where the user's own catalogue and QSettings lie) at a fresh private
/// directory for the guard's lifetime.
class ScopedConfigHome {
public:
    ScopedConfigHome();
    ~ScopedConfigHome();
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;
    /// The directory's path.
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

} // namespace tav::test
