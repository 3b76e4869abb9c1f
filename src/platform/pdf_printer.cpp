#include "pdf_printer.h"

#include "tav_error.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace tav {

namespace {
constexpr int kDotsPerInch = 1440;
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
    closeWriter();
}

void PdfPrinter::finish() {
    EndDoc();
    closeWriter();
}

QString PdfPrinter::nextJobPath() const {
    const QDir directory(target_);
    for (int n = jobNumber_;; ++n) {
        const QString path = directory.filePath(
            QStringLiteral("mailpiece-%1-%2.pdf").arg(runStamp_).arg(n, 4, 10, QLatin1Char('0')));
        if (!QFileInfo::exists(path))
            return path;
    }
}

void PdfPrinter::openWriter(const QString& path) {
    const QString directory = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(directory))
        raiseError(ErrorNumber::PathFileAccess, QStringLiteral("PdfPrinter"),
                   QStringLiteral("cannot make the directory %1").arg(directory));
    writer_ = std::make_unique<QPdfWriter>(path);
    writer_->setResolution(kDotsPerInch);
    writer_->setCreator(QStringLiteral("Mailpiece"));
    painter_ = std::make_unique<QPainter>();
}

void PdfPrinter::closeWriter() {
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    writer_.reset();
}

void PdfPrinter::beginJob() {
    const QPageLayout layout(PaperSize().value_or(QPageSize(QPageSize::Letter)),
                             Orientation() == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF());
    if (single_ && painter_ && painter_->isActive()) {
        writer_->setPageLayout(layout);
        writer_->newPage();
        return;
    }
    ++jobNumber_;
    const QString path = single_ ? target_ : nextJobPath();
    openWriter(path);
    writer_->setPageLayout(layout);
    if (!painter_->begin(writer_.get()))
        raiseError(ErrorNumber::PathFileAccess, QStringLiteral("PdfPrinter"),
                   QStringLiteral("cannot write %1").arg(path));
    painter_->setRenderHint(QPainter::Antialiasing);
    if (!written_.contains(path))
        written_.append(path);
}

void PdfPrinter::draw(const PrinterOp& op) {
    op.paint(*painter_);
}

void PdfPrinter::endJob() {
    if (!single_)
        closeWriter();
}

} // namespace tav
