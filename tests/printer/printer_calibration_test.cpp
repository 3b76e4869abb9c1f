// The calibration turns what a ruler shows into printer offsets.

#include "message_sink.h"
#include "printer_calibration_dialog.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "recording_printer.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

TEST(PrinterCalibration, TheOffsetMovesTheRectangleBackByWhatTheRulerShowsItIsOff) {
    EXPECT_FLOAT_EQ(PrinterCalibrationDialog::corrected(0.0f, 0.5), 0.0f);
    EXPECT_FLOAT_EQ(PrinterCalibrationDialog::corrected(0.0f, 0.625), -0.125f);  // too low: up
    EXPECT_FLOAT_EQ(PrinterCalibrationDialog::corrected(0.25f, 0.5), 0.25f);     // already right
    EXPECT_FLOAT_EQ(PrinterCalibrationDialog::corrected(0.25f, 0.4375), 0.313f); // a thousandth
    EXPECT_FLOAT_EQ(PrinterCalibrationDialog::corrected(-0.1f, 0.0), 0.4f);      // cut off

    PrinterCalibrationDialog dialog(0.25f, -0.125f, "Office", {});
    EXPECT_FLOAT_EQ(dialog.printerTop(), 0.25f); // unmeasured: the offsets in use
    dialog.setMeasured(0.4375, 0.5625);
    EXPECT_FLOAT_EQ(dialog.printerTop(), 0.313f);
    EXPECT_FLOAT_EQ(dialog.printerLeft(), -0.188f);
    EXPECT_EQ(dialog.findChild<QLabel*>("result_lbl")->text(),
              "New offsets: PrinterTop = 0.313 in, PrinterLeft = -0.188 in");
}

TEST(PrinterCalibration, APageThatCannotPrintIsReportedAndTheDialogStays) {
    const auto previous = setCurrentPrinter(std::make_shared<RecordingPrinter>());
    test::ScopedRecordingSink messages;
    // Offsets far beyond any page put the rectangle beyond 32 bits of twips.
    PrinterCalibrationDialog dialog(1.0e7f, 0.0f, "Office", {});
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>("print_test_btn"), Qt::LeftButton);
    EXPECT_EQ(messages.sink().texts.size(), 1);
    EXPECT_TRUE(dialog.findChild<QLabel*>("status_lbl")->text().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    setCurrentPrinter(previous);
}
