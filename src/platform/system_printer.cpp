#include "system_printer.h"

#include "tav_error.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace tav {

namespace {

// Qt's key for the CUPS options of a job (QPrintEngine's PPK_CupsOptions): name, value, ...
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

SystemPrinter::SystemPrinter(const QString& name)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , painter_(std::make_unique<QPainter>()) {
    printer_->setPrinterName(name.isEmpty() ? QPrinterInfo::defaultPrinterName() : name);
    printer_->setFullPage(true);
}

SystemPrinter::~SystemPrinter() {
    if (painter_->isActive())
        painter_->end();
}

QString SystemPrinter::DeviceName() const {
    return printer_->printerName();
}

QString SystemPrinter::Port() const {
    const QString location = QPrinterInfo::printerInfo(printer_->printerName()).location();
    return location.isEmpty() ? printer_->printerName() : location;
}

qint16 SystemPrinter::ColorMode() const {
    return printer_->colorMode() == QPrinter::Color ? 2 : 1;
}

qint16 SystemPrinter::PrintQuality() const {
    return static_cast<qint16>(printer_->resolution());
}

void SystemPrinter::preparePage() {
    if (const std::optional<QPageSize> paper = PaperSize())
        printer_->setPageSize(*paper);
    printer_->setPageOrientation(Orientation() == 2 ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait);
}

void SystemPrinter::beginJob() {
    preparePage();
    printer_->setCopyCount(Copies());
    printer_->setDocName(JobName());
    // The page is the paper asked for: never shrunk to fit the queue's default paper.
    printer_->printEngine()->setProperty(
        kCupsOptions, QStringList{QStringLiteral("print-scaling"), QStringLiteral("none")});
    if (!painter_->begin(printer_.get()))
        raiseError(ErrorNumber::DeviceIO, QStringLiteral("SystemPrinter"),
                   QStringLiteral("cannot start a print job on %1").arg(printer_->printerName()));
    painter_->setRenderHint(QPainter::Antialiasing);
    scaleToTwips();
}

void SystemPrinter::beginPage() {
    preparePage();
    printer_->newPage();
    scaleToTwips();
}

// Full-page device units to twips.
void SystemPrinter::scaleToTwips() {
    const double scale = printer_->resolution() / 1440.0;
    painter_->resetTransform();
    painter_->scale(scale, scale);
    turnOntoPaper(*painter_, printer_->pageLayout().fullRectPoints().width() * 20.0);
}

void SystemPrinter::draw(const PrinterOp& op) {
    op.paint(*painter_);
}

void SystemPrinter::endJob() {
    const bool ended = painter_->end();
    // Qt hands the finished job to CUPS in this thread and keeps quiet about the answer; the
    // scheduler's status of that request (a queue that rejects jobs, a scheduler gone) says
    // whether the sheet is queued.
    const ipp_status_t status = cupsLastError();
    if (!ended || status > IPP_STATUS_OK_EVENTS_COMPLETE)
        raiseError(ErrorNumber::DeviceIO, QStringLiteral("SystemPrinter"),
                   QStringLiteral("the printer %1 did not take the job \"%2\": %3")
                       .arg(printer_->printerName(), JobName(),
                            ended ? QString::fromUtf8(cupsLastErrorString())
                                  : QStringLiteral("the job could not be finished")));
}

} // namespace tav
