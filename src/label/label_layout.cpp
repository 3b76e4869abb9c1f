// The sheet layout walk of the label control: which piece stands where, and how each position
// is drawn into a view's recording or printed.

#include "piece_renderer.h"
#include "printer.h"
#include "sheet_limits.h"
#include "tav_barcode.h"
#include "tav_item.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "tav_meta_cls.h"
#include "tav_piece.h"
#include "units.h"

#include <QComboBox>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavLabel:PlacePiece");

constexpr OleColor kCurrentPiece = 0xFFFFFF;
constexpr OleColor kOtherPiece = 0xC0C0C0;
constexpr OleColor kCurrentOutsideRange = 0xA0A0A0;
constexpr OleColor kOtherOutsideRange = 0x808080;
constexpr OleColor kEmptyPosition = 0x808080;

// Gives `item` the record's look and box (twips), the piece's substitution list and the size
// its text may shrink to (0: none).
void loadItemRecord(TavItem& item, const TavItemCls& record, const QString& substituteText,
                    double fitMinimum) {
    item.setDontPaint(true);
    item.loadRecord(record);
    item.setTextSubstitute(substituteText);
    item.setFitMinimum(fitMinimum);
    item.setTwipsGeometry(
        inchesToTwips(record.Left1(), kSource), inchesToTwips(record.Top(), kSource),
        inchesToTwips(record.Width(), kSource), inchesToTwips(record.Height(), kSource));
    item.setDontPaint(false);
}

} // namespace

QString TavLabel::designGeometryProblem() const {
    if (const QString problem = sheetGeometryProblem(*d->sheet_); !problem.isEmpty())
        return QStringLiteral("the sheet: ") + problem;
    for (std::size_t i = 0; i < d->items_.size(); ++i) {
        const TavItemCls& item = *d->items_[i];
        const QString problem = item.Visible() ? boxGeometryProblem(item.Left1(), item.Top(),
                                                                    item.Width(), item.Height())
                                               : QString();
        if (!problem.isEmpty())
            return QStringLiteral("item %1: %2").arg(i + 1).arg(problem);
    }
    const TavBarCodeCls& bars = *d->barCode_;
    const QString problem =
        bars.Visible() ? boxGeometryProblem(bars.Left1(), bars.Top(), bars.Width(), bars.Height())
                       : QString();
    return problem.isEmpty() ? problem : QStringLiteral("the bar code: ") + problem;
}

void TavLabel::ComputeSheetPosition() {
    d->position_ = SheetLayout::computeSheetPosition(*d->sheet_, d->currentPiece_, pieceCount());
}

qint32 TavLabel::LastPieceToPrint() const {
    return SheetLayout::lastPieceToPrint(d->rangeFirst_, d->rangeLast_, pieceCount());
}

PieceRenderer TavLabel::pieceRenderer(bool forPaper) const {
    return PieceRenderer(d->items_, *d->barCode_, d->fitText_ ? d->minimumFontSize_ : 0,
                         d->printWhiteBacks_, forPaper);
}

void TavLabel::PlaceSheet(qint32 mode, TavSheetCls& sheet, TavMetaCls* target) {
    if (mode < 1)
        return;
    // One renderer for the sheet: the design's boxes are turned into twips once.
    const PieceRenderer renderer = pieceRenderer(d->printing_ && target == nullptr);
    const Restore<const PieceRenderer*> forget(d->sheetRenderer_, nullptr);
    d->sheetRenderer_ = &renderer;
    qint32 pieceNumber = d->position_.firstPieceOfSheet - 1;
    for (qint32 row = 1; row <= sheet.NumDown(); ++row) {
        for (qint32 column = 1; column <= sheet.NumAcross(); ++column) {
            pieceNumber = checkedAdd(pieceNumber, 1, kSource);
            PlacePiece(mode - 1, SheetLayout::positionRectangle(sheet, row, column), pieceNumber,
                       target);
        }
    }
}

void TavLabel::PlacePiece(qint32 mode, const PortProperties& rectangle, qint32 pieceNumber,
                          TavMetaCls* target) {
    if (rectangle.Top < 0 || rectangle.Left1 < 0 || rectangle.Top > rectangle.ClipBottom ||
        rectangle.Left1 > rectangle.ClipRight)
        return; // the position lies off the sheet
    // A view records; only printing, which passes no recording, prints.
    const bool printing = d->printing_ && target == nullptr;
    std::optional<PieceRenderer> own;
    if (d->sheetRenderer_ == nullptr)
        own.emplace(pieceRenderer(printing));
    const PieceRenderer& renderer = own ? *own : *d->sheetRenderer_;
    const PieceLook look{d->piece_->ForeColor(), d->piece_->BorderStyle() == 1,
                         d->piece_->Picture().get()};
    const QSize size(rectangle.Width, rectangle.Height);
    const PieceRecord record = FindPiece(pieceNumber);

    if (!printing) {
        MarkPiece(rectangle, pieceNumber, record.found);
        if (target == nullptr)
            return;
        const bool texts = record.found && mode >= TavPiece::SheetWithTexts;
        renderer.record(*target, texts ? &record : nullptr, look, size, rectangle.Left1,
                        rectangle.Top, positionColor(pieceNumber, record.found));
        return;
    }
    if (!record.found)
        return;
    // The offsets are measured on the printer's paper: turned pieces take them turned.
    const bool turned = d->sheet_->PieceRotation() == 90;
    const float across = turned ? d->printerTop_ : d->printerLeft_;
    const float down = turned ? -d->printerLeft_ : d->printerTop_;
    const qint32 x = checkedAdd(inchesToTwips(across, kSource), rectangle.Left1, kSource);
    const qint32 y = checkedAdd(inchesToTwips(down, kSource), rectangle.Top, kSource);
    renderer.print(printTarget(), record, look, size, std::max(x, 0), std::max(y, 0),
                   positionColor(pieceNumber, true));
}

OleColor TavLabel::positionColor(qint32 pieceNumber, bool found) const {
    if (!found)
        return kEmptyPosition;
    const bool current = pieceNumber == d->currentPiece_;
    const bool inRange = pieceNumber >= d->rangeFirst_ && pieceNumber <= LastPieceToPrint();
    if (inRange)
        return current ? kCurrentPiece : kOtherPiece;
    return current ? kCurrentOutsideRange : kOtherOutsideRange;
}

void TavLabel::MarkPiece(const PortProperties&, qint32 pieceNumber, bool found) {
    d->piece_->setBackColor(positionColor(pieceNumber, found));
    if (!found)
        d->piece_->setDepth(TavPiece::EmptyPosition);
}

void TavLabel::DrawSheetView(TavPort& port, TavSheetCls& sheet) {
    if (!d->refresh_ || sheet.PieceHeight() <= 0 || sheet.PieceWidth() <= 0)
        return;
    ComputeSheetPosition();
    port.InitPort(inchesToTwips(sheet.Height(), kSource), inchesToTwips(sheet.Width(), kSource));
    TavMetaCls* recording = port.PortMetaInstance();
    sheet.setPrinterTop(0);
    sheet.setPrinterLeft(0);
    // Pieces on the sheet view are outlined.
    const qint16 border = d->piece_->BorderStyle();
    d->piece_->setBorderStyle(1);
    try {
        PlaceSheet(d->viewList_->currentIndex() == TavEnumCls::TavShowSheet ? 3 : 2, sheet,
                   recording);
    } catch (...) {
        d->piece_->setBorderStyle(border);
        throw;
    }
    d->piece_->setBorderStyle(border);
    port.ShowIt();
}

void TavLabel::DrawPieceView(TavPort& port, TavSheetCls& sheet) {
    if (!d->refresh_ || sheet.PieceHeight() <= 0 || sheet.PieceWidth() <= 0)
        return;
    ComputeSheetPosition();
    // One screen pixel more than the piece, so that its right and bottom edges show too.
    constexpr qint32 kEdge = 15;
    port.InitPort(checkedAdd(inchesToTwips(sheet.PieceHeight(), kSource), kEdge, kSource),
                  checkedAdd(inchesToTwips(sheet.PieceWidth(), kSource), kEdge, kSource));
    PortProperties rectangle;
    rectangle.ClipRight = inchesToTwips(sheet.Width(), kSource);
    rectangle.ClipBottom = inchesToTwips(sheet.Height(), kSource);
    rectangle.Height = inchesToTwips(sheet.PieceHeight(), kSource);
    rectangle.Width = inchesToTwips(sheet.PieceWidth(), kSource);
    PlacePiece(TavPiece::PieceView, rectangle, d->currentPiece_, port.PortMetaInstance());
    port.ShowIt();
}

void TavLabel::LoadPieceIntoItems(const QString& substituteText, const QString& barCodeValue,
                                  const QString&) {
    // The carrier route of a stored piece is not shown anywhere.
    const bool whiteBacks = d->printing_ && d->printWhiteBacks_;
    for (std::size_t i = 0; i < d->itemControls_.size(); ++i) {
        const TavItemCls& record = *d->items_[i];
        TavItem& item = *d->itemControls_[i];
        item.setVisible(record.Visible());
        if (!record.Visible())
            continue;
        loadItemRecord(item, record, substituteText, d->fitText_ ? d->minimumFontSize_ : 0);
        if (whiteBacks)
            item.setBackColor(OleColors::White);
    }
    const TavBarCodeCls& barCode = *d->barCode_;
    d->barcodeControl_->setDontPaint(true);
    d->barcodeControl_->setVisible(barCode.Visible());
    d->barcodeControl_->setSymbology(static_cast<qint16>(barCode.Symbology()));
    d->barcodeControl_->setCaption(barCodeValue);
    d->barcodeControl_->setBarCode(barCodeValue);
    d->barcodeControl_->setTwipsGeometry(
        inchesToTwips(barCode.Left1(), kSource), inchesToTwips(barCode.Top(), kSource),
        inchesToTwips(barCode.Width(), kSource), inchesToTwips(barCode.Height(), kSource));
    d->barcodeControl_->setBackColor(whiteBacks ? OleColors::White : barCode.BackColor());
}

} // namespace tav
