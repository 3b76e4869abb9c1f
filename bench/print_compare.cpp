// The cost of printing through the label control, against a bare QPdfWriter program that draws
// the same text, boxes and bars. Run under callgrind by bench/compare-print.sh, which counts the
// instructions of printJob() alone in each mode: counts do not depend on the machine's load.
//
//   mailpiece_print_compare library|bare SHEETS

#include "address_mailing.h"
#include "pdf_printer.h"
#include "recording_printer.h"
#include "tav_label.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kPiecesPerSheet = 30;

// What is measured: the whole mailing through the control onto one PDF document.
[[gnu::noinline]] void printJob(tav::TavLabel& label, tav::PdfPrinter& pdf) {
    label.PrintAll();
    pdf.finish();
}

// What is measured: the same operations drawn straight with QPainter, each font made once, as
// a hand-written program would.
[[gnu::noinline]] void printJob(const std::vector<tav::PrintedPage>& pages, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(1440);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    QHash<QString, QFont> fonts;
    bool first = true;
    for (const tav::PrintedPage& page : pages) {
        if (!first)
            writer.newPage();
        first = false;
        for (const tav::PrinterOp& op : page.ops) {
            switch (op.kind) {
            case tav::PrinterOp::Text: {
                const QString key = op.font.name + QString::number(op.font.size);
                auto font = fonts.find(key);
                if (font == fonts.end())
                    font = fonts.insert(key, op.font.toQFont());
                painter.setFont(*font);
                painter.setPen(Qt::black);
                painter.drawText(QPointF(op.x1, op.y1 + QFontMetricsF(*font).ascent()), op.text);
                break;
            }
            case tav::PrinterOp::Box:
                painter.setPen(Qt::NoPen);
                painter.setBrush(op.filled ? QColor(Qt::black) : QColor(Qt::white));
                painter.drawRect(QRectF(op.x1, op.y1, op.x2, op.y2));
                break;
            case tav::PrinterOp::Line:
                painter.setPen(QPen(Qt::black, 4));
                painter.drawLine(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2));
                break;
            case tav::PrinterOp::Picture:
                painter.drawImage(QRectF(op.x1, op.y1, op.x2, op.y2), op.image);
                break;
            case tav::PrinterOp::Boxes:
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(Qt::black));
                painter.drawRects(op.boxes.data(), static_cast<int>(op.boxes.size()));
                break;
            }
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool library = argc > 1 && std::strcmp(argv[1], "library") == 0;
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    const int sheets = argc > 2 ? std::atoi(argv[2]) : 0;
    if ((!library && !bare) || sheets < 1) {
        std::fprintf(stderr, "usage: mailpiece_print_compare library|bare SHEETS\n");
        return 2;
    }
    QTemporaryDir dir;
    tav::TavLabel label;
    bench::addAddressMailing(label, sheets * kPiecesPerSheet);
    const QString path = dir.filePath(QStringLiteral("run.pdf"));
    // Both modes print once onto a recording first, so that loading fonts is not measured.
    const auto recording = std::make_shared<tav::RecordingPrinter>();
    tav::setCurrentPrinter(recording);
    label.PrintAll();
    if (library) {
        const auto pdf = tav::PdfPrinter::singleDocument(path);
        tav::setCurrentPrinter(pdf);
        printJob(label, *pdf);
    } else {
        printJob(recording->jobs(), path);
    }
    std::printf("%s: %d sheets, %lld bytes of PDF\n", library ? "library" : "bare", sheets,
                static_cast<long long>(QFileInfo(path).size()));
    return 0;
}
