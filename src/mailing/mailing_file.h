#pragma once

#include <QIODevice>
#include <QString>

#include <memory>

namespace tav {

/// The mailing file at `path` open for reading, or standard input for "-". Raises error 75
/// from `source`, naming the file, when it cannot be opened.
std::unique_ptr<QIODevice> openMailingFile(const QString& path, const QString& source);

} // namespace tav
