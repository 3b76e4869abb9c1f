#include "label_design.h"
#include "pdf_printer.h"
#include "pdf_text.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "recording_message_sink.h"
#include "recording_printer.h"
#include "tav_barcode.h"
#include "tav_error.h"
#include "tav_item.h"
#include "tav_label.h"
#include "tav_piece.h"
#include "temp_env.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace tav;

namespace {

class LabelPrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = setCurrentPrinter(printer);
        test::setThirtyUpSheet(*label.SheetProperties());
        for (int i = 1; i <= 7; ++i) {
            TavItemCls& item = *label.itemProperties(i);
            item.setVisible(i == 1);
            item.setLeft1(0.1f);
            item.setTop(0.15f);
            item.setWidth(2.4f);
            item.setHeight(0.3f);
            item.setAlignHorizontal(TavEnumCls::vbLeftJustify);
            item.setAlignVertical(TavEnumCls::vbTop);
            item.font()->setSize(10);
        }
    }
    void TearDown() override { setCurrentPrinter(previous_); }

    void addPieces(int count) {
        label.setRefresh(false);
        for (int i = 1; i <= count; ++i) {
            label.setSubstituteText(QStringLiteral("Item1^P%1|").arg(i));
            label.BarCodeProperties()->setValue("62701");
            label.AddPiece();
        }
        label.setRefresh(true);
    }

    // The piece texts printed in job `job`, in order.
    QStringList printedTexts(std::size_t job) const {
        QStringList texts;
        for (const PrinterOp& op : printer->jobs().at(job).ops)
            if (op.kind == PrinterOp::Text && op.text.startsWith(QLatin1Char('P')))
                texts << op.text;
        return texts;
    }

    test::ScopedTempDirectory temp;
    std::shared_ptr<RecordingPrinter> printer = std::make_shared<RecordingPrinter>();
    TavLabel label;

private:
    std::shared_ptr<Printer> previous_;
};

QStringList pieceNames(int first, int last) {
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QStringLiteral("P%1").arg(i);
    return names;
}

} // namespace

TEST_F(LabelPrintingTest, AnyValueIsStoredAndPrintedExactly) {
    const QStringList values = {
        "Apt 3|B",
        "Unit ^7",
        "P|^|^^||",
        "Tab\there",
        "\"Quoted\", and, commas",
        QString(QChar(0xFDD0)) + QChar(0xFDD1) + "<<Item1>>",
    };
    label.setRefresh(false);
    for (const QString& value : values) {
        label.setSubstituteText({});
        label.SetPieceText("Item1", value);
        label.AddPiece();
    }
    label.PrintAll();
    QStringList printed;
    for (const PrinterOp& op : printer->jobs().at(0).ops)
        if (op.kind == PrinterOp::Text && op.text.trimmed().size() > 0)
            printed << op.text;
    EXPECT_EQ(printed, values);
}

TEST_F(LabelPrintingTest, FittedTextShrinksPerPieceAndWhatStillDoesNotFitIsTold) {
    test::ScopedRecordingSink recording;
    const test::RecordingMessageSink& sink = recording.sink();
    label.setFitText(true);
    label.setMinimumFontSize(6);
    // The item holds two lines at 10 points: three fit at a smaller size, five never do.
    const QStringList texts = {"P1 Main Street", "P2 Main Street\nBuilding C\nFloor 2",
                               "P3\nb\nc\nd\nLost line"};
    label.setRefresh(false);
    for (const QString& text : texts) {
        label.setSubstituteText({});
        label.SetPieceText("Item1", text);
        EXPECT_EQ(label.TextFitProblem().isEmpty(), text != texts.last());
        label.AddPiece();
    }
    EXPECT_TRUE(sink.texts.isEmpty()); // held while the mailing is fed
    label.setRefresh(true);
    ASSERT_EQ(sink.texts.size(), 1);
    EXPECT_TRUE(sink.texts.at(0).contains(
        "piece 3: item 1: \"d\" does not fit (5 lines at 6 pt, room for 3)"))
        << sink.texts.at(0).toStdString();

    label.PrintAll();
    std::vector<double> sizes;
    for (const PrinterOp& op : printer->jobs().at(0).ops)
        if (op.kind == PrinterOp::Text && op.text.trimmed().size() > 0)
            sizes.push_back(op.font.size);
    ASSERT_EQ(sizes.size(), 1u + 3u + 3u);
    EXPECT_EQ(sizes[0], 10);
    EXPECT_LT(sizes[1], 10);
    EXPECT_EQ(sizes[1], sizes[3]);
    EXPECT_EQ(sizes[4], 6);
    // Off, the lines past the bottom are cut as they always were, and nothing is said.
    label.setFitText(false);
    EXPECT_EQ(label.TextFitProblem(), "item 1: \"c\" does not fit (5 lines at 10 pt, room for 2)");
}

TEST_F(LabelPrintingTest, PrintAllMakesOneJobPerSheetAndRestoresTheCurrentPiece) {
    addPieces(70);
    label.setCurrentPiece(17);
    QSignalSpy progress(&label, &TavLabel::printProgress);
    // The current piece never moves while the sheets are walked.
    QSignalSpy moved(&label, &TavLabel::currentPieceChanged);
    label.PrintAll();
    EXPECT_EQ(moved.count(), 0);
    ASSERT_EQ(printer->jobs().size(), 3u);
    EXPECT_EQ(printedTexts(0), pieceNames(1, 30));
    EXPECT_EQ(printedTexts(2), pieceNames(61, 70)); // and 20 empty positions
    EXPECT_EQ(label.CurrentPiece(), 17);
    EXPECT_EQ(label.currentSheet(), 1);
    EXPECT_EQ(label.rangeFirst(), 0);
    EXPECT_EQ(label.rangeLast(), 0);
    ASSERT_EQ(progress.count(), 3);
    EXPECT_EQ(progress.at(2).at(0).toInt(), 3);
    EXPECT_EQ(progress.at(2).at(1).toInt(), 3);
}

TEST_F(LabelPrintingTest, ARangePrintsWholeSheets) {
    label.SheetProperties()->setStartingPiece(5);
    label.PrintRange(1, 3); // no pieces, no paper, whatever the starting position
    EXPECT_TRUE(printer->jobs().empty());
    label.SheetProperties()->setStartingPiece(1);
    addPieces(70);
    label.PrintRange(35, 40);
    ASSERT_EQ(printer->jobs().size(), 1u);
    EXPECT_EQ(printedTexts(0), pieceNames(31, 60));
    EXPECT_EQ(label.rangeFirst(), 0);

    printer->clear();
    label.PrintRange(71, 0); // beyond the last piece: nothing
    EXPECT_TRUE(printer->jobs().empty());

    // The sheet record's range drives PrintMain.
    auto sheet = label.SheetProperties()->Copy();
    sheet->setPrintFrom(61);
    label.setSheetProperties(sheet);
    label.PrintMain();
    ASSERT_EQ(printer->jobs().size(), 1u);
    EXPECT_EQ(printedTexts(0), pieceNames(61, 70));
}

TEST_F(LabelPrintingTest, PositionsBeforeTheStartingPieceStayEmpty) {
    label.SheetProperties()->setStartingPiece(5);
    addPieces(30);
    label.PrintAll();
    ASSERT_EQ(printer->jobs().size(), 2u);
    const auto& ops = printer->jobs()[0].ops;
    const auto first = std::find_if(ops.begin(), ops.end(), [](const PrinterOp& op) {
        return op.kind == PrinterOp::Text && op.text == QLatin1String("P1");
    });
    ASSERT_NE(first, ops.end());
    // Position 5: row 2, column 2.
    EXPECT_EQ(first->x1, 270 + 3960 + 144);
    EXPECT_EQ(first->y1, 720 + 1440 + 216);
    EXPECT_EQ(printedTexts(1), pieceNames(27, 30));
}

TEST_F(LabelPrintingTest, OffsetsAreClampedAndNegativePositionsPrintAtZero) {
    label.setPrinterTop(10);
    EXPECT_EQ(label.PrinterTop(), 8.75f);
    label.setPrinterLeft(-7);
    EXPECT_EQ(label.PrinterLeft(), -6.75f);
    label.setPrinterTop(-0.25f);
    label.setPrinterLeft(-0.5f);
    addPieces(1);
    label.PrintSheet();
    ASSERT_EQ(printer->jobs().size(), 1u);
    const PrinterOp& text = printer->jobs()[0].ops.back();
    EXPECT_EQ(text.text, "P1");
    EXPECT_EQ(text.x1, 0 + 144);         // 270 - 720 is below 0: the piece starts at 0
    EXPECT_EQ(text.y1, 720 - 360 + 216); // 0.5 in - 0.25 in + the item's top
    EXPECT_EQ(label.SheetProperties()->PrinterTop(), -0.25f); // copied into the record
}

TEST_F(LabelPrintingTest, PrintedBackgroundsAreWhiteUnlessToldOtherwise) {
    label.Item1Properties()->setBackColor(0x00FFFF);
    addPieces(2);
    label.PrintSheet();
    for (const PrinterOp& op : printer->jobs()[0].ops)
        EXPECT_FALSE(op.kind == PrinterOp::Box && op.filled) << "a filled box on a white run";

    // Without white backs the pieces print their marks: light grey, the current one white.
    printer->clear();
    label.setPrintWhiteBacks(false);
    label.PrintSheet();
    std::vector<OleColor> backs;
    for (const PrinterOp& op : printer->jobs()[0].ops)
        if (op.kind == PrinterOp::Box && op.filled)
            backs.push_back(op.color);
    EXPECT_EQ(backs, (std::vector<OleColor>{0xC0C0C0, 0xFFFFFF}));
}

TEST_F(LabelPrintingTest, LoadingAPieceFillsOnlyVisibleItemsAndTheBarCode) {
    TavItem* second = label.piece().findChild<TavItem*>("TavItem2");
    ASSERT_NE(second, nullptr);
    second->setTextControl("kept");
    label.LoadPieceIntoItems("Item1^Ann|", "62701-1234", "C001");
    EXPECT_TRUE(second->isHidden());
    EXPECT_EQ(second->TextControl(), "kept");
    TavItem* first = label.piece().findChild<TavItem*>("TavItem1");
    EXPECT_EQ(first->composedText(), "Ann");
    EXPECT_EQ(first->leftTwips(), 144);
    EXPECT_EQ(first->BackColor(), label.Item1Properties()->BackColor()); // on screen
    auto* barcode = label.piece().findChild<TavBarcode*>("TavBarcode1");
    EXPECT_EQ(barcode->BarCode(), "62701-1234");
    EXPECT_EQ(barcode->Caption(), "62701-1234");
}

TEST_F(LabelPrintingTest, AnUnusableSheetIsAClearErrorNamingTheFieldAndPrintsNothing) {
    addPieces(3);
    // Each case: the field set, its value, and what the message must name.
    const struct {
        void (TavSheetCls::*set)(float);
        float inches;
        const char* named;
    } lengths[] = {
        {&TavSheetCls::setPieceWidth, 0, "PieceWidth"},
        {&TavSheetCls::setPieceHeight, -1, "PieceHeight"},
        {&TavSheetCls::setHeight, 0, "Height"},
        {&TavSheetCls::setWidth, std::numeric_limits<float>::quiet_NaN(), "Width"},
        {&TavSheetCls::setPiecePitchAcross, 1e30f, "PiecePitchAcross"},
        {&TavSheetCls::setPieceWidth, 1e9f, "PieceWidth"},
        {&TavSheetCls::setMarginTop, std::numeric_limits<float>::infinity(), "MarginTop"},
        {&TavSheetCls::setPiecePitchDown, 100, "reach"},                // 10 rows 100 inches apart
        {&TavSheetCls::setPiecePitchAcross, 0, "print on one another"}, // all in one column
    };
    const auto expectRefused = [&](const char* named, qint32 number) {
        const auto error = test::raisedError([&] { label.PrintAll(); });
        ASSERT_TRUE(error) << "printed an unusable sheet (" << named << ")";
        EXPECT_EQ(error->number(), number);
        EXPECT_TRUE(error->description().contains(QLatin1String(named)))
            << error->description().toStdString();
        EXPECT_TRUE(printer->jobs().empty()) << named;
        EXPECT_FALSE(printer->jobOpen());
        EXPECT_FALSE(label.printing());
        EXPECT_EQ(label.CurrentPiece(), 3);
    };
    for (const auto& length : lengths) {
        const auto good = label.SheetProperties()->Copy();
        (label.SheetProperties().get()->*length.set)(length.inches);
        expectRefused(length.named, ErrorNumber::InvalidPropertyValue);
        label.SheetProperties()->assign(*good);
    }
    label.Item1Properties()->setWidth(std::numeric_limits<float>::quiet_NaN());
    expectRefused("item 1: Width", ErrorNumber::InvalidPropertyValue);
    label.Item1Properties()->setWidth(1);
    // A sheet without positions is a division error, as it always was.
    label.SheetProperties()->setNumAcross(0);
    expectRefused("NumAcross", ErrorNumber::DivisionByZero);
}

TEST_F(LabelPrintingTest, PrintedSheetsLandOnTheirPositionsOnEveryKindOfTarget) {
    addPieces(35);
    label.setPrinterTop(0.125f);
    label.setPrinterLeft(-0.0625f);
    const QString path = temp.path() + "/mailing.pdf";
    // The current printer, and the devices a host has from Qt: each sheet a page of one PDF.
    const std::function<void()> targets[] = {
        [&] {
            auto pdf = PdfPrinter::singleDocument(path);
            setCurrentPrinter(pdf);
            label.PrintAll();
            pdf->finish();
            setCurrentPrinter(printer);
        },
        [&] {
            QPdfWriter writer(path);
            label.PrintAll(writer);
        },
        [&] {
            QPrinter qprinter(QPrinter::HighResolution);
            qprinter.setOutputFormat(QPrinter::PdfFormat);
            qprinter.setOutputFileName(path);
            label.PrintAll(qprinter);
        },
    };
    for (const auto& print : targets) {
        QFile::remove(path);
        print();
        EXPECT_TRUE(printer->jobs().empty()); // the current printer was not asked
        ASSERT_EQ(test::pdfPageCount(path), 2);
        int checked = 0;
        for (const test::PdfWord& word : test::pdfWords(path)) {
            if (!word.text.startsWith(QLatin1Char('P')))
                continue;
            const int number = word.text.mid(1).toInt();
            const int position = (number - 1) % 30;
            const int row = position / 3;
            const int column = position % 3;
            EXPECT_EQ(word.page, (number - 1) / 30 + 1) << number;
            // margin + pitch × (column, row) + item offset + printer offset, in points.
            const double x = (0.1875 + 2.75 * column + 0.1 - 0.0625) * 72;
            const double y = (0.5 + 1.0 * row + 0.15 + 0.125) * 72;
            EXPECT_NEAR(word.box.left(), x, 0.5) << number;
            EXPECT_NEAR(word.box.top(), y, 0.5) << number;
            ++checked;
        }
        EXPECT_EQ(checked, 35);
    }
    // One sheet and the test page go to a device as well.
    QPdfWriter writer(path);
    label.PrintSheet(writer);
    EXPECT_EQ(test::pdfPageCount(path), 1);
    // A device that cannot be written is an error, not a document.
    QPdfWriter nowhere("/proc/mailpiece-cannot-be-here/labels.pdf");
    EXPECT_THROW(label.PrintAll(nowhere), TavError);
    RecordingPrinter other;
    label.PrintTest(other);
    EXPECT_EQ(other.jobs().size(), 1u);
    EXPECT_TRUE(printer->jobs().empty());
}

TEST_F(LabelPrintingTest, ATestPageWithoutACompanyNameIsStillOneJob) {
    label.setCompanyName(QString());
    label.PrintTest();
    ASSERT_EQ(printer->jobs().size(), 1u);
    EXPECT_GT(printer->jobs()[0].ops.size(), 12u + 22u);
}

TEST_F(LabelPrintingTest, PrintSheetPrintsTheCurrentPiecesSheetEvenIfNeverDrawn) {
    // Fed with Refresh off, never shown: no drawing has placed the current piece.
    addPieces(70);
    label.setRefresh(false);
    label.setCurrentPiece(65);
    label.PrintSheet();
    ASSERT_EQ(printer->jobs().size(), 1u);
    EXPECT_EQ(printedTexts(0), pieceNames(61, 70)); // sheet 3 holds pieces 61 to 90
    label.setCurrentPiece(2);
    label.PrintSheet();
    EXPECT_EQ(printedTexts(1), pieceNames(1, 30));
}

TEST_F(LabelPrintingTest, ALoneLineFeedBreaksTheLineOnPaperAsOnScreen) {
    label.Item1Properties()->setHeight(0.6f);
    label.setSubstituteText("Item1^Pa Barbara Jackson\n951 Spring Street|");
    label.AddPiece();
    label.PrintSheet();
    QStringList lines;
    for (const PrinterOp& op : printer->jobs().at(0).ops)
        if (op.kind == PrinterOp::Text && !op.text.trimmed().isEmpty())
            lines << op.text;
    EXPECT_EQ(lines, (QStringList{"Pa Barbara Jackson", "951 Spring Street"}));
}

TEST_F(LabelPrintingTest, EachSheetIsAJobNamedAfterTheMailing) {
    addPieces(65); // three sheets
    label.PrintRange(31, 0);
    ASSERT_EQ(printer->jobs().size(), 2u);
    EXPECT_EQ(printer->jobs()[0].jobName, "Mailpiece sheet 2 of 3");
    printer->clear();
    label.setMailingName("Spring appeal");
    label.PrintAll();
    ASSERT_EQ(printer->jobs().size(), 3u);
    EXPECT_EQ(printer->jobs()[2].jobName, "Spring appeal sheet 3 of 3");
}
