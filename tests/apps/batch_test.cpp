#include "batch_options.h"
#include "pdf_text.h"
#include "qt_printers.h"

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

BatchRun runBatch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(MAILPIECE_BATCH_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

} // namespace

TEST(BatchOptions, DefaultsTemplatesAndBadValues) {
    QString error;
    auto options = parseBatchOptions({QStringLiteral("batch"), QStringLiteral("m.csv")}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->itemTemplates[2], QStringLiteral("<<Item3>>"));
    EXPECT_EQ(options->across, 3);

    options = parseBatchOptions({QStringLiteral("batch"), QStringLiteral("--item2=<<City>>"),
                                 QStringLiteral("--start"), QStringLiteral("5"),
                                 QStringLiteral("--printer-top"), QStringLiteral("-0.25"),
                                 QStringLiteral("m.csv")},
                                error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->itemTemplates[0].isEmpty()); // only the items asked for
    EXPECT_EQ(options->itemTemplates[1], QStringLiteral("<<City>>"));
    EXPECT_EQ(options->startingPiece, 5);
    EXPECT_EQ(options->printerTop, -0.25f);

    const QStringList bad[] = {
        {QStringLiteral("batch")},
        {QStringLiteral("batch"), QStringLiteral("--across"), QStringLiteral("0"),
         QStringLiteral("m.csv")},
        {QStringLiteral("batch"), QStringLiteral("--margin-top"), QStringLiteral("nan"),
         QStringLiteral("m.csv")},
        {QStringLiteral("batch"), QStringLiteral("--colour"), QStringLiteral("m.csv")},
        {QStringLiteral("batch"), QStringLiteral("m.csv"), QStringLiteral("n.csv")},
        {QStringLiteral("batch"), QStringLiteral("m.csv"), QStringLiteral("--pdf")},
        {QStringLiteral("batch"), QStringLiteral("--piece-width"), QStringLiteral("0"),
         QStringLiteral("m.csv")}};
    for (const QStringList& arguments : bad) {
        error.clear();
        EXPECT_FALSE(parseBatchOptions(arguments, error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(BatchProgram, PrintsTheGoodRowsAndNamesTheBadOnesByLine) {
    QTemporaryDir dir;
    const QString csv = writeFile(dir, QStringLiteral("m.csv"),
                                  "Name,City,Zip\n"
                                  "Ann Smith,Salem,97301\n"
                                  "Bad \"quote,Salem,97301\n"
                                  "Bob Jones,Eugene,97401,extra\n"
                                  "Zoë Brontë,Bend,97701\n");
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const BatchRun run =
        runBatch({QStringLiteral("--item1"), QStringLiteral("<<Name>>"), QStringLiteral("--item2"),
                  QStringLiteral("<<Item2>> OR"), QStringLiteral("--pdf"), pdf, csv});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("m.csv:3: row left out")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("m.csv:4: row left out")));
    EXPECT_TRUE(run.out.contains(pdf));
    QStringList texts;
    for (const auto& word : tav::test::pdfWords(pdf))
        texts << word.text;
    EXPECT_EQ(texts,
              (QStringList{QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("Salem"),
                           QStringLiteral("OR"), QStringLiteral("Zoë"), QStringLiteral("Brontë"),
                           QStringLiteral("Bend"), QStringLiteral("OR")}));
}

TEST(BatchProgram, UnusableInputEndsWithAClearMessageAndNonZeroStatus) {
    QTemporaryDir dir;
    const BatchRun missing = runBatch({dir.filePath(QStringLiteral("missing.csv"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read")));

    const BatchRun empty = runBatch({writeFile(dir, QStringLiteral("empty.csv"), "")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.contains(QStringLiteral("no usable rows")));

    const BatchRun noRows = runBatch({writeFile(dir, QStringLiteral("header.csv"), "Name,Zip\n")});
    EXPECT_EQ(noRows.exitCode, 1);

    const BatchRun badOption =
        runBatch({QStringLiteral("--down"), QStringLiteral("-3"), QStringLiteral("x.csv")});
    EXPECT_EQ(badOption.exitCode, 2);
    EXPECT_TRUE(badOption.err.contains(QStringLiteral("--down")));

    const BatchRun noPrinter =
        runBatch({QStringLiteral("--printer"), QStringLiteral("NoSuchPrinter"),
                  writeFile(dir, QStringLiteral("one.csv"), "Name\nAnn\n")});
    EXPECT_EQ(noPrinter.exitCode, 1);
    EXPECT_TRUE(noPrinter.err.contains(QStringLiteral("no printer named NoSuchPrinter")));
}

TEST(BatchProgram, EnvelopesTakeTheAddressColumnsAndAReturnAddress) {
    QTemporaryDir dir;
    const QString csv = writeFile(dir, QStringLiteral("m.csv"),
                                  "Last,First,Address,City,State,Zip\n"
                                  "Smith,Ann,12 Elm St,Salem,OR,97301\n"
                                  "Pipe|Name,Bob,1 Oak Ave,Bend,OR,97701\n"
                                  "Brontë,Zoë,9 Pine Rd,Bend,OR,97701-1234\n");
    const QString pdf = dir.filePath(QStringLiteral("envelopes.pdf"));
    const BatchRun run = runBatch({QStringLiteral("--envelope"),
                                   QStringLiteral("--return-address=Acme Co.\\n1 Main St"),
                                   QStringLiteral("--pdf"), pdf, csv});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("m.csv:3: row left out")));
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 2);

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
    EXPECT_EQ(firstPage,
              (QStringList{QStringLiteral("Acme"), QStringLiteral("Co."), QStringLiteral("1"),
                           QStringLiteral("Main"), QStringLiteral("St"), QStringLiteral("Ann"),
                           QStringLiteral("Smith"), QStringLiteral("12"), QStringLiteral("Elm"),
                           QStringLiteral("St"), QStringLiteral("Salem,"), QStringLiteral("OR"),
                           QStringLiteral("97301")}));
    EXPECT_LT(acmeTop, annTop);

    QString error;
    for (const char* conflicting : {"--address", "--item1=x", "--across=2"})
        EXPECT_FALSE(parseBatchOptions({QStringLiteral("batch"), QStringLiteral("--envelope"),
                                        QString::fromLatin1(conflicting), QStringLiteral("m.csv")},
                                       error))
            << conflicting;
    EXPECT_FALSE(parseBatchOptions(
        {QStringLiteral("batch"), QStringLiteral("--return-address=x"), QStringLiteral("m.csv")},
        error));
}
