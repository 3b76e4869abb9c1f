// What the piece view shows is what paper gets: its bars and text lines, measured against the
// printed PDF rasterised at the view's own scale, at several zooms.

#include "label_design.h"
#include "pdf_printer.h"
#include "pdf_text.h"
#include "qt_printers.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"
#include "tav_label.h"
#include "tav_port.h"
#include "temp_env.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace tav;

namespace {

bool dark(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
           qGray(image.pixel(x, y)) < 128;
}

// Dark runs along row `y` between `from` and `to` (columns): each [first, last + 1).
std::vector<std::pair<int, int>> runs(const QImage& image, int y, int from, int to) {
    std::vector<std::pair<int, int>> found;
    for (int x = from; x < to; ++x) {
        if (!dark(image, x, y))
            continue;
        const int first = x;
        while (x < to && dark(image, x, y))
            ++x;
        found.emplace_back(first, x);
    }
    return found;
}

// The first and last column with ink in rows [top, bottom) and columns [from, to):
// [first, last + 1).
std::pair<int, int> inkColumns(const QImage& image, int top, int bottom, int from, int to) {
    int first = to;
    int last = from - 1;
    for (int y = top; y < bottom; ++y)
        for (int x = from; x < to; ++x)
            if (dark(image, x, y)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last + 1};
}

// The rows of the text lines in columns [from, to) between rows `top` and `bottom`: each
// [first, last + 1) of a band of rows with ink.
std::vector<std::pair<int, int>> lines(const QImage& image, int top, int bottom, int from, int to) {
    std::vector<std::pair<int, int>> found;
    const auto inked = [&](int y) {
        for (int x = from; x < to; ++x)
            if (dark(image, x, y))
                return true;
        return false;
    };
    for (int y = top; y < bottom; ++y) {
        if (!inked(y))
            continue;
        const int first = y;
        while (y < bottom && inked(y))
            ++y;
        found.emplace_back(first, y);
    }
    return found;
}

} // namespace

TEST(PieceViewOnPaper, BarsAndTextLinesLieWithinAScreenPixelOfPaperAtEveryZoom) {
    test::ScopedTempDirectory temp;
    TavLabel label;
    test::setThirtyUpSheet(*label.SheetProperties());
    for (int i = 1; i <= 7; ++i) {
        TavItemCls& item = *label.itemProperties(i);
        item.setVisible(i <= 3);
        item.setLeft1(0.2f);
        item.setTop(0.08f + 0.18f * static_cast<float>(i - 1));
        item.setWidth(2.3f);
        item.setHeight(0.18f);
        item.setTextControl(QStringLiteral("<<Item%1>>").arg(i));
        item.font()->setSize(8.5); // a fraction of a point, kept on screen too
    }
    TavBarCodeCls& bars = *label.BarCodeProperties();
    bars.setVisible(true);
    bars.setLeft1(0.2f);
    bars.setTop(0.66f);
    bars.setWidth(2.3f);
    bars.setHeight(0.25f);
    label.setSubstituteText("Item1^Ann Example|Item2^12 Oak Road|Item3^Springfield, IL 62704|");
    bars.setValue("62704");
    label.AddPiece();
    label.setAppearance(TavEnumCls::TavShowPiece);
    label.resize(900, 600);
    label.show();
    QApplication::processEvents();

    QTemporaryDir dir;
    const QString pdf = dir.filePath("sheet.pdf");
    {
        auto printer = PdfPrinter::singleDocument(pdf);
        const auto previous = setCurrentPrinter(printer);
        label.setCurrentPiece(1);
        label.PrintSheet();
        printer->finish();
        setCurrentPrinter(previous);
    }

    auto* view = label.findChild<TavPort*>("NavPieceWin");
    ASSERT_NE(view, nullptr);
    // As fitted, then zoomed in with Page Up as a user does, twice and five times more.
    for (const int steps : {0, 2, 5}) {
        view->setFocus();
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(view, Qt::Key_PageUp);
        QApplication::processEvents();
        const qint16 zoom = view->Zoom();
        QWidget* canvas = view->canvas();
        const QImage screen = canvas->grab().toImage();
        // The view records a pixel a TwipsPerPixelX twips and plays it at its zoom.
        const double dpi = 1440.0 / view->PortMetaInstance()->TwipsPerPixelX() * zoom / 100.0;
        const auto px = [dpi](double inches) { return inches * dpi; };
        // The first piece lies at the sheet's margins on paper, at the canvas's corner on screen.
        const QPointF corner(px(0.1875), px(0.5));
        const QRect crop(QPoint(qFloor(corner.x()), qFloor(corner.y())), screen.size());
        const QImage paper = test::pdfPageImage(pdf, 1, dpi, crop);
        ASSERT_FALSE(paper.isNull()) << zoom;
        // A paper column or row in the screen's coordinates.
        const QPointF shift = QPointF(crop.topLeft()) - corner;
        SCOPED_TRACE(zoom);

        // Bars: the same runs across the short bars, each edge within a pixel, each foot too.
        // Across the short bars: 30 twips above the feet, which stand where the tall ones end.
        int feet = qRound(px(0.66));
        while (feet < screen.height() && !dark(screen, qRound(px(0.2)) + 1, feet))
            ++feet; // to the first bar's top
        while (feet < screen.height() && dark(screen, qRound(px(0.2)) + 1, feet))
            ++feet; // and down it
        const int across = qRound(feet - px(30 / 1440.0));
        const auto onScreen = runs(screen, across, qRound(px(0.2)), qRound(px(2.5)));
        const auto onPaper = runs(paper, across - qRound(shift.y()), qRound(px(0.2) - shift.x()),
                                  qRound(px(2.5) - shift.x()));
        ASSERT_EQ(onScreen.size(), 32u);
        ASSERT_EQ(onPaper.size(), onScreen.size());
        for (std::size_t k = 0; k < onScreen.size(); ++k) {
            EXPECT_NEAR(onScreen[k].first, onPaper[k].first + shift.x(), 1.0) << "bar " << k;
            EXPECT_NEAR(onScreen[k].second, onPaper[k].second + shift.x(), 1.0) << "bar " << k;
            const int middle = (onScreen[k].first + onScreen[k].second) / 2;
            int screenFoot = across;
            while (dark(screen, middle, screenFoot))
                ++screenFoot;
            int paperFoot = across - qRound(shift.y());
            while (dark(paper, middle - qRound(shift.x()), paperFoot))
                ++paperFoot;
            EXPECT_NEAR(screenFoot, paperFoot + shift.y(), 1.0) << "bar " << k;
        }

        // Text: three lines.
        const int top = qRound(px(0.08));
        const int bottom = qRound(px(0.62));
        const auto screenLines = lines(screen, top, bottom, qRound(px(0.2)), qRound(px(2.5)));
        const auto paperLines = lines(paper, top - qRound(shift.y()), bottom - qRound(shift.y()),
                                      qRound(px(0.2) - shift.x()), qRound(px(2.5) - shift.x()));
        ASSERT_EQ(screenLines.size(), 3u);
        ASSERT_EQ(paperLines.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            const auto screenInk = inkColumns(screen, screenLines[i].first, screenLines[i].second,
                                              qRound(px(0.2)), qRound(px(2.5)));
            const auto paperInk =
                inkColumns(paper, paperLines[i].first, paperLines[i].second,
                           qRound(px(0.2) - shift.x()), qRound(px(2.5) - shift.x()));
            // Each line starts, ends and stands where paper's does: the same size, the same
            // place. Only a descender's antialiased foot may round a pixel further.
            EXPECT_NEAR(screenInk.first, paperInk.first + shift.x(), 1.0) << i;
            EXPECT_NEAR(screenInk.second, paperInk.second + shift.x(), 1.0) << i;
            EXPECT_NEAR(screenLines[i].first, paperLines[i].first + shift.y(), 1.0) << i;
            EXPECT_NEAR(screenLines[i].second, paperLines[i].second + shift.y(), 2.0) << i;
        }
    }
}
