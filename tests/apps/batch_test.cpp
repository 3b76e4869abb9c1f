#include "batch_options.h"
#include "intelligent_mail.h"
#include "new_piece_dialog.h"
#include "pdf_bars.h"
#include "pdf_text.h"
#include "program_run.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "temp_env.h"
#include "tracking_codes.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace mailpiece;

namespace {

using tav::test::ProgramRun;
using tav::test::runBatch;
using tav::test::writeFile;

// A mailing with address columns and a column of tracking codes.
QString mailing(const QTemporaryDir& dir, const QByteArray& rows) {
    return writeFile(dir, "m.csv", "First,Last,Address,City,State,Zip,Tracking\n" + rows);
}

const QByteArray kRows = "Ann,Lee,12 Elm St,Salem,OR,97301-1234,00700123456000000007\n"
                         "Bob,Ray,1 Oak Ave,Bend,OR,97701,00700123456000000008\n";

tav::MailingRow row(const QString& tracking) {
    return {2, {"Ann", tracking}};
}

} // namespace

TEST(BatchOptions, DefaultsTemplatesAndBadValues) {
    QString error;
    auto options = parseBatchOptions({"batch", "m.csv"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->itemTemplates[2], "<<Item3>>");
    EXPECT_EQ(options->across, 3);

    options = parseBatchOptions(
        {"batch", "--item2=<<City>>", "--start", "5", "--printer-top", "-0.25", "m.csv"}, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->itemTemplates[0].isEmpty()); // only the items asked for
    EXPECT_EQ(options->itemTemplates[1], "<<City>>");
    EXPECT_EQ(options->startingPiece, 5);
    EXPECT_EQ(options->printerTop, -0.25f);
    options = parseBatchOptions(
        {"batch", "--imb-mailer-id", "123456", "--imb-service=700", "--strict-fit", "m.csv"},
        error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_TRUE(options->tracking);
    EXPECT_TRUE(options->strictFit);

    const QStringList bad[] = {
        {"batch"},
        {"batch", "--across", "0", "m.csv"},
        {"batch", "--margin-top", "nan", "m.csv"},
        {"batch", "--colour", "m.csv"},
        {"batch", "m.csv", "n.csv"},
        {"batch", "m.csv", "--pdf"},
        {"batch", "--piece-width", "0", "m.csv"},
        {"batch", "--address", "--columns", "m.csv"},
        {"batch", "--imb-mailer-id=123456", "m.csv"},
        {"batch", "--imb-service=700", "m.csv"},
        {"batch", "--imb-mailer-id=123456", "--imb-service=700", "--imb-tracking-column=Code",
         "m.csv"},
        {"batch", "--imb-mailer-id=123456", "--imb-service=7000", "m.csv"},
        {"batch", "--imb-mailer-id=123456", "--imb-service=700", "--imb-serial-start=ten", "m.csv"},
        {"batch", "--imb-tracking-column=Code", "--zip=", "m.csv"},
        {"batch", "--envelope", "--address", "m.csv"},
        {"batch", "--envelope", "--item1=x", "m.csv"},
        {"batch", "--envelope", "--across=2", "m.csv"},
        {"batch", "--return-address=x", "m.csv"}};
    for (const QStringList& arguments : bad) {
        error.clear();
        EXPECT_FALSE(parseBatchOptions(arguments, error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains(QLatin1Char('\n'))) << error.toStdString(); // one line
    }
}

TEST(BatchProgram, AnAddressHeaderPrintsAddressesAndABadOptionIsOneLine) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    const QString sample = QStringLiteral(MAILPIECE_SAMPLE_MAILING);
    for (const bool columns : {false, true}) {
        QFile::remove(pdf);
        QStringList arguments = {"--pdf", pdf, sample};
        if (columns)
            arguments.prepend("--columns");
        const ProgramRun run = runBatch(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.err.contains("prints the address composed"), !columns);
        const QStringList words = tav::test::pdfTexts(pdf);
        const QString text = words.join(QLatin1Char(' '));
        EXPECT_EQ(text.contains("Barbara T. Jackson"), !columns);
        EXPECT_EQ(text.contains("Boulder, CO"), !columns);
    }
    const ProgramRun bad = runBatch({"--colour", sample});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(
        bad.err.trimmed().split(QLatin1Char('\n')).filter("mailpiece-batch"),
        (QStringList{"mailpiece-batch: Unknown option 'colour'.", "See mailpiece-batch --help."}));
}

TEST(BatchProgram, PrintsTheGoodRowsAndNamesTheBadOnesByLine) {
    QTemporaryDir dir;
    const QString csv = writeFile(dir, "m.csv",
                                  "Name,City,Zip\n"
                                  "Ann Smith,Salem,97301\n"
                                  "Bad \"quote,Salem,97301\n"
                                  "Bob Jones,Eugene,97401,extra\n"
                                  "Zoë Brontë,Bend,97701\n");
    const QString pdf = dir.filePath("out.pdf");
    const ProgramRun run =
        runBatch({"--item1", "<<Name>>", "--item2", "<<Item2>> OR", "--pdf", pdf, csv});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("m.csv:3: row left out"));
    EXPECT_TRUE(run.err.contains("m.csv:4: row left out"));
    EXPECT_TRUE(run.out.contains(pdf));
    const QStringList texts = tav::test::pdfTexts(pdf);
    EXPECT_EQ(texts, (QStringList{"Ann", "Smith", "Salem", "OR", "Zoë", "Brontë", "Bend", "OR"}));
}

TEST(BatchProgram, UnusableInputEndsWithAClearMessageAndNonZeroStatus) {
    QTemporaryDir dir;
    const ProgramRun missing = runBatch({dir.filePath("missing.csv")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("cannot read"));

    const ProgramRun empty = runBatch({writeFile(dir, "empty.csv", "")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains("no usable rows"));

    const ProgramRun noRows = runBatch({writeFile(dir, "header.csv", "Name,Zip\n")});
    EXPECT_EQ(noRows.exitCode, 1);

    // A workbook cut short, whatever its name says.
    const QByteArray workbook = tav::test::readFile(MAILPIECE_MAILING_DATA "/workbook.xlsx");
    const ProgramRun cut = runBatch({writeFile(dir, "cut.csv", workbook.left(3000))});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_TRUE(cut.err.contains("cut.csv: it is not a workbook that can be opened"))
        << cut.err.toStdString();

    const ProgramRun badOption = runBatch({"--down", "-3", "x.csv"});
    EXPECT_EQ(badOption.exitCode, 2);
    EXPECT_TRUE(badOption.err.contains("--down"));

    const ProgramRun noPrinter =
        runBatch({"--printer", "NoSuchPrinter", writeFile(dir, "one.csv", "Name\nAnn\n")});
    EXPECT_EQ(noPrinter.exitCode, 1);
    EXPECT_TRUE(noPrinter.err.contains("no printer named NoSuchPrinter"));
}

TEST(BatchProgram, EnvelopesTakeTheAddressColumnsAndAReturnAddress) {
    QTemporaryDir dir;
    // A contact export's columns are named as they are read.
    const ProgramRun outlook = runBatch(
        {"--envelope", "--pdf", dir.filePath("outlook.pdf"),
         writeFile(dir, "outlook.csv",
                   "First Name,Last Name,Home Street,Home City,Home State,Home Postal Code\n"
                   "Ann,Lee,1 Elm St,Salem,OR,97301\n")});
    EXPECT_EQ(outlook.exitCode, 0) << outlook.err.toStdString();
    EXPECT_TRUE(outlook.err.contains("the address is composed from the columns First Name, Last "
                                     "Name, Home Street, Home City, Home State, Home Postal Code"))
        << outlook.err.toStdString();
    const QString csv = writeFile(dir, "m.csv",
                                  "Last,First,Address,City,State,Zip\n"
                                  "Smith,Ann,12 Elm St,Salem,OR,97301\n"
                                  "Pipe|Name,Bob,1 Oak Ave,Bend,OR,97701\n"
                                  "Brontë,Zoë,9 Pine Rd,Bend,OR,97701-1234\n");
    const QString pdf = dir.filePath("envelopes.pdf");
    const ProgramRun run =
        runBatch({"--envelope", "--return-address=Acme Co.\\n1 Main St", "--pdf", pdf, csv});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("row left out")); // "|" is data
    EXPECT_FALSE(run.err.contains("warning")) << run.err.toStdString();
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 3);
    const auto words = tav::test::pdfWords(pdf);
    EXPECT_TRUE(std::any_of(words.begin(), words.end(), [](const tav::test::PdfWord& word) {
        return word.text == QLatin1String("Pipe|Name");
    }));

    QStringList firstPage;
    double acmeTop = -1;
    double annTop = -1;
    for (const auto& word : tav::test::pdfWords(pdf)) {
        if (word.page == 1)
            firstPage << word.text;
        if (word.text == QLatin1String("Acme"))
            acmeTop = word.box.top();
        if (word.text == QLatin1String("Ann"))
            annTop = word.box.top();
    }
    // Return address first (top left), then the composed delivery address.
    EXPECT_EQ(firstPage, (QStringList{"Acme", "Co.", "1", "Main", "St", "Ann", "Smith", "12", "Elm",
                                      "St", "Salem,", "OR", "97301"}));
    EXPECT_LT(acmeTop, annTop);
}

TEST(TrackingCodes, NumberSerialsAfterTheMailerIdentifierAndRefuseBadFields) {
    QString problem;
    const QStringList header = {"Name", "Code"};
    auto six = TrackingCodes::numbered("00", "700", "123456", 41);
    EXPECT_EQ(six.next(header, row({}), problem), "00700123456000000041");
    EXPECT_EQ(six.next(header, row({}), problem), "00700123456000000042");
    auto nine = TrackingCodes::numbered("10", "270", "912345678", 999999);
    EXPECT_EQ(nine.next(header, row({}), problem), "10270912345678999999");
    EXPECT_THROW(nine.next(header, row({}), problem), tav::TavError); // no 6-digit serial left

    const auto refusal = [](const char* bi, const char* stid, const char* mid, qint64 serial) {
        return tav::test::raisedDetail([&] { TrackingCodes::numbered(bi, stid, mid, serial); });
    };
    EXPECT_TRUE(refusal("05", "700", "123456", 1).contains("--imb-barcode-id"));
    EXPECT_TRUE(refusal("00", "70", "123456", 1).contains("--imb-service"));
    EXPECT_TRUE(refusal("00", "700", "12345", 1).contains("--imb-mailer-id"));
    EXPECT_TRUE(refusal("00", "700", "123456789", 1).contains("--imb-mailer-id"));
    EXPECT_TRUE(refusal("00", "700", "123456", 1000000000).contains("--imb-serial-start"));
    EXPECT_TRUE(refusal("00", "700", "923456789", -1).contains("--imb-serial-start"));

    auto column = TrackingCodes::fromColumn("code");
    EXPECT_EQ(column.next(header, row(" 00700123456000000041 "), problem), "00700123456000000041");
    EXPECT_FALSE(column.next(header, row("0070012345600000004"), problem));
    EXPECT_TRUE(problem.contains("column code"));
}

TEST(BatchProgram, NumbersIntelligentMailPiecesOnFourInchLabels) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("imb.pdf");
    const ProgramRun run = runBatch({"--address", "--piece", "5161 - Address", "--imb-mailer-id",
                                     "123456", "--imb-service", "700", "--imb-serial-start", "41",
                                     "--pdf", pdf, mailing(dir, kRows)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("warning")) << run.err.toStdString();

    // The first label's bars read back as piece 41's tracking code and its ZIP+4.
    constexpr int kDpi = 600;
    const QImage top = tav::test::pdfPageImage(pdf, 1, kDpi, QRect(0, 0, 4.3 * kDpi, 1.5 * kDpi));
    ASSERT_FALSE(top.isNull());
    // Under the four address lines: the box starts 0.705 in into the label, 0.5 in down the page.
    const auto bars = tav::test::findBars(top, QRect(0, 1.15 * kDpi, top.width(), 0.3 * kDpi));
    EXPECT_EQ(tav::test::fourStates(bars, 3),
              tav::IntelligentMail::EncodeIntelligentMail("00700123456000000041", "973011234"));
}

TEST(BatchProgram, BarsThatDoNotFitAreNamedByPieceAndRowOrStopTheRun) {
    QTemporaryDir dir;
    const QString csv = mailing(dir, kRows);
    const QString pdf = dir.filePath("30up.pdf");
    // 30 labels of 2-5/8 inch: too narrow for the 2.91 inch bar code.
    const QStringList imb = {"--address", "--imb-tracking-column", "Tracking"};
    const ProgramRun warned = runBatch(imb + QStringList{"--pdf", pdf, csv});
    EXPECT_EQ(warned.exitCode, 0) << warned.err.toStdString();
    // Told once for the mailing, by its first row, in the user's words.
    EXPECT_TRUE(warned.err.contains(QStringLiteral("m.csv:2: warning: label 1: the Intelligent "
                                                   "Mail barcode needs 2.91 in")))
        << warned.err.toStdString();
    EXPECT_EQ(warned.err.count("warning"), 1);
    EXPECT_FALSE(warned.err.contains("Properties"));
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 1);

    const QString strictPdf = dir.filePath("strict.pdf");
    const ProgramRun strict = runBatch(imb + QStringList{"--strict-fit", "--pdf", strictPdf, csv});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_TRUE(strict.err.contains("m.csv:2: label 1"));
    EXPECT_FALSE(QFile::exists(strictPdf));

    // An 11-digit POSTNET does not fit the narrow label either; a ZIP+4 does. The rows after
    // the first with the same problem are named together.
    const ProgramRun postnet = runBatch({"--address", "--pdf", pdf,
                                         mailing(dir, "Ann,Lee,1 Elm,Salem,OR,97301-1234,x\n"
                                                      "Bob,Ray,2 Oak,Bend,OR,97701-1234-01,x\n"
                                                      "Cy,Ray,3 Oak,Bend,OR,97701-1234-02,x\n"
                                                      "Di,Ray,4 Oak,Bend,OR,97701-1234-03,x\n")});
    EXPECT_EQ(postnet.exitCode, 0);
    EXPECT_FALSE(postnet.err.contains("label 1:"));
    EXPECT_TRUE(postnet.err.contains(QStringLiteral("m.csv:3: warning: label 2: a POSTNET bar code "
                                                    "of 11 digits needs 2.81 in")))
        << postnet.err.toStdString();
    EXPECT_TRUE(postnet.err.contains(QStringLiteral("warning: 2 more labels have the same bar code "
                                                    "problem")));
    EXPECT_TRUE(postnet.err.contains("rows 4, 5"));
}

TEST(BatchProgram, BadTrackingAndRoutingCodesLeaveTheirRowsOut) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("envelopes.pdf");
    const ProgramRun run =
        runBatch({"--envelope", "--imb-tracking-column", "Tracking", "--pdf", pdf,
                  mailing(dir, kRows + "Cy,Orr,3 Ash St,Bend,OR,97701,0070012345600000000\n"
                                       "Di,Orr,4 Ash St,Bend,OR,977011,"
                                       "00700123456000000009\n")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("m.csv:4: row left out: the tracking code"));
    EXPECT_TRUE(run.err.contains("m.csv:5: row left out: the ZIP code"));
    EXPECT_FALSE(run.err.contains("warning")) << run.err.toStdString();
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 2);
}

TEST(BatchProgram, ReadsSpreadsheetExportsAndNamesDoubtfulZipCodesByRow) {
    QTemporaryDir dir;
    // Semicolons and Windows-1252, as a European spreadsheet saves "CSV".
    const QString csv = writeFile(dir, "export.csv",
                                  "Name;City;Zip\r\n"
                                  "Jos\xe9 N\xfa\xf1\x65z;K\xf6ln;2134\r\n"
                                  "Ann Lee;Salem;ABCDE\r\n"
                                  "Bo Ek;Bend;97701\r\n");
    const QString pdf = dir.filePath("export.pdf");
    const ProgramRun run = runBatch({"--pdf", pdf, "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("export.csv: warning: the text is not UTF-8"));
    EXPECT_TRUE(
        run.err.contains("export.csv:2: warning: \"2134\" has 4 digits: a leading zero lost?"));
    EXPECT_TRUE(run.err.contains("export.csv:3: warning: \"ABCDE\" has no digits"));
    const QStringList words = tav::test::pdfTexts(pdf);
    EXPECT_TRUE(words.contains("Núñez")) << words.join(' ').toStdString();
    EXPECT_TRUE(words.contains("Köln"));

    // --strict-zip leaves those rows out; "-" reads standard input.
    QProcess process;
    process.start(QStringLiteral(MAILPIECE_BATCH_PROGRAM),
                  {"--strict-zip", "--delimiter", "semicolon", "--encoding", "Windows-1252",
                   "--pdf", pdf, "-"});
    QFile input(csv);
    ASSERT_TRUE(input.open(QIODevice::ReadOnly));
    process.write(input.readAll());
    process.closeWriteChannel();
    process.waitForFinished(60000);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.contains("stdin:2: row left out: \"2134\""));
    EXPECT_TRUE(err.contains("stdin:3: row left out"));
    EXPECT_FALSE(err.contains("not UTF-8")); // named, not guessed
    EXPECT_TRUE(
        QString::fromUtf8(process.readAllStandardOutput()).contains("1 piece in the mailing"));
}

TEST(BatchProgram, PiecesByNumberOrPrefixAndStartsOnTheSheet) {
    QTemporaryDir dir;
    const QString csv = writeFile(dir, "m.csv", "Name,Zip\nAnn,97301\n");
    const QString pdf = dir.filePath("p.pdf");
    const auto run = [&](const QStringList& arguments) {
        return runBatch(arguments + QStringList{"--pdf", pdf, csv});
    };
    EXPECT_EQ(run({"--piece", "5160"}).exitCode, 0);
    EXPECT_EQ(run({"--piece", "5163 - ship"}).exitCode, 0);
    const ProgramRun ambiguous = run({"--piece", "516"});
    EXPECT_EQ(ambiguous.exitCode, 1);
    EXPECT_TRUE(ambiguous.err.contains("\"516\" matches"));
    EXPECT_TRUE(ambiguous.err.contains("5161 - Address"));
    EXPECT_FALSE(ambiguous.err.contains("mailpiece-batch: mailpiece-batch"));

    const ProgramRun start = run({"--start", "31"});
    EXPECT_EQ(start.exitCode, 1);
    EXPECT_TRUE(start.err.contains("--start 31: the positions on a sheet are 1 to 30"))
        << start.err.toStdString();
    EXPECT_EQ(run({"--envelope", "--start", "2"}).exitCode, 1);
}

TEST(BatchProgram, PrintsEveryKindOfSpreadsheetFileAndRefusesAnUnreachableDatabase) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("kinds.pdf");
    for (const char* file :
         {"utf8-bom-comma-crlf.csv", "utf8-semicolon-lf.csv", "utf16le-bom-tab-crlf.txt",
          "utf16be-bom-comma-cr.csv", "windows1252-semicolon-crlf.csv", "utf8-pipe-lf.txt"}) {
        const ProgramRun run =
            runBatch({"--address", "--pdf", pdf,
                      QStringLiteral(MAILPIECE_MAILING_DATA "/") + QLatin1String(file)});
        ASSERT_EQ(run.exitCode, 0) << file << run.err.toStdString();
        const QStringList words = tav::test::pdfTexts(pdf);
        EXPECT_TRUE(words.contains("Núñez")) << file;
        EXPECT_TRUE(words.join(QLatin1Char(' ')).contains("Saint-Étienne")) << file;
    }

    // No server behind the socket directory: a clear failure, and no prompt without a terminal.
    QProcess batch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PGHOST", dir.path());
    batch.setProcessEnvironment(environment);
    batch.start(QStringLiteral(MAILPIECE_BATCH_PROGRAM),
                {"--sql", "postgresql://mailer@/crm", "--query", "contacts", "--pdf", pdf});
    batch.closeWriteChannel();
    ASSERT_TRUE(batch.waitForFinished(60000));
    EXPECT_EQ(batch.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(batch.readAllStandardError())
                    .contains("cannot connect to postgresql://mailer@/crm"));
}

// A workbook of each format prints each row as many times as its copies column asks.
TEST(BatchProgram, WorkbooksPrintEachRowAsManyTimesAsItsCopiesColumnSays) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("copies.pdf");
    for (const char* file : {"workbook.xlsx", "workbook.ods", "workbook.xls"}) {
        const ProgramRun run =
            runBatch({"--sheet", "Addresses", "--copies-column", "copies", "--pdf", pdf,
                      QStringLiteral(MAILPIECE_MAILING_DATA "/") + QLatin1String(file)});
        ASSERT_EQ(run.exitCode, 0) << file << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(
            "Printed 1 sheet (6 pieces in the mailing; 1 row asked for no copies)"))
            << run.out.toStdString();
        const QStringList words = tav::test::pdfTexts(pdf);
        EXPECT_EQ(words.count("Zoë"), 2) << file;
        EXPECT_EQ(words.count("Bo"), 3) << file;
        EXPECT_EQ(words.count("Ann"), 0) << file;
        EXPECT_TRUE(words.contains("02134")) << file;
    }
    // A sheet of one return address; rows repeated.
    const QString one = writeFile(dir, "one.csv",
                                  "First,Last,Address,City,State,Zip\n"
                                  "Ann,Lee,1 Elm St,Salem,OR,97301\n");
    const ProgramRun filled = runBatch({"--fill-sheet", "--pdf", pdf, one});
    EXPECT_TRUE(filled.out.startsWith(
        "Printed 1 sheet (30 pieces in the mailing; 29 copies of the last to fill the sheet)"))
        << filled.out.toStdString();
    const ProgramRun repeated = runBatch({"--repeat", "4", "--sort", "zip", "--pdf", pdf, one});
    EXPECT_TRUE(repeated.out.startsWith("Printed 1 sheet (4 pieces in the mailing)"))
        << repeated.out.toStdString();
    EXPECT_TRUE(repeated.out.contains("not a certified presort")) << repeated.out.toStdString();
    EXPECT_TRUE(repeated.out.contains("  97301       4\n")) << repeated.out.toStdString();
}

TEST(BatchProgram, ListsTheTemplateLibraryAndPrintsOnAnImportedSheet) {
    const ProgramRun list = runBatch({"--list-pieces", "--all"});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.contains("5160 - Address"));
    if (!QFileInfo::exists("/usr/share/libglabels-3.0/templates"))
        GTEST_SKIP() << "glabels-data is not installed";
    EXPECT_TRUE(list.out.contains("Avery 15160 - Address Labels 2.625 x 1 in"));
    EXPECT_TRUE(list.out.contains("1756 templates in"));
    EXPECT_TRUE(list.out.contains("270 with round, oval or CD labels"));

    // A shipped piece by its whole name never reads the library; an imported one reads it once
    // and keeps what it read for the next start.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("a4.pdf");
    const QStringList cache = {"XDG_CACHE_HOME=" + dir.filePath("c")};
    const QString kept = dir.filePath("c/mailpiece/templates.cache");
    const ProgramRun shipped = runBatch({"--address", "--piece", "5160 - Address", "--pdf", pdf,
                                         QStringLiteral(MAILPIECE_SAMPLE_MAILING)},
                                        cache);
    ASSERT_EQ(shipped.exitCode, 0) << shipped.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(kept));
    QFile::remove(pdf);
    // 21 labels of 70 x 42.3 mm on A4: each address lies inside its label.
    const ProgramRun run = runBatch({"--address", "--piece", "Igepa EA-700x423", "--pdf", pdf,
                                     QStringLiteral(MAILPIECE_SAMPLE_MAILING)},
                                    cache);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 4);       // 70 rows, 21 a sheet
    constexpr double kLabelWidth = 70 / 25.4 * 72;    // points
    constexpr double kLabelHeight = 42.3 / 25.4 * 72; // points
    constexpr double kTop = 0.01772 * 72;
    for (const auto& word : tav::test::pdfWords(pdf)) {
        if (word.page != 1)
            continue;
        const int column = static_cast<int>(word.box.left() / kLabelWidth);
        const int row = static_cast<int>((word.box.top() - kTop) / kLabelHeight);
        EXPECT_LE(word.box.right(), (column + 1) * kLabelWidth + 0.5) << word.text.toStdString();
        EXPECT_LE(word.box.bottom(), kTop + (row + 1) * kLabelHeight + 0.5)
            << word.text.toStdString();
    }
}

TEST(BatchProgram, APieceDefinedWithNewPieceIsListedAndPrintedInsideItsLabels) {
    // Defined in this process (the user's catalogue lies in the test's own XDG_CONFIG_HOME), read
    // by the batch program in another: it survives the "restart".
    {
        tav::test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
        tav::NewPieceDialog define;
        define.findChild<QLineEdit*>("product_txt")->setText("Pantry");
        define.findChild<QLineEdit*>("piece_txt")->setText("Jar 3.5 x 2");
        define.findChild<QDoubleSpinBox*>("width")->setValue(3.5);
        define.findChild<QDoubleSpinBox*>("height")->setValue(2);
        define.findChild<QSpinBox*>("across")->setValue(2);
        define.findChild<QSpinBox*>("down")->setValue(4);
        define.findChild<QDoubleSpinBox*>("margin_left")->setValue(0.5);
        define.findChild<QDoubleSpinBox*>("pitch_across")->setValue(4);
        define.findChild<QDoubleSpinBox*>("pitch_down")->setValue(2.5);
        ASSERT_TRUE(define.problem().isEmpty()) << define.problem().toStdString();
        QTest::mouseClick(define.findChild<QPushButton*>("save_btn"), Qt::LeftButton);
        ASSERT_EQ(define.savedPiece(), "Jar 3.5 x 2");
    }
    const ProgramRun list = runBatch({"--list-pieces"});
    EXPECT_TRUE(list.out.contains("  Pantry\n    Jar 3.5 x 2\n"));

    QTemporaryDir dir;
    const QString pdf = dir.filePath("jars.pdf");
    const ProgramRun run = runBatch({"--address", "--piece", "Jar 3.5 x 2", "--pdf", pdf,
                                     QStringLiteral(MAILPIECE_SAMPLE_MAILING)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 9); // 70 rows, 8 a sheet
    int words = 0;
    for (const auto& word : tav::test::pdfWords(pdf)) {
        if (word.page != 1)
            continue;
        ++words;
        // Labels at 0.5 + 4k in across and 0.5 + 2.5k in down, 3.5 x 2 in (points here).
        const double x = word.box.left() / 72 - 0.5;
        const double y = word.box.top() / 72 - 0.5;
        const double column = std::floor(x / 4);
        const double row = std::floor(y / 2.5);
        EXPECT_GE(x - column * 4, 0) << word.text.toStdString();
        EXPECT_LE(word.box.right() / 72 - 0.5 - column * 4, 3.5) << word.text.toStdString();
        EXPECT_LE(word.box.bottom() / 72 - 0.5 - row * 2.5, 2.0) << word.text.toStdString();
    }
    EXPECT_GT(words, 8 * 5);
}
