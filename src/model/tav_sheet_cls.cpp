#include "tav_sheet_cls.h"

namespace tav {

std::shared_ptr<TavSheetCls> TavSheetCls::Copy() const {
    auto copy = std::make_shared<TavSheetCls>();
    copy->assign(*this);
    return copy;
}

void TavSheetCls::assign(const TavSheetCls& other) {
    setHeight(other.Height());
    setMarginleft(other.Marginleft());
    setMarginTop(other.MarginTop());
    setNumAcross(other.NumAcross());
    setNumDown(other.NumDown());
    setOrientation(other.Orientation());
    setPieceHeight(other.PieceHeight());
    setPieceName(other.PieceName());
    setPieceRotation(other.PieceRotation());
    setPiecePitchAcross(other.PiecePitchAcross());
    setPiecePitchDown(other.PiecePitchDown());
    setPieceWidth(other.PieceWidth());
    setPrinterLeft(other.PrinterLeft());
    setPrinterTop(other.PrinterTop());
    setPrintFrom(other.PrintFrom());
    setPrintTo(other.PrintTo());
    setStartingPiece(other.StartingPiece());
    setWidth(other.Width());
}

} // namespace tav
