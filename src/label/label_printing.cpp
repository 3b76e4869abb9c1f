// Printing of the label control: one print job per sheet, at positions shifted by the printer
// offsets.

#include "printer.h"
#include "printer_test_page.h"
#include "sheet_limits.h"
#include "tav_label.h"
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
    rangeFirst_ = first;
    rangeLast_ = last;
    PrintMain();
}

void TavLabel::PrintMain() {
    const Restore<qint32> clearFirst(rangeFirst_, 0);
    const Restore<qint32> clearLast(rangeLast_, 0);
    // No pieces, no paper: a partly used first sheet is not printed blank.
    if (pieceCount() == 0 || rangeFirst_ > pieceCount())
        return;
    checkSheetGeometry(*sheet_, QStringLiteral("TavLabel:PrintMain"), QStringLiteral("the sheet"));
    const qint32 last = LastPieceToPrint();
    const qint32 perSheet = SheetLayout::piecesPerSheet(*sheet_);

    const qint32 remembered = currentPiece_;
    struct RestoreCurrent {
        TavLabel& label;
        qint32 piece;
        ~RestoreCurrent() {
            label.currentPiece_ = piece;
            try {
                label.ComputeSheetPosition();
            } catch (...) {
                // The error that ended printing is the one the caller hears about.
            }
        }
    } restoreCurrent{*this, remembered};

    currentPiece_ = std::max(rangeFirst_, 1);
    ComputeSheetPosition();
    const qint32 firstSheet = position_.currentSheet;
    const qint32 lastSheet =
        SheetLayout::computeSheetPosition(*sheet_, std::max(last, 1), pieceCount()).currentSheet;
    const qint32 total = std::max(0, lastSheet - firstSheet + 1);
    qint32 done = 0;
    qint32 noted = 0;
    do {
        if (position_.firstPieceOfSheet > last)
            break;
        PrintSheet();
        emit printProgress(++done, std::max(total, done));
        noted = position_.currentSheet;
        currentPiece_ = std::min(checkedAdd(currentPiece_, perSheet), pieceCount());
        ComputeSheetPosition();
    } while (position_.currentSheet > noted);
}

void TavLabel::PrintSheet() {
    const Restore<bool> stopPrinting(printing_, false);
    printing_ = true;
    if (sheet_->PieceHeight() <= 0 || sheet_->PieceWidth() <= 0)
        return;
    checkSheetGeometry(*sheet_, QStringLiteral("TavLabel:PrintSheet"), QStringLiteral("the sheet"));
    // The sheet that holds the current piece, whether or not the control was drawn since it
    // changed (a hidden control, or one fed with Refresh off).
    ComputeSheetPosition();
    sheet_->setPrinterTop(printerTop_);
    sheet_->setPrinterLeft(printerLeft_);
    Printer& printer = currentPrinter();
    printer.setOrientation(sheet_->Orientation());
    printer.setPaperSize(SheetLayout::paperSize(*sheet_));
    try {
        printer.Print(QStringLiteral(" ")); // opens the job and its page
        PlaceSheet(999, *sheet_, nullptr);
    } catch (...) {
        printer.EndDoc(); // never leave a half-made job open for the next sheet to join
        throw;
    }
    printer.EndDoc();
}

void TavLabel::PrintTest() {
    currentPrinter().setPaperSize(std::nullopt); // the pattern is made for the device's paper
    PtrInfoMod::PrintTestPage(printerTop_, printerLeft_, companyName_);
}

} // namespace tav
