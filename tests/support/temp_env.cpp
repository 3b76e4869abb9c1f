#include "temp_env.h"

#include "dir_lib.h"

#include <QDir>

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

ScopedCatalog::ScopedCatalog(const QByteArray& directory)
    : previous_(qgetenv(DirLib::SystemDirectoryVariable)) {
    qputenv(DirLib::SystemDirectoryVariable, directory);
}

ScopedCatalog::~ScopedCatalog() {
    qputenv(DirLib::SystemDirectoryVariable, previous_);
}

} // namespace tav::test
