#include "qt_printers.h"
#include "recording_message_sink.h"
#include "recording_printer.h"
#include "tav_item.h"
#include "tav_meta_cls.h"
#include "tav_piece.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = setCurrentPrinter(printer); }
    void TearDown() override { setCurrentPrinter(previous_); }

    // Records `child` at (left, top) on a 96-dot reference image and returns the operations.
    std::vector<MetaOp> record(RenderChild& child, qint32 left = 0, qint32 top = 0) {
        device = QImage(800, 600, QImage::Format_RGB32);
        device.setDotsPerMeterX(3780);
        device.setDotsPerMeterY(3780);
        meta = std::make_unique<TavMetaCls>();
        meta->CreateMetaObject(&device);
        child.MFRender(*meta, left, top);
        return meta->recordingData().ops;
    }

    static std::vector<MetaOp> texts(const std::vector<MetaOp>& ops) {
        std::vector<MetaOp> found;
        std::copy_if(ops.begin(), ops.end(), std::back_inserter(found),
                     [](const MetaOp& op) { return op.kind == MetaOp::Text; });
        return found;
    }

    std::shared_ptr<RecordingPrinter> printer = std::make_shared<RecordingPrinter>();
    QImage device;
    std::unique_ptr<TavMetaCls> meta;

private:
    std::shared_ptr<Printer> previous_;
};

TavItem* makeItem(QWidget* parent, const QString& control, const QString& substitute) {
    auto* item = new TavItem(parent);
    item->setTwipsGeometry(0, 0, 2880, 720);
    item->setTextControl(control);
    item->setTextSubstitute(substitute);
    item->setAlignVertical(0);
    item->setBorderStyle(0);
    return item;
}

} // namespace

TEST_F(RenderTest, AnItemShowsItsTemplateWithTheSubstitutionApplied) {
    QWidget parent;
    TavItem* item = makeItem(&parent, "<<Item2>>", "Item1^A|Item2^B|");
    EXPECT_EQ(item->composedText(), "B");
    item->setTextSubstitute("Item1^A|");
    EXPECT_EQ(item->composedText(), "<<Item2>>");
    item->setTextControl("Dear <<Item1>>,");
    item->setTextSubstitute("Item1^Jane^Doe|Item2^12 Elm St|");
    EXPECT_EQ(item->composedText(), "Dear Jane^Doe,");

    const auto recorded = texts(record(*item, 150, 300));
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].text, "Dear Jane^Doe,");
    EXPECT_EQ(recorded[0].from, QPoint(10, 20));
}

TEST_F(RenderTest, ABorderInsetsTheTextBySixTwips) {
    QWidget parent;
    TavItem* item = makeItem(&parent, "x", QString());
    const auto plain = setItemText(item->face(), item->composedText(), 1500, 3000, false).placed;
    item->setBorderStyle(1);
    const auto inset = setItemText(item->face(), item->composedText(), 1500, 3000, false).placed;
    ASSERT_EQ(inset.size(), 1u);
    EXPECT_EQ(inset[0].x, plain[0].x + 6);
    EXPECT_EQ(inset[0].y, plain[0].y + 6);
    // The box is outlined in black after its background.
    const auto ops = record(*item);
    EXPECT_EQ(ops.size(), 1u + 4u + 4u + 1u);
    EXPECT_EQ(ops[5].pen.color, 0u);
}

TEST_F(RenderTest, ScreenAndPaperBreakTheSameWordsAtTheSamePlacesAndSize) {
    QWidget parent;
    TavItem* item = makeItem(&parent, "<<Item1>>",
                             QStringLiteral("Item1^Sørensen-Łukasiewicz Enterprises International "
                                            "Holdings of Nguyễn Văn An|"));
    item->setTwipsGeometry(0, 0, 2880, 2880);
    item->setAlignHorizontal(2);
    item->font()->setSize(8.5); // a fraction of a point is kept on screen too
    const auto screen = texts(record(*item));
    printer->clear();
    item->PrintSelf(0, 0);
    printer->EndDoc();
    std::vector<PrinterOp> paper;
    for (const PrinterOp& op : printer->jobs().at(0).ops)
        if (op.kind == PrinterOp::Text)
            paper.push_back(op);
    ASSERT_GT(screen.size(), 1u);
    ASSERT_EQ(screen.size(), paper.size());
    for (std::size_t i = 0; i < screen.size(); ++i) {
        EXPECT_EQ(screen[i].text, paper[i].text);
        EXPECT_DOUBLE_EQ(screen[i].font.emHeight, 8.5 * 96 / 72);
        EXPECT_DOUBLE_EQ(paper[i].font.size, 8.5);
        EXPECT_NEAR(screen[i].from.x() * 15, paper[i].x1, 8);
        EXPECT_NEAR(screen[i].from.y() * 15, paper[i].y1, 8);
    }
}

TEST_F(RenderTest, AFittedTextKeepsItsLineBreaksAndShrinksByHalfPointsToTheMinimum) {
    struct Case {
        const char* what;
        QString value;
        double minimum;
        qsizetype lines; // lines the text needs at the size it was set
        bool whole;      // every line placed
        double atMost;   // the size it was set at, at most
        QString leftOut; // the problem names this line
    };
    // A box of 2 x 0.5 inches in Arial 10: room for three lines at 10 points.
    const std::vector<Case> cases = {
        {"fits as it is", "Ann Smith\r\n1 Main St", 6, 2, true, 10, {}},
        {"LF, CR and CR LF each break", "a\nb\rc\r\nd", 6, 4, true, 9.5, {}},
        {"not fitted: the rest is cut and named", "a\nb\nc\nBuilding C", 0, 4, false, 10,
         "\"Building C\" does not fit (4 lines at 10 pt, room for 3)"},
        {"blank lines at the end need no room", "a\nb\nc\n\n\n", 6, 3, true, 10, {}},
        {"too many lines even at the minimum", "1\n2\n3\n4\n5\n6\n7\nEighth", 6, 8, false, 6,
         "\"6\" does not fit (8 lines at 6 pt, room for 5)"},
    };
    QWidget parent;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TavItem* item = makeItem(&parent, "<<Item1>>", "Item1^" + c.value + QLatin1Char('|'));
        item->setFitMinimum(c.minimum);
        const ItemText set = setItemText(item->face(), item->composedText(), 0, 0, true);
        EXPECT_EQ(set.lines.size(), c.lines);
        EXPECT_EQ(set.whole(), c.whole);
        EXPECT_LE(set.points, c.atMost);
        EXPECT_GE(set.points, c.minimum);
        EXPECT_EQ(set.problem(), c.leftOut);
        // The screen sets the text at the size paper does.
        const auto screen = texts(record(*item));
        ASSERT_EQ(screen.size(), set.placed.size());
        EXPECT_DOUBLE_EQ(screen.front().font.emHeight, set.points * 96 / 72);
    }
}

TEST_F(RenderTest, PrintingLeavesBackgroundsWhiteUnlessToldOtherwise) {
    QWidget parent;
    TavItem* item = makeItem(&parent, "x", QString());
    item->setBackColor(0x00FFFF);
    item->PrintSelf(0, 0);
    item->setPrintWhiteBacks(false);
    item->PrintSelf(0, 0);
    printer->EndDoc();
    const auto& ops = printer->jobs().at(0).ops;
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, PrinterOp::Text);
    EXPECT_EQ(ops[1].kind, PrinterOp::Box);
    EXPECT_TRUE(ops[1].filled);
    EXPECT_EQ(ops[1].color, 0x00FFFFu);
}

TEST_F(RenderTest, APieceRecordsItsVisibleChildrenInOrderFromDepthTwo) {
    test::ScopedRecordingSink messages;
    TavPiece piece;
    piece.setTwipsGeometry(0, 0, 4320, 2880);
    TavItem* first = makeItem(&piece, "first", QString());
    first->setTwipsGeometry(150, 150, 2880, 300);
    TavItem* hidden = makeItem(&piece, "hidden", QString());
    hidden->hide();
    auto* stranger = new QLabel("not a piece child", &piece);
    stranger->setObjectName("Label9");
    TavItem* last = makeItem(&piece, "last", QString());
    last->setTwipsGeometry(150, 1500, 2880, 300);

    piece.setDepth(TavPiece::SheetWithoutTexts);
    const auto bare = record(piece, 1500, 1500);
    EXPECT_EQ(bare.size(), 5u); // the background and its edges only
    EXPECT_TRUE(messages.sink().texts.isEmpty());

    piece.setDepth(TavPiece::PieceView);
    const auto full = texts(record(piece, 1500, 1500));
    ASSERT_EQ(full.size(), 2u);
    EXPECT_EQ(full[0].text, "first");
    EXPECT_EQ(full[0].from, QPoint(110, 110)); // (1500 + 150) / 15
    EXPECT_EQ(full[1].text, "last");
    ASSERT_EQ(messages.sink().texts.size(), 1);
    EXPECT_EQ(messages.sink().texts[0],
              QStringLiteral("BrixPieceMFRender: Control not drawn = Label9\r   ...currently "
                             "controls in container MUST have a .PrintSelf method"));
}

TEST_F(RenderTest, APrintedPieceIsWhiteWhileTheScreenShowsItsColour) {
    TavPiece piece;
    piece.setTwipsGeometry(0, 0, 4320, 2880);
    piece.setBackColor(0x00FF00);
    const auto screen = record(piece);
    EXPECT_EQ(screen[0].fill, 0x00FF00u);
    piece.PrintSelf(100, 100);
    printer->EndDoc();
    EXPECT_TRUE(printer->jobs().empty()); // nothing to print: white, no border, no children
    piece.setPrintWhiteBacks(false);
    piece.PrintSelf(100, 100);
    printer->EndDoc();
    ASSERT_EQ(printer->jobs().size(), 1u);
    EXPECT_EQ(printer->jobs()[0].ops.at(0).color, 0x00FF00u);
}
