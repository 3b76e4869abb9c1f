#include "modal.h"
#include "piece_detail.h"
#include "piece_layout_edit_form.h"
#include "piece_select.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "recording_message_sink.h"
#include "tav_barcode.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "temp_env.h"
#include "units.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// A page on controls that read the catalogue shipped with the library.
class PieceDetailTest : public ::testing::Test {
protected:
    void SetUp() override {
        label.InitProperties();
        page.resize(page.minimumSize());
    }

    QString text(const char* name) {
        return page.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    static void press(QWidget& parent, const char* name) {
        QTest::mouseClick(parent.findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }
    // Opens the layout editor with the page's button, moves item 1 to left 1.5 and presses
    // `button`.
    void editLayout(const char* button) {
        test::whileModal<PieceLayoutEditForm>(
            [&] { press(page, "LayoutBtn"); },
            [button](PieceLayoutEditForm& form) {
                QTest::mouseClick(form.findChild<QWidget*>("item1"), Qt::LeftButton, {},
                                  QPoint(2, 2));
                auto* left = form.findChild<QLineEdit*>("left_txt");
                left->selectAll();
                QTest::keyClicks(left, "1.5");
                press(form, button);
            });
    }

    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedTempDirectory temp;
    test::ScopedRecordingSink messages;
    TavLabel label;
    PieceDetail page;
};

} // namespace

TEST_F(PieceDetailTest, SelectingAControlCopiesItsRecordsUnderEitherSetOfNames) {
    label.itemProperties(3)->setTextControl("third");
    page.SelectionChanged(&label);
    EXPECT_EQ(page.sheet()->PieceName(), "5264 - Shipping");
    EXPECT_EQ(page.item(3)->TextControl(), "third");
    EXPECT_NE(page.item(3), label.itemProperties(3)); // copies
    EXPECT_NE(page.sheet(), label.SheetProperties());

    TavMail mail;
    mail.InitProperties();
    mail.Stamp()->setTextControl("stamp");
    mail.Message3()->setTextControl("third message");
    page.SelectionChanged(&mail);
    EXPECT_EQ(page.item(1)->TextControl(), "<<DeliveryAddress>>");
    EXPECT_EQ(page.item(5)->TextControl(), "stamp");
    EXPECT_EQ(page.item(6)->TextControl(), "third message");
    EXPECT_FLOAT_EQ(page.barCode()->Top(), mail.BarCodeProperties()->Top());

    QObject plain; // neither a label nor an envelope
    EXPECT_THROW(page.SelectionChanged(&plain), TavError);
}

TEST_F(PieceDetailTest, ThePreviewFitsFourByOneAndAHalfInches) {
    const auto preview = [&](float width, float height) {
        label.SheetProperties()->setPieceWidth(width);
        label.SheetProperties()->setPieceHeight(height);
        page.SelectionChanged(&label);
        return page.previewSize();
    };
    EXPECT_EQ(preview(4.0f, 1.5f), QSize(5760, 2160));
    EXPECT_EQ(preview(8.0f, 3.0f), QSize(5760, 2160));
    EXPECT_EQ(preview(2.625f, 1.0f), QSize(5670, 2160));
    EXPECT_DOUBLE_EQ(page.previewScale(), 1.5);
    auto* pic1 = page.findChild<QLabel*>("Pic1");
    EXPECT_EQ(pic1->size(), QSize(379, 145)); // 15 twips a pixel, and the edge pixel
    EXPECT_EQ(pic1->x(), (page.width() - 378) / 2);
    EXPECT_FALSE(pic1->pixmap().isNull());

    // The preview draws the piece: dark text or bars on white.
    const QImage image = pic1->pixmap().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
}

TEST_F(PieceDetailTest, APieceWithoutSizeShowsTheShippingLabelOrALetterPage) {
    label.SheetProperties()->setPieceWidth(0);
    page.SelectionChanged(&label);
    EXPECT_EQ(page.sheet()->PieceName(), "5264 - Shipping");
    EXPECT_FLOAT_EQ(page.sheet()->PieceWidth(), 4.0f);

    QTemporaryDir empty;
    test::ScopedCatalog noCatalog(empty.path().toUtf8());
    label.SheetProperties()->setPieceWidth(0);
    page.SelectionChanged(&label);
    EXPECT_FLOAT_EQ(page.sheet()->PieceWidth(), 8.5f);
    EXPECT_FLOAT_EQ(page.sheet()->PieceHeight(), 11.0f);
    for (int i = 1; i <= 7; ++i)
        EXPECT_FLOAT_EQ(page.item(i)->Left1(), 1.0f);
    EXPECT_FLOAT_EQ(page.barCode()->Height(), 1.0f);
    EXPECT_EQ(page.previewSize(), QSize(roundToInt(8.5 * 1.5 / 11 * 1440), 2160));
    EXPECT_FALSE(messages.sink().texts.isEmpty()); // the missing catalogue was reported
}

TEST_F(PieceDetailTest, DetailsShowItemOneAndThePieceInThousandths) {
    label.itemProperties(1)->setTop(1.7754f);
    label.itemProperties(1)->setLeft1(2.0f);
    label.itemProperties(1)->setHeight(0.0625f); // 62.5 thousandths: the half goes to even
    page.SelectionChanged(&label);
    EXPECT_EQ(page.findChild<QGroupBox*>("lblItem")->title(), "Item 1");
    EXPECT_EQ(text("lblItop"), "Top = 1.775");
    EXPECT_EQ(text("lblIleft"), "Left1 = 2");
    EXPECT_EQ(text("lblIheight"), "Height = 0.062");
    EXPECT_EQ(text("lblPName"), "5264 - Shipping");
    EXPECT_EQ(text("lblPWidth"), "Width = 4");
    EXPECT_EQ(text("lblPHeight"), "Height = 3.333");

    label.itemProperties(1)->setTop(32.768f); // beyond 16 bits of thousandths
    EXPECT_EQ(test::raisedNumber([&] { page.SelectionChanged(&label); }), ErrorNumber::Overflow)
        << "no overflow";
}

TEST_F(PieceDetailTest, TheBarCodeDetailsNameItsSymbologyAndTrackingCode) {
    page.SelectionChanged(&label);
    EXPECT_EQ(text("lblPBars"), "Bar code: POSTNET");
    EXPECT_TRUE(text("lblPTracking").isEmpty());
    label.BarCodeProperties()->setSymbology(TavEnumCls::TavIntelligentMail);
    page.SelectionChanged(&label);
    EXPECT_EQ(text("lblPBars"), "Bar code: Intelligent Mail");
    EXPECT_EQ(text("lblPTracking"), "No tracking code");
    label.BarCodeProperties()->setTrackingCode("00700123456000000041");
    page.SelectionChanged(&label);
    EXPECT_EQ(text("lblPTracking"), "Tracking 00700123456000000041");
    // The preview draws the chosen bars.
    const auto* bars = page.findChild<TavBarcode*>();
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->pattern().size(), 65);
}

TEST_F(PieceDetailTest, CancellingTheLayoutEditorKeepsAChosenPieceToApply) {
    page.SelectionChanged(&label);
    page.show();
    test::whileModal<PieceSelectForm>(
        [&] { press(page, "btnDotDotDot"); },
        [](PieceSelectForm& form) {
            form.findChild<QListWidget*>("piece_lst")->setCurrentRow(0);
            press(form, "ok_btn");
        });
    EXPECT_TRUE(page.changed());
    const QString chosen = page.sheet()->PieceName();
    EXPECT_EQ(text("lblPName"), chosen);

    const float left = page.item(1)->Left1();
    editLayout("cancel_btn");
    EXPECT_TRUE(page.changed()); // the chosen piece still waits to be applied
    EXPECT_FLOAT_EQ(page.item(1)->Left1(), left);
    page.ApplyChanges(&label);
    EXPECT_EQ(label.PieceName(), chosen);

    // Applied, as the dialog does it: with nothing else changed, a cancelled layout leaves
    // nothing to apply.
    page.SelectionChanged(&label);
    page.setChanged(false);
    editLayout("cancel_btn");
    EXPECT_FALSE(page.changed());
    editLayout("ok_btn");
    EXPECT_TRUE(page.changed());
    EXPECT_FLOAT_EQ(page.item(1)->Left1(), 1.5f);
}

TEST_F(PieceDetailTest, ApplyingHandsTheRecordsOverAndLaterCancelledEditsStayOut) {
    page.SelectionChanged(&label);
    page.show();
    editLayout("ok_btn");
    label.setRefresh(true);
    page.ApplyChanges(&label);
    EXPECT_EQ(label.Item1Properties(), page.item(1)); // the records themselves
    EXPECT_EQ(label.BarCodeProperties(), page.barCode());
    EXPECT_EQ(label.SheetProperties(), page.sheet());
    EXPECT_FLOAT_EQ(label.Item1Properties()->Left1(), 1.5f);
    EXPECT_TRUE(label.Refresh());

    editLayout("cancel_btn");
    EXPECT_FLOAT_EQ(label.Item1Properties()->Left1(), 1.5f);

    TavMail mail;
    mail.InitProperties();
    mail.setRefresh(false);
    page.SelectionChanged(&mail);
    page.item(2)->setTextControl("From us");
    page.ApplyChanges(&mail);
    EXPECT_EQ(mail.ReturnAddress(), page.item(2));
    EXPECT_EQ(mail.TavLabel1().Item2Properties()->TextControl(), "From us");
    EXPECT_FALSE(mail.Refresh());
}
