// Every word of every row is printed inside its own label, or the run names the row: mailings
// as spreadsheets give them, on sheets of several sizes and on a roll label.

#include "pdf_bars.h"
#include "pdf_text.h"
#include "program_run.h"
#include "qt_printers.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace tav;

namespace {

// A cell of two lines, a 40-character name and a 60-character street, the list separators as
// data, an empty second street line, and a blank row as spreadsheets leave at the end.
const QByteArray kRows =
    "First,Last,Address,AddressLine2,City,State,Zip\n"
    "Ann,Lee,\"1200 Main Street\nBuilding C\",,Boulder,CO,80301\n"
    "Maximiliana,Konstantinopoulou-Vandermeer,"
    "1 Very Long Street Name That Goes On And On Past The Edge,Suite 1200,Rancho Santa "
    "Margarita,CA,92688-1234\n"
    "Cy,Pipe,Apt 3|B,Unit ^7,Austin,TX,73301\n"
    ",,,,,,\n";

// The words each row must show, in the order of the rows above.
const QList<QStringList> kWords = {
    QStringList{"Ann", "Lee", "1200", "Main", "Street", "Building", "C", "Boulder,", "80301"},
    QStringList{"Maximiliana", "1", "Very", "Long", "Street", "Name", "That", "Goes", "On", "And",
                "Past", "The", "Edge", "Suite", "1200", "Rancho", "Santa", "Margarita,",
                "92688-1234"},
    QStringList{"Cy", "Pipe", "Apt", "3|B", "Unit", "^7", "Austin,", "TX", "73301"},
};

// The rectangles of the labels of the first sheet of `piece` (points from the sheet's corner as
// it is read), and whether the sheet is printed turned onto its paper.
std::vector<QRectF> labelRectangles(const QString& piece, bool& turned) {
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR, true};
    TavLabel label;
    label.setPieceName(piece);
    const TavSheetCls& sheet = *label.SheetProperties();
    turned = sheet.PieceRotation() == 90;
    std::vector<QRectF> labels;
    for (int row = 0; row < sheet.NumDown(); ++row)
        for (int column = 0; column < sheet.NumAcross(); ++column)
            labels.emplace_back((sheet.Marginleft() + column * sheet.PiecePitchAcross()) * 72,
                                (sheet.MarginTop() + row * sheet.PiecePitchDown()) * 72,
                                sheet.PieceWidth() * 72, sheet.PieceHeight() * 72);
    return labels;
}

} // namespace

TEST(WholeAddresses, EveryWordPrintsInsideItsLabelOrTheRowIsNamed) {
    QStringList pieces = {"5160 - Address", "5161 - Address", "L7160 - A4 21 Address"};
    if (QFileInfo::exists("/usr/share/libglabels-3.0/templates"))
        pieces << "Igepa EA-700x254 - Rectangular labels 70 x 25.4 mm"
               << "Dymo 99010 - Address Labels 28 x 89 mm";
    QTemporaryDir dir;
    const QString csv = test::writeFile(dir, "m.csv", kRows);
    for (const QString& piece : pieces) {
        SCOPED_TRACE(piece.toStdString());
        const QString pdf = dir.filePath("labels.pdf");
        const test::ProgramRun run =
            test::runBatch({"--address", "--piece", piece, "--pdf", pdf, csv});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("1 blank row skipped"));
        // A ZIP+4's bars fit every label here, the roll label read along its length too.
        EXPECT_FALSE(run.err.contains("bar code")) << run.err.toStdString();
        // Each piece's words, the label found by where each word stands.
        bool turned = false;
        const std::vector<QRectF> labels = labelRectangles(piece, turned);
        ASSERT_FALSE(labels.empty());
        std::map<qsizetype, QStringList> shown; // by piece number, from 1
        for (test::PdfWord word : test::pdfWords(pdf)) {
            if (turned) // back from the paper to the label as it is read
                word.box = QRectF(word.box.top(), word.pageSize.width() - word.box.right(),
                                  word.box.height(), word.box.width());
            const auto inside = std::find_if(labels.begin(), labels.end(), [&](const QRectF& r) {
                return r.contains(word.box.center());
            });
            ASSERT_NE(inside, labels.end()) << word.text.toStdString() << " stands on no label";
            EXPECT_TRUE(inside->adjusted(-1, -1, 1, 1).contains(word.box))
                << word.text.toStdString() << " passes its label's edge";
            const auto position = static_cast<qsizetype>(inside - labels.begin());
            shown[(word.page - 1) * static_cast<qsizetype>(labels.size()) + position + 1]
                << word.text;
        }
        for (qsizetype row = 0; row < kWords.size(); ++row)
            for (const QString& word : kWords.at(row))
                EXPECT_TRUE(shown[row + 1].contains(word) ||
                            run.err.contains(QStringLiteral("m.csv:%1:").arg(row + 2)))
                    << word.toStdString() << " of row " << row + 2;
    }
}

TEST(WholeAddresses, StrictFitFailsARunThatCannotPrintEverything) {
    QTemporaryDir dir;
    // Eight lines in a label an inch high: even 6 points leave some out.
    const QString csv =
        test::writeFile(dir, "m.csv",
                        "First,Last,Address,City,State,Zip\n"
                        "Ann,Lee,\"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\",Boulder,CO,80301\n");
    const QString pdf = dir.filePath("labels.pdf");
    const QStringList arguments = {"--address", "--piece", "5160", "--pdf", pdf, csv};
    const test::ProgramRun warned = test::runBatch(arguments);
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_TRUE(warned.err.contains("m.csv:2: warning: piece 1: item 1: \""))
        << warned.err.toStdString();
    EXPECT_TRUE(warned.err.contains("lines at 6 pt, room for"));
    QFile::remove(pdf);
    const test::ProgramRun strict = test::runBatch(arguments + QStringList{"--strict-fit"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_TRUE(strict.err.contains("m.csv:2: piece 1: item 1:")) << strict.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// Roll labels taller than wide are read along their length: the sample prints a page a label,
// of the label's own size, with the whole address and every bar on each.
TEST(WholeAddresses, RollLabelsPrintAPageALabelReadAlongTheirLength) {
    if (!QFileInfo::exists("/usr/share/libglabels-3.0/templates"))
        GTEST_SKIP() << "glabels-data is not installed";
    const struct {
        const char* piece;
        QSizeF page; // points, as the printer feeds it
    } rolls[] = {{"Dymo 99010", {79.4, 252.3}},
                 {"Brother DK-1201", {82, 255}},
                 {"Dymo 30256", {167.2, 289.1}}};
    QTemporaryDir dir;
    const QString pdf = dir.filePath("roll.pdf");
    const QStringList rows = QString::fromUtf8(test::readFile(MAILPIECE_SAMPLE_MAILING))
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const auto& roll : rolls) {
        SCOPED_TRACE(roll.piece);
        const test::ProgramRun run = test::runBatch(
            {"--address", "--piece", roll.piece, "--pdf", pdf, MAILPIECE_SAMPLE_MAILING});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("warning")) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("Printed 70 labels")) << run.out.toStdString();
        ASSERT_EQ(test::pdfPageCount(pdf), 70);
        std::map<int, QStringList> pages;
        double textBottom = 0; // of page 8, across the paper: the reader's bottom of the text
        for (const test::PdfWord& word : test::pdfWords(pdf)) {
            EXPECT_NEAR(word.pageSize.width(), roll.page.width(), 1);
            EXPECT_NEAR(word.pageSize.height(), roll.page.height(), 1);
            if (word.text.size() > 3) { // a line runs along the paper's length
                EXPECT_GT(word.box.height(), word.box.width()) << word.text.toStdString();
            }
            pages[word.page] << word.text;
            if (word.page == 8)
                textBottom = std::max(textBottom, word.pageSize.width() - word.box.left());
        }
        for (int page = 1; page <= 70; ++page) // its row's ZIP code, on the last line
            EXPECT_EQ(pages[page].last(), rows.at(page).section(',', -1).trimmed())
                << "page " << page << ": " << pages[page].join(' ').toStdString();
        // Row 9's ZIP+4: 52 bars under the text, none cut by the label's edges.
        constexpr int kDpi = 300;
        const QImage read = test::pdfPageImage(pdf, 8, kDpi).transformed(QTransform().rotate(-90));
        const int below = static_cast<int>(textBottom / 72 * kDpi) + 2;
        const auto bars =
            test::findBars(read, QRect(0, below, read.width(), read.height() - below));
        ASSERT_EQ(bars.size(), 52u);
        EXPECT_GT(bars.front().left, 0);
        EXPECT_LT(bars.back().right, read.width());
        EXPECT_LT(bars.back().bottom, read.height());
    }
}
