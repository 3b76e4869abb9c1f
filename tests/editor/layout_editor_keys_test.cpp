// The layout editor by keyboard and at any size: undo and redo, nudging, Tab, Escape and Enter,
// and a drawing that follows the window.

#include "layout_scale.h"
#include "modal.h"
#include "piece_layout_edit_form.h"
#include "qt_printers.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class LayoutEditorKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        Layout_m::setLayoutScale(1.0f);
        for (auto& item : items) {
            item = std::make_shared<TavItemCls>();
            item->setVisible(false);
        }
        for (int i : {0, 2}) {
            items[i]->setVisible(true);
            items[i]->setLeft1(1.0f);
            items[i]->setTop(1.0f + i);
            items[i]->setWidth(2.0f);
            items[i]->setHeight(0.5f);
        }
        barCode.setVisible(true);
        barCode.setLeft1(1.0f);
        barCode.setTop(3.0f);
        barCode.setWidth(2.0f);
        barCode.setHeight(0.25f);
        form.LoadLayout(6.0f, 4.0f, items, barCode);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QWidget* widget(const QString& name) { return form.findChild<QWidget*>(name); }
    QWidget* box(int index) { return widget(QStringLiteral("item%1").arg(index)); }
    QWidget* canvas() { return widget("piece_frame"); }
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    void undo() { press(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    void redoByY() { press(Qt::Key_Y, Qt::ControlModifier); }
    // Drags object `index` by (dx, dy) pixels with the mouse.
    void drag(int index, int dx, int dy) {
        QWidget* target = box(index);
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(5, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(5 + dx, 5 + dy),
                         target->mapToGlobal(QPointF(5 + dx, 5 + dy)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(5 + dx, 5 + dy));
    }

    test::ScopedTempDirectory temp;
    std::array<std::shared_ptr<TavItemCls>, 7> items;
    TavBarCodeCls barCode;
    PieceLayoutEditForm form;
};

} // namespace

TEST_F(LayoutEditorKeysTest, UndoAndRedoTakeBackMovesResizesAndFormats) {
    const QRect start = form.object(1).box;
    drag(1, 20, 10);
    const QRect moved = form.object(1).box;
    EXPECT_EQ(moved, start.translated(300, 150));
    auto* width = form.findChild<QLineEdit*>("width_txt");
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, "3");
    EXPECT_EQ(form.object(1).box.width(), 3 * 1440);
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == QLatin1String("&Center Justify"))
            action->trigger();
    EXPECT_EQ(form.object(1).justification, 2);

    canvas()->setFocus();
    undo(); // the justification
    EXPECT_EQ(form.object(1).justification, 0);
    EXPECT_EQ(form.object(1).box.width(), 3 * 1440);
    undo(); // the typed width, with the fields showing it
    EXPECT_EQ(form.object(1).box, moved);
    EXPECT_EQ(form.findChild<QLineEdit*>("width_txt")->text(), "2");
    undo(); // the drag
    EXPECT_EQ(form.object(1).box, start);
    EXPECT_EQ(box(1)->geometry(),
              QRect(start.x() / 15, start.y() / 15, start.width() / 15, start.height() / 15));
    redo();
    redoByY();
    EXPECT_EQ(form.object(1).box.width(), 3 * 1440);
    EXPECT_EQ(form.object(1).box.topLeft(), moved.topLeft());
    // Undone, the layout is the loaded one and saves as such.
    undo();
    undo();
    form.SaveLayout(items, barCode);
    EXPECT_FLOAT_EQ(items[0]->Left1(), 1.0f);
    EXPECT_FLOAT_EQ(items[0]->Width(), 2.0f);
    // Each key once, or none of them works.
    const QList<QKeySequence> keys = form.findChild<QAction*>("edit_redo_mnu")->shortcuts();
    EXPECT_EQ(QSet<QKeySequence>(keys.begin(), keys.end()).size(), keys.size());
}

TEST_F(LayoutEditorKeysTest, ArrowKeysNudgeTheSelectionAndOneUndoTakesTheRunBack) {
    QTest::mouseClick(box(1), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(canvas()->hasFocus());
    const QPoint start = form.object(1).box.topLeft();
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(form.object(1).box.topLeft(), start + QPoint(20, 100));
    EXPECT_EQ(form.findChild<QLineEdit*>("top_txt")->text(), "1.07");
    undo();
    EXPECT_EQ(form.object(1).box.topLeft(), start);
    // Nudges stop 50 twips from the frame's edge.
    for (int i = 0; i < 20; ++i)
        press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(form.object(1).box.left(), 50);
}

TEST_F(LayoutEditorKeysTest, TabStepsThroughTheObjectsShownAndThenLeavesTheDrawing) {
    QTest::mouseClick(box(1), Qt::LeftButton, {}, QPoint(5, 5));
    press(Qt::Key_Tab);
    EXPECT_EQ(form.selected(), 3); // item 2 is hidden
    EXPECT_EQ(widget("item_lbl")->property("text").toString(), "Item 3");
    press(Qt::Key_Tab);
    EXPECT_EQ(form.selected(), 8);
    press(Qt::Key_Backtab);
    EXPECT_EQ(form.selected(), 3);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab); // past the bar code: on to the fields
    EXPECT_EQ(form.selected(), 8);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "top_txt");
}

TEST_F(LayoutEditorKeysTest, EscapeCancelsAndEnterConfirmsEvenFromAField) {
    QTest::mouseClick(box(1), Qt::LeftButton, {}, QPoint(5, 5));
    press(Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.dataWasAccepted());

    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* top = form.findChild<QLineEdit*>("top_txt");
    top->setFocus();
    press(Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.dataWasAccepted());

    // Several changes are not dropped by Escape without asking; Cancel drops them.
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    drag(1, 10, 0);
    drag(1, 10, 0);
    canvas()->setFocus();
    for (const auto answer : {QMessageBox::Cancel, QMessageBox::Discard}) {
        EXPECT_TRUE(test::whileModal<QMessageBox>([&] { QTest::keyClick(&form, Qt::Key_Escape); },
                                                  [&](QMessageBox& box) {
                                                      EXPECT_TRUE(box.text().contains(
                                                          "Drop the 2 changes"));
                                                      box.button(answer)->click();
                                                  }));
        EXPECT_EQ(form.isVisible(), answer == QMessageBox::Cancel);
    }
    EXPECT_FALSE(form.dataWasAccepted());
}

TEST_F(LayoutEditorKeysTest, TheDrawingFollowsTheWindowAndItsHandlesStillWork) {
    const double opened = form.shownScale();
    EXPECT_NEAR(opened, 1.0, 0.05);
    const QRect natural = box(1)->geometry();
    form.resize(form.width() * 2, form.height() * 2);
    QApplication::processEvents();
    const double zoomed = form.shownScale();
    EXPECT_GT(zoomed, 1.5 * opened);
    EXPECT_EQ(widget("scale_lbl")->property("text").toString(),
              QStringLiteral("Scale: %1%").arg(qRound(zoomed * 100)));
    EXPECT_NEAR(box(1)->width(), natural.width() * zoomed / opened, 2);
    // The drawing stays within the window.
    EXPECT_TRUE(form.rect().contains(
        canvas()->geometry().translated(canvas()->parentWidget()->mapTo(&form, QPoint()))));

    // The bottom-right handle sits on the box's corner and drags in twips at the zoom.
    QTest::mouseClick(box(1), Qt::LeftButton, {}, QPoint(5, 5));
    QWidget* handle = widget("dot8");
    ASSERT_TRUE(handle->isVisible());
    EXPECT_NEAR(handle->geometry().center().x(), box(1)->geometry().right(), 3);
    EXPECT_NEAR(handle->geometry().center().y(), box(1)->geometry().bottom(), 3);
    const int width = form.object(1).box.width();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(0, 0));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 0), handle->mapToGlobal(QPointF(40, 0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_NEAR(form.object(1).box.width() - width, 40 * 15 / zoomed, 2);

    // Shrunk again, the piece is drawn smaller than it opened.
    form.resize(form.minimumSizeHint());
    QApplication::processEvents();
    EXPECT_LT(form.shownScale(), opened);
}

TEST(LayoutEditorPlace, TheLabelControlOpensItCentredOnItsWindow) {
    test::ScopedTempDirectory temp;
    QMainWindow window;
    window.setGeometry(40, 30, 720, 540); // within the offscreen screen of 800 × 600
    auto* label = new TavLabel(&window);
    window.setCentralWidget(label);
    window.show();
    QRect opened;
    EXPECT_TRUE(test::whileModal<PieceLayoutEditForm>([&] { label->PieceLayoutDialogShow(); },
                                                      [&](PieceLayoutEditForm& form) {
                                                          opened = form.frameGeometry();
                                                          form.reject();
                                                      }));
    EXPECT_NEAR(opened.center().x(), window.frameGeometry().center().x(), 2);
    EXPECT_NEAR(opened.center().y(), window.frameGeometry().center().y(), 2);
}
