#include "mailing_file.h"

#include "tav_error.h"

#include <QFile>

#include <cstdio>

namespace tav {

std::unique_ptr<QIODevice> openMailingFile(const QString& path, const QString& source) {
    auto file = std::make_unique<QFile>();
    const bool opened = path == QLatin1String("-")
                            ? file->open(stdin, QIODevice::ReadOnly)
                            : (file->setFileName(path), file->open(QIODevice::ReadOnly));
    if (!opened)
        raiseError(ErrorNumber::PathFileAccess, source,
                   QStringLiteral("cannot read %1: %2").arg(path, file->errorString()));
    return file;
}

} // namespace tav
