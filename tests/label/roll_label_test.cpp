// Labels on a roll: turned a quarter turn on their paper, printed one job of a page a label.

#include "property_bag.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "recording_message_sink.h"
#include "recording_printer.h"
#include "sheet_turn.h"
#include "tav_error.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// A user's catalogue holding a turned roll label of 1.1 x 3.5 in and a 3-up roll of small ones.
class RollLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(config.path() + "/mailpiece");
        QFile file(config.path() + "/mailpiece/vardo.cfg");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Laser/InkJet Products]\nproduct(1)=Rolls\n[Rolls]\nPiece(1)=Address Roll\n"
                   "Piece(2)=Tiny Roll\n[Details]\n"
                   "Address Roll=Rolls,1.1x3.5,1.1x3.5,0x0,1.1x3.5,1x1,Other,ROLL,90\n"
                   "Tiny Roll=Rolls,1x0.5,3.5x0.5,0.25x0,1.125x0.5,3x1,Other,ROLL\n");
        file.close();
        previous_ = setCurrentPrinter(printer);
    }
    void TearDown() override { setCurrentPrinter(previous_); }

    void addPieces(int count) {
        label.setRefresh(false);
        for (int i = 1; i <= count; ++i) {
            label.SetPieceText("Item1", QStringLiteral("P%1").arg(i));
            label.AddPiece();
        }
        label.setRefresh(true);
    }

    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedConfigHome config;
    test::ScopedTempDirectory temp;
    test::ScopedRecordingSink messages;
    std::shared_ptr<RecordingPrinter> printer = std::make_shared<RecordingPrinter>();
    TavLabel label;

private:
    std::shared_ptr<Printer> previous_;
};

} // namespace

TEST_F(RollLabelTest, ATurnedPieceIsDesignedAsReadAndTurnsBackToThePaper) {
    label.setPieceName("Address Roll");
    const TavSheetCls& sheet = *label.SheetProperties();
    EXPECT_EQ(sheet.PieceRotation(), 90);
    EXPECT_EQ(std::make_pair(sheet.PieceWidth(), sheet.PieceHeight()), std::make_pair(3.5f, 1.1f));
    EXPECT_EQ(paperOrientation(sheet), 1); // the paper feeds upright

    // Turning and turning back is the same sheet, a grid with margins too.
    label.setPieceName("5160 - Address");
    const auto before = label.SheetProperties()->Copy();
    label.TurnPieces(90);
    EXPECT_EQ(sheet.NumAcross(), 10);
    EXPECT_FLOAT_EQ(sheet.MarginTop(), 8.5f - 0.1875f - 2 * 2.75f - 2.625f);
    label.TurnPieces(0);
    for (const char* field : {"Width", "Height", "Marginleft", "MarginTop", "PiecePitchAcross",
                              "PiecePitchDown", "PieceWidth", "NumAcross", "Orientation"})
        EXPECT_FLOAT_EQ(sheet.property(field).toFloat(), before->property(field).toFloat())
            << field;
    EXPECT_EQ(test::raisedNumber([&] { label.TurnPieces(45); }), ErrorNumber::InvalidPropertyValue);
}

TEST_F(RollLabelTest, ARunIsOneJobOfAPageALabelTurnedOntoItsPaper) {
    label.setPieceName("Address Roll");
    addPieces(3);
    label.PrintAll();
    ASSERT_EQ(printer->jobs().size(), 3u);
    for (int page = 0; page < 3; ++page) {
        const PrintedPage& printed = printer->jobs().at(page);
        EXPECT_EQ(printed.pageOfJob, page + 1);
        EXPECT_TRUE(printed.quarterTurn);
        EXPECT_EQ(printed.orientation, 1);
        EXPECT_EQ(printed.jobName, "Mailpiece labels 1 to 3");
        ASSERT_TRUE(printed.paper);
        EXPECT_NEAR(printed.paper->size(QPageSize::Inch).width(), 1.1, 0.01);
        EXPECT_EQ(printed.ops.back().text, QStringLiteral("P%1").arg(page + 1));
    }
    // The offsets are measured on the paper: its top is the reader's left, its left the
    // reader's bottom.
    const PrinterOp unmoved = printer->jobs().at(0).ops.back();
    printer->clear();
    label.setPrinterTop(0.125f);
    label.setPrinterLeft(-0.0625f);
    label.PrintSheet();
    const PrinterOp& moved = printer->jobs().at(0).ops.back();
    EXPECT_EQ(moved.x1 - unmoved.x1, 180);
    EXPECT_EQ(moved.y1 - unmoved.y1, 90);
    label.setPrinterTop(0);
    label.setPrinterLeft(0);

    // A 3-up roll pages a row at a time, unturned; a sheet stays a job a sheet.
    for (const auto& [piece, pages, jobs] :
         {std::tuple{"Tiny Roll", 2, 1}, std::tuple{"5160 - Address", 1, 1}}) {
        printer->clear();
        label.setPieceName(piece);
        label.NewMailing();
        addPieces(5);
        label.PrintAll();
        ASSERT_EQ(printer->jobs().size(), static_cast<std::size_t>(pages)) << piece;
        EXPECT_FALSE(printer->jobs().back().quarterTurn);
        EXPECT_EQ(printer->jobs().back().pageOfJob, pages / jobs) << piece;
    }
}

TEST_F(RollLabelTest, ADesignKeepsItsTurnAndOlderDesignsLieAsDesigned) {
    label.setPieceName("Address Roll");
    label.TurnPieces(0);
    MemoryPropertyBag bag;
    label.WriteProperties(bag);
    EXPECT_FALSE(bag.keys().contains("SheetPropertiesRO")); // 0 is not written
    label.TurnPieces(90);
    label.WriteProperties(bag);
    EXPECT_EQ(bag.read("SheetPropertiesRO").toInt(), 90);
    TavLabel read;
    read.ReadProperties(bag);
    EXPECT_EQ(read.SheetProperties()->PieceRotation(), 90);
    EXPECT_FLOAT_EQ(read.SheetProperties()->PieceWidth(), 3.5f);
    bag.write("SheetPropertiesRO", 45, 0);
    read.ReadProperties(bag);
    read.AddPiece();
    EXPECT_TRUE(test::raisedError([&] { read.PrintAll(); })); // named, not printed askew
}
