#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>
#include <optional>

struct zip;
struct zip_file;

namespace tav {

/// One member of an archive as a read-only stream that fails, saying why, once more than its
/// bound has come out.
class ZipMember : public QIODevice {
public:
    ZipMember(zip_file* file, qint64 limit);
    ~ZipMember() override;
    bool isSequential() const override { return true; }
    /// Whether a read failed (errorString() says why) rather than met the end.
    bool failed() const { return failed_; }

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file* file_;
    qint64 limit_;
    qint64 read_ = 0;
    bool failed_ = false;
};

/// A zip archive open for reading its members as streams (the form workbooks are stored in).
/// Members are read a chunk at a time and never more than a bound, so neither a large sheet nor
/// a compression bomb is held in memory.
class ZipArchive {
public:
    /// Opens the archive at `path`; raises error 75 naming `shownName` when it is not one.
    ZipArchive(const QString& path, const QString& shownName);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    /// Whether the archive holds a member named `name` (case as stored).
    bool contains(const QString& name) const;
    /// The member as a sequential device, or null when there is no such member. Reading past
    /// `limit` bytes fails the read with a message saying so.
    std::unique_ptr<ZipMember> member(const QString& name, qint64 limit) const;
    /// A small member read whole (up to `limit` bytes), or none when it is missing.
    std::optional<QByteArray> readSmall(const QString& name, qint64 limit) const;
    /// The name used for the archive in messages.
    const QString& shownName() const { return shownName_; }

private:
    zip* archive_ = nullptr;
    QString shownName_;
};

/// Whether the first bytes of a file are a zip archive's.
bool isZipSignature(const QByteArray& start);

} // namespace tav
