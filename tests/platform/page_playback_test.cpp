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

// Two jobs: a box an inch from the corner of a Letter page, and a #10 envelope on its side.
std::vector<PrintedPage> twoJobs() {
    RecordingPrinter recorder;
    recorder.Box(1440, 1440, 1440, 720, 0, true);
    recorder.EndDoc();
    recorder.setPaperSize(QPageSize(QPageSize::Envelope10));
    recorder.setOrientation(2);
    recorder.Box(0, 0, 720, 720, 0, true);
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
    printPages(twoJobs(), printer, false);

    ASSERT_EQ(test::pdfPageCount(path), 2);
    const QImage letter = test::pdfPageImage(path, 1, 72);
    EXPECT_EQ(letter.size(), QSize(612, 792));
    // The box covers (72, 72) to (144, 108) points; outside it the paper is white.
    EXPECT_LT(qGray(letter.pixel(100, 90)), 64);
    EXPECT_GT(qGray(letter.pixel(60, 90)), 192);
    EXPECT_GT(qGray(letter.pixel(100, 120)), 192);
    const QImage envelope = test::pdfPageImage(path, 2, 72);
    EXPECT_EQ(envelope.size(), QSize(684, 297)); // 9.5 × 4.125 in, landscape
    EXPECT_LT(qGray(envelope.pixel(10, 10)), 64);
}

TEST(PagePlayback, APrinterThatDoesNotStartRaisesError57) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/proc/no-such-place/pages.pdf");
    const auto error = test::raisedError([&] { printPages(twoJobs(), printer, true); });
    ASSERT_TRUE(error) << "no error";
    EXPECT_EQ(error->number(), ErrorNumber::DeviceIO);
    EXPECT_TRUE(error->description().contains("pages.pdf"));
    printPages({}, printer, false); // nothing to print is no error
}
