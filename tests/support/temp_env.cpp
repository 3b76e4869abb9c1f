#include "temp_env.h"

#include "dir_lib.h"
#include "label_templates.h"

#include <QDir>
#include <QSettings>

namespace tav::test {

ScopedTempDirectory::ScopedTempDirectory()
    : previous_(qgetenv("Temp"))
    , hadPrevious_(qEnvironmentVariableIsSet("Temp")) {
    qputenv("Temp", dir_.path().toLocal8Bit());
}

ScopedTempDirectory::~ScopedTempDirectory() {
    if (hadPrevious_)
        qputenv("Temp", previous_);
    else
        qunsetenv("Temp");
}

QStringList ScopedTempDirectory::fileNames() const {
    return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
}

ScopedCatalog::ScopedCatalog(const QByteArray& directory, bool withTemplates)
    : previous_(qgetenv(DirLib::SystemDirectoryVariable))
    , hadPrevious_(qEnvironmentVariableIsSet(DirLib::SystemDirectoryVariable))
    , previousTemplates_(qgetenv(LabelTemplates::DirectoryVariable))
    , hadTemplates_(qEnvironmentVariableIsSet(LabelTemplates::DirectoryVariable)) {
    qputenv(DirLib::SystemDirectoryVariable, directory);
    if (withTemplates)
        qunsetenv(LabelTemplates::DirectoryVariable);
    else
        qputenv(LabelTemplates::DirectoryVariable, QByteArray());
}

ScopedCatalog::~ScopedCatalog() {
    if (hadPrevious_)
        qputenv(DirLib::SystemDirectoryVariable, previous_);
    else
        qunsetenv(DirLib::SystemDirectoryVariable);
    if (hadTemplates_)
        qputenv(LabelTemplates::DirectoryVariable, previousTemplates_);
    else
        qunsetenv(LabelTemplates::DirectoryVariable);
}

ScopedConfigHome::ScopedConfigHome()
    : previous_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    // QSettings reads the variable once per process: it is told the new place as well.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
}

ScopedConfigHome::~ScopedConfigHome() {
    qputenv("XDG_CONFIG_HOME", previous_);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromLocal8Bit(previous_));
}

} // namespace tav::test
