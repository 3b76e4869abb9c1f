#include "pdf_printer.h"

#include "message_sink.h"
#include "output_file.h"
#include "tav_error.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QPainter>
#include <QPdfWriter>

namespace tav {

namespace {

constexpr int kDotsPerInch = 1440;

[[noreturn]] void raisePdfError(qint32 number, const QString& detail) {
    raiseError(number, QStringLiteral("PdfPrinter"), detail);
}

// The paper the printer asks for its next page, without margins.
QPageLayout pageLayoutFor(const Printer& printer) {
    return QPageLayout(printer.PaperSize().value_or(QPageSize(QPageSize::Letter)),
                       printer.Orientation() == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
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
    if (!single_) {
        file_ = std::make_unique<OutputFile>(target_);
    } else {
        const QFileInfo info(target_);
        // Two runs writing one document would each replace the other's: the second is refused.
        // A device or pipe is written in place and needs no lock.
        if (!info.exists() || info.isFile()) {
            QDir().mkpath(info.absolutePath());
            auto lock = std::make_unique<QLockFile>(target_ + QStringLiteral(".lock"));
            lock->setStaleLockTime(0); // only a lock whose process is gone is stale, however old
            if (!lock->tryLock(0)) {
                const QString why =
                    lock->error() == QLockFile::LockFailedError
                        ? QStringLiteral("%1 is being written by another process")
                        : QStringLiteral("cannot write %1: its lock file cannot be made");
                raisePdfError(ErrorNumber::PathFileAccess, why.arg(target_));
            }
            lock_ = std::move(lock);
        }
        file_ = OutputFile::forPath(target_);
    }
    writer_ = std::make_unique<QPdfWriter>(&file_->device());
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
    const QString what = single_ ? target_ : QStringLiteral("a PDF file in %1").arg(target_);
    if (!drawn)
        raisePdfError(ErrorNumber::DeviceIO, QStringLiteral("cannot write %1").arg(what));
    file->complete(what);
    if (!single_) {
        written_.append(placeJobFile(*file));
        return;
    }
    file->placeAs(target_);
    if (!written_.contains(target_))
        written_.append(target_);
}

void PdfPrinter::discardDocument() {
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    writer_.reset();
    file_.reset();
    lock_.reset();
}

// Gives the complete job file its name: the first free number, never an existing file or a
// link planted there.
QString PdfPrinter::placeJobFile(OutputFile& file) const {
    const QDir directory(target_);
    for (int n = jobNumber_;; ++n) {
        const QString path = directory.filePath(
            QStringLiteral("mailpiece-%1-%2.pdf").arg(runStamp_).arg(n, 4, 10, QLatin1Char('0')));
        if (file.placeAsNew(path))
            return path;
    }
}

// A new page of the document on the paper asked for, its drawing turned as asked.
void PdfPrinter::startPage() {
    writer_->setPageLayout(pageLayoutFor(*this));
    writer_->newPage();
    turnPage();
}

void PdfPrinter::turnPage() {
    painter_->resetTransform(); // the writer's dots are twips
    turnOntoPaper(*painter_, writer_->pageLayout().fullRectPoints().width() * 20.0);
}

void PdfPrinter::beginJob() {
    if (single_ && painter_) {
        startPage();
        return;
    }
    ++jobNumber_;
    openDocument();
    writer_->setPageLayout(pageLayoutFor(*this));
    if (!painter_->begin(writer_.get())) {
        discardDocument();
        raisePdfError(ErrorNumber::PathFileAccess,
                      QStringLiteral("cannot write a PDF document to %1").arg(target_));
    }
    painter_->setRenderHint(QPainter::Antialiasing);
    turnPage();
}

void PdfPrinter::beginPage() {
    startPage();
}

void PdfPrinter::draw(const PrinterOp& op) {
    op.paint(*painter_);
}

void PdfPrinter::endJob() {
    if (!single_)
        completeDocument();
}

} // namespace tav
