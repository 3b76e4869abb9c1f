#pragma once

#include "mailpiece_export.h"

#include <QString>

/// File and directory helpers shared by the library.
namespace tav::DirLib {

/// Environment variable that replaces the installed data directory (tests, own catalogues).
inline constexpr char SystemDirectoryVariable[] = "MAILPIECE_SYSTEM_DIR";

/// The directory that holds the shipped catalogue, trimmed, ending in "/".
MAILPIECE_EXPORT QString SystemDirectory();
/// `path` with the path separator "/" appended unless it already ends in one.
MAILPIECE_EXPORT QString AddBackslash(const QString& path);
/// Whether the file can be opened for reading; never raises.
MAILPIECE_EXPORT bool FileExists(const QString& path);
/// Deletes the file, ignoring failure, and waits (processing events, for at most two seconds)
/// until it no longer exists.
MAILPIECE_EXPORT void DeleteFileAndWait(const QString& path);
/// Creates a new, empty, exclusively owned file in the temporary directory (tempDirectory())
/// whose name starts with the first three characters of `prefix` ("tmp" when empty); returns
/// its full path.
MAILPIECE_EXPORT QString MakeTempFileName(const QString& prefix = {});

} // namespace tav::DirLib
