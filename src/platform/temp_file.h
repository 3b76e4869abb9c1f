#pragma once

#include "mailpiece_export.h"

#include <QString>

namespace tav {

/// The directory for temporary files: the "Temp" environment variable when set, else the
/// system's temporary directory.
MAILPIECE_EXPORT QString tempDirectory();

/// Creates a new empty file named `prefix` + a unique part + ".tmp" in `directory`, exclusively
/// (never an existing file or link) and readable and writable by its owner only; returns its
/// absolute path. Raises a TavError when the file cannot be created.
MAILPIECE_EXPORT QString createExclusiveTempFile(const QString& directory, const QString& prefix);

} // namespace tav
