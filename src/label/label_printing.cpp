// Printing of the label control: one print job per sheet, at positions shifted by the printer
// offsets, on the current printer or on one the caller passes.

#include "cfg_lib.h"
#include "paint_device_printer.h"
#include "printer.h"
#include "printer_test_page.h"
#include "sheet_turn.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "units.h"

namespace tav {

namespace {

// Prints on `device` through `print` and ends the document; a failure leaves it unfinished.
template <typename Print> void printOnDevice(QPagedPaintDevice& device, Print print) {
    PaintDevicePrinter printer(device);
    print(printer);
    printer.finish();
}

} // namespace

Printer& TavLabel::printTarget() const {
    return d->printTarget_ != nullptr ? *d->printTarget_ : currentPrinter();
}

void TavLabel::printingOn(Printer& printer, const std::function<void()>& print) {
    const Restore<Printer*> target(d->printTarget_, d->printTarget_);
    d->printTarget_ = &printer;
    print();
}

void TavLabel::PrintAll() {
    PrintRange(0, 0);
}

void TavLabel::PrintAll(Printer& printer) {
    printingOn(printer, [this] { PrintAll(); });
}

void TavLabel::PrintAll(QPagedPaintDevice& device) {
    printOnDevice(device, [this](Printer& printer) { PrintAll(printer); });
}

void TavLabel::PrintRange(qint32 first, qint32 last) {
    d->rangeFirst_ = first;
    d->rangeLast_ = last;
    PrintMain();
}

void TavLabel::PrintMain() {
    const Restore<qint32> clearFirst(d->rangeFirst_, 0);
    const Restore<qint32> clearLast(d->rangeLast_, 0);
    // No pieces, no paper: a partly used first sheet is not printed blank.
    if (pieceCount() == 0 || d->rangeFirst_ > pieceCount())
        return;
    // A sheet without positions is the division error it always was; other unusable geometry
    // is refused naming its field.
    ComputeSheetPosition();
    if (const QString problem = designGeometryProblem(); !problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, QStringLiteral("TavLabel:PrintMain"),
                   problem);
    const qint32 last = LastPieceToPrint();
    const qint32 perSheet = SheetLayout::piecesPerSheet(*d->sheet_);
    // The sheets are walked by their own position; the current piece stays where it is, and
    // the position shown is that of the current piece again afterwards.
    struct ShowCurrent {
        TavLabel& label;
        ~ShowCurrent() {
            try {
                label.ComputeSheetPosition();
            } catch (...) {
                // The error that ended printing is the one the caller hears about.
            }
        }
    } showCurrent{*this};

    const auto positionOf = [this](qint32 piece) {
        return SheetLayout::computeSheetPosition(*d->sheet_, piece, pieceCount());
    };
    qint32 piece = std::max(d->rangeFirst_, 1);
    d->position_ = positionOf(piece);
    const qint32 firstSheet = d->position_.currentSheet;
    const qint32 lastSheet = positionOf(std::max(last, 1)).currentSheet;
    const qint32 total = std::max(0, lastSheet - firstSheet + 1);
    // A label printer's roll takes the whole run as one job, a page a label; sheets go a job each.
    const bool roll = CfgLib::CatalogPaperType(d->sheet_->PieceName()) == CfgLib::RollPaperType;
    if (roll)
        printTarget().setJobName(
            QStringLiteral("%1 labels %2 to %3").arg(mailingName()).arg(piece).arg(last));
    qint32 done = 0;
    qint32 noted = 0;
    do {
        if (d->position_.firstPieceOfSheet > last)
            break;
        printPositionSheet(roll ? SheetJob::PageOfRun : SheetJob::Own);
        emit printProgress(++done, std::max(total, done));
        noted = d->position_.currentSheet;
        piece = std::min(checkedAdd(piece, perSheet), pieceCount());
        d->position_ = positionOf(piece);
    } while (d->position_.currentSheet > noted);
    if (roll)
        printTarget().EndDoc();
}

void TavLabel::PrintSheet() {
    if (const QString problem = designGeometryProblem(); !problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, QStringLiteral("TavLabel:PrintSheet"),
                   problem);
    // The sheet that holds the current piece, whether or not the control was drawn since it
    // changed (a hidden control, or one fed with Refresh off).
    ComputeSheetPosition();
    printPositionSheet(SheetJob::Own);
    emit printProgress(1, 1);
}

void TavLabel::PrintSheet(Printer& printer) {
    printingOn(printer, [this] { PrintSheet(); });
}

void TavLabel::PrintSheet(QPagedPaintDevice& device) {
    printOnDevice(device, [this](Printer& printer) { PrintSheet(printer); });
}

QString TavLabel::mailingName() const {
    return d->mailingName_.isEmpty() ? QStringLiteral("Mailpiece") : d->mailingName_;
}

void TavLabel::printPositionSheet(SheetJob job) {
    const Restore<bool> stopPrinting(d->printing_, false);
    d->printing_ = true;
    if (const QString problem = designGeometryProblem(); !problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, QStringLiteral("TavLabel:PrintSheet"),
                   problem);
    d->sheet_->setPrinterTop(d->printerTop_);
    d->sheet_->setPrinterLeft(d->printerLeft_);
    Printer& printer = printTarget();
    printer.setOrientation(paperOrientation(*d->sheet_));
    printer.setQuarterTurn(d->sheet_->PieceRotation() == 90);
    printer.setPaperSize(SheetLayout::paperSize(*d->sheet_));
    if (job == SheetJob::Own)
        printer.setJobName(QStringLiteral("%1 sheet %2 of %3")
                               .arg(mailingName())
                               .arg(d->position_.currentSheet)
                               .arg(sheetCount()));
    try {
        printer.NewPage();                  // the next page of a run; nothing before a job's first
        printer.Print(QStringLiteral(" ")); // opens the job and its page
        PlaceSheet(999, *d->sheet_, nullptr);
    } catch (...) {
        printer.EndDoc(); // never leave a half-made job open for the next sheet to join
        throw;
    }
    if (job == SheetJob::Own)
        printer.EndDoc();
}

void TavLabel::PrintTest() {
    PrintTest(currentPrinter());
}

void TavLabel::PrintTest(Printer& printer) {
    printer.setPaperSize(std::nullopt); // the pattern is made for the device's paper
    printer.setQuarterTurn(false);
    PtrInfoMod::PrintTestPage(printer, d->printerTop_, d->printerLeft_, d->companyName_);
}

void TavLabel::PrintTest(QPagedPaintDevice& device) {
    printOnDevice(device, [this](Printer& printer) { PrintTest(printer); });
}

} // namespace tav
