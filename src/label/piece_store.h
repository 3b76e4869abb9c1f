#pragma once

#include "mailpiece_export.h"
#include "piece_record.h"

#include <QByteArray>
#include <QString>

#include <deque>

namespace tav {

/// The label control's piece store: a private file with a header line and one line per piece,
/// read back by piece number. Only an index of record offsets (8 bytes a piece) stays in memory,
/// so a lookup costs the same wherever the piece lies.
class MAILPIECE_EXPORT PieceStore {
public:
    /// Reserves a new, empty, owner-only file "<prefix>XXXXXX.tmp" in the "Temp" directory and
    /// keeps it open: that descriptor is the only way the store is ever written or read. When
    /// the file cannot be made now, the next create() tries again and raises error 75.
    explicit PieceStore(const QString& prefix = QStringLiteral("qzp"));
    /// Closes the file and deletes it, unless its name now stands for another file.
    ~PieceStore();
    PieceStore(const PieceStore&) = delete;
    PieceStore& operator=(const PieceStore&) = delete;

    /// Full path of the store file.
    const QString& fileName() const { return path_; }
    /// Whether the header line has been written.
    bool created() const { return created_; }
    /// Whether the store is positioned for appending.
    bool writing() const { return writing_; }
    /// Whether the store is positioned for reading and its header was recognised.
    bool reading() const { return reading_; }
    /// Whether the last read reached the end of the file.
    bool atEnd() const { return atEnd_; }
    /// Records read since the store was last opened for reading.
    qint32 recordsRead() const { return recordsRead_; }
    /// Number of pieces appended.
    qint32 pieceCount() const { return static_cast<qint32>(offsets_.size()); }

    /// Empties the file and writes the header line; does nothing once created.
    void create();
    /// Ends writing or reading (pending lines are written).
    void close();
    /// Positions the store at its first record and checks the header line.
    void openForReading();
    /// Reads the record at the reading position; raises error 62 when the record is incomplete.
    PieceRecord readRecord();
    /// Piece `number` (1-based); not found below 1, past the count or with a foreign header.
    PieceRecord find(qint32 number);
    /// Appends one piece, creating the store first if needed, and writes it at once. Raises
    /// error 57 if the file cannot be written; the piece is then not stored and not counted.
    void append(const QString& substituteText, const QString& barCodeValue,
                const QString& carrierRoute);

private:
    void reserve();
    void writeAt(qint64 offset, const QByteArray& bytes);
    qint64 fileSize() const;
    // The buffered bytes from the reading position on (read in when needed); none at the end.
    QByteArrayView window();
    PieceRecord readRecordAt(qint32 number);
    [[noreturn]] void raiseFileError(qint32 number, const QString& what) const;

    QString prefix_;
    QString path_;
    int fd_ = -1;
    int signalSlot_ = -1; // the path's entry in the signal cleanup
    bool created_ = false;
    bool writing_ = false;
    bool reading_ = false;
    bool atEnd_ = false;
    qint32 recordsRead_ = 0;

    std::deque<qint64> offsets_; // file offset of each piece's line, in bytes
    qint64 endOffset_ = 0;       // end of the last complete line written (bytes)
    QByteArray line_;            // the line being appended, kept for its capacity

    QByteArray readBuffer_;      // a window of the file starting at readBufferStart_
    qint64 readBufferStart_ = 0; // bytes
    qint64 readPos_ = 0;         // bytes
    qint64 readLimit_ = 0;       // file size when reading began (bytes)
};

} // namespace tav
