// Recorded pages played onto a Qt printer come out as the controls print them.

#include "page_playback.h"
#include "pdf_text.h"
#include "raised_error.h"
#include "recording_printer.h"
#include "tav_error.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// Three jobs: a box an inch from the corner of a Letter page, a #10 envelope on its side, and
// two roll labels of 1 x 3 in turned a quarter turn, a box in the reader's top left corner.
std::vector<PrintedPage> threeJobs() {
    RecordingPrinter recorder;
    recorder.Box(1440, 1440, 1440, 720, 0, true);
    recorder.EndDoc();
    recorder.setPaperSize(QPageSize(QPageSize::Envelope10));
    recorder.setOrientation(2);
    recorder.Box(0, 0, 720, 720, 0, true);
    recorder.EndDoc();
    recorder.setPaperSize(QPageSize(QSizeF(1, 3), QPageSize::Inch));
    recorder.setOrientation(1);
    recorder.setQuarterTurn(true);
    for (int label = 0; label < 2; ++label) {
        recorder.NewPage();
        recorder.Box(0, 0, 720, 360, 0, true);
    }
    recorder.EndDoc();
    return recorder.jobs();
}

} // namespace

TEST(PagePlayback, OneDocumentKeepsEachPagesPaperAndPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pages.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const std::vector<PrintedPage> pages = threeJobs();
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[3].pageOfJob, 2);
    printPages(pages, printer, false);

    ASSERT_EQ(test::pdfPageCount(path), 4);
    const QImage letter = test::pdfPageImage(path, 1, 72);
    EXPECT_EQ(letter.size(), QSize(612, 792));
    // The box covers (72, 72) to (144, 108) points; outside it the paper is white.
    EXPECT_LT(qGray(letter.pixel(100, 90)), 64);
    EXPECT_GT(qGray(letter.pixel(60, 90)), 192);
    EXPECT_GT(qGray(letter.pixel(100, 120)), 192);
    const QImage envelope = test::pdfPageImage(path, 2, 72);
    EXPECT_EQ(envelope.size(), QSize(684, 297)); // 9.5 × 4.125 in, landscape
    EXPECT_LT(qGray(envelope.pixel(10, 10)), 64);
    // The reader's top left corner is the paper's top right: the box lies along its right edge.
    for (const int page : {3, 4}) {
        const QImage label = test::pdfPageImage(path, page, 72);
        EXPECT_EQ(label.size(), QSize(72, 216));
        EXPECT_LT(qGray(label.pixel(63, 18)), 64) << page;
        EXPECT_GT(qGray(label.pixel(40, 18)), 192) << page;
    }
}

TEST(PagePlayback, APrinterThatDoesNotStartRaisesError57) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/proc/no-such-place/pages.pdf");
    const auto error = test::raisedError([&] { printPages(threeJobs(), printer, true); });
    ASSERT_TRUE(error) << "no error";
    EXPECT_EQ(error->number(), ErrorNumber::DeviceIO);
    EXPECT_TRUE(error->description().contains("pages.pdf"));
    printPages({}, printer, false); // nothing to print is no error
}
