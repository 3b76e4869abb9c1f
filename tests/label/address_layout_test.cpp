#include "modal.h"
#include "piece_select.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QPushButton>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class AddressLayoutTest : public ::testing::Test {
protected:
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedTempDirectory temp;
    TavLabel label;
};

// The bottom edge of what the layout shows (inches from the piece's top).
float bottomOf(const TavLabel& label) {
    float bottom = 0;
    for (int i = 1; i <= 7; ++i)
        if (label.itemProperties(i)->Visible())
            bottom = std::max(bottom,
                              label.itemProperties(i)->Top() + label.itemProperties(i)->Height());
    const TavBarCodeCls& barCode = *label.BarCodeProperties();
    if (barCode.Visible())
        bottom = std::max(bottom, barCode.Top() + barCode.Height());
    return bottom;
}

} // namespace

TEST_F(AddressLayoutTest, FourLinesAndTheBarCodeFitAnAddressLabel) {
    label.setPieceName("5160 - Address");
    EXPECT_TRUE(label.ApplyAddressLayout());
    EXPECT_TRUE(label.FitText());
    // One block shows the four lines; the bars come under it and may reach the right edge.
    const TavItemCls& block = *label.Item1Properties();
    EXPECT_EQ(block.TextControl(), "<<Item1>>\r\n<<Item2>>\r\n<<Item3>>\r\n<<Item4>>");
    EXPECT_DOUBLE_EQ(block.font()->Size(), 9.0);
    EXPECT_LE(block.Left1() + block.Width(), 2.625f);
    EXPECT_GE(block.Height(), 4 * 9 * 1.25f / 72 - 0.001f);
    for (int i = 2; i <= 7; ++i)
        EXPECT_FALSE(label.itemProperties(i)->Visible()) << i;
    EXPECT_GT(label.BarCodeProperties()->Top(), block.Top() + block.Height());
    EXPECT_FLOAT_EQ(label.BarCodeProperties()->Left1() + label.BarCodeProperties()->Width(),
                    2.625f);
    EXPECT_LE(bottomOf(label), 1.0f);
}

TEST_F(AddressLayoutTest, TheLayoutFollowsTheStockAndKeepsItsTemplates) {
    label.setPieceName("5160 - Address");
    label.ApplyAddressLayout(3, 9);
    label.Item1Properties()->setTextControl("<<Name>>\r\n<<Street>>");
    // Another stock, however it is chosen, gets the layout fitted to it, not the catalogue's.
    for (const QString piece : {"5161 - Address", "5160 - Address", "5164 - Shipping"}) {
        SCOPED_TRACE(piece.toStdString());
        label.setPieceName(piece);
        const TavItemCls& block = *label.Item1Properties();
        EXPECT_TRUE(block.Visible());
        EXPECT_EQ(block.TextControl(), "<<Name>>\r\n<<Street>>");
        EXPECT_FALSE(label.Item2Properties()->Visible());
        EXPECT_TRUE(label.BarCodeProperties()->Visible());
        EXPECT_NEAR(label.BarCodeProperties()->Left1() + label.BarCodeProperties()->Width(),
                    label.SheetProperties()->PieceWidth(), 0.001);
        EXPECT_LE(bottomOf(label), label.SheetProperties()->PieceHeight());
    }
    // The control's own Select button chooses through the selection dialog: the same.
    EXPECT_TRUE(
        test::whileModal<PieceSelectForm>([&] { label.PieceSelectDialogShow(); },
                                          [](PieceSelectForm& form) {
                                              form.setPieceName("5161 - Address");
                                              form.findChild<QPushButton*>("ok_btn")->click();
                                          }));
    EXPECT_EQ(label.PieceName(), "5161 - Address");
    EXPECT_EQ(label.Item1Properties()->TextControl(), "<<Name>>\r\n<<Street>>");
    EXPECT_FALSE(label.Item2Properties()->Visible());
    EXPECT_TRUE(label.BarCodeProperties()->Visible());
    // The saved design remembers it; a new control does not have one.
    TavLabel loaded;
    loaded.setDesign(label.Design());
    loaded.setPieceName("5161 - Address");
    EXPECT_FALSE(loaded.Item2Properties()->Visible());
    EXPECT_TRUE(loaded.FitText());
    TavLabel plain;
    plain.setPieceName("5160 - Address");
    EXPECT_FALSE(plain.FitText());
}

TEST_F(AddressLayoutTest, ALowLabelGetsASmallerFontOrNoBarCode) {
    label.setPieceName("5160 - Address");
    label.SheetProperties()->setPieceHeight(0.8f);
    EXPECT_TRUE(label.ApplyAddressLayout(4, 12)); // 12 points would not leave room for the bars
    EXPECT_LT(label.Item1Properties()->font()->Size(), 12.0);
    EXPECT_LE(bottomOf(label), 0.8f);

    label.SheetProperties()->setPieceHeight(0.5f);
    EXPECT_FALSE(label.ApplyAddressLayout(4, 9)); // the lines fit only without the bars
    EXPECT_FALSE(label.BarCodeProperties()->Visible());
    EXPECT_LE(bottomOf(label), 0.5f);
}

TEST_F(AddressLayoutTest, AnImpossibleRequestIsRefused) {
    for (const auto& [lines, points] : {std::pair{0, 9.0}, {8, 9.0}, {4, 3.0}, {4, 100.0}}) {
        EXPECT_EQ(test::raisedNumber([&] { label.ApplyAddressLayout(lines, points); }),
                  ErrorNumber::InvalidArgument)
            << lines << " lines of " << points;
    }
}
