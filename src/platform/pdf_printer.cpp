#include "pdf_printer.h"

#include "message_sink.h"
#include "tav_error.h"
#include "temp_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tav {

namespace {

constexpr int kDotsPerInch = 1440;

[[noreturn]] void raisePdfError(qint32 number, const QString& detail) {
    raiseError(number, QStringLiteral("PdfPrinter"), detail);
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

std::shared_ptr<PdfPrinter> PdfPrinter::filePerJob(const QString& directory) {
    return std::shared_ptr<PdfPrinter>(new PdfPrinter(directory, false));
}

std::shared_ptr<PdfPrinter> PdfPrinter::singleDocument(const QString& path) {
    return std::shared_ptr<PdfPrinter>(new PdfPrinter(path, true));
}

PdfPrinter::PdfPrinter(QString target, bool single)
    : target_(std::move(target))
    , single_(single)
    , runStamp_(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))) {
}

PdfPrinter::~PdfPrinter() {
    try {
        if (painter_)
            completeDocument();
    } catch (const TavError& error) {
        showMessage(error.description());
    }
}

void PdfPrinter::finish() {
    EndDoc();
    if (painter_)
        completeDocument();
}

void PdfPrinter::discard() {
    EndDoc();
    discardDocument();
}

void PdfPrinter::openDocument() {
    const QString directory = single_ ? QFileInfo(target_).absolutePath() : target_;
    if (!QDir().mkpath(directory))
        raisePdfError(ErrorNumber::PathFileAccess,
                      QStringLiteral("cannot make the directory %1").arg(directory));
    if (single_) {
        auto lock = std::make_unique<QLockFile>(target_ + QStringLiteral(".lock"));
        lock->setStaleLockTime(0); // only a lock whose process is gone is stale, however old
        if (!lock->tryLock(0))
            raisePdfError(ErrorNumber::PathFileAccess,
                          QStringLiteral("%1 is being written by another process").arg(target_));
        // A regular file is replaced whole when complete; a device or pipe (/dev/stdout) can
        // only be written in place.
        const QFileInfo info(target_);
        std::unique_ptr<QFileDevice> file;
        if (info.exists() && !info.isFile())
            file = std::make_unique<QFile>(target_);
        else
            file = std::make_unique<QSaveFile>(target_);
        if (!file->open(QIODevice::WriteOnly))
            raisePdfError(ErrorNumber::PathFileAccess,
                          QStringLiteral("cannot write %1: %2").arg(target_, file->errorString()));
        lock_ = std::move(lock);
        file_ = std::move(file);
    } else {
        const ExclusiveTempFile temporary =
            openExclusiveTempFile(directory, QStringLiteral(".mailpiece-"));
        auto file = std::make_unique<QFile>();
        file->open(temporary.fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
        temporaryPath_ = temporary.path;
        file_ = std::move(file);
    }
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setResolution(kDotsPerInch);
    writer_->setCreator(QStringLiteral("Mailpiece"));
    painter_ = std::make_unique<QPainter>();
}

void PdfPrinter::completeDocument() {
    const bool drawn = painter_->isActive() && painter_->end();
    painter_.reset();
    writer_.reset();
    const auto unlock = std::move(lock_);
    const auto file = std::move(file_);
    if (single_) {
        auto* save = dynamic_cast<QSaveFile*>(file.get());
        // A failed commit leaves the old file, or none, in place.
        const bool complete =
            drawn &&
            (save ? save->commit() : file->flush() && file->error() == QFileDevice::NoError);
        if (!complete)
            raisePdfError(ErrorNumber::DeviceIO,
                          QStringLiteral("cannot write %1: %2").arg(target_, file->errorString()));
        if (!written_.contains(target_))
            written_.append(target_);
        return;
    }
    const QString temporary = std::exchange(temporaryPath_, QString());
    bool complete = drawn && file->flush() && file->error() == QFileDevice::NoError;
    QString reason = file->errorString();
    if (complete && ::fsync(file->handle()) != 0) {
        complete = false;
        reason = systemError();
    }
    file->close();
    if (!complete) {
        QFile::remove(temporary);
        raisePdfError(ErrorNumber::DeviceIO,
                      QStringLiteral("cannot write a PDF file in %1: %2").arg(target_, reason));
    }
    written_.append(placeJobFile(temporary));
}

void PdfPrinter::discardDocument() {
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    writer_.reset();
    if (auto* save = dynamic_cast<QSaveFile*>(file_.get()))
        save->cancelWriting();
    file_.reset();
    if (!temporaryPath_.isEmpty())
        QFile::remove(std::exchange(temporaryPath_, QString()));
    lock_.reset();
}

// Gives the complete job file its name: the first free number, never an existing file or a
// link planted there (link() refuses any name that exists).
QString PdfPrinter::placeJobFile(const QString& temporary) const {
    const QDir directory(target_);
    const QByteArray from = QFile::encodeName(temporary);
    for (int n = jobNumber_;; ++n) {
        const QString path = directory.filePath(
            QStringLiteral("mailpiece-%1-%2.pdf").arg(runStamp_).arg(n, 4, 10, QLatin1Char('0')));
        if (::link(from.constData(), QFile::encodeName(path).constData()) == 0) {
            ::unlink(from.constData());
            return path;
        }
        if (errno != EEXIST) {
            const QString reason = systemError();
            ::unlink(from.constData());
            raisePdfError(ErrorNumber::PathFileAccess,
                          QStringLiteral("cannot write %1: %2").arg(path, reason));
        }
    }
}

void PdfPrinter::beginJob() {
    const QPageLayout layout(PaperSize().value_or(QPageSize(QPageSize::Letter)),
                             Orientation() == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF());
    if (single_ && painter_) {
        writer_->setPageLayout(layout);
        writer_->newPage();
        return;
    }
    ++jobNumber_;
    openDocument();
    writer_->setPageLayout(layout);
    if (!painter_->begin(writer_.get())) {
        discardDocument();
        raisePdfError(ErrorNumber::PathFileAccess,
                      QStringLiteral("cannot write a PDF document to %1").arg(target_));
    }
    painter_->setRenderHint(QPainter::Antialiasing);
}

void PdfPrinter::draw(const PrinterOp& op) {
    op.paint(*painter_);
}

void PdfPrinter::endJob() {
    if (!single_)
        completeDocument();
}

} // namespace tav
