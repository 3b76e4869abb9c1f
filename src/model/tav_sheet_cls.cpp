#include "tav_sheet_cls.h"

namespace tav {

std::shared_ptr<TavSheetCls> TavSheetCls::Copy() const {
    auto copy = std::make_shared<TavSheetCls>();
    copy->setHeight(Height());
    copy->setMarginleft(Marginleft());
    copy->setMarginTop(MarginTop());
    copy->setNumAcross(NumAcross());
    copy->setNumDown(NumDown());
    copy->setOrientation(Orientation());
    copy->setPieceHeight(PieceHeight());
    copy->setPieceName(PieceName());
    copy->setPiecePitchAcross(PiecePitchAcross());
    copy->setPiecePitchDown(PiecePitchDown());
    copy->setPieceWidth(PieceWidth());
    copy->setPrinterLeft(PrinterLeft());
    copy->setPrinterTop(PrinterTop());
    copy->setPrintFrom(PrintFrom());
    copy->setPrintTo(PrintTo());
    copy->setStartingPiece(StartingPiece());
    copy->setWidth(Width());
    return copy;
}

} // namespace tav
