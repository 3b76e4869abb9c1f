// Output that appears only when it is whole: PDF documents and job files on a disk that fills
// up, names planted in advance, and a write that is never completed.

#include "file_size_limit.h"
#include "output_file.h"
#include "pdf_printer.h"
#include "program_run.h"
#include "qt_printers.h"
#include "tav_error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tav;

namespace {

// Prints `pages` pages of text; each page is one job.
void printPages(Printer& printer, int pages) {
    for (int page = 0; page < pages; ++page) {
        for (int line = 0; line < 40; ++line) {
            printer.setCurrentY(line * 300);
            printer.Print(QStringLiteral("Page %1 line %2 with some text").arg(page).arg(line));
        }
        printer.EndDoc();
    }
}

QStringList entries(const QString& directory) {
    return QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

TEST(OutputFile, ADocumentThatDoesNotFitTheDiskLeavesTheOldFileAndNoTrace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("mailing.pdf");
    test::writeFile(path, "an earlier mailing");
    const auto pdf = PdfPrinter::singleDocument(path);
    try {
        const test::FileSizeLimit limit(16 * 1024);
        printPages(*pdf, 60);
        pdf->finish();
        FAIL() << "a document larger than the disk was reported written";
    } catch (const TavError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::DeviceIO);
        EXPECT_TRUE(error.description().contains(path)) << error.description().toStdString();
    }
    EXPECT_EQ(test::readFile(path), QByteArray("an earlier mailing"));
    EXPECT_EQ(entries(dir.path()), QStringList{"mailing.pdf"});
    EXPECT_TRUE(pdf->writtenFiles().isEmpty());
}

TEST(OutputFile, JobFilesThatDoNotFitAreNotListedAndLeaveNoTrace) {
    QTemporaryDir dir;
    const auto pdf = PdfPrinter::filePerJob(dir.path());
    printPages(*pdf, 2);
    ASSERT_EQ(pdf->writtenFiles().size(), 2);
    {
        const test::FileSizeLimit limit(600);
        EXPECT_THROW(printPages(*pdf, 1), TavError);
    }
    EXPECT_EQ(pdf->writtenFiles().size(), 2);
    EXPECT_EQ(entries(dir.path()).size(), 2) << entries(dir.path()).join(' ').toStdString();
    printPages(*pdf, 1); // room again: the next job is written
    EXPECT_EQ(pdf->writtenFiles().size(), 3);
}

TEST(OutputFile, AJobFileNeverFollowsOrReplacesANamePlantedBeforeIt) {
    QTemporaryDir dir;
    const QString victim = dir.filePath("elsewhere/victim.pdf");
    // Links for the names of the first jobs of a run started this second or the next.
    const QDateTime now = QDateTime::currentDateTime();
    for (const QDateTime& when : {now, now.addSecs(1)})
        for (int n = 1; n <= 2; ++n)
            ASSERT_TRUE(QFile::link(victim, dir.filePath(QStringLiteral("mailpiece-%1-%2.pdf")
                                                             .arg(when.toString("yyyyMMdd-HHmmss"))
                                                             .arg(n, 4, 10, QLatin1Char('0')))));
    const auto pdf = PdfPrinter::filePerJob(dir.path());
    printPages(*pdf, 1);
    EXPECT_FALSE(QFileInfo::exists(victim));
    ASSERT_EQ(pdf->writtenFiles().size(), 1);
    const QFileInfo written(pdf->writtenFiles().constFirst());
    EXPECT_FALSE(written.isSymLink());
    EXPECT_GT(written.size(), 0);
    EXPECT_TRUE(written.fileName().endsWith(QLatin1String("-0003.pdf")))
        << written.fileName().toStdString();
}

TEST(OutputFile, AFileNeverCompletedIsNeverThere) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    {
        const auto file = OutputFile::forPath(path);
        file->device().write("half");
    }
    EXPECT_TRUE(entries(dir.path()).isEmpty());
    {
        const auto file = OutputFile::forPath(path);
        file->device().write("whole");
        file->complete(path);
        file->placeAs(path);
    }
    EXPECT_EQ(entries(dir.path()), QStringList{"out.txt"});
}

TEST(OutputFile, APlacedFileHasTheModeOfANewFileOrOfTheFileItReplaces) {
    QTemporaryDir dir;
    const mode_t mask = ::umask(022);
    const QString path = dir.filePath("out.pdf");
    const auto write = [&] {
        const auto file = OutputFile::forPath(path);
        file->device().write("whole");
        file->complete(path);
        file->placeAs(path);
    };
    write();
    EXPECT_EQ(QFileInfo(path).permissions(), QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ReadUser | QFile::WriteUser |
                                                 QFile::ReadGroup | QFile::ReadOther);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    write();
    EXPECT_EQ(QFileInfo(path).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    const auto pdf = PdfPrinter::filePerJob(dir.path());
    printPages(*pdf, 1);
    EXPECT_TRUE(QFileInfo(pdf->writtenFiles().constFirst()).permissions() & QFile::ReadOther);
    ::umask(mask);
}
