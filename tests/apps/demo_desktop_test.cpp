// The demo as a desktop tool: the print preview and the print dialog against the printed PDF,
// Print to PDF, the printer calibration, and what it remembers between runs.

#include "demo_window.h"
#include "imb_settings_dialog.h"
#include "modal.h"
#include "pdf_printer.h"
#include "pdf_text.h"
#include "printer_calibration_dialog.h"
#include "program_run.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "recording_printer.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "temp_env.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class DemoDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        mailing = dir.filePath("addresses.csv");
        ASSERT_TRUE(QFile::copy(QStringLiteral(MAILPIECE_SAMPLE_MAILING), mailing));
    }

    static QAction* menuAction(QMainWindow& window, const QString& text) {
        for (QAction* action : window.menuBar()->findChildren<QAction*>())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        return nullptr;
    }
    static QString status(QMainWindow& window) { return window.statusBar()->currentMessage(); }

    // The mean difference of two pictures of a page, both brought to `size`, in grey levels.
    static double difference(const QImage& a, const QImage& b, QSize size = {300, 388}) {
        const QImage x = a.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_Grayscale8);
        const QImage y = b.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_Grayscale8);
        double sum = 0;
        for (int row = 0; row < size.height(); ++row) {
            const uchar* left = x.constScanLine(row);
            const uchar* right = y.constScanLine(row);
            for (int column = 0; column < size.width(); ++column)
                sum += std::abs(left[column] - right[column]);
        }
        return sum / (size.width() * size.height());
    }

    tav::test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    tav::test::ScopedTempDirectory temp;
    tav::test::ScopedConfigHome config;
    tav::test::ScopedRecordingSink messages;
    QTemporaryDir dir;
    QString mailing;
};

// The white page within the grey of a grabbed preview.
QImage pageIn(const QImage& grab) {
    QRect page;
    for (int y = 0; y < grab.height(); ++y)
        for (int x = 0; x < grab.width(); ++x)
            if (grab.pixel(x, y) == qRgb(255, 255, 255))
                page |= QRect(x, y, 1, 1);
    return grab.copy(page);
}

} // namespace

TEST_F(DemoDesktop, ThePreviewShowsTheSheetsThatPrint) {
    DemoWindow window;
    window.show();
    ASSERT_TRUE(window.openMailing(mailing));
    const QString pdf = dir.filePath("labels.pdf");
    ASSERT_TRUE(window.printToPdf(pdf));
    ASSERT_EQ(tav::test::pdfPageCount(pdf), 3); // 70 labels, 30 a sheet

    int pages = 0;
    QImage first;
    EXPECT_TRUE(tav::test::whileModal<QPrintPreviewDialog>(
        [&] { menuAction(window, "Print Pre&view...")->trigger(); },
        [&](QPrintPreviewDialog& preview) {
            EXPECT_EQ(preview.windowTitle(), "Print Preview: 3 sheets");
            auto* view = preview.findChild<QPrintPreviewWidget*>();
            ASSERT_NE(view, nullptr);
            pages = view->pageCount();
            view->setViewMode(QPrintPreviewWidget::SinglePageView);
            view->setCurrentPage(1);
            view->fitInView();
            QApplication::processEvents();
            first = pageIn(view->grab().toImage());
            preview.reject();
        }));
    EXPECT_EQ(pages, 3);
    ASSERT_GT(first.width(), 200);
    EXPECT_NEAR(first.width() / static_cast<double>(first.height()), 8.5 / 11, 0.02);
    // The first page shown is the first page printed, not the last (a third full).
    const QImage printed = tav::test::pdfPageImage(pdf, 1, 72);
    const QImage third = tav::test::pdfPageImage(pdf, 3, 72);
    ASSERT_FALSE(printed.isNull());
    ASSERT_FALSE(third.isNull());
    const double same = difference(first, printed);
    const double other = difference(first, third);
    EXPECT_LT(same * 2, other) << same << " against " << other;
    EXPECT_TRUE(messages.sink().texts.isEmpty());
}

TEST_F(DemoDesktop, ThePrintDialogPrintsTheChosenSheetsToAFile) {
    DemoWindow window;
    window.show();
    ASSERT_TRUE(window.openMailing(mailing));
    const QString pdf = dir.filePath("chosen.pdf");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(tav::test::whileModal<QPrintDialog>(
        [&] { QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier); },
        [&](QPrintDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Print 3 sheets on Letter / ANSI A");
            EXPECT_EQ(dialog.maxPage(), 3);
            // The dialog's own printer list and file name, as a user sets them.
            auto* printers = dialog.findChild<QComboBox*>("printers");
            ASSERT_NE(printers, nullptr);
            const int toFile = printers->findText("Print to File (PDF)");
            ASSERT_GE(toFile, 0);
            printers->setCurrentIndex(toFile);
            auto* name = dialog.findChild<QLineEdit*>("filename");
            ASSERT_NE(name, nullptr);
            name->setText(pdf);
            dialog.findChild<QRadioButton*>("printRange")->setChecked(true);
            dialog.findChild<QSpinBox*>("from")->setValue(2);
            dialog.findChild<QSpinBox*>("to")->setValue(3);
            dialog.accept();
        }));
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 2);
    EXPECT_EQ(status(window), QStringLiteral("Printed 2 sheets to %1").arg(pdf));
}

TEST_F(DemoDesktop, PrintToPdfAsksForTheFileAndSaysWhereItWent) {
    DemoWindow window;
    window.show();
    // A first start says what to do, in a window that fits its screen.
    EXPECT_TRUE(status(window).startsWith("Open a mailing"));
    EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()));
    ASSERT_TRUE(window.openMailing(mailing));
    // The control's own Pr Sheet button says where its sheet went too.
    const auto files = tav::PdfPrinter::filePerJob(dir.filePath("own"));
    tav::setCurrentPrinter(files);
    window.label().PrintSheet();
    EXPECT_EQ(status(window),
              QStringLiteral("Printed 1 sheet on PDF files in %1").arg(dir.filePath("own")));
    tav::setCurrentPrinter(nullptr);
    const QString pdf = dir.filePath("asked");
    EXPECT_TRUE(tav::test::whileModal<QFileDialog>(
        [&] { menuAction(window, "Print to P&DF...")->trigger(); },
        [&](QFileDialog& files) {
            EXPECT_EQ(files.acceptMode(), QFileDialog::AcceptSave);
            files.selectFile(pdf);
            static_cast<QDialog&>(files).accept(); // as the Save button does
        }));
    EXPECT_EQ(tav::test::pdfPageCount(pdf + ".pdf"), 3);
    EXPECT_EQ(status(window), QStringLiteral("Printed 3 sheets to %1.pdf").arg(pdf));

    // A place that cannot be written is reported, and the status does not claim success.
    EXPECT_FALSE(window.printToPdf(mailing + "/x.pdf")); // under a file
    EXPECT_EQ(messages.sink().texts.size(), 1);
    EXPECT_TRUE(status(window).startsWith("Nothing was printed"));
}

TEST_F(DemoDesktop, CalibrationPrintsTheTestPageAndKeepsTheOffsetsForThePrinter) {
    auto recorder = std::make_shared<tav::RecordingPrinter>();
    const auto previous = tav::setCurrentPrinter(recorder);
    {
        DemoWindow window;
        window.show();
        EXPECT_TRUE(tav::test::whileModal<tav::PrinterCalibrationDialog>(
            [&] { menuAction(window, "C&alibrate Printer...")->trigger(); },
            [&](tav::PrinterCalibrationDialog& dialog) {
                QTest::mouseClick(dialog.findChild<QPushButton*>("print_test_btn"), Qt::LeftButton);
                // The ruler shows the rectangle 9/16 in down and 15/32 in across.
                auto* top = dialog.findChild<QDoubleSpinBox*>("from_top_txt");
                top->selectAll();
                QTest::keyClicks(top, "0.5625");
                auto* left = dialog.findChild<QDoubleSpinBox*>("from_left_txt");
                left->selectAll();
                QTest::keyClicks(left, "0.4688");
                QTest::mouseClick(dialog.findChild<QPushButton*>("print_check_btn"),
                                  Qt::LeftButton);
                dialog.accept();
            }));
        EXPECT_FLOAT_EQ(window.label().PrinterTop(), -0.063f);
        EXPECT_FLOAT_EQ(window.label().PrinterLeft(), 0.031f);
        EXPECT_FLOAT_EQ(window.mail().TavLabel1().PrinterTop(), -0.063f);
        EXPECT_TRUE(status(window).startsWith("Offsets for Recording"));
    }
    // Two test pages: the outer rectangle half an inch in, then moved by the new offsets.
    ASSERT_EQ(recorder->jobs().size(), 2u);
    const tav::PrinterOp& before = recorder->jobs().at(0).ops.at(0);
    const tav::PrinterOp& after = recorder->jobs().at(1).ops.at(0);
    EXPECT_EQ(before.kind, tav::PrinterOp::Box);
    EXPECT_EQ(QPoint(before.x1, before.y1), QPoint(720, 720));
    EXPECT_EQ(QPoint(after.x1, after.y1), QPoint(720 + 45, 720 - 91));

    // The next run starts with this printer's offsets.
    DemoWindow again;
    EXPECT_FLOAT_EQ(again.label().PrinterTop(), -0.063f);
    EXPECT_FLOAT_EQ(again.label().PrinterLeft(), 0.031f);
    tav::setCurrentPrinter(previous);
}

TEST_F(DemoDesktop, ADesignIsSavedOpenedAndLoadedAgainAtTheNextStart) {
    const QString design = dir.filePath("mine.mpdesign");
    {
        DemoWindow window;
        window.label().Item1Properties()->setTextControl("<<First>> edited");
        ASSERT_TRUE(window.saveDesign(design));
        ASSERT_TRUE(window.openMailing(mailing)); // a new mailing keeps the edit
        EXPECT_EQ(window.label().Item1Properties()->TextControl(), "<<First>> edited");
        // Files that are no design, or cannot be written, are told of and change nothing.
        const QString damaged = tav::test::writeFile(dir, "x.mpdesign", "{oops");
        EXPECT_FALSE(window.openDesign(damaged));
        EXPECT_FALSE(window.openDesign(dir.filePath("missing.mpdesign")));
        EXPECT_FALSE(window.saveDesign(mailing + "/under-a-file.mpdesign"));
        EXPECT_EQ(messages.sink().texts.size(), 3);
        EXPECT_EQ(window.label().Item1Properties()->TextControl(), "<<First>> edited");
    }
    DemoWindow again;
    EXPECT_EQ(again.label().Item1Properties()->TextControl(), "<<First>> edited");
    again.label().Item1Properties()->setTextControl("changed");
    EXPECT_TRUE(again.openDesign(design));
    EXPECT_EQ(again.label().Item1Properties()->TextControl(), "<<First>> edited");
    // An envelope's design opened again still prints its whole bar code.
    again.showPage(1);
    const QString envelope = dir.filePath("envelope.mpdesign");
    ASSERT_TRUE(again.saveDesign(envelope));
    ASSERT_TRUE(again.openDesign(envelope));
    EXPECT_EQ(again.mail().TavLabel1().BarCodeFitProblem("62701-1234"), QString());
}

TEST_F(DemoDesktop, TheIntelligentMailBarcodeAsksForItsFieldsAndSaysWhatChanges) {
    DemoWindow window;
    ASSERT_TRUE(window.openMailing(mailing));
    QAction* imb = menuAction(window, "&Intelligent Mail barcode");
    const auto answer = [&](const QString& mailerId, bool ok) {
        return tav::test::whileModal<ImbSettingsDialog>(
            [&] { imb->trigger(); },
            [&](ImbSettingsDialog& dialog) {
                auto* buttons = dialog.findChild<QDialogButtonBox*>();
                EXPECT_FALSE(
                    buttons->button(QDialogButtonBox::Ok)->isEnabled()); // no mailer ID yet
                dialog.findChild<QLineEdit*>("mailer_id_txt")->setText(mailerId);
                if (ok && buttons->button(QDialogButtonBox::Ok)->isEnabled())
                    dialog.accept();
                else
                    dialog.reject();
            });
    };
    EXPECT_TRUE(answer("12345", true)); // 5 digits: no OK, so cancelled
    EXPECT_EQ(window.label().BarCodeProperties()->Symbology(), tav::TavEnumCls::TavPostnet);
    EXPECT_FALSE(imb->isChecked());
    EXPECT_TRUE(answer("654321", true));
    EXPECT_EQ(window.label().BarCodeProperties()->Symbology(), tav::TavEnumCls::TavIntelligentMail);
    EXPECT_EQ(window.label().PieceName(), "5161 - Address"); // the bars' width
    EXPECT_EQ(window.label().pieceCount(), 70);
    EXPECT_TRUE(window.label().FindPiece(1).barCodeValue.startsWith("00700654321000000001"));
}

TEST_F(DemoDesktop, ItRemembersThePieceTheViewAndTheMailings) {
    {
        DemoWindow window;
        ASSERT_TRUE(window.openMailing(mailing));
        window.choosePiece("5161 - Address");
        window.showView(tav::TavEnumCls::TavShowSheet);
        window.showPage(1);
        window.choosePiece("Size 10 - Envelope");
        window.showPage(0);
    }
    DemoWindow again;
    EXPECT_EQ(again.label().PieceName(), "5161 - Address");
    EXPECT_EQ(again.label().Appearance(), tav::TavEnumCls::TavShowSheet);
    EXPECT_EQ(again.label().pieceCount(), 0); // the mailing itself waits in Open Recent
    QAction* recent = menuAction(again, "&1 addresses.csv");
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->toolTip(), mailing);
    recent->trigger();
    EXPECT_EQ(again.label().pieceCount(), 70);
    EXPECT_EQ(again.label().PieceName(), "5161 - Address");

    // A mailing that is gone is said so and taken off the list.
    QFile::remove(mailing);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old list goes
    recent = menuAction(again, "&1 addresses.csv");                      // the list made anew
    EXPECT_TRUE(tav::test::whileModal<QMessageBox>([&] { recent->trigger(); },
                                                   [](QMessageBox& box) {
                                                       EXPECT_TRUE(
                                                           box.text().contains("no longer there"));
                                                       box.accept();
                                                   }));
    EXPECT_EQ(menuAction(again, "Open &Recent")->isEnabled(), false);
}

TEST_F(DemoDesktop, ARememberedPieceTheCatalogueLostIsReportedAndForgotten) {
    QSettings("Mailpiece", "Mailpiece Demo").setValue("piece/label", "Gone - Address");
    {
        DemoWindow window;
        EXPECT_EQ(messages.sink().texts.size(), 1);
        EXPECT_TRUE(window.label().PieceName().isEmpty());
        EXPECT_TRUE(window.openMailing(mailing)); // the demo's own labels still work
    }
    DemoWindow again;
    EXPECT_EQ(messages.sink().texts.size(), 1); // said once
}
