#include "zip_archive.h"

#include "tav_error.h"

#include <QFile>

#include <zip.h>

namespace tav {

ZipMember::ZipMember(zip_file* file, qint64 limit)
    : file_(file)
    , limit_(limit) {
    open(QIODevice::ReadOnly);
}

ZipMember::~ZipMember() {
    zip_fclose(file_);
}

qint64 ZipMember::readData(char* data, qint64 size) {
    if (failed_)
        return -1;
    if (read_ >= limit_) {
        // One more byte says whether the member really is larger than its bound.
        char probe;
        if (zip_fread(file_, &probe, 1) == 0)
            return 0;
        failed_ = true;
        setErrorString(
            QStringLiteral("a part of it unpacks to more than %1 MB").arg(limit_ / (1024 * 1024)));
        return -1;
    }
    const zip_int64_t got =
        zip_fread(file_, data, static_cast<zip_uint64_t>(std::min(size, limit_ - read_)));
    if (got < 0) {
        failed_ = true;
        setErrorString(QString::fromUtf8(zip_file_strerror(file_)).toLower());
        return -1;
    }
    read_ += got;
    return got;
}

ZipArchive::ZipArchive(const QString& path, const QString& shownName)
    : shownName_(shownName) {
    int error = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive_) {
        zip_error_t detail;
        zip_error_init_with_code(&detail, error);
        const QString why = QString::fromUtf8(zip_error_strerror(&detail));
        zip_error_fini(&detail);
        raiseError(ErrorNumber::PathFileAccess, QStringLiteral("SpreadsheetSource"),
                   QStringLiteral("cannot read %1: it is not a workbook that can be opened (%2)")
                       .arg(shownName_, why.toLower()));
    }
}

ZipArchive::~ZipArchive() {
    zip_discard(archive_);
}

bool ZipArchive::contains(const QString& name) const {
    return zip_name_locate(archive_, name.toUtf8().constData(), 0) >= 0;
}

std::unique_ptr<ZipMember> ZipArchive::member(const QString& name, qint64 limit) const {
    zip_file* file = zip_fopen(archive_, name.toUtf8().constData(), 0);
    if (!file)
        return nullptr;
    return std::make_unique<ZipMember>(file, limit);
}

std::optional<QByteArray> ZipArchive::readSmall(const QString& name, qint64 limit) const {
    const auto device = member(name, limit);
    if (!device)
        return std::nullopt;
    QByteArray bytes;
    char chunk[16384];
    for (qint64 got; (got = device->read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, got);
    if (device->failed())
        raiseError(
            ErrorNumber::PathFileAccess, QStringLiteral("SpreadsheetSource"),
            QStringLiteral("cannot read %1: %2 (%3)").arg(shownName_, device->errorString(), name));
    return bytes;
}

bool isZipSignature(const QByteArray& start) {
    return start.startsWith("PK\x03\x04");
}

} // namespace tav
