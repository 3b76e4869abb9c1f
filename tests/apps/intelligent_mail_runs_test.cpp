// The batch program with the Intelligent Mail barcode: tracking codes numbered or from a column,
// and bars that do not fit named by piece and row.

#include "batch_options.h"
#include "intelligent_mail.h"
#include "pdf_bars.h"
#include "pdf_text.h"
#include "qt_printers.h"
#include "tav_error.h"
#include "tracking_codes.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mailpiece;

namespace {

struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

BatchRun batch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(MAILPIECE_BATCH_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString mailing(const QTemporaryDir& dir, const QByteArray& rows) {
    const QString path = dir.filePath(QStringLiteral("m.csv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("First,Last,Address,City,State,Zip,Tracking\n" + rows);
    return path;
}

const QByteArray kRows = "Ann,Lee,12 Elm St,Salem,OR,97301-1234,00700123456000000007\n"
                         "Bob,Ray,1 Oak Ave,Bend,OR,97701,00700123456000000008\n";

CsvRow row(const QString& tracking) {
    return {2, {QStringLiteral("Ann"), tracking}};
}

} // namespace

TEST(TrackingCodes, NumberSerialsAfterTheMailerIdentifierAndRefuseBadFields) {
    QString problem;
    const QStringList header = {QStringLiteral("Name"), QStringLiteral("Code")};
    auto six = TrackingCodes::numbered(QStringLiteral("00"), QStringLiteral("700"),
                                       QStringLiteral("123456"), 41);
    EXPECT_EQ(six.next(header, row({}), problem), QStringLiteral("00700123456000000041"));
    EXPECT_EQ(six.next(header, row({}), problem), QStringLiteral("00700123456000000042"));
    auto nine = TrackingCodes::numbered(QStringLiteral("10"), QStringLiteral("270"),
                                        QStringLiteral("912345678"), 999999);
    EXPECT_EQ(nine.next(header, row({}), problem), QStringLiteral("10270912345678999999"));
    EXPECT_THROW(nine.next(header, row({}), problem), tav::TavError); // no 6-digit serial left

    const auto refusal = [](const char* bi, const char* stid, const char* mid, qint64 serial) {
        try {
            TrackingCodes::numbered(QLatin1String(bi), QLatin1String(stid), QLatin1String(mid),
                                    serial);
        } catch (const tav::TavError& error) {
            return error.description();
        }
        return QString();
    };
    EXPECT_TRUE(refusal("05", "700", "123456", 1).contains(QStringLiteral("--imb-barcode-id")));
    EXPECT_TRUE(refusal("00", "70", "123456", 1).contains(QStringLiteral("--imb-service")));
    EXPECT_TRUE(refusal("00", "700", "12345", 1).contains(QStringLiteral("--imb-mailer-id")));
    EXPECT_TRUE(refusal("00", "700", "123456789", 1).contains(QStringLiteral("--imb-mailer-id")));
    EXPECT_TRUE(
        refusal("00", "700", "123456", 1000000000).contains(QStringLiteral("--imb-serial-start")));
    EXPECT_TRUE(
        refusal("00", "700", "923456789", -1).contains(QStringLiteral("--imb-serial-start")));

    auto column = TrackingCodes::fromColumn(QStringLiteral("code"));
    EXPECT_EQ(column.next(header, row(QStringLiteral(" 00700123456000000041 ")), problem),
              QStringLiteral("00700123456000000041"));
    EXPECT_FALSE(column.next(header, row(QStringLiteral("0070012345600000004")), problem));
    EXPECT_TRUE(problem.contains(QStringLiteral("column code")));
}

TEST(BatchOptions, IntelligentMailOptionsGoTogether) {
    QString error;
    const auto parse = [&](QStringList arguments) {
        arguments.prepend(QStringLiteral("batch"));
        arguments.append(QStringLiteral("m.csv"));
        error.clear();
        return parseBatchOptions(arguments, error);
    };
    auto options = parse({QStringLiteral("--imb-mailer-id"), QStringLiteral("123456"),
                          QStringLiteral("--imb-service=700"), QStringLiteral("--strict-fit")});
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_TRUE(options->tracking);
    EXPECT_TRUE(options->strictFit);
    ASSERT_TRUE(parse({QStringLiteral("--imb-tracking-column=Code")}));
    EXPECT_FALSE(parse({})->tracking);

    const QStringList bad[] = {
        {QStringLiteral("--imb-mailer-id=123456")},
        {QStringLiteral("--imb-service=700")},
        {QStringLiteral("--imb-mailer-id=123456"), QStringLiteral("--imb-service=700"),
         QStringLiteral("--imb-tracking-column=Code")},
        {QStringLiteral("--imb-mailer-id=123456"), QStringLiteral("--imb-service=7000")},
        {QStringLiteral("--imb-mailer-id=123456"), QStringLiteral("--imb-service=700"),
         QStringLiteral("--imb-serial-start=ten")},
        {QStringLiteral("--imb-tracking-column=Code"), QStringLiteral("--zip=")}};
    for (const QStringList& arguments : bad) {
        EXPECT_FALSE(parse(arguments)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(BatchProgram, NumbersIntelligentMailPiecesOnFourInchLabels) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("imb.pdf"));
    const BatchRun run =
        batch({QStringLiteral("--address"), QStringLiteral("--piece"),
               QStringLiteral("5161 - Address"), QStringLiteral("--imb-mailer-id"),
               QStringLiteral("123456"), QStringLiteral("--imb-service"), QStringLiteral("700"),
               QStringLiteral("--imb-serial-start"), QStringLiteral("41"), QStringLiteral("--pdf"),
               pdf, mailing(dir, kRows)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("warning"))) << run.err.toStdString();

    // The first label's bars read back as piece 41's tracking code and its ZIP+4.
    constexpr int kDpi = 600;
    const QImage top = tav::test::pdfPageImage(pdf, 1, kDpi, QRect(0, 0, 4.3 * kDpi, 1.5 * kDpi));
    ASSERT_FALSE(top.isNull());
    // Under the four address lines: the box starts 0.705 in into the label, 0.5 in down the page.
    const auto bars = tav::test::findBars(top, QRect(0, 1.15 * kDpi, top.width(), 0.3 * kDpi));
    EXPECT_EQ(tav::test::fourStates(bars, 3),
              tav::IntelligentMail::EncodeIntelligentMail(QStringLiteral("00700123456000000041"),
                                                          QStringLiteral("973011234")));
}

TEST(BatchProgram, BarsThatDoNotFitAreNamedByPieceAndRowOrStopTheRun) {
    QTemporaryDir dir;
    const QString csv = mailing(dir, kRows);
    const QString pdf = dir.filePath(QStringLiteral("30up.pdf"));
    // 30 labels of 2-5/8 inch: too narrow for the 2.91 inch bar code.
    const QStringList imb = {QStringLiteral("--address"), QStringLiteral("--imb-tracking-column"),
                             QStringLiteral("Tracking")};
    const BatchRun warned = batch(imb + QStringList{QStringLiteral("--pdf"), pdf, csv});
    EXPECT_EQ(warned.exitCode, 0) << warned.err.toStdString();
    EXPECT_TRUE(warned.err.contains(QStringLiteral("m.csv:2: piece 1: warning")));
    EXPECT_TRUE(warned.err.contains(QStringLiteral("m.csv:3: piece 2: warning")));
    EXPECT_TRUE(warned.err.contains(QStringLiteral("2.91 in long")));
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 1);

    const QString strictPdf = dir.filePath(QStringLiteral("strict.pdf"));
    const BatchRun strict = batch(
        imb + QStringList{QStringLiteral("--strict-fit"), QStringLiteral("--pdf"), strictPdf, csv});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_TRUE(strict.err.contains(QStringLiteral("m.csv:2: piece 1")));
    EXPECT_FALSE(QFile::exists(strictPdf));

    // An 11-digit POSTNET does not fit the narrow label either; a ZIP+4 now does.
    const BatchRun postnet = batch({QStringLiteral("--address"), QStringLiteral("--pdf"), pdf,
                                    mailing(dir, "Ann,Lee,1 Elm,Salem,OR,97301-1234,x\n"
                                                 "Bob,Ray,2 Oak,Bend,OR,97701-1234-01,x\n")});
    EXPECT_EQ(postnet.exitCode, 0);
    EXPECT_FALSE(postnet.err.contains(QStringLiteral("piece 1")));
    EXPECT_TRUE(postnet.err.contains(QStringLiteral("m.csv:3: piece 2: warning")))
        << postnet.err.toStdString();
}

TEST(BatchProgram, BadTrackingAndRoutingCodesLeaveTheirRowsOut) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("envelopes.pdf"));
    const BatchRun run =
        batch({QStringLiteral("--envelope"), QStringLiteral("--imb-tracking-column"),
               QStringLiteral("Tracking"), QStringLiteral("--pdf"), pdf,
               mailing(dir, kRows + "Cy,Orr,3 Ash St,Bend,OR,97701,0070012345600000000\n"
                                    "Di,Orr,4 Ash St,Bend,OR,977011,"
                                    "00700123456000000009\n")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("m.csv:4: row left out: the tracking code")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("m.csv:5: row left out: the ZIP code")));
    EXPECT_FALSE(run.err.contains(QStringLiteral("warning"))) << run.err.toStdString();
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 2);
}
