// Prints through CUPS to a private scheduler whose queue hands every job back as a file.

#include "pdf_text.h"
#include "program_run.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "system_printer.h"
#include "tav_error.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

using namespace tav;

namespace {

QStringList waitForJobs(const QString& directory, int count) {
    const QDeadlineTimer deadline(30000);
    QStringList jobs;
    while (!deadline.hasExpired()) {
        jobs = QDir(directory).entryList({"job-*.pdf"}, QDir::Files, QDir::Name);
        if (jobs.size() >= count)
            break;
        QThread::msleep(100);
    }
    return jobs;
}

} // namespace

TEST(SystemPrinter, EachEndDocIsOneCupsJobWithTextAtItsTwips) {
    const QString output = qEnvironmentVariable("MAILPIECE_CUPS_OUTPUT");
    ASSERT_FALSE(output.isEmpty()) << "run through tests/cups/with-private-cups.sh";
    ASSERT_EQ(QPrinterInfo::defaultPrinterName(), "MailpieceTest");

    SystemPrinter printer;
    EXPECT_EQ(printer.DeviceName(), "MailpieceTest");
    EXPECT_EQ(printer.DriverName(), "CUPS");
    EXPECT_GT(printer.PrintQuality(), 0);
    for (int job = 1; job <= 2; ++job) {
        printer.setCurrentX(1440);
        printer.setCurrentY(2880);
        printer.setJobName(QStringLiteral("Spring mailing sheet %1 of 2").arg(job));
        printer.Print(QStringLiteral("Łódź%1").arg(job));
        printer.Box(1440, 4320, 2880, 1440, 0, false);
        printer.EndDoc();
    }

    const QStringList jobs = waitForJobs(output, 2);
    ASSERT_EQ(jobs.size(), 2);
    const auto words = test::pdfWords(QDir(output).filePath(jobs.at(1)));
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].text, "Łódź2");
    // Full-page coordinates: twip (0, 0) is the paper's corner.
    EXPECT_NEAR(words[0].box.left(), 72, 1.5);
    EXPECT_NEAR(words[0].box.top(), 144, 2.0);
    // The queue lists each job under its own name.
    QFile title(QDir(output).filePath(QString(jobs.at(1)).replace(".pdf", ".title")));
    ASSERT_TRUE(title.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(title.readAll()), "Spring mailing sheet 2 of 2");
}

TEST(SystemPrinter, AJobTheSchedulerRefusesIsAnErrorNotASheetPrinted) {
    const QString output = qEnvironmentVariable("MAILPIECE_CUPS_OUTPUT");
    ASSERT_FALSE(output.isEmpty()) << "run through tests/cups/with-private-cups.sh";
    const auto queue = [](const char* command) {
        QProcess process;
        process.start(QLatin1String(command), {"MailpieceTest"});
        return process.waitForFinished(30000) && process.exitCode() == 0;
    };
    ASSERT_TRUE(queue("cupsreject"));
    const qsizetype before = waitForJobs(output, 0).size();
    SystemPrinter printer;
    printer.setJobName("Refused sheet 1 of 1");
    printer.Print("Ann");
    const auto error = test::raisedError([&] { printer.EndDoc(); });
    EXPECT_TRUE(error) << "a refused job was taken for printed";
    if (error) {
        EXPECT_EQ(error->number(), ErrorNumber::DeviceIO);
        EXPECT_TRUE(error->description().contains("did not take the job \"Refused sheet 1 of 1\""))
            << error->description().toStdString();
    }
    // The batch program says so, and how many sheets were printed, and fails.
    const test::ProgramRun batch = test::runBatch(
        {"--address", "--printer", "MailpieceTest", QStringLiteral(MAILPIECE_SAMPLE_MAILING)});
    const QString& said = batch.err;
    EXPECT_EQ(batch.exitCode, 1) << said.toStdString();
    EXPECT_TRUE(said.contains("did not take the job") && said.contains("no sheet was printed"))
        << said.toStdString();
    EXPECT_FALSE(batch.out.contains("Printed"));
    ASSERT_TRUE(queue("cupsaccept"));
    // Accepting again, the same printer prints.
    printer.Print("Bob");
    printer.EndDoc();
    EXPECT_EQ(waitForJobs(output, before + 1).size(), before + 1);
}

TEST(SystemPrinter, ARollRunIsOneLabelPrinterJobOfAPageALabelOnTheLabelsMedia) {
    const QString output = qEnvironmentVariable("MAILPIECE_CUPS_LABEL_OUTPUT");
    if (output.isEmpty() || !QFileInfo::exists("/usr/share/libglabels-3.0/templates"))
        GTEST_SKIP() << "needs printer-driver-dymo and glabels-data";
    const test::ProgramRun batch =
        test::runBatch({"--address", "--piece", "Dymo 99010", "--printer", "MailpieceLabelWriter",
                        "--from", "2", "--to", "4", QStringLiteral(MAILPIECE_SAMPLE_MAILING)});
    ASSERT_EQ(batch.exitCode, 0) << batch.err.toStdString();
    EXPECT_TRUE(batch.out.startsWith("Printed 3 labels")) << batch.out.toStdString();
    const QDeadlineTimer deadline(30000);
    QStringList jobs;
    while (jobs.isEmpty() && !deadline.hasExpired()) {
        QThread::msleep(100);
        jobs = QDir(output).entryList({"job-*.prn"}, QDir::Files);
    }
    ASSERT_EQ(jobs.size(), 1) << "the driver made no printer data";
    EXPECT_GT(QFileInfo(QDir(output).filePath(jobs.at(0))).size(), 1000);
    // The driver counted three pages on the LabelWriter's own 30252/99010 address label, and
    // nothing asked to scale them.
    QFile options(QDir(output).filePath(QString(jobs.at(0)).replace(".prn", ".options")));
    ASSERT_TRUE(options.open(QIODevice::ReadOnly));
    const QString asked = QString::fromUtf8(options.readAll());
    EXPECT_TRUE(asked.contains("PageSize=w79h252")) << asked.toStdString();
    EXPECT_TRUE(asked.contains("print-scaling=none")) << asked.toStdString();
    QFile pages(qEnvironmentVariable("MAILPIECE_CUPS_LOG") + "/page_log");
    ASSERT_TRUE(pages.open(QIODevice::ReadOnly));
    const QString log = QString::fromUtf8(pages.readAll());
    EXPECT_TRUE(log.contains(QRegularExpression(
        R"(^MailpieceLabelWriter \S+ \d+ \[[^]]+\] total 3 .*sample-addresses labels 2 to 4 w79h252)",
        QRegularExpression::MultilineOption)))
        << log.toStdString();
}

TEST(SystemPrinter, AJobForAStoppedSchedulerIsAnError) {
    const QString socket = qEnvironmentVariable("CUPS_SERVER");
    ASSERT_FALSE(socket.isEmpty()) << "run through tests/cups/with-private-cups.sh";
    SystemPrinter printer;
    printer.setJobName("Before the stop");
    printer.Print("Ann");
    printer.EndDoc();
    // The private scheduler stops (the last test: the harness ends it anyway).
    QProcess stop;
    stop.start("pkill", {"-f", "cupsd.*" + QFileInfo(socket).absolutePath().section('/', 0, -2)});
    ASSERT_TRUE(stop.waitForFinished(30000));
    const QDeadlineTimer gone(10000);
    while (QFileInfo::exists(socket) && !gone.hasExpired())
        QThread::msleep(50);
    printer.setJobName("After the stop");
    printer.Print("Bob");
    EXPECT_THROW(printer.EndDoc(), TavError);
}
