#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "tav_meta_cls.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// A 96-dot reference device: 15 twips a pixel.
QImage referenceImage(int width = 400, int height = 300) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(TavMetaCls, RecordsInReferencePixelsWithAFrameInHundredthsOfAMillimetre) {
    QImage device = referenceImage();
    TavMetaCls meta;
    ASSERT_TRUE(meta.CreateMetaObject(&device));
    EXPECT_FALSE(meta.CreateMetaObject(&device)); // one recording at a time
    EXPECT_EQ(meta.TwipsPerPixelX(), 15);
    const MetaRecording& data = meta.recordingData();
    EXPECT_EQ(data.framePixels, QRect(0, 0, 400, 300));
    EXPECT_EQ(data.frameHundredthsMm.right(), qRound(400 * 2540 / 96.0));

    meta.setBorderColor(0x0000FF);
    meta.setBorderStyle(TavEnumCls::moDash);
    meta.setBorderWidth(3);
    meta.setFillColor(0x00FF00);
    meta.DrawRect(1440, 1440, 2880, 1440, true);
    ASSERT_EQ(data.ops.size(), 5u);
    // The fill: one twip wider and eight taller before conversion, in the fill colour, solid.
    const MetaOp& fill = data.ops[0];
    EXPECT_EQ(fill.kind, MetaOp::Rectangle);
    EXPECT_EQ(fill.rect.topLeft(), QPoint(96, 96));
    EXPECT_EQ(fill.rect.right() + 1, 288);
    EXPECT_EQ(fill.rect.bottom() + 1, 193);
    EXPECT_EQ(fill.pen, (MetaPen{0, 1, 0x00FF00}));
    EXPECT_EQ(fill.fill, 0x00FF00u);
    // Then the four edges in the pen set before the call: top, right, bottom, left.
    const QPoint ends[4][2] = {{{96, 96}, {288, 96}},
                               {{288, 96}, {288, 192}},
                               {{96, 192}, {288, 192}},
                               {{96, 96}, {96, 192}}};
    for (int i = 0; i < 4; ++i) {
        const MetaOp& edge = data.ops[1 + i];
        EXPECT_EQ(edge.kind, MetaOp::Line);
        EXPECT_EQ(edge.from, ends[i][0]) << i;
        EXPECT_EQ(edge.to, ends[i][1]) << i;
        EXPECT_EQ(edge.pen, (MetaPen{1, 3, 0x0000FF})) << i;
    }
    EXPECT_EQ(meta.BorderWidth(), 3); // restored after the fill
}

TEST(TavMetaCls, ShapesAreRectanglesAndUnknownObjectsDrawNothing) {
    QImage device = referenceImage();
    TavMetaCls meta;
    meta.CreateMetaObject(&device);
    EXPECT_EQ(meta.DrawShape(TavEnumCls::moCircle, 150, 150, 300, 300), -1);
    ASSERT_EQ(meta.recordingData().ops.size(), 1u);
    EXPECT_EQ(meta.recordingData().ops[0].kind, MetaOp::Rectangle);

    QObject plain;
    EXPECT_EQ(meta.DrawGivenObject(&plain), 999);
    EXPECT_EQ(meta.DrawGivenObject(nullptr), 999);
    EXPECT_EQ(meta.recordingData().ops.size(), 1u);

    QLabel label("Zoë");
    label.setGeometry(10, 20, 100, 30);
    EXPECT_EQ(meta.DrawGivenObject(&label), 0);
    ASSERT_EQ(meta.recordingData().ops.size(), 2u);
    EXPECT_EQ(meta.recordingData().ops[1].text, "Zoë");
    EXPECT_EQ(meta.recordingData().ops[1].from, QPoint(10, 20));

    EXPECT_EQ(TavMetaCls::GetBorderStyleAPI(0), 5);
    EXPECT_EQ(TavMetaCls::GetBorderStyleAPI(1), 0);
    EXPECT_EQ(TavMetaCls::GetBorderStyleAPI(6), 6);
    EXPECT_EQ(TavMetaCls::GetBorderStyleAPI(42), 0);
}

TEST(TavMetaCls, TextKeepsItsUnicodeAndSetsTheCurrentPosition) {
    QImage device = referenceImage();
    TavMetaCls meta;
    meta.CreateMetaObject(&device);
    meta.setFontName("Arial");
    meta.setFontSize(12);
    meta.setForeColor(255.4);
    meta.DrawText("Łódź Nguyễn", 300, 451, 0, 0);
    const MetaOp& text = meta.recordingData().ops.at(0);
    EXPECT_EQ(text.text, "Łódź Nguyễn");
    EXPECT_EQ(text.from, QPoint(20, 30));
    EXPECT_DOUBLE_EQ(text.font.emHeight, 16.0); // 12 points at 96 dots per inch
    EXPECT_EQ(text.textColor, 255u);
    EXPECT_EQ(meta.CurrentX(), 300);
    EXPECT_EQ(meta.CurrentY(), 450);
}

TEST(TavMetaCls, NothingIsRecordedOutsideARecordingAndOverflowIsAnError) {
    TavMetaCls idle;
    idle.DrawLine(0, 0, 100, 100);
    idle.DrawText("x", 0, 0, 0, 0);
    EXPECT_TRUE(idle.recordingData().ops.empty());

    QImage device = referenceImage();
    TavMetaCls meta;
    meta.CreateMetaObject(&device);
    const auto error = test::raisedError(
        [&] { meta.DrawRect(std::numeric_limits<qint32>::max() - 10, 0, 100, 100); });
    ASSERT_TRUE(error) << "wrapped around";
    EXPECT_EQ(error->number(), ErrorNumber::Overflow);
    EXPECT_EQ(error->source(), "TavMetaCls");
    meta.CloseMetaObject();
    EXPECT_TRUE(meta.finished());
    meta.DrawLine(0, 0, 15, 15);
    EXPECT_TRUE(meta.recordingData().ops.empty());
    // A new recording replaces the finished picture.
    EXPECT_TRUE(meta.CreateMetaObject(&device));
    EXPECT_FALSE(meta.finished());
}

TEST(TavMetaCls, PlaysBackAtTheRequestedSize) {
    QImage device = referenceImage();
    TavMetaCls meta;
    meta.CreateMetaObject(&device);
    meta.setBorderStyle(TavEnumCls::moNone);
    meta.setFillColor(0x0000FF);                                  // red
    meta.DrawShape(TavEnumCls::moSquare, 1500, 1500, 1500, 1500); // pixels 100 to 199

    const auto redExtent = [](const QImage& image) {
        QRect found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == QColor(Qt::red))
                    found |= QRect(x, y, 1, 1);
        return found;
    };
    QImage full = referenceImage();
    meta.PrintMetaObject(&full, 100);
    EXPECT_EQ(redExtent(full), QRect(100, 100, 100, 100));
    QImage half = referenceImage();
    meta.PrintMetaObject(&half, 50);
    EXPECT_EQ(redExtent(half), QRect(50, 50, 50, 50));
    // The same physical size on a 192-dot device.
    QImage fine(800, 600, QImage::Format_RGB32);
    fine.setDotsPerMeterX(7559);
    fine.setDotsPerMeterY(7559);
    fine.fill(Qt::white);
    meta.PrintMetaObject(&fine, 100);
    const QRect fineRed = redExtent(fine);
    EXPECT_NEAR(fineRed.left(), 200, 1);
    EXPECT_NEAR(fineRed.width(), 200, 1);
}
