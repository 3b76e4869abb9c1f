#include "recording_printer.h"

#include <QPainter>

namespace tav {

void RecordingPrinter::beginJob() {
    open_ = PrintedPage{JobName(), Orientation(), PaperSize(), {}};
}

void RecordingPrinter::draw(const PrinterOp& op) {
    open_.ops.push_back(op);
}

void RecordingPrinter::endJob() {
    jobs_.push_back(std::move(open_));
    open_ = {};
}

int RecordingPrinter::FontCount() const {
    return fonts_.isEmpty() ? Printer::FontCount() : static_cast<int>(fonts_.size());
}

QString RecordingPrinter::Fonts(int index) const {
    return fonts_.isEmpty() ? Printer::Fonts(index) : fonts_.value(index);
}

QImage RecordingPrinter::renderJob(std::size_t index, QSizeF pageSize, double dotsPerInch) const {
    QImage image(qRound(pageSize.width() * dotsPerInch), qRound(pageSize.height() * dotsPerInch),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dotsPerInch / 1440.0, dotsPerInch / 1440.0);
    for (const PrinterOp& op : jobs_.at(index).ops)
        op.paint(painter);
    return image;
}

} // namespace tav
