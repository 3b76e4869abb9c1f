#include "piece_definition.h"

#include "cfg_lib.h"
#include "sheet_limits.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

namespace tav::eLabel {

namespace {

// Item positions are computed in double precision and stored in the records' single precision.
void place(TavItemCls& item, double top, double left, double width, double height) {
    item.setTop(static_cast<float>(top));
    item.setLeft1(static_cast<float>(left));
    item.setWidth(static_cast<float>(width));
    item.setHeight(static_cast<float>(height));
}

const QString kApplySource = QStringLiteral("eLabel:ApplyPieceDefinition");

QString pieceDescription(const TavSheetCls& sheet) {
    return QStringLiteral("the catalogue's piece \"%1\"").arg(sheet.PieceName());
}

// The sheet's piece from the catalogue, or the envelope for a name the catalogue does not hold.
// An entry that is there but gives no pieces across is damaged, not unknown: error 380.
void applySheetOrDefault(TavSheetCls& sheet) {
    CfgLib::ApplySheetDefinition(CfgLib::CatalogPath(), sheet);
    if (sheet.NumAcross() < 1) {
        const bool listed = sheet.Width() != 0 || sheet.Height() != 0 || sheet.PieceWidth() != 0 ||
                            sheet.PieceHeight() != 0;
        if (listed)
            checkSheetGeometry(sheet, kApplySource, pieceDescription(sheet));
        sheet.setPieceName(QString::fromLatin1(DefaultPieceName));
        CfgLib::ApplySheetDefinition(CfgLib::CatalogPath(), sheet);
    }
}

} // namespace

void ApplyPieceDefinition(TavSheetCls& sheet, const ItemRecords& items, TavBarCodeCls& barCode) {
    // A damaged catalogue entry must not reach the sheet: it is tried on a copy first. Without a
    // catalogue (reported as it is read) the sheet reads as zeros.
    const auto trial = sheet.Copy();
    applySheetOrDefault(*trial);
    if (trial->NumAcross() >= 1)
        checkSheetGeometry(*trial, kApplySource, pieceDescription(*trial));
    sheet.assign(*trial);
    SetSheetOrientation(sheet);
    ApplyDefaultItemLayout(sheet, items, barCode);
}

void SetSheetOrientation(TavSheetCls& sheet) {
    const float across = static_cast<float>(sheet.NumAcross() - 1) * sheet.PiecePitchAcross() +
                         sheet.Marginleft() + sheet.PieceWidth();
    const float down = static_cast<float>(sheet.NumDown() - 1) * sheet.PiecePitchDown() +
                       sheet.MarginTop() + sheet.PieceHeight();
    sheet.setOrientation(across <= down ? 1 : 2);
}

void ApplyDefaultItemLayout(const TavSheetCls& sheet, const ItemRecords& items,
                            TavBarCodeCls& barCode) {
    const double pieceHeight = sheet.PieceHeight();
    const double pieceWidth = sheet.PieceWidth();
    const double h = pieceHeight - 0.5;
    const double w = pieceWidth - 0.5;
    TavItemCls& first = *items[0];

    place(first, h * 0.5 + 0.25, w * 0.5 + 0.25, w * 0.5, h * 0.35);
    place(*items[1], 0.25, 0.25, w * 0.6, h * 0.32);
    place(*items[2], h * 0.34 + 0.25, 0.25, w * 0.4, h * 0.16);
    place(*items[3], h * 0.52 + 0.25, 0.25, w * 0.4, h * 0.16);
    place(*items[4], 0.25, pieceWidth - 1.0, 0.75, 0.75);
    place(*items[5], h * 0.35 + 0.25, w * 0.5, first.Width() - 0.25, h * 0.12);
    place(*items[6], h * 0.69 + 0.25, 0.25, w * 0.4, h * 0.16);
    barCode.setTop(static_cast<float>(h * 0.86 + 0.25));
    barCode.setLeft1(first.Left1());
    barCode.setWidth(1.4375f);
    barCode.setHeight(0.125f);

    barCode.setVisible(true);
    for (const auto& item : items) {
        item->setEnabled(true);
        item->setLineSpacing(1.0f);
        item->setVisible(true);
    }

    if (pieceHeight >= 1.95 && pieceHeight < 3.0) {
        items[2]->setTop(static_cast<float>(h * 0.4 + 0.25));
        for (int i = 3; i < 7; ++i)
            items[i]->setVisible(false);
        barCode.setTop(static_cast<float>(static_cast<double>(first.Top()) + first.Height() + 0.1));
    } else if (pieceHeight < 1.95) {
        for (int i = 1; i < 7; ++i)
            items[i]->setVisible(false);
        barCode.setVisible(false);
        place(first, 0, 0.25, pieceWidth - 0.25, pieceHeight);
    }

    TavItemCls& fifth = *items[4];
    place(fifth, 0.25, pieceWidth - 1.0, 0.75, 0.75);
    const double gap = first.Top() - 0.05 * pieceHeight;
    if (static_cast<double>(fifth.Top()) + fifth.Height() > gap) {
        const double height = gap - fifth.Top();
        fifth.setHeight(static_cast<float>(height >= 0.1 ? height : 0.1));
    }
}

} // namespace tav::eLabel
