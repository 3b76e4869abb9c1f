#include "qt_printers.h"
#include "tav_label.h"
#include "tav_meta_cls.h"
#include "tav_piece.h"
#include "tav_port.h"
#include "temp_env.h"

#include <gtest/gtest.h>

using namespace tav;

namespace {

class LabelViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TavSheetCls& sheet = *label.SheetProperties();
        sheet.setNumAcross(2);
        sheet.setNumDown(2);
        sheet.setStartingPiece(2);
        label.Item1Properties()->setVisible(true);
        for (int i = 2; i <= 7; ++i)
            label.itemProperties(i)->setVisible(false);
        for (int i = 1; i <= 5; ++i) {
            label.setSubstituteText(QStringLiteral("Item1^P%1|").arg(i));
            label.AddPiece();
        }
        port.resize(400, 300);
    }

    // The fill colours of the pieces' backgrounds, in drawing order.
    std::vector<OleColor> pieceBacks() {
        std::vector<OleColor> backs;
        for (const MetaOp& op : port.PortMetaInstance()->recordingData().ops)
            if (op.kind == MetaOp::Rectangle && op.rect.width() > 100)
                backs.push_back(op.fill);
        return backs;
    }
    QStringList texts() {
        QStringList found;
        for (const MetaOp& op : port.PortMetaInstance()->recordingData().ops)
            if (op.kind == MetaOp::Text)
                found << op.text;
        return found;
    }

    test::ScopedTempDirectory temp;
    TavLabel label;
    TavPort port;
};

} // namespace

TEST_F(LabelViewsTest, TheSheetViewMarksEveryPositionOfTheCurrentSheet) {
    label.setCurrentPiece(2);
    label.DrawSheetView(port, *label.SheetProperties());
    EXPECT_EQ(label.currentSheet(), 1);
    EXPECT_EQ(label.sheetCount(), 2);
    // Position 1 is empty, pieces 1 to 3 follow; piece 2 is the current one.
    EXPECT_EQ(pieceBacks(), (std::vector<OleColor>{0x808080, 0xC0C0C0, 0xFFFFFF, 0xC0C0C0}));
    // Beside the piece view, the sheet view shows the pieces without their texts.
    EXPECT_TRUE(texts().isEmpty());
    // Pieces on screen are outlined; the record's printer offsets are zero for the view.
    EXPECT_EQ(label.piece().BorderStyle(), 0);
    EXPECT_EQ(label.SheetProperties()->PrinterTop(), 0.0f);

    label.setCurrentPiece(5);
    label.DrawSheetView(port, *label.SheetProperties());
    EXPECT_EQ(label.currentSheet(), 2);
    EXPECT_EQ(pieceBacks(), (std::vector<OleColor>{0xC0C0C0, 0xFFFFFF, 0x808080, 0x808080}));
}

TEST_F(LabelViewsTest, PiecesOutsideThePrintRangeAreDarker) {
    auto sheet = label.SheetProperties()->Copy();
    sheet->setPrintFrom(3);
    label.setSheetProperties(sheet);
    label.setCurrentPiece(2);
    label.DrawSheetView(port, *label.SheetProperties());
    EXPECT_EQ(pieceBacks(), (std::vector<OleColor>{0x808080, 0x808080, 0xA0A0A0, 0xC0C0C0}));
}

TEST_F(LabelViewsTest, ThePieceViewShowsTheCurrentPieceAlone) {
    label.setCurrentPiece(4);
    label.DrawPieceView(port, *label.SheetProperties());
    EXPECT_EQ(texts(), QStringList{"P4"});
    EXPECT_EQ(pieceBacks(), std::vector<OleColor>{0xFFFFFF});
    EXPECT_EQ(label.piece().Depth(), TavPiece::PieceView);
}

TEST_F(LabelViewsTest, NothingIsDrawnWithoutRefreshOrWithoutAPieceSize) {
    label.setRefresh(false);
    label.DrawSheetView(port, *label.SheetProperties());
    EXPECT_EQ(port.PortMetaInstance(), nullptr);
    label.setRefresh(true);
    label.SheetProperties()->setPieceHeight(0);
    label.DrawPieceView(port, *label.SheetProperties());
    EXPECT_EQ(port.PortMetaInstance(), nullptr);
}
