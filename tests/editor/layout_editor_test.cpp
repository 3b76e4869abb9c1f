#include "layout_scale.h"
#include "modal.h"
#include "piece_layout_edit_form.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_bar_code_cls.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

namespace {

using Items = std::array<std::shared_ptr<TavItemCls>, 7>;

class LayoutEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        Layout_m::setLayoutScale(1.0f);
        for (int i = 0; i < 7; ++i) {
            items[i] = std::make_shared<TavItemCls>();
            items[i]->setVisible(true);
            items[i]->setLeft1(0.5f);
            items[i]->setTop(0.25f + 0.4f * i);
            items[i]->setWidth(2.0f);
            items[i]->setHeight(0.3f);
            items[i]->setTextControl(QStringLiteral("<<Item%1>>").arg(i + 1));
        }
        barCode.setVisible(true);
        barCode.setLeft1(0.5f);
        barCode.setTop(3.0f);
        barCode.setWidth(1.4375f);
        barCode.setHeight(0.125f);
    }

    QWidget* box(PieceLayoutEditForm& form, int index) {
        return form.findChild<QWidget*>(QStringLiteral("item%1").arg(index));
    }
    QLineEdit* field(PieceLayoutEditForm& form, const char* name) {
        return form.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QAction* action(PieceLayoutEditForm& form, const char* text) {
        for (QAction* a : form.findChildren<QAction*>())
            if (a->text() == QString::fromLatin1(text))
                return a;
        ADD_FAILURE() << "no action " << text;
        return nullptr;
    }
    void clickBox(PieceLayoutEditForm& form, int index) {
        QTest::mouseClick(box(form, index), Qt::LeftButton, {}, QPoint(3, 3));
    }

    Items items;
    TavBarCodeCls barCode;
};

} // namespace

TEST(LayoutScale, FitsThePieceOnTheScreen) {
    Layout_m::FitLayoutScale(9.5f, 1.0f, 9600, 100000);
    EXPECT_FLOAT_EQ(Layout_m::LayoutScale(), 0.68f);
    Layout_m::FitLayoutScale(4.0f, 2.0f, 20000, 20000);
    EXPECT_FLOAT_EQ(Layout_m::LayoutScale(), 1.0f);
    EXPECT_EQ(Layout_m::formatInches(0.2f), "0.2");
    EXPECT_EQ(Layout_m::formatInches(3.0f), "3");
    EXPECT_EQ(Layout_m::formatInches(1.005f), "1");
}

TEST_F(LayoutEditorTest, LowItemsAreShownTallerAndFontsKeepTheirSize) {
    items[0]->setHeight(0.1f);
    items[0]->font()->setSize(10);
    Layout_m::setLayoutScale(0.68f);
    PieceLayoutEditForm form;
    form.LoadLayout(6.0f, 4.0f, items, barCode);
    EXPECT_EQ(form.windowTitle(), "Piece Layout");
    EXPECT_EQ(form.object(1).box.height(), 288);
    // Shown at the scale, and at the zoom that fits the window (which its menus may widen).
    EXPECT_NEAR(box(form, 1)->font().pointSizeF(), 10 * form.shownScale(), 0.01);
    EXPECT_NEAR(form.shownScale(), 0.68, 0.68 * 0.1);
    EXPECT_EQ(form.object(8).text, "||l|||lll||ll|||lll|ll|||");
    Layout_m::setLayoutScale(1.0f);
    form.SaveLayout(items, barCode);
    EXPECT_FLOAT_EQ(items[0]->Height(), 0.2f);
    EXPECT_EQ(items[0]->font()->Size(), 10);
}

TEST_F(LayoutEditorTest, DraggingStopsFiftyTwipsFromTheEdgesAndHandlesResize) {
    PieceLayoutEditForm form;
    form.LoadLayout(6.0f, 4.0f, items, barCode);
    form.show();
    QWidget* first = box(form, 1);
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(-500, -500),
                     first->mapToGlobal(QPointF(-500, -500)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(first, &move);
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(form.object(1).box.topLeft(), QPoint(50, 50));
    EXPECT_EQ(form.selected(), 1);
    EXPECT_EQ(form.findChild<QLabel*>("item_lbl")->text(), "Item 1");
    EXPECT_EQ(field(form, "left_txt")->text(), "0.03");

    // The bottom right handle widens and heightens; the top left one moves the corner.
    const QRect before = form.object(1).box;
    auto* corner = form.findChild<QWidget*>("dot8");
    ASSERT_TRUE(corner->isVisible());
    QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(1, 1));
    QMouseEvent grow(QEvent::MouseMove, QPointF(20, 10), corner->mapToGlobal(QPointF(20, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(corner, &grow);
    QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(form.object(1).box.width(), before.width() + 300);
    EXPECT_EQ(form.object(1).box.height(), before.height() + 150);
}

TEST_F(LayoutEditorTest, PositionFieldsTakeDigitsWithinTheirRangeAndSpinnersStopAtLimits) {
    PieceLayoutEditForm form;
    form.LoadLayout(6.0f, 4.0f, items, barCode);
    form.show();
    clickBox(form, 2);
    QLineEdit* left = field(form, "left_txt");
    left->setFocus();
    left->selectAll();
    QTest::keyClicks(left, "1x.2");
    EXPECT_EQ(left->text(), "1.2");
    EXPECT_EQ(form.object(2).box.x(), 1728);
    left->selectAll();
    QTest::keyClicks(left, "99");
    EXPECT_EQ(left->text(), "4"); // 6 in wide frame, 2 in wide item
    EXPECT_EQ(form.object(2).box.x(), 5760);

    auto* spinner = form.findChild<QScrollBar*>("left_scr");
    spinner->triggerAction(QAbstractSlider::SliderSingleStepSub); // up: +50 twips, over the limit
    EXPECT_EQ(left->text(), "4");
    EXPECT_EQ(spinner->value(), 0);
    spinner->triggerAction(QAbstractSlider::SliderSingleStepAdd); // down: -50 twips
    EXPECT_EQ(left->text(), "3.97");
}

TEST_F(LayoutEditorTest, MenusSetJustificationAlignmentBordersAndVisibility) {
    PieceLayoutEditForm form;
    form.LoadLayout(6.0f, 4.0f, items, barCode);
    form.show();
    clickBox(form, 3);
    action(form, "&Center Justify")->trigger();
    action(form, "&Bottom Alignment")->trigger();
    action(form, "Borders")->trigger();
    EXPECT_EQ(form.object(3).justification, 2);
    EXPECT_EQ(form.object(3).alignment, 2);
    EXPECT_TRUE(form.object(3).border);
    action(form, "&Full Justify")->trigger();
    EXPECT_EQ(form.object(3).justification, 2); // only the check mark moves
    action(form, "&Clear")->trigger();
    EXPECT_TRUE(form.object(3).text.isEmpty());

    items[6]->setVisible(false);
    items[6]->setWidth(0.1f);
    PieceLayoutEditForm again;
    again.LoadLayout(6.0f, 4.0f, items, barCode);
    action(again, "Item &7")->trigger();
    EXPECT_TRUE(again.object(7).visible);
    EXPECT_EQ(again.object(7).box.width(), 700);

    form.SaveLayout(items, barCode);
    EXPECT_EQ(items[2]->AlignHorizontal(), TavEnumCls::vbCenter);
    EXPECT_EQ(items[2]->AlignVertical(), TavEnumCls::vbBottom);
    EXPECT_EQ(items[2]->BorderStyle(), TavEnumCls::FixedSingle);
}

TEST_F(LayoutEditorTest, OnlyOkWritesTheRecordsBack) {
    const auto drag = [this](PieceLayoutEditForm& form) {
        QWidget* first = box(form, 1);
        QTest::mousePress(first, Qt::LeftButton, {}, QPoint(5, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(25, 25), first->mapToGlobal(QPointF(25, 25)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(first, &move);
        QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(5, 5));
    };
    bool changed = true;
    test::whileModal<PieceLayoutEditForm>(
        [&] { changed = EditPieceLayout(-1, -1, 6.0f, 4.0f, items, barCode); },
        [&](PieceLayoutEditForm& form) {
            drag(form);
            QTest::mouseClick(form.findChild<QPushButton*>("cancel_btn"), Qt::LeftButton);
        });
    EXPECT_FALSE(changed);
    EXPECT_FLOAT_EQ(items[0]->Left1(), 0.5f);

    test::whileModal<PieceLayoutEditForm>(
        [&] { changed = EditPieceLayout(-1, -1, 6.0f, 4.0f, items, barCode); },
        [&](PieceLayoutEditForm& form) {
            drag(form);
            QTest::mouseClick(form.findChild<QPushButton*>("ok_btn"), Qt::LeftButton);
        });
    EXPECT_TRUE(changed);
    EXPECT_GT(items[0]->Left1(), 0.5f);
}

TEST_F(LayoutEditorTest, TheBarCodeMenuChoosesTheSymbologyAndChecksTheTrackingCode) {
    test::ScopedRecordingSink messages;
    test::whileModal<PieceLayoutEditForm>(
        [&] { EditPieceLayout(-1, -1, 6.0f, 4.0f, items, barCode); },
        [&](PieceLayoutEditForm& form) {
            auto* title = form.findChild<QLabel*>("item_lbl");
            clickBox(form, 8);
            EXPECT_EQ(title->text(), "Bar Code");
            action(form, "&Intelligent Mail barcode")->trigger();
            // The 1.44 in box cannot hold the 2.91 in bars, and the editor says so.
            EXPECT_TRUE(title->text().contains("too narrow")) << title->text().toStdString();
            form.setTrackingCode("00700123456000000041");
            EXPECT_THROW(form.setTrackingCode("0070012345"), TavError);
            EXPECT_EQ(form.trackingCode(), "00700123456000000041");
            auto* width = field(form, "width_txt");
            width->selectAll();
            QTest::keyClicks(width, "3");
            QTest::keyClick(width, Qt::Key_Return);
            EXPECT_EQ(title->text(), "Bar Code: Intelligent Mail 00700123456000000041");
            QTest::mouseClick(form.findChild<QPushButton*>("ok_btn"), Qt::LeftButton);
        });
    EXPECT_EQ(barCode.Symbology(), TavEnumCls::TavIntelligentMail);
    EXPECT_EQ(barCode.TrackingCode(), "00700123456000000041");
    EXPECT_FLOAT_EQ(barCode.Width(), 3.0f);
    EXPECT_TRUE(messages.sink().texts.isEmpty());
}

TEST_F(LayoutEditorTest, TheLabelControlTakesTheEditedCopiesOnlyOnOk) {
    test::ScopedTempDirectory temp;
    TavLabel label;
    label.SheetProperties()->setPieceWidth(4.0f);
    label.SheetProperties()->setPieceHeight(2.0f);
    const auto kept = label.Item1Properties();
    bool changed = false;
    test::whileModal<PieceLayoutEditForm>(
        [&] { changed = label.PieceLayoutDialogShow(); },
        [](PieceLayoutEditForm& form) {
            QTest::mouseClick(form.findChild<QPushButton*>("cancel_btn"), Qt::LeftButton);
        });
    EXPECT_FALSE(changed);
    EXPECT_EQ(label.Item1Properties(), kept);

    test::whileModal<PieceLayoutEditForm>(
        [&] { changed = label.PieceLayoutDialogShow(); },
        [](PieceLayoutEditForm& form) {
            QTest::mouseClick(form.findChild<QPushButton*>("ok_btn"), Qt::LeftButton);
        });
    EXPECT_TRUE(changed);
    EXPECT_NE(label.Item1Properties(), kept); // the host's old reference is no longer the record
    EXPECT_EQ(label.Item1Properties()->TextControl(), kept->TextControl());
}
