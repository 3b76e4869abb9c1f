#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "tav_port.h"
#include "zoom_steps.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace tav;

TEST(ZoomSteps, NiceStepsFitTheDecade) {
    const std::pair<float, qint32> cases[] = {{3, 1},  {8, 1},   {15, 2},   {25, 2},
                                              {37, 5}, {100, 5}, {200, 10}, {1000, 50}};
    for (const auto& [zoom, step] : cases)
        EXPECT_EQ(ZoomSteps::NiceStep(zoom), step) << zoom;
    EXPECT_LE(ZoomSteps::NiceStep(100000), 250);
    EXPECT_EQ(ZoomSteps::zoomBy(100, 1), 105);
    EXPECT_EQ(ZoomSteps::zoomBy(100, -1), 95);
    EXPECT_EQ(ZoomSteps::zoomBy(100, 5), 125);
    EXPECT_EQ(ZoomSteps::zoomBy(1, -1), 1);
    EXPECT_EQ(ZoomSteps::fitZoom(4000, 3000, 12240, 15840), 20);
    EXPECT_EQ(test::raisedNumber([&] { ZoomSteps::fitZoom(4000, 3000, 0, 15840); }),
              ErrorNumber::DivisionByZero)
        << "divided by zero";
}

TEST(TavPort, InitPortMakesTheCanvasAtLeastTenThousandTwipsEachWay) {
    TavPort port;
    port.resize(300, 200);
    EXPECT_EQ(port.InitPort(3312, 4896), 1);
    EXPECT_EQ(port.canvasTwips().size(), QSize(19584, 13248)); // k = 4
    ASSERT_NE(port.PortMetaInstance(), nullptr);
    EXPECT_TRUE(port.PortMetaInstance()->recording());
    EXPECT_THROW(port.InitPort(0, 4896), TavError);
    port.MetaKill();
    EXPECT_EQ(port.PortMetaInstance(), nullptr);
}

TEST(TavPort, KeysZoomWithinLimitsAndTheFirstShowFits) {
    TavPort port;
    port.resize(300, 200);
    port.show();
    port.InitPort(15840, 12240);
    port.PortMetaInstance()->DrawRect(0, 0, 12240, 15840, true);
    port.ShowIt();
    const qint32 fit =
        ZoomSteps::fitZoom(port.ViewPortWidth(), port.ViewPortHeight(), 12240, 15840);
    EXPECT_EQ(port.Zoom(), fit);

    port.setZoom(100);
    port.ShowIt();
    QTest::keyClick(&port, Qt::Key_PageUp);
    EXPECT_EQ(port.Zoom(), 105);
    QTest::keyClick(&port, Qt::Key_PageDown);
    QTest::keyClick(&port, Qt::Key_PageDown);
    EXPECT_EQ(port.Zoom(), 95);
    QTest::keyClick(&port, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(port.Zoom(), 120);
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(&port, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(port.Zoom(), 1100);
    for (int i = 0; i < 80; ++i)
        QTest::keyClick(&port, Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(port.Zoom(), 1);
    QTest::keyClick(&port, Qt::Key_End);
    EXPECT_EQ(port.Zoom(), fit);
    // The canvas has the zoomed size of the content.
    EXPECT_EQ(port.canvasTwips().width(), qRound(fit * 0.01 * 12240));

    const QRect before = port.canvasTwips();
    QTest::keyClick(&port, Qt::Key_Left);
    // Left moves the centre right on the content: the canvas moves left by five pixels.
    EXPECT_EQ(port.canvasTwips().x(), before.x() - 5 * 15);
}

TEST(TavPort, CtrlClickZoomsAndShiftDragMovesTheCanvas) {
    TavPort port;
    port.resize(300, 200);
    port.show();
    port.InitPort(2880, 4320);
    port.ShowIt();
    port.setZoom(100);
    port.ShowIt();
    const qint16 zoom = port.Zoom();
    QWidget* canvas = port.canvas();
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
    EXPECT_EQ(port.Zoom(), ZoomSteps::zoomBy(zoom, 1));

    const QRect before = port.canvasTwips();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 20));
    EXPECT_EQ(port.canvasTwips().topLeft(), before.topLeft() + QPoint(20 * 15, 10 * 15));
}
