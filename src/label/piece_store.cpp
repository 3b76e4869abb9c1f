#include "piece_store.h"

#include "dir_lib.h"
#include "signal_cleanup.h"
#include "store_line.h"
#include "tav_error.h"
#include "temp_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {

namespace {
constexpr qsizetype kReadChunkBytes = 16 * 1024;
const QString kHeader[] = {QStringLiteral("Substitute"), QStringLiteral("BarCode"),
                           QStringLiteral("CarrierRoute")};
} // namespace

PieceStore::PieceStore(const QString& prefix)
    : prefix_(prefix) {
    try {
        reserve();
    } catch (const TavError&) {
        // A control must still be made in a "Temp" it cannot write; create() raises the error.
    }
}

PieceStore::~PieceStore() {
    forgetFileOnSignal(signalSlot_);
    if (fd_ < 0)
        return;
    // Delete the name only while it still stands for our file: one swapped in meanwhile is
    // someone else's.
    struct stat mine {};
    struct stat named {};
    const bool ours = ::fstat(fd_, &mine) == 0 &&
                      ::lstat(QFile::encodeName(path_).constData(), &named) == 0 &&
                      mine.st_dev == named.st_dev && mine.st_ino == named.st_ino;
    ::close(fd_);
    if (ours)
        DirLib::DeleteFileAndWait(path_);
}

void PieceStore::reserve() {
    const SignalsHeld held; // an interruption between the two would leave the file behind
    const ExclusiveTempFile file = openExclusiveTempFile(tempDirectory(), prefix_);
    fd_ = file.fd;
    path_ = file.path;
    signalSlot_ = deleteFileOnSignal(path_);
}

void PieceStore::create() {
    if (created_)
        return;
    if (fd_ < 0)
        reserve();
    // The descriptor made with the file is the only one used: the name may have been swapped.
    if (::ftruncate(fd_, 0) != 0)
        raiseFileError(ErrorNumber::DeviceIO,
                       QStringLiteral("cannot empty the piece store: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno))));
    QByteArray header;
    appendStoreLine(header, kHeader[0], kHeader[1], kHeader[2]);
    writeAt(0, header);
    endOffset_ = header.size();
    created_ = true;
    writing_ = true;
    reading_ = false;
    offsets_.clear();
}

void PieceStore::close() {
    writing_ = false;
    reading_ = false;
}

void PieceStore::openForReading() {
    if (writing_)
        close();
    recordsRead_ = 0;
    atEnd_ = true;
    if (!created_)
        return;

    const qint64 size = fileSize();
    if (size != readLimit_)
        readBuffer_.clear(); // the file changed under the buffered window
    readLimit_ = size;
    readPos_ = 0;

    StoreFieldReader reader([this] { return window(); },
                            [this](qsizetype count) { readPos_ += count; });
    bool headerMatches = true;
    for (const QString& expected : kHeader)
        headerMatches = reader.readField() == expected && headerMatches;
    reading_ = headerMatches;
    atEnd_ = readPos_ >= readLimit_;
}

PieceRecord PieceStore::readRecord() {
    if (!created_ || writing_)
        raiseFileError(ErrorNumber::BadFileNameOrNumber,
                       QStringLiteral("the piece store is not open for reading"));

    StoreFieldReader reader([this] { return window(); },
                            [this](qsizetype count) { readPos_ += count; });
    const auto incomplete = [this] {
        raiseFileError(ErrorNumber::InputPastEndOfFile,
                       QStringLiteral("piece record %1 is incomplete: the store ends inside it")
                           .arg(recordsRead_ + 1));
    };
    PieceRecord record;
    record.substituteText = reader.readField();
    record.texts = PieceTexts::fromList(record.substituteText);
    if (readPos_ >= readLimit_)
        incomplete();
    record.barCodeValue = reader.readField();
    if (readPos_ >= readLimit_)
        incomplete();
    record.carrierRoute = reader.readField();
    record.found = true;
    atEnd_ = readPos_ >= readLimit_;
    ++recordsRead_;
    return record;
}

PieceRecord PieceStore::find(qint32 number) {
    if (!created_ || number > pieceCount())
        return {};
    if (number <= recordsRead_)
        close();
    if (!reading_)
        openForReading();
    if (!reading_)
        return {};

    // Pieces whose line starts inside the file; only the last of them can be cut short.
    const auto present = static_cast<qint32>(
        std::lower_bound(offsets_.begin(), offsets_.end(), readLimit_) - offsets_.begin());
    if (number >= 1 && number <= present) {
        return readRecordAt(number);
    }
    // A sequential reader would pass over every remaining record before reporting "not found",
    // failing on a cut-off last one: do the same, reading only that one.
    if (present > recordsRead_)
        readRecordAt(present);
    atEnd_ = true;
    return {};
}

void PieceStore::append(const QString& substituteText, const QString& barCodeValue,
                        const QString& carrierRoute) {
    if (!writing_) {
        if (created_) {
            close();
            writing_ = true;
        } else {
            create();
        }
    }
    line_.truncate(0);
    appendStoreLine(line_, substituteText, barCodeValue, carrierRoute);
    writeAt(endOffset_, line_);
    offsets_.push_back(endOffset_);
    endOffset_ += line_.size();
}

// Writes `bytes` at `offset`; on failure cuts the file back to `offset`, so that a piece is
// either wholly stored or not at all, and raises error 57.
void PieceStore::writeAt(qint64 offset, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::pwrite(fd_, bytes.constData() + done,
                                         static_cast<size_t>(bytes.size() - done), offset + done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const QString reason = QString::fromLocal8Bit(std::strerror(written < 0 ? errno : EIO));
            // Best effort: a line left cut off lies past the last counted piece, unread.
            (void)!::ftruncate(fd_, offset);
            raiseFileError(ErrorNumber::DeviceIO,
                           QStringLiteral("cannot write the piece store: %1").arg(reason));
        }
        done += written;
    }
}

qint64 PieceStore::fileSize() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        raiseFileError(ErrorNumber::DeviceIO,
                       QStringLiteral("cannot read the piece store: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return info.st_size;
}

PieceRecord PieceStore::readRecordAt(qint32 number) {
    readPos_ = offsets_[number - 1];
    recordsRead_ = number - 1;
    return readRecord();
}

QByteArrayView PieceStore::window() {
    if (readPos_ >= readLimit_)
        return {};
    if (readPos_ < readBufferStart_ || readPos_ >= readBufferStart_ + readBuffer_.size()) {
        readBuffer_.resize(kReadChunkBytes);
        ssize_t got;
        do {
            got = ::pread(fd_, readBuffer_.data(), readBuffer_.size(), readPos_);
        } while (got < 0 && errno == EINTR);
        if (got <= 0) {
            readBuffer_.clear();
            if (got < 0)
                raiseFileError(ErrorNumber::DeviceIO,
                               QStringLiteral("cannot read the piece store: %1")
                                   .arg(QString::fromLocal8Bit(std::strerror(errno))));
            readLimit_ = readPos_; // the file is shorter than it was
            return {};
        }
        readBuffer_.resize(got);
        readBufferStart_ = readPos_;
    }
    const qint64 available = std::min<qint64>(readBufferStart_ + readBuffer_.size(), readLimit_);
    return QByteArrayView(readBuffer_).sliced(readPos_ - readBufferStart_, available - readPos_);
}

void PieceStore::raiseFileError(qint32 number, const QString& what) const {
    raiseError(number, QStringLiteral("TavLabel:PieceStore"),
               QStringLiteral("%1 (%2)").arg(what, path_));
}

} // namespace tav
