// Printing of the label control: one print job per sheet, at positions shifted by the printer
// offsets.

#include "printer.h"
#include "printer_test_page.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "units.h"

namespace tav {

namespace {

// Restores a value when the scope ends, also when printing fails half-way.
template <typename T> class Restore {
public:
    Restore(T& place, T value)
        : place_(place)
        , value_(value) {}
    ~Restore() { place_ = value_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& place_;
    T value_;
};

} // namespace

void TavLabel::PrintAll() {
    PrintRange(0, 0);
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

    const qint32 remembered = d->currentPiece_;
    struct RestoreCurrent {
        TavLabel& label;
        qint32 piece;
        ~RestoreCurrent() {
            label.d->currentPiece_ = piece;
            try {
                label.ComputeSheetPosition();
            } catch (...) {
                // The error that ended printing is the one the caller hears about.
            }
        }
    } restoreCurrent{*this, remembered};

    d->currentPiece_ = std::max(d->rangeFirst_, 1);
    ComputeSheetPosition();
    const qint32 firstSheet = d->position_.currentSheet;
    const qint32 lastSheet =
        SheetLayout::computeSheetPosition(*d->sheet_, std::max(last, 1), pieceCount()).currentSheet;
    const qint32 total = std::max(0, lastSheet - firstSheet + 1);
    qint32 done = 0;
    qint32 noted = 0;
    do {
        if (d->position_.firstPieceOfSheet > last)
            break;
        PrintSheet();
        emit printProgress(++done, std::max(total, done));
        noted = d->position_.currentSheet;
        d->currentPiece_ = std::min(checkedAdd(d->currentPiece_, perSheet), pieceCount());
        ComputeSheetPosition();
    } while (d->position_.currentSheet > noted);
}

void TavLabel::PrintSheet() {
    const Restore<bool> stopPrinting(d->printing_, false);
    d->printing_ = true;
    if (const QString problem = designGeometryProblem(); !problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue, QStringLiteral("TavLabel:PrintSheet"),
                   problem);
    // The sheet that holds the current piece, whether or not the control was drawn since it
    // changed (a hidden control, or one fed with Refresh off).
    ComputeSheetPosition();
    d->sheet_->setPrinterTop(d->printerTop_);
    d->sheet_->setPrinterLeft(d->printerLeft_);
    Printer& printer = currentPrinter();
    printer.setOrientation(d->sheet_->Orientation());
    printer.setPaperSize(SheetLayout::paperSize(*d->sheet_));
    printer.setJobName(
        QStringLiteral("%1 sheet %2 of %3")
            .arg(d->mailingName_.isEmpty() ? QStringLiteral("Mailpiece") : d->mailingName_)
            .arg(d->position_.currentSheet)
            .arg(sheetCount()));
    try {
        printer.Print(QStringLiteral(" ")); // opens the job and its page
        PlaceSheet(999, *d->sheet_, nullptr);
    } catch (...) {
        printer.EndDoc(); // never leave a half-made job open for the next sheet to join
        throw;
    }
    printer.EndDoc();
}

void TavLabel::PrintTest() {
    currentPrinter().setPaperSize(std::nullopt); // the pattern is made for the device's paper
    PtrInfoMod::PrintTestPage(d->printerTop_, d->printerLeft_, d->companyName_);
}

} // namespace tav
