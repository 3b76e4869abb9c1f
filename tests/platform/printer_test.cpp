#include "pdf_printer.h"
#include "pdf_text.h"
#include "printer.h"
#include "printer_text.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "recording_printer.h"
#include "tav_error.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;

TEST(Printer, MeasuresTextInTwipsAtPrinterResolution) {
    RecordingPrinter printer;
    printer.setFontName("Arial");
    printer.setFontSize(10);
    // Liberation Sans has Arial's advance widths: A 1366, W 1933, T 1251 of 2048 units per em,
    // and 10 points are 200 twips.
    EXPECT_NEAR(printer.TextWidth("AWT"), (1366 + 1933 + 1251) / 2048.0 * 200, 0.5);
    const double line = printer.TextHeight("AWT");
    EXPECT_GT(line, 200);
    EXPECT_LT(line, 240);
    EXPECT_DOUBLE_EQ(printer.TextHeight("a\r\nb"), 2 * line);
    printer.setFontSize(20);
    EXPECT_NEAR(printer.TextWidth("AWT"), (1366 + 1933 + 1251) / 2048.0 * 400, 1);
    printer.setFontBold(true);
    EXPECT_EQ(printer.FontWeight(), 400); // the flag and the weight are separate printer settings
    EXPECT_GT(printer.TextWidth("AWT"), (1366 + 1933 + 1251) / 2048.0 * 400);
}

TEST(Printer, LinesMeasureAsQtSetsThemWhetherPlainOrShaped) {
    // Plain lines add up their characters' advances and are drawn unshaped; other lines are
    // shaped once. Either way the width is what Qt gives the whole line.
    const QStringList plain = {"Pat Lee", "1234 W. Elm Street, Apt #5-B",
                               QString::fromUtf8("Zoë Ångström, Łódź fi ffl"),
                               "  leading and trailing  "};
    const QStringList shaped = {
        QString::fromUtf8("مرحبا بالعالم"),   QString::fromUtf8("नमस्ते"),
        QString::fromUtf8("Москва, Αθήνα"),   QString::fromUtf8("Cafe\u0301"),
        QString::fromUtf8("Zoë مرحبا 12"),    "a\tb",
        QString::fromUtf8("soft\u00adhyphen")};
    for (const char* name : {"Arial", "Times New Roman", "Courier New", "DejaVu Sans"}) {
        for (const double size : {6.0, 10.0, 10.5, 36.0}) {
            PrinterFont font;
            font.name = QString::fromLatin1(name);
            font.size = size;
            font.italic = size > 30;
            QFont unshapedFont = font.toQFont();
            unshapedFont.setStyleStrategy(QFont::PreferNoShaping);
            const QFontMetricsF unshaped(unshapedFont);
            const QFontMetricsF whole(font.toQFont());
            for (const QString& line : plain + shaped) {
                const bool isPlain = plain.contains(line);
                ASSERT_EQ(plainText(line), isPlain) << line.toStdString();
                // Twice: the second from what the first kept.
                for (int time = 0; time < 2; ++time)
                    EXPECT_DOUBLE_EQ(textWidth(font, line),
                                     (isPlain ? unshaped : whole).horizontalAdvance(line))
                        << name << " " << size << " " << line.toStdString();
            }
        }
    }
}

TEST(RecordingPrinter, KeepsJobsPagesAndOperations) {
    RecordingPrinter printer;
    printer.setOrientation(2);
    printer.setCurrentX(1440);
    printer.setCurrentY(720);
    printer.Print("Łódź");
    EXPECT_TRUE(printer.jobOpen());
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.CurrentY(), 720 + qRound(printer.TextHeight("Łódź")));
    printer.Box(10, 20, 30, 40, 0xFF, true);
    printer.Line(0, 0, 100, 100, 0);
    printer.EndDoc();
    printer.Box(1, 2, 3, 4, 0, false);
    printer.EndDoc();
    printer.EndDoc(); // no job open: nothing happens

    ASSERT_EQ(printer.jobs().size(), 2u);
    const PrintedPage& first = printer.jobs()[0];
    EXPECT_EQ(first.orientation, 2);
    ASSERT_EQ(first.ops.size(), 3u);
    EXPECT_EQ(first.ops[0].kind, PrinterOp::Text);
    EXPECT_EQ(first.ops[0].text, "Łódź");
    EXPECT_EQ(first.ops[0].x1, 1440);
    EXPECT_EQ(first.ops[0].y1, 720);
    EXPECT_EQ(first.ops[1].kind, PrinterOp::Box);
    EXPECT_TRUE(first.ops[1].filled);
    EXPECT_EQ(printer.jobs()[1].ops.size(), 1u);

    // The preview draws the filled box in red (0xFF is red in the low byte).
    const QImage page = printer.renderJob(0, QSizeF(8.5, 11), 144);
    EXPECT_EQ(page.pixelColor(1, 5), QColor(Qt::red));
}

TEST(PdfPrinter, WritesAFilePerJobOrOneDocumentAndPutsTextWhereItWasPrinted) {
    QTemporaryDir dir;
    const auto perJob = PdfPrinter::filePerJob(dir.filePath("out"));
    for (int job = 0; job < 2; ++job) {
        perJob->setCurrentX(1440);
        perJob->setCurrentY(2880);
        perJob->Print(QStringLiteral("Job%1").arg(job));
        perJob->EndDoc();
    }
    ASSERT_EQ(perJob->writtenFiles().size(), 2);
    EXPECT_NE(perJob->writtenFiles()[0], perJob->writtenFiles()[1]);
    const auto words = test::pdfWords(perJob->writtenFiles()[1]);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].text, "Job1");
    EXPECT_NEAR(words[0].box.left(), 72, 1.0); // 1440 twips
    EXPECT_NEAR(words[0].box.top(), 144, 1.5); // the text cell's top at 2880 twips

    const QString single = dir.filePath("run.pdf");
    {
        const auto document = PdfPrinter::singleDocument(single);
        for (int job = 0; job < 3; ++job) {
            document->setOrientation(job == 1 ? 2 : 1);
            document->Print(QStringLiteral("Sheet%1").arg(job + 1));
            document->EndDoc();
        }
    }
    EXPECT_EQ(test::pdfPageCount(single), 3);
    const QImage landscape = test::pdfPageImage(single, 2, 10);
    EXPECT_GT(landscape.width(), landscape.height());

    // Shaped text is drawn from the glyphs measured, on the same baseline, and stays text.
    const QString mixed = dir.filePath("mixed.pdf");
    {
        const auto document = PdfPrinter::singleDocument(mixed);
        for (const auto& [x, text] :
             {std::pair(1440, QString("Lee")), std::pair(4320, QString::fromUtf8("Москва")),
              std::pair(8640, QString::fromUtf8("Cafe\u0301"))}) {
            document->setCurrentX(x);
            document->setCurrentY(2880);
            document->Print(text);
        }
        document->EndDoc();
    }
    const auto shaped = test::pdfWords(mixed);
    ASSERT_EQ(shaped.size(), 3u);
    EXPECT_EQ(shaped[1].text, QString::fromUtf8("Москва"));
    EXPECT_EQ(shaped[2].text.normalized(QString::NormalizationForm_C), QString::fromUtf8("Café"));
    for (const auto& word : shaped)
        EXPECT_NEAR(word.box.bottom(), shaped[0].box.bottom(), 1.0) << word.text.toStdString();
    EXPECT_NEAR(shaped[1].box.left(), 216, 1.0); // 4320 twips
}

TEST(PdfPrinter, AnUnwritableDirectoryIsAClearError) {
    const auto printer = PdfPrinter::filePerJob("/proc/no/such/dir");
    const auto error = test::raisedError([&] { printer->Print(" "); });
    ASSERT_TRUE(error) << "printed into /proc";
    EXPECT_EQ(error->number(), ErrorNumber::PathFileAccess);
    EXPECT_TRUE(error->description().contains("/proc/no/such/dir"));
}

TEST(CurrentPrinter, HostsReplaceItAndTheDefaultComesBack) {
    auto recording = std::make_shared<RecordingPrinter>();
    auto previous = setCurrentPrinter(recording);
    EXPECT_EQ(&currentPrinter(), recording.get());
    setCurrentPrinter(nullptr);
    EXPECT_NE(&currentPrinter(), recording.get());
    EXPECT_FALSE(currentPrinter().DeviceName().isEmpty());
    setCurrentPrinter(previous);

    qputenv("MAILPIECE_PDF_DIR", "/tmp/where-pdfs-go");
    EXPECT_EQ(pdfOutputDirectory(), "/tmp/where-pdfs-go");
    qunsetenv("MAILPIECE_PDF_DIR");
    EXPECT_EQ(pdfOutputDirectory(), QDir::home().filePath("mailpiece-output"));
}
