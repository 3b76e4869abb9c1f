// The label control facing faults it did not cause: a printer that fails, hostile designs, a
// sheet that cannot be laid out. Each is reported once and the control stays usable.

#include "pdf_printer.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "recording_printer.h"
#include "tav_error.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class LabelFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        label.InitProperties();
        label.setRefresh(false);
        for (int i = 1; i <= 40; ++i) {
            label.setSubstituteText(QStringLiteral("Item1^Piece %1|").arg(i));
            label.AddPiece();
        }
        label.setRefresh(true);
        label.resize(600, 400);
        label.show();
        QApplication::processEvents();
        previous_ = setCurrentPrinter(printer);
    }
    void TearDown() override { setCurrentPrinter(previous_); }

    void click(const char* button) {
        auto* found = label.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(found, nullptr) << button;
        QTest::mouseClick(found, Qt::LeftButton);
    }
    QString pieceStatus() const { return label.findChild<QLabel*>("NavPLbl")->text(); }

    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedTempDirectory temp;
    test::ScopedRecordingSink messages;
    TavLabel label;
    std::shared_ptr<RecordingPrinter> printer = std::make_shared<RecordingPrinter>();

private:
    std::shared_ptr<Printer> previous_;
};

} // namespace

TEST_F(LabelFaultsTest, PrintButtonsReportAFailingPrinterAndTheControlStaysUsable) {
    setCurrentPrinter(PdfPrinter::filePerJob("/dev/null/nodir"));
    click("NavPrSht");
    ASSERT_EQ(messages.sink().texts.size(), 1);
    EXPECT_TRUE(messages.sink().texts.at(0).contains(QLatin1String("/dev/null/nodir")))
        << messages.sink().texts.at(0).toStdString();
    click("NavPrAll");
    EXPECT_EQ(messages.sink().texts.size(), 2);
    EXPECT_FALSE(label.printing());

    // Still usable: it pages and prints on a working printer.
    click("NavFirst");
    click("NavNextP");
    EXPECT_EQ(pieceStatus(), "Piece 2 of 40");
    setCurrentPrinter(printer);
    click("NavPrAll");
    EXPECT_EQ(printer->jobs().size(), 7u); // 40 pieces, 6 a sheet
    EXPECT_EQ(messages.sink().texts.size(), 2);
}

TEST_F(LabelFaultsTest, AHostileDesignLoadsKeyByKeyAndPrintingNamesTheField) {
    const QString good = label.Design();
    const QJsonObject design = QJsonDocument::fromJson(good.toUtf8()).object();
    // Each case: a key, the hostile value put there, and what printing then names.
    const struct {
        const char* key;
        QJsonValue value;
        const char* named;
        qint32 number = ErrorNumber::InvalidPropertyValue;
    } cases[] = {
        {"SheetPropertiesNA", -1, "NumAcross", ErrorNumber::DivisionByZero},
        {"SheetPropertiesPW", 0, "PieceWidth"},
        {"SheetPropertiesPH", "nan", "PieceHeight"},
        {"SheetPropertiesHE", 0, "Height"},
        {"SheetPropertiesWI", 1e30, "Width"},
        {"SheetPropertiesPA", -2.75, "PiecePitchAcross"},
        {"SheetPropertiesPD", 1e9, "PiecePitchDown"},
        {"SheetPropertiesMT", "inf", "MarginTop"},
        {"Item3PropertiesTO", 1e30, "item 3: Top"},
        {"Item1PropertiesWI", "nan", "item 1: Width"},
        {"Item2PropertiesHE", -1, "item 2: Height"},
        {"BarCodePropertiesLE", 1e38, "the bar code: Left1"},
    };
    for (const auto& c : cases) {
        QJsonObject hostile = design;
        hostile.insert(QLatin1String(c.key), c.value);
        hostile.insert("CompanyName", "Read on"); // after it
        messages.sink().texts.clear();
        label.setDesign(QString::fromUtf8(QJsonDocument(hostile).toJson()));
        EXPECT_TRUE(messages.sink().texts.isEmpty())
            << c.key << messages.sink().texts.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(label.CompanyName(), "Read on") << c.key;
        EXPECT_FALSE(label.grab().isNull()); // the views draw nothing, and never crash
        try {
            label.PrintAll();
            ADD_FAILURE() << "printed " << c.key;
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), c.number) << c.key;
            EXPECT_TRUE(error.description().contains(QLatin1String(c.named)))
                << error.description().toStdString();
        }
        label.setDesign(good);
        EXPECT_EQ(label.Design(), good) << c.key;
    }
    // Still drawn, paged and printed as before.
    messages.sink().texts.clear();
    click("NavLast");
    EXPECT_EQ(pieceStatus(), "Piece 40 of 40");
    label.PrintAll();
    EXPECT_EQ(printer->jobs().size(), 7u);
    EXPECT_TRUE(messages.sink().texts.isEmpty());
}

TEST_F(LabelFaultsTest, MissingKeysReadAsEmptyAndAnUnreadableValueKeepsItsDefault) {
    QJsonObject design = QJsonDocument::fromJson(label.Design().toUtf8()).object();
    design.remove("Item1PropertiesTC");
    design.remove("Item2PropertiesVI");
    design.insert("SheetPropertiesND", "abc");
    design.insert("SheetPropertiesNA", 1);
    label.setDesign(QString::fromUtf8(QJsonDocument(design).toJson()));
    EXPECT_TRUE(messages.sink().texts.isEmpty());
    EXPECT_EQ(label.Item1Properties()->TextControl(), QString());
    EXPECT_FALSE(label.Item2Properties()->Visible());
    EXPECT_EQ(label.SheetProperties()->NumDown(), 3); // the piece's own, as applied
    EXPECT_EQ(label.SheetProperties()->NumAcross(), 1);

    // A sheet without positions loads too, and printing it is the division error it always was.
    design.remove("SheetPropertiesNA");
    label.setDesign(QString::fromUtf8(QJsonDocument(design).toJson()));
    EXPECT_EQ(label.SheetProperties()->NumAcross(), 0);
    try {
        label.PrintAll();
        ADD_FAILURE() << "printed a sheet without positions";
    } catch (const TavError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::DivisionByZero);
    }
}

TEST_F(LabelFaultsTest, AnAbsurdFontSizeInADesignKeepsTheFontItHad) {
    const QString good = label.Design();
    QJsonObject design = QJsonDocument::fromJson(good.toUtf8()).object();
    const double had = label.Item1Properties()->font()->Size();
    for (const double size : {1e9, -3.0, 0.0}) {
        QJsonObject font = design.value("Item1PropertiesFO").toObject();
        font.insert("size", size);
        design.insert("Item1PropertiesFO", font);
        label.setDesign(QString::fromUtf8(QJsonDocument(design).toJson()));
        EXPECT_DOUBLE_EQ(label.Item1Properties()->font()->Size(), had) << size;
        label.PrintSheet();
    }
    EXPECT_EQ(printer->jobs().size(), 3u);
}

TEST_F(LabelFaultsTest, ASheetThatCannotBeLaidOutShowsNothingAndRefusesToPrint) {
    label.SheetProperties()->setHeight(0);
    label.hide();
    label.show(); // drawing it must neither raise nor abort
    QApplication::processEvents();
    click("NavNextS");
    EXPECT_TRUE(messages.sink().texts.isEmpty());
    try {
        label.PrintAll();
        FAIL() << "printed a sheet of height 0";
    } catch (const TavError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
        EXPECT_TRUE(error.description().contains(QLatin1String("Height is 0")));
    }
    EXPECT_TRUE(printer->jobs().empty());
    // One sheet alone says so too, also for a piece without size.
    label.SheetProperties()->setHeight(11);
    const float width = label.SheetProperties()->PieceWidth();
    label.SheetProperties()->setPieceWidth(0);
    EXPECT_THROW(label.PrintSheet(), TavError);
    EXPECT_TRUE(printer->jobs().empty());
    label.SheetProperties()->setPieceWidth(width);
    label.PrintAll();
    EXPECT_EQ(printer->jobs().size(), 7u);
}
