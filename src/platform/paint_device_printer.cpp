#include "paint_device_printer.h"

#include "tav_error.h"

#include <QPagedPaintDevice>
#include <QPrinter>

namespace tav {

namespace {
const QString kSource = QStringLiteral("PaintDevicePrinter");
} // namespace

PaintDevicePrinter::PaintDevicePrinter(QPagedPaintDevice& device)
    : device_(device) {
}

PaintDevicePrinter::~PaintDevicePrinter() {
    if (painter_.isActive())
        painter_.end();
}

QString PaintDevicePrinter::DeviceName() const {
    const auto* printer = dynamic_cast<const QPrinter*>(&device_);
    if (printer == nullptr)
        return QStringLiteral("document");
    return printer->outputFileName().isEmpty() ? printer->printerName() : printer->outputFileName();
}

qint16 PaintDevicePrinter::PrintQuality() const {
    return static_cast<qint16>(device_.logicalDpiX());
}

void PaintDevicePrinter::preparePage() {
    if (auto* printer = dynamic_cast<QPrinter*>(&device_))
        printer->setFullPage(true); // twip (0, 0) is the paper's corner
    else
        device_.setPageMargins(QMarginsF());
    device_.setPageSize(PaperSize().value_or(QPageSize(QPageSize::Letter)));
    device_.setPageOrientation(Orientation() == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PaintDevicePrinter::beginJob() {
    // A device that is printing keeps the first page's paper; a PDF document may change it.
    if (!painter_.isActive()) {
        preparePage();
        if (!painter_.begin(&device_))
            raiseError(ErrorNumber::DeviceIO, kSource,
                       QStringLiteral("cannot start printing on %1").arg(DeviceName()));
        painter_.setRenderHint(QPainter::Antialiasing);
        scaleToTwips();
    } else {
        beginPage();
    }
}

void PaintDevicePrinter::beginPage() {
    preparePage();
    device_.newPage();
    scaleToTwips();
}

// Device dots to twips: the operations are in twips from the paper's corner.
void PaintDevicePrinter::scaleToTwips() {
    painter_.resetTransform();
    painter_.scale(device_.logicalDpiX() / 1440.0, device_.logicalDpiY() / 1440.0);
    turnOntoPaper(painter_, device_.pageLayout().fullRectPoints().width() * 20.0);
}

void PaintDevicePrinter::draw(const PrinterOp& op) {
    op.paint(painter_);
}

void PaintDevicePrinter::finish() {
    if (painter_.isActive() && !painter_.end())
        raiseError(ErrorNumber::DeviceIO, kSource,
                   QStringLiteral("%1 could not be written").arg(DeviceName()));
}

} // namespace tav
