#include "printer_test_page.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "recording_printer.h"
#include "tav_error.h"

#include <gtest/gtest.h>

using namespace tav;

namespace {

class TestPageTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = setCurrentPrinter(printer); }
    void TearDown() override { setCurrentPrinter(previous_); }

    std::vector<PrinterOp> opsOf(PrinterOp::Kind kind) const {
        std::vector<PrinterOp> found;
        for (const PrinterOp& op : printer->jobs().at(0).ops)
            if (op.kind == kind)
                found.push_back(op);
        return found;
    }

    std::shared_ptr<RecordingPrinter> printer = std::make_shared<RecordingPrinter>();

private:
    std::shared_ptr<Printer> previous_;
};

} // namespace

TEST_F(TestPageTest, RectanglesAndDiagonalsForZeroOffsets) {
    PtrInfoMod::PrintTestPage(0, 0, "Acme Mailing Co.");
    ASSERT_EQ(printer->jobs().size(), 1u);
    const auto boxes = opsOf(PrinterOp::Box);
    ASSERT_EQ(boxes.size(), 12u);
    EXPECT_EQ(boxes[0].x1, 720);
    EXPECT_EQ(boxes[0].y1, 720);
    EXPECT_EQ(boxes[0].x2, 10800);
    EXPECT_EQ(boxes[0].y2, 14400);
    EXPECT_EQ(boxes[6].x1, 2160); // group 2 starts at 1.5 inch, 5.5 by 8
    EXPECT_EQ(boxes[6].x2, 7920);
    EXPECT_EQ(boxes[11].x1, 2880); // innermost at 2.0 inch, 4.5 by 7
    EXPECT_EQ(boxes[11].y1, 2880);
    EXPECT_EQ(boxes[11].x2, 6480);
    EXPECT_EQ(boxes[11].y2, 10080);

    const auto lines = opsOf(PrinterOp::Line);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0].x1, 1440);
    EXPECT_EQ(lines[0].y1, 1440);
    EXPECT_EQ(lines[0].x2, 2160);
    EXPECT_EQ(lines[0].y2, 2160);
    EXPECT_EQ(lines[20].x1, 2880); // along the top, the last from (2.0, 1.0) to (2.5, 1.5)
    EXPECT_EQ(lines[20].x2, 3600);
    EXPECT_EQ(lines[21].y1, 2880); // along the left, the last from (1.0, 2.0) to (1.5, 2.5)
    EXPECT_EQ(lines[21].y2, 3600);

    const auto texts = opsOf(PrinterOp::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "Acme Mailing Co.");
    EXPECT_EQ(texts[0].x1, 3600);
    EXPECT_EQ(texts[0].y1, 3600);
    EXPECT_EQ(texts[0].font.size, 18);
}

TEST_F(TestPageTest, OffsetsMoveEverything) {
    PtrInfoMod::PrintTestPage(-0.25f, 0, "x");
    EXPECT_EQ(opsOf(PrinterOp::Box)[0].y1, 720 - 360);
    printer->clear();
    PtrInfoMod::PrintTestPage(0.2f, -0.1f, "x");
    const auto boxes = opsOf(PrinterOp::Box);
    EXPECT_EQ(boxes[0].x1, 576); // (0.4, 0.7) inch
    EXPECT_EQ(boxes[0].y1, 1008);
    const auto lines = opsOf(PrinterOp::Line);
    EXPECT_EQ(lines[0].x1, 1296); // (0.9, 1.2) inch
    EXPECT_EQ(lines[0].y1, 1728);
}

TEST_F(TestPageTest, AnOffsetBeyondThirtyTwoBitsIsAnErrorAndNoJobStaysOpen) {
    EXPECT_EQ(test::raisedNumber([&] { PtrInfoMod::PrintTestPage(3e6f, 0, "x"); }),
              ErrorNumber::Overflow)
        << "printed at an impossible offset";
    EXPECT_FALSE(printer->jobOpen());
}

TEST_F(TestPageTest, PrinterDescriptionLeavesOutWhatThePrinterCannotSay) {
    printer->setPrintQuality(600);
    printer->setOrientation(2);
    printer->setColorMode(1);
    printer->setFonts({"Arial"});
    EXPECT_EQ(PtrInfoMod::PrinterInfoText(),
              QStringLiteral("Device name:  Recording\r\nDriver name:  Mailpiece recording\r\n"
                             "Device port:  memory\r\nOrientation:  Landscape\r\n"
                             "Color Mode:  Monochrome\r\nPrint resolution:  600\r\nCopies:  1\r\n"
                             "1 of your 1 available fonts is: \r\n     Arial"));
    printer->setPrintQuality(-3);
    printer->setOrientation(3);
    printer->setColorMode(7);
    const QString text = PtrInfoMod::PrinterInfoText();
    EXPECT_FALSE(text.contains("Print resolution"));
    EXPECT_FALSE(text.contains("Orientation"));
    EXPECT_FALSE(text.contains("Color"));
    printer->setColorMode(0);
    EXPECT_TRUE(PtrInfoMod::PrinterInfoText().contains("Printer:  Monochromatic (single color)"));
}

TEST_F(TestPageTest, FontSentenceNamesTheThreeFamiliesFound) {
    QStringList fonts;
    for (int i = 0; i < 37; ++i)
        fonts << QStringLiteral("Font %1").arg(i);
    fonts << "Arial Narrow"
          << "Arial"
          << "Times New Roman";
    printer->setFonts(fonts);
    EXPECT_EQ(PtrInfoMod::FontListText(),
              "2 of your 40 available fonts are: \r\n     Arial\r\n     Times New Roman");
    printer->setFonts({"Courier New Bold", "Times Roman PS"});
    EXPECT_EQ(PtrInfoMod::FontListText(),
              QStringLiteral("2 of your 2 available fonts are: \r\n     Courier New Bold\r\n"
                             "     Times Roman PS"));
    printer->setFonts({"Helvetica", "Courier"});
    EXPECT_EQ(PtrInfoMod::FontListText(), "You have 2 available fonts.");
}

TEST_F(TestPageTest, InstructionsEndWithTheOffsets) {
    EXPECT_TRUE(
        PtrInfoMod::TestPatternText(0, 0).endsWith("     PrinterTop = 0\r\n     PrinterLeft = 0"));
    const QString text = PtrInfoMod::TestPatternText(-0.25f, 0.1f);
    EXPECT_TRUE(text.endsWith("PrinterTop = -0.25\r\n     PrinterLeft = 0.1"));
    EXPECT_TRUE(text.contains("up ¼ of an inch)."));
    EXPECT_TRUE(text.startsWith("This test pattern consists of two groups"));
    // Spelled and worded as a reader expects.
    EXPECT_TRUE(text.contains("The outer rectangle is nominally 7.5 by 10 inches."));
    EXPECT_TRUE(text.contains("in the upper left corner."));
}

TEST_F(TestPageTest, LinesThatDoNotFitTheBlockAreLeftOut) {
    printer->setFontSize(10);
    QStringList lines;
    for (int i = 0; i < 50; ++i)
        lines << QStringLiteral("line %1").arg(i);
    const double height = printer->TextHeight("AWT");
    PtrInfoMod::PrintLines(100, 200, 5328, qRound(height * 4), lines);
    printer->EndDoc();
    EXPECT_EQ(opsOf(PrinterOp::Text).size(), 4u);
    EXPECT_EQ(PtrInfoMod::WrapText(5328, QString()).size(), 0);
}
