#include "recording_printer.h"

#include <QPainter>

#include <iterator>

namespace tav {

void RecordingPrinter::beginJob() {
    open_.clear();
    beginPage();
}

void RecordingPrinter::beginPage() {
    open_.push_back(PrintedPage{JobName(),
                                Orientation(),
                                PaperSize(),
                                {},
                                QuarterTurn(),
                                static_cast<int>(open_.size()) + 1});
}

void RecordingPrinter::draw(const PrinterOp& op) {
    open_.back().ops.push_back(op);
}

void RecordingPrinter::endJob() {
    std::move(open_.begin(), open_.end(), std::back_inserter(jobs_));
    open_.clear();
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
    const PrintedPage& page = jobs_.at(index);
    if (page.quarterTurn)
        turnQuarter(painter, pageSize.width() * 1440.0);
    for (const PrinterOp& op : page.ops)
        op.paint(painter);
    return image;
}

} // namespace tav
