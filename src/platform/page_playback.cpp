#include "page_playback.h"

#include "tav_error.h"

#include <QPainter>
#include <QPrinter>

namespace tav {

namespace {

const QString kSource = QStringLiteral("printPages");

// Device units to twips: the pages' operations are in twips from the paper's corner, turned
// onto it when the page was.
void useTwips(QPainter& painter, const QPrinter& printer, const PrintedPage& page) {
    const double scale = printer.resolution() / 1440.0;
    painter.resetTransform();
    painter.scale(scale, scale);
    if (page.quarterTurn)
        turnQuarter(painter, printer.pageLayout().fullRectPoints().width() * 20.0);
    painter.setRenderHint(QPainter::Antialiasing);
}

void paintOps(QPainter& painter, const PrintedPage& page) {
    for (const PrinterOp& op : page.ops)
        op.paint(painter);
}

void beginOn(QPainter& painter, QPrinter& printer) {
    if (!painter.begin(&printer))
        raiseError(ErrorNumber::DeviceIO, kSource,
                   QStringLiteral("cannot start printing on %1")
                       .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                               : printer.outputFileName()));
}

} // namespace

void preparePaper(QPrinter& printer, const PrintedPage& page) {
    printer.setFullPage(true);
    printer.setPageSize(page.paper.value_or(QPageSize(QPageSize::Letter)));
    printer.setPageOrientation(page.orientation == 2 ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
}

void printPages(const std::vector<PrintedPage>& pages, QPrinter& printer, bool asJobs) {
    QPainter painter;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const PrintedPage& page = pages[i];
        if (i == 0 || (asJobs && page.pageOfJob == 1)) {
            if (painter.isActive())
                painter.end();
            preparePaper(printer, page);
            printer.setDocName(page.jobName);
            beginOn(painter, printer);
        } else {
            // A page on other paper sets it before it begins (a preview and a printer keep the
            // first page's paper: only a PDF file may change it while it is being written).
            const PrintedPage& before = pages[i - 1];
            if (page.paper != before.paper || page.orientation != before.orientation)
                preparePaper(printer, page);
            printer.newPage();
        }
        useTwips(painter, printer, page);
        paintOps(painter, page);
    }
    if (painter.isActive())
        painter.end();
}

} // namespace tav
