// The demo's printing: the print dialog, the preview, PDF files, the printer offsets and their
// calibration, each saying where the output went.

#include "cfg_lib.h"
#include "counted.h"
#include "demo_window.h"
#include "message_sink.h"
#include "page_playback.h"
#include "pdf_printer.h"
#include "printer_calibration_dialog.h"
#include "recording_printer.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

namespace {

QString sheets(std::size_t count) {
    return mailpiece::counted(static_cast<qint64>(count), "sheet", "sheets");
}

// What the pages are to a person: labels off a roll, or sheets, and the paper they go on.
QString printedPages(const std::vector<tav::PrintedPage>& pages, const QString& pieceName) {
    const auto count = static_cast<qint64>(pages.size());
    const QString what = tav::CfgLib::CatalogPaperType(pieceName) == tav::CfgLib::RollPaperType
                             ? mailpiece::counted(count, "label", "labels")
                             : mailpiece::counted(count, "sheet", "sheets");
    const QString paper =
        pages.front().paper ? pages.front().paper->name() : QStringLiteral("US Letter");
    return QStringLiteral("%1 on %2%3")
        .arg(what, paper,
             pages.front().quarterTurn ? QStringLiteral(", turned as the printer feeds them")
                                       : QString());
}

} // namespace

QString printDestination() {
    const tav::Printer& printer = tav::currentPrinter();
    if (const auto* pdf = dynamic_cast<const tav::PdfPrinter*>(&printer))
        return QStringLiteral("PDF files in %1").arg(QDir::toNativeSeparators(pdf->Port()));
    return QStringLiteral("the printer %1").arg(printer.DeviceName());
}

void DemoWindow::buildPrintMenu(QMenu* file) {
    file->addAction(QStringLiteral("&Print..."), QKeySequence::Print, this,
                    [this] { tav::reportingErrors([this] { printWithDialog(); }); });
    file->addAction(QStringLiteral("Print Pre&view..."), this,
                    [this] { tav::reportingErrors([this] { previewPrint(); }); });
    file->addAction(QStringLiteral("Print to P&DF..."), this, &DemoWindow::choosePdfFile);
    file->addSeparator();
    file->addAction(QStringLiteral("Print &All"), this, [this] {
        printDirect(
            QStringLiteral("Printed"), [this] { shown().PrintAll(); }, shown().sheetCount());
    });
    file->addAction(QStringLiteral("Print &Sheet"), this, [this] {
        printDirect(
            QStringLiteral("Printed"), [this] { shown().PrintSheet(); }, 1);
    });
    file->addAction(QStringLiteral("Print &Test Page"), this, [this] {
        printDirect(
            QStringLiteral("Printed the test page"), [this] { shown().PrintTest(); }, 0);
    });
}

std::vector<tav::PrintedPage> DemoWindow::recordSheets() {
    tav::RecordingPrinter recorder;
    shown().PrintAll(recorder);
    return recorder.jobs();
}

void DemoWindow::printDirect(const QString& what, const std::function<void()>& print, int count) {
    bool printed = false;
    runGuarded([&] {
        print();
        printed = true;
    });
    if (printed)
        statusBar()->showMessage(QStringLiteral("%1%2 on %3")
                                     .arg(what,
                                          count > 0 ? QLatin1Char(' ') + sheets(count) : QString(),
                                          printDestination()));
}

void DemoWindow::printWithDialog() {
    std::vector<tav::PrintedPage> pages = recordSheets();
    if (pages.empty()) {
        statusBar()->showMessage(QStringLiteral("Nothing to print: open a mailing first"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    tav::preparePaper(printer, pages.front());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print %1").arg(printedPages(pages, shown().PieceName())));
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintToFile |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, static_cast<int>(pages.size()));
    if (dialog.exec() != QDialog::Accepted)
        return;

    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (!toFile) {
        // A printer calibrated before prints with its own offsets.
        if (const auto kept = settings_.offsets(printer.printerName())) {
            applyOffsets(kept->first, kept->second);
            pages = recordSheets();
        }
    }
    std::vector<tav::PrintedPage> chosen;
    if (printer.printRange() == QPrinter::PageRange) {
        const int last = std::min(printer.toPage(), static_cast<int>(pages.size()));
        for (int page = std::max(printer.fromPage(), 1); page <= last; ++page)
            chosen.push_back(pages[static_cast<std::size_t>(page - 1)]);
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        chosen.push_back(pages.at(static_cast<std::size_t>(
            std::clamp(shown().currentSheet(), 1, static_cast<int>(pages.size())) - 1)));
    } else {
        chosen = pages;
    }
    // To a printer the pages go as the controls print them (a sheet a job, a roll's run one
    // job); to a file, one document.
    tav::printPages(chosen, printer, !toFile);
    statusBar()->showMessage(
        toFile ? QStringLiteral("Printed %1 to %2")
                     .arg(sheets(chosen.size()), QDir::toNativeSeparators(printer.outputFileName()))
               : QStringLiteral("Sent %1 to the printer %2")
                     .arg(sheets(chosen.size()), printer.printerName()));
}

void DemoWindow::previewPrint() {
    if (shown().pieceCount() == 0) {
        statusBar()->showMessage(QStringLiteral("Nothing to preview: open a mailing first"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Print Preview: %1").arg(sheets(shown().sheetCount())));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { tav::reportingErrors([&] { shown().PrintAll(*target); }); });
    preview.resize(std::max(width(), 1000), std::max(height(), 760));
    preview.exec();
}

void DemoWindow::choosePdfFile() {
    const QString folder =
        settings_.mailingFolder().isEmpty() ? QDir::homePath() : settings_.mailingFolder();
    const QString name =
        envelopesShown() ? QStringLiteral("envelopes.pdf") : QStringLiteral("labels.pdf");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Print to PDF"),
                                                      QDir(folder).filePath(name),
                                                      QStringLiteral("PDF documents (*.pdf)"));
    if (!path.isEmpty())
        printToPdf(path);
}

bool DemoWindow::printToPdf(const QString& path) {
    QString target = path;
    if (!target.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        target += QLatin1String(".pdf");
    bool printed = false;
    runGuarded([&] {
        auto pdf = tav::PdfPrinter::singleDocument(target);
        shown().PrintAll(*pdf);
        pdf->finish();
        printed = !pdf->writtenFiles().isEmpty();
    });
    statusBar()->showMessage(
        printed
            ? QStringLiteral("Printed %1 to %2")
                  .arg(sheets(static_cast<std::size_t>(shown().sheetCount())),
                       QDir::toNativeSeparators(target))
            : QStringLiteral("Nothing was printed to %1").arg(QDir::toNativeSeparators(target)));
    return printed;
}

void DemoWindow::applyOffsets(float top, float left) {
    // Both pages print on the same printer.
    for (tav::TavLabel* control : {label_, &mail_->TavLabel1()}) {
        control->setPrinterTop(top);
        control->setPrinterLeft(left);
    }
}

void DemoWindow::calibratePrinter() {
    const QString printer = tav::currentPrinter().DeviceName();
    tav::PrinterCalibrationDialog dialog(shown().PrinterTop(), shown().PrinterLeft(), printer,
                                         label_->CompanyName(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    runGuarded([&] {
        applyOffsets(dialog.printerTop(), dialog.printerLeft());
        settings_.setOffsets(printer, dialog.printerTop(), dialog.printerLeft());
        statusBar()->showMessage(QStringLiteral("Offsets for %1: top %2 in, left %3 in")
                                     .arg(printer)
                                     .arg(static_cast<double>(dialog.printerTop()))
                                     .arg(static_cast<double>(dialog.printerLeft())));
    });
}

void DemoWindow::editOffsets() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Printer Offsets"));
    auto* layout = new QFormLayout(&dialog);
    auto* top = new QDoubleSpinBox(&dialog);
    auto* left = new QDoubleSpinBox(&dialog);
    top->setRange(-8.75, 8.75);
    left->setRange(-6.75, 6.75);
    for (QDoubleSpinBox* box : {top, left}) {
        box->setDecimals(3);
        box->setSingleStep(0.0625);
        box->setSuffix(QStringLiteral(" in"));
    }
    top->setValue(shown().PrinterTop());
    left->setValue(shown().PrinterLeft());
    layout->addRow(QStringLiteral("Printer &top:"), top);
    layout->addRow(QStringLiteral("Printer &left:"), left);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return;
    runGuarded([&] {
        const auto topValue = static_cast<float>(top->value());
        const auto leftValue = static_cast<float>(left->value());
        applyOffsets(topValue, leftValue);
        settings_.setOffsets(tav::currentPrinter().DeviceName(), topValue, leftValue);
    });
}
