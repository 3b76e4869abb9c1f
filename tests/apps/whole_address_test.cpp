// Every word of every row is printed inside its own label, or the run names the row: mailings
// as spreadsheets give them, on sheets of several sizes and on a roll label.

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
