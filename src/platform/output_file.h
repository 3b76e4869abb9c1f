#pragma once

#include "mailpiece_export.h"

#include <QString>

#include <memory>

class QFile;
class QIODevice;

namespace tav {

/// A file that appears under its name only when it is complete: it is written under a temporary
/// name in the target's folder and renamed or linked into place, so that a full disk, an error
/// or an interruption (SIGINT, SIGTERM, SIGHUP and the other ending signals delete the temporary
/// file) leaves no partial file. A device or pipe (/dev/stdout) cannot be replaced and is written
/// in place.
class MAILPIECE_EXPORT OutputFile {
public:
    /// Opens a new owner-only temporary file in `directory` (made when missing), to be placed
    /// in that directory later. Raises error 75 when it cannot be made.
    explicit OutputFile(const QString& directory);
    /// For the single file `path`: in place when it names an existing device or pipe, else as
    /// above in its folder. Raises error 75.
    static std::unique_ptr<OutputFile> forPath(const QString& path);
    /// Deletes the temporary file unless it was placed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    /// Where to write.
    QIODevice& device();
    /// Writes out what is buffered and makes it durable; raises error 57 naming `what` when
    /// anything could not be written (the temporary file is deleted).
    void complete(const QString& what);
    /// Gives the completed file the name `path`, replacing a file of that name. Raises error 75.
    void placeAs(const QString& path);
    /// Gives the completed file the name `path` unless that name exists (a file or a link, even
    /// a dangling one); false then. Raises error 75 on any other failure.
    bool placeAsNew(const QString& path);

private:
    OutputFile() = default;
    void discard();

    std::unique_ptr<QFile> file_;
    QString temporaryPath_; // empty when writing in place or once placed
    int signalSlot_ = -1;   // the temporary file's entry in the signal cleanup
};

} // namespace tav
