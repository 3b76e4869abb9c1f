#include "display_flags.h"
#include "label_design.h"
#include "modal.h"
#include "piece_select.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_label.h"
#include "tav_port.h"
#include "temp_env.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// Twips to the control's pixels at 96 dots per inch.
int px(int twips) {
    return twips / 15;
}

class LabelDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::setThirtyUpSheet(*label.SheetProperties());
        label.setRefresh(false);
        for (int i = 1; i <= 70; ++i) {
            label.setSubstituteText(QStringLiteral("Item1^Piece number %1|").arg(i));
            label.AddPiece();
        }
        label.setRefresh(true);
        label.resize(600, 400);
        label.show();
        QApplication::processEvents();
    }

    template <typename T> T* child(const char* name) {
        T* found = label.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    QString pieceStatus() { return child<QLabel>("NavPLbl")->text(); }
    QString sheetStatus() { return child<QLabel>("NavSLbl")->text(); }

    test::ScopedTempDirectory temp;
    TavLabel label;
};

} // namespace

TEST(DisplayFlags, NormaliseToTheirLength) {
    EXPECT_EQ(normaliseFlags("10", 7), "1011111");
    EXPECT_EQ(normaliseFlags("0x0", 7), "0101111");
    EXPECT_EQ(normaliseFlags("00000000", 7), "1111111");
    EXPECT_EQ(normaliseFlags(QString(), 2), "11");
}

TEST_F(LabelDisplayTest, ButtonsPageThroughPiecesAndSheets) {
    EXPECT_EQ(pieceStatus(), "Piece 70 of 70");
    EXPECT_EQ(sheetStatus(), "Sheet 3 of 3");
    click("NavFirst");
    EXPECT_EQ(label.CurrentPiece(), 1);
    EXPECT_EQ(pieceStatus(), "Piece 1 of 70");
    click("NavNextP");
    EXPECT_EQ(label.CurrentPiece(), 2);
    click("NavNextS");
    EXPECT_EQ(label.CurrentPiece(), 32);
    EXPECT_EQ(sheetStatus(), "Sheet 2 of 3");
    click("NavPrevP");
    EXPECT_EQ(label.CurrentPiece(), 31);
    click("NavPrevS");
    EXPECT_EQ(label.CurrentPiece(), 1);
    click("NavPrevS");
    EXPECT_EQ(label.CurrentPiece(), 1); // at least 1
    click("NavLast");
    EXPECT_EQ(label.CurrentPiece(), 70);
    click("NavNextS");
    EXPECT_EQ(label.CurrentPiece(), 70); // at most the piece count
    EXPECT_TRUE(child<TavPort>("NavPieceWin")->hasFocus());
}

TEST_F(LabelDisplayTest, PageKeysStepThroughPiecesWhereTheyDoNotZoom) {
    // On the control itself Page Down and Page Up step, and it keeps the focus for the next.
    label.setFocus();
    QTest::keyClick(&label, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(label.CurrentPiece(), 1);
    QTest::keyClick(&label, Qt::Key_PageUp);
    EXPECT_EQ(label.CurrentPiece(), 1); // never before the first
    QTest::keyClick(&label, Qt::Key_PageDown);
    QTest::keyClick(&label, Qt::Key_PageDown);
    EXPECT_EQ(label.CurrentPiece(), 3);
    EXPECT_EQ(pieceStatus(), "Piece 3 of 70");
    EXPECT_TRUE(label.hasFocus());
    QTest::keyClick(&label, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(label.CurrentPiece(), 70);
    QTest::keyClick(&label, Qt::Key_PageDown);
    EXPECT_EQ(label.CurrentPiece(), 70); // never past the last

    // In a view Page keys zoom; with Ctrl they step, and Ctrl+Home goes to the first piece.
    auto* pieceView = child<TavPort>("NavPieceWin");
    pieceView->setFocus();
    const qint16 zoom = pieceView->Zoom();
    QTest::keyClick(pieceView, Qt::Key_PageUp);
    EXPECT_GT(pieceView->Zoom(), zoom);
    EXPECT_EQ(label.CurrentPiece(), 70);
    QTest::keyClick(pieceView, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(label.CurrentPiece(), 69);
    QTest::keyClick(pieceView, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(label.CurrentPiece(), 1);
    EXPECT_EQ(sheetStatus(), "Sheet 1 of 3");
    EXPECT_TRUE(pieceView->hasFocus());
}

TEST_F(LabelDisplayTest, ThePieceListPicksAnyPiece) {
    click("NavListP");
    auto* list = child<QListView>("List1");
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->model()->rowCount(), 70);
    EXPECT_EQ(list->currentIndex().row(), 69);
    const QModelIndex twelfth = list->model()->index(11, 0);
    EXPECT_EQ(twelfth.data().toString(), "Piece 12");
    list->scrollTo(twelfth);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(twelfth).center());
    EXPECT_EQ(label.CurrentPiece(), 12);
    EXPECT_FALSE(list->isVisible());
    // The list's bottom is level with the button's.
    click("NavListP");
    auto* button = child<QPushButton>("NavListP");
    EXPECT_NEAR(list->geometry().bottom(), button->geometry().bottom(), 1);
    EXPECT_EQ(list->x(), button->x());
}

TEST_F(LabelDisplayTest, TheViewListSwitchesViewsAndKeysZoomTheView) {
    auto* views = child<QComboBox>("NavAppearance");
    auto* pieceView = child<TavPort>("NavPieceWin");
    auto* sheetView = child<TavPort>("NavSheetWin");
    EXPECT_TRUE(pieceView->isVisible());
    EXPECT_TRUE(sheetView->isVisible());

    views->setFocus();
    QTest::keyClick(views, Qt::Key_Up); // Both -> Sheet
    EXPECT_EQ(views->currentText(), "Sheet");
    EXPECT_FALSE(pieceView->isVisible());
    EXPECT_TRUE(sheetView->isVisible());
    EXPECT_EQ(label.Appearance(), TavEnumCls::TavShowBoth); // the host's choice stays as set
    QTest::keyClick(views, Qt::Key_Up);                     // Sheet -> Piece
    EXPECT_TRUE(pieceView->isVisible());
    EXPECT_FALSE(sheetView->isVisible());

    const qint16 zoom = pieceView->Zoom();
    QTest::keyClick(pieceView, Qt::Key_PageUp);
    EXPECT_GT(pieceView->Zoom(), zoom);
    QTest::keyClick(pieceView, Qt::Key_End);
    EXPECT_EQ(pieceView->Zoom(), zoom);

    label.setAppearance(TavEnumCls::TavShowSheet);
    EXPECT_EQ(views->currentIndex(), 1);
    EXPECT_TRUE(sheetView->isVisible());
}

TEST_F(LabelDisplayTest, ButtonsAreLaidOutInTwipsAndFlagsHideThem) {
    const int width = label.width() * 15;
    const int buttonTop = label.height() * 15 - 330;
    EXPECT_EQ(child<QPushButton>("NavFirst")->geometry(), QRect(px(60), px(buttonTop), 19, 18));
    EXPECT_EQ(child<QPushButton>("NavPrevS")->x(), px(60 + 285 - 30)); // overlapping by 30
    EXPECT_EQ(child<QPushButton>("NavLast")->x(), px(60 + 6 * 255));
    EXPECT_EQ(child<QComboBox>("NavAppearance")->x(), px(width - 750 - 40));
    EXPECT_EQ(child<QPushButton>("NavPrAll")->x(), px(width - 750 - 80 - 855));
    EXPECT_EQ(child<QPushButton>("NavLayout")->x(), px(width - 750 - 80 - 4 * 855));
    // The status labels are centred between the groups.
    const int labelLeft = 60 + 6 * 255 + 285 + 100;
    const int right = width - 750 - 80 - 4 * 855;
    EXPECT_EQ(child<QLabel>("NavPLbl")->x(), px((right - labelLeft - 855) / 2 + labelLeft));

    label.setShowLeftBtns("10");
    EXPECT_EQ(label.ShowLeftBtns(), "1011111");
    EXPECT_FALSE(child<QPushButton>("NavPrevS")->isVisible());
    EXPECT_EQ(child<QPushButton>("NavPrevP")->x(), px(60 + 255));
    label.setShowRightBtns("00001");
    for (const char* name : {"NavPrAll", "NavPrSht", "NavSelect", "NavLayout"})
        EXPECT_FALSE(child<QPushButton>(name)->isVisible()) << name;
    EXPECT_EQ(child<QComboBox>("NavAppearance")->x(), px(width - 750 - 40));
    label.setShowCenter("01");
    EXPECT_FALSE(child<QLabel>("NavPLbl")->isVisible());
    EXPECT_TRUE(child<QLabel>("NavSLbl")->isVisible());
}

TEST_F(LabelDisplayTest, TheControlKeepsItsMinimumSizeAndASmallSheetSquare) {
    label.resize(100, 30);
    QApplication::processEvents();
    EXPECT_EQ(label.width(), 200); // 3000 twips
    EXPECT_EQ(label.height(), 67); // 1000 twips
    label.resize(400, 100);        // 1500 twips high
    QApplication::processEvents();
    auto* sheetView = child<TavPort>("NavSheetWin");
    EXPECT_EQ(sheetView->width(), px(400));
    EXPECT_EQ(sheetView->x(), px(400 * 15 - 400 - 60));
}

TEST_F(LabelDisplayTest, OnlyClicksOnTheViewsRaiseEvents) {
    QSignalSpy clicks(&label, &TavLabel::Click);
    QSignalSpy doubleClicks(&label, &TavLabel::DblClick);
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(300, 5));
    QTest::mouseDClick(&label, Qt::LeftButton, {}, QPoint(300, 5));
    click("NavFirst");
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(doubleClicks.count(), 0);

    // On a view: a click, and a double click, as a host's form sees them.
    auto* view = child<TavPort>("NavPieceWin");
    QWidget* canvas = view->canvas();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST_F(LabelDisplayTest, TheAboutBoxIsModalAndClosesWithOk) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    label.ShowAboutBox();
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(LabelDisplayTest, SelectOpensThePieceSelectionAndCancelChangesNothing) {
    const auto sheet = label.SheetProperties();
    test::ScopedRecordingSink messages; // no catalogue here: its message goes to the sink
    const bool seen = test::whileModal<PieceSelectForm>(
        [&] { click("NavSelect"); },
        [](PieceSelectForm& form) {
            QTest::mouseClick(form.findChild<QPushButton*>("cancel_btn"), Qt::LeftButton);
        });
    EXPECT_TRUE(seen);
    EXPECT_EQ(label.SheetProperties(), sheet);
    EXPECT_EQ(label.SheetProperties()->NumAcross(), 3);
}

TEST_F(LabelDisplayTest, EveryButtonSaysWhatItDoes) {
    const auto buttons = label.findChildren<QPushButton*>();
    EXPECT_GE(buttons.size(), 11);
    for (const QPushButton* button : buttons)
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
}
