#include "output_file.h"

#include "signal_cleanup.h"
#include "tav_error.h"
#include "temp_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {

namespace {

const QString kSource = QStringLiteral("OutputFile");

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The mode a new file gets from the process's umask, as if it had been created by name.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

OutputFile::OutputFile(const QString& directory) {
    if (!QDir().mkpath(directory))
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot make the directory %1").arg(directory));
    ExclusiveTempFile temporary;
    {
        const SignalsHeld held; // created and registered as one step
        temporary = openExclusiveTempFile(directory, QStringLiteral(".mailpiece-"));
        signalSlot_ = deleteFileOnSignal(temporary.path);
    }
    temporaryPath_ = temporary.path;
    file_ = std::make_unique<QFile>();
    file_->open(temporary.fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
}

std::unique_ptr<OutputFile> OutputFile::forPath(const QString& path) {
    const QFileInfo info(path);
    // A file is replaced by renaming a new one over it, which a folder's permissions allow even
    // where the file's own forbid writing it: such a file is refused as writing it would be.
    if (info.isFile() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot write %1: %2").arg(path, systemError()));
    if (!info.exists() || info.isFile())
        return std::make_unique<OutputFile>(info.absolutePath());
    std::unique_ptr<OutputFile> output(new OutputFile());
    output->file_ = std::make_unique<QFile>(path);
    if (!output->file_->open(QIODevice::WriteOnly))
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot write %1: %2").arg(path, output->file_->errorString()));
    return output;
}

OutputFile::~OutputFile() {
    discard();
}

QIODevice& OutputFile::device() {
    return *file_;
}

void OutputFile::complete(const QString& what) {
    bool written = file_->flush() && file_->error() == QFileDevice::NoError;
    QString reason = file_->errorString();
    // A device or pipe cannot be synced; a regular file must reach the disk before its name.
    if (written && !temporaryPath_.isEmpty() && ::fsync(file_->handle()) != 0) {
        written = false;
        reason = systemError();
    }
    if (!written) {
        discard();
        raiseError(ErrorNumber::DeviceIO, kSource,
                   QStringLiteral("cannot write %1: %2").arg(what, reason));
    }
}

void OutputFile::placeAs(const QString& path) {
    if (temporaryPath_.isEmpty())
        return;
    // The temporary file was made owner-only; the placed one takes the mode of the file it
    // replaces, or a new file's.
    struct stat replaced {};
    const bool replacing =
        ::stat(QFile::encodeName(path).constData(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    ::fchmod(file_->handle(), replacing ? replaced.st_mode & 07777 : newFileMode());
    if (::rename(QFile::encodeName(temporaryPath_).constData(),
                 QFile::encodeName(path).constData()) != 0) {
        const QString reason = systemError();
        discard();
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot write %1: %2").arg(path, reason));
    }
    temporaryPath_.clear();
    discard();
}

bool OutputFile::placeAsNew(const QString& path) {
    if (temporaryPath_.isEmpty())
        return true;
    const QByteArray from = QFile::encodeName(temporaryPath_);
    ::fchmod(file_->handle(), newFileMode());
    if (::link(from.constData(), QFile::encodeName(path).constData()) != 0) {
        if (errno == EEXIST)
            return false;
        const QString reason = systemError();
        discard();
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot write %1: %2").arg(path, reason));
    }
    discard(); // the temporary name goes; the file stays under its new one
    return true;
}

void OutputFile::discard() {
    forgetFileOnSignal(std::exchange(signalSlot_, -1));
    if (file_)
        file_->close();
    if (!temporaryPath_.isEmpty())
        QFile::remove(std::exchange(temporaryPath_, QString()));
}

} // namespace tav
