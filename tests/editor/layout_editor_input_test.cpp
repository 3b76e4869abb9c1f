// The layout editor driven as a person would: every handle, the font dialog, the in-place text
// editor and the right-button format menu.

#include "layout_scale.h"
#include "modal.h"
#include "piece_layout_edit_form.h"
#include "qt_printers.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"

#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class LayoutEditorInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        Layout_m::setLayoutScale(1.0f);
        for (auto& item : items) {
            item = std::make_shared<TavItemCls>();
            item->setVisible(false);
        }
        items[0]->setVisible(true);
        items[0]->setLeft1(1.0f);
        items[0]->setTop(1.0f);
        items[0]->setWidth(2.0f);
        items[0]->setHeight(1.0f);
        items[0]->setTextControl("Dear <<Item1>>");
        form.LoadLayout(6.0f, 4.0f, items, barCode);
        form.show();
        QTest::mouseClick(itemBox(), Qt::LeftButton, {}, QPoint(3, 3));
    }

    QWidget* itemBox() { return form.findChild<QWidget*>("item1"); }

    // Drags handle `index` by (dx, dy) pixels.
    void dragHandle(int index, int dx, int dy) {
        auto* handle = form.findChild<QWidget*>(QStringLiteral("dot%1").arg(index));
        ASSERT_TRUE(handle->isVisible());
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(0, 0));
        QMouseEvent move(QEvent::MouseMove, QPointF(dx, dy), handle->mapToGlobal(QPointF(dx, dy)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &move);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(0, 0));
    }

    std::array<std::shared_ptr<TavItemCls>, 7> items;
    TavBarCodeCls barCode;
    PieceLayoutEditForm form;
};

} // namespace

TEST_F(LayoutEditorInputTest, EveryHandleMovesItsEdges) {
    // The box starts at (1440, 1440), 2880 × 1440 twips; a pixel is 15 twips.
    const struct {
        int handle;
        QRect expected;
    } cases[] = {
        {1, QRect(1290, 1290, 3030, 1590)}, {2, QRect(1290, 1140, 3030, 1740)},
        {3, QRect(1290, 990, 3180, 1890)},  {4, QRect(1140, 990, 3330, 1890)},
        {5, QRect(1140, 990, 3480, 1890)},  {6, QRect(990, 990, 3630, 2040)},
        {7, QRect(990, 990, 3630, 2190)},   {8, QRect(990, 990, 3780, 2340)},
    };
    for (const auto& c : cases) {
        const bool growsLeft = c.handle == 1 || c.handle == 4 || c.handle == 6;
        const bool growsUp = c.handle <= 3;
        dragHandle(c.handle, growsLeft ? -10 : 10, growsUp ? -10 : 10);
        EXPECT_EQ(form.object(1).box, c.expected) << "handle " << c.handle;
    }
    // An edge does not come closer than 50 twips to the frame's.
    dragHandle(1, -1000, -1000);
    EXPECT_EQ(form.object(1).box.topLeft(), QPoint(990, 990));
}

TEST_F(LayoutEditorInputTest, TheFontDialogSetsTheFontAndTheSizeStaysUnscaled) {
    Layout_m::setLayoutScale(0.5f);
    const bool seen = test::whileModal<QFontDialog>(
        [&] {
            for (QAction* action : form.findChildren<QAction*>())
                if (action->text() == QLatin1String("&Font"))
                    action->trigger();
        },
        [](QFontDialog& dialog) {
            QFont font("Liberation Serif");
            font.setPointSize(16);
            font.setBold(true);
            dialog.setCurrentFont(font);
            dialog.accept();
        });
    EXPECT_TRUE(seen);
    EXPECT_EQ(form.object(1).fontName, "Liberation Serif");
    EXPECT_EQ(form.object(1).fontSize, 16);
    EXPECT_TRUE(form.object(1).bold);
    EXPECT_NEAR(itemBox()->font().pointSizeF(), 8.0, 0.01);
}

TEST_F(LayoutEditorInputTest, DoubleClickEditsTheTextInPlace) {
    QTest::mouseDClick(itemBox(), Qt::LeftButton, {}, QPoint(3, 3));
    auto* editor = form.findChild<QLineEdit*>("edit_txt0");
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "Dear <<Item1>>");
    editor->selectAll();
    QTest::keyClicks(editor, "Hello <<Name>>");
    EXPECT_EQ(form.object(1).text, "Hello <<Name>>");
}

TEST_F(LayoutEditorInputTest, TheRightButtonOpensTheFormatMenuWithItsMarks) {
    form.SaveLayout(items, barCode);
    items[0]->setAlignVertical(TavEnumCls::vbMiddle);
    items[0]->setAlignHorizontal(TavEnumCls::vbRightJustify);
    form.LoadLayout(6.0f, 4.0f, items, barCode);
    bool checked = false;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == QLatin1String("&Right Justify") ||
                action->text() == QLatin1String("&Middle Alignment"))
                checked = action->isChecked() || checked;
            else if (action->isCheckable() && action->text() != QLatin1String("Borders")) {
                EXPECT_FALSE(action->isChecked()) << action->text().toStdString();
            }
        }
        menu->close();
    });
    QTest::mouseClick(itemBox(), Qt::RightButton, {}, QPoint(3, 3));
    QTest::qWait(150);
    EXPECT_TRUE(checked);
}
