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
    QString pieceStatus() const {
        return label.findChild<QLabel*>(QStringLiteral("NavPLbl"))->text();
    }

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
    setCurrentPrinter(PdfPrinter::filePerJob(QStringLiteral("/dev/null/nodir")));
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
    EXPECT_EQ(pieceStatus(), QStringLiteral("Piece 2 of 40"));
    setCurrentPrinter(printer);
    click("NavPrAll");
    EXPECT_EQ(printer->jobs().size(), 7u); // 40 pieces, 6 a sheet
    EXPECT_EQ(messages.sink().texts.size(), 2);
}

TEST_F(LabelFaultsTest, AHostileDesignIsReportedOnceAndChangesNothing) {
    const QString good = label.Design();
    const QJsonObject design = QJsonDocument::fromJson(good.toUtf8()).object();
    // Each case: a key and the hostile value put there.
    const std::pair<const char*, QJsonValue> cases[] = {
        {"SheetPropertiesNA", -1},
        {"SheetPropertiesND", 0},
        {"SheetPropertiesPW", 0},
        {"SheetPropertiesPH", QStringLiteral("nan")},
        {"SheetPropertiesHE", 0},
        {"SheetPropertiesWI", 1e30},
        {"SheetPropertiesPA", -2.75},
        {"SheetPropertiesPD", 1e9},
        {"SheetPropertiesMT", QStringLiteral("inf")},
        {"Item3PropertiesTO", 1e30},
        {"Item1PropertiesWI", QStringLiteral("nan")},
        {"Item2PropertiesHE", -1},
        {"BarCodePropertiesLE", 1e38},
        {"PrinterTop", QStringLiteral("nan")},
    };
    for (const auto& [key, value] : cases) {
        QJsonObject hostile = design;
        hostile.insert(QLatin1String(key), value);
        messages.sink().texts.clear();
        label.setDesign(QString::fromUtf8(QJsonDocument(hostile).toJson()));
        EXPECT_EQ(messages.sink().texts.size(), 1) << key;
        EXPECT_EQ(label.Design(), good) << key;
    }
    // Still drawn, paged and printed as before.
    messages.sink().texts.clear();
    EXPECT_FALSE(label.grab().isNull());
    click("NavLast");
    EXPECT_EQ(pieceStatus(), QStringLiteral("Piece 40 of 40"));
    label.PrintAll();
    EXPECT_EQ(printer->jobs().size(), 7u);
    EXPECT_TRUE(messages.sink().texts.isEmpty());
}

TEST_F(LabelFaultsTest, AnAbsurdFontSizeInADesignKeepsTheFontItHad) {
    const QString good = label.Design();
    QJsonObject design = QJsonDocument::fromJson(good.toUtf8()).object();
    const double had = label.Item1Properties()->font()->Size();
    for (const double size : {1e9, -3.0, 0.0}) {
        QJsonObject font = design.value(QStringLiteral("Item1PropertiesFO")).toObject();
        font.insert(QStringLiteral("size"), size);
        design.insert(QStringLiteral("Item1PropertiesFO"), font);
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
