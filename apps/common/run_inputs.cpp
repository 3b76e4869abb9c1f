#include "run_inputs.h"

#include "catalogue.h"
#include "cfg_lib.h"
#include "sql_source.h"
#include "tav_error.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace mailpiece {

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool statOf(const QString& path, struct stat& info) {
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

} // namespace

void refuseOutputOverInputs(const QString& output, const RunInputs& inputs) {
    struct stat target {};
    if (!statOf(output, target))
        return; // a new file replaces nothing
    const std::pair<QString, const char*> files[] = {
        {inputs.mailing == QLatin1String("-") ? QString() : inputs.mailing, "the mailing"},
        {tav::SqlSource::databaseFile(inputs.database), "the mailing's database"},
        {tav::CfgLib::CatalogPath(), "the piece catalogue"},
        {tav::Catalogue::userPath(), "your own piece catalogue"},
    };
    QString read;
    struct stat info {};
    for (const auto& [path, what] : files)
        if (read.isEmpty() && statOf(path, info) && sameFile(info, target))
            read = QLatin1String(what);
    if (read.isEmpty() && inputs.mailing == QLatin1String("-") &&
        ::fstat(STDIN_FILENO, &info) == 0 && sameFile(info, target))
        read = QStringLiteral("the mailing");
    if (!read.isEmpty())
        throw tav::TavError(tav::ErrorNumber::PathFileAccess, QStringLiteral("output"),
                            QStringLiteral("%1 is %2 itself; name another file").arg(output, read));
}

} // namespace mailpiece
