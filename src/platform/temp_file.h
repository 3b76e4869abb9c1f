#pragma once

#include "mailpiece_export.h"

#include <QString>

namespace tav {

/// The directory for temporary files: the "Temp" environment variable when set, else the
/// system's temporary directory.
MAILPIECE_EXPORT QString tempDirectory();

/// A temporary file as it was created: its absolute path and the descriptor it was opened with
/// (read and write, close-on-exec). The caller owns the descriptor.
struct ExclusiveTempFile {
    QString path;
    int fd = -1;
};

/// Creates a new empty file named `prefix` + a unique part + ".tmp" in `directory`, exclusively
/// (never an existing file or link) and readable and writable by its owner only, and keeps it
/// open. Raises error 75 when the file cannot be created.
MAILPIECE_EXPORT ExclusiveTempFile openExclusiveTempFile(const QString& directory,
                                                         const QString& prefix);

/// As openExclusiveTempFile, but closes the file and returns its absolute path.
MAILPIECE_EXPORT QString createExclusiveTempFile(const QString& directory, const QString& prefix);

} // namespace tav
