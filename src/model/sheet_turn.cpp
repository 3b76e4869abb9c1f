#include "sheet_turn.h"

#include "tav_sheet_cls.h"

namespace tav {

namespace {

// How far the grid reaches past its margin: the last piece's far edge.
float gridExtent(qint16 count, float pitch, float size) {
    return static_cast<float>(count - 1) * pitch + size;
}

qint16 otherOrientation(qint16 orientation) {
    return orientation == 1 ? 2 : orientation == 2 ? 1 : orientation;
}

} // namespace

void turnSheet(TavSheetCls& sheet, qint16 rotation) {
    const bool turned = sheet.PieceRotation() == 90;
    if ((rotation == 90) == turned) {
        sheet.setPieceRotation(rotation);
        return;
    }
    // A quarter turn clockwise onto the paper: the reader's x runs down the paper, the reader's
    // y runs from the paper's right edge to its left. Turning back is the same swap with the
    // reader's far margin taken from the other side.
    const float width = sheet.Width();
    const float height = sheet.Height();
    const float left = sheet.Marginleft();
    const float top = sheet.MarginTop();
    const float newTop =
        turned ? left
               : width - left -
                     gridExtent(sheet.NumAcross(), sheet.PiecePitchAcross(), sheet.PieceWidth());
    const float newLeft =
        turned ? height - top -
                     gridExtent(sheet.NumDown(), sheet.PiecePitchDown(), sheet.PieceHeight())
               : top;
    const qint16 across = sheet.NumAcross();
    const float pitchAcross = sheet.PiecePitchAcross();
    const float pieceWidth = sheet.PieceWidth();
    sheet.setWidth(height);
    sheet.setHeight(width);
    sheet.setMarginleft(newLeft);
    sheet.setMarginTop(newTop);
    sheet.setNumAcross(sheet.NumDown());
    sheet.setNumDown(across);
    sheet.setPiecePitchAcross(sheet.PiecePitchDown());
    sheet.setPiecePitchDown(pitchAcross);
    sheet.setPieceWidth(sheet.PieceHeight());
    sheet.setPieceHeight(pieceWidth);
    sheet.setOrientation(otherOrientation(sheet.Orientation()));
    sheet.setPieceRotation(rotation);
}

qint16 paperOrientation(const TavSheetCls& sheet) {
    return sheet.PieceRotation() == 90 ? otherOrientation(sheet.Orientation())
                                       : sheet.Orientation();
}

} // namespace tav
