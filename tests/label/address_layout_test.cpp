#include "qt_printers.h"
#include "recording_message_sink.h"
#include "recording_printer.h"
#include "tav_error.h"
#include "tav_label.h"
#include "temp_env.h"

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
    label.setPieceName(QStringLiteral("5160 - Address"));
    EXPECT_TRUE(label.ApplyAddressLayout());
    for (int i = 1; i <= 7; ++i) {
        const TavItemCls& item = *label.itemProperties(i);
        EXPECT_EQ(item.Visible(), i <= 4) << i;
        EXPECT_EQ(item.TextControl(), QStringLiteral("<<Item%1>>").arg(i));
        EXPECT_DOUBLE_EQ(item.font()->Size(), 9.0);
        EXPECT_LE(item.Left1() + item.Width(), 2.625f);
    }
    // Stacked: each line starts where the one above it ends; the bars come under the last.
    for (int i = 2; i <= 4; ++i)
        EXPECT_FLOAT_EQ(label.itemProperties(i)->Top(),
                        label.itemProperties(i - 1)->Top() + label.itemProperties(i - 1)->Height());
    EXPECT_GT(label.BarCodeProperties()->Top(),
              label.Item4Properties()->Top() + label.Item4Properties()->Height());
    EXPECT_LE(bottomOf(label), 1.0f);
}

TEST_F(AddressLayoutTest, ALowLabelGetsASmallerFontOrNoBarCode) {
    label.setPieceName(QStringLiteral("5160 - Address"));
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
        try {
            label.ApplyAddressLayout(lines, points);
            ADD_FAILURE() << lines << " lines of " << points;
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidArgument);
        }
    }
}

TEST_F(AddressLayoutTest, PrintedAddressesStayInsideTheirLabels) {
    const auto printer = std::make_shared<RecordingPrinter>();
    const auto previous = setCurrentPrinter(printer);
    label.setPieceName(QStringLiteral("5160 - Address"));
    label.ApplyAddressLayout();
    label.setRefresh(false);
    label.SetPieceText(QStringLiteral("Item1"), QStringLiteral("Barbara T Jackson"));
    label.SetPieceText(QStringLiteral("Item2"), QStringLiteral("951 Spring Street"));
    label.SetPieceText(QStringLiteral("Item3"), QStringLiteral("Suite 137"));
    label.SetPieceText(QStringLiteral("Item4"), QStringLiteral("Boulder, CO 80320"));
    label.BarCodeProperties()->setValue(QStringLiteral("80320"));
    for (int i = 0; i < 3; ++i)
        label.AddPiece();
    label.PrintAll();
    setCurrentPrinter(previous);
    ASSERT_EQ(printer->jobs().size(), 1u);
    // Positions 1 to 3 are the top row: 0.1875 in from the left, 2.75 in apart, 0.5 in down.
    QStringList texts;
    for (const PrinterOp& op : printer->jobs()[0].ops) {
        if (op.kind != PrinterOp::Text || op.text.trimmed().isEmpty())
            continue;
        texts << op.text;
        const int column = (op.x1 - 270) / 3960;
        EXPECT_GE(op.x1, 270 + column * 3960);
        EXPECT_LT(op.x1, 270 + column * 3960 + 3780);
        EXPECT_GE(op.y1, 720);
        EXPECT_LT(op.y1, 720 + 1440);
    }
    EXPECT_EQ(texts.count(QStringLiteral("Boulder, CO 80320")), 3);
    EXPECT_EQ(texts.count(QStringLiteral("Barbara T Jackson")), 3);
}
