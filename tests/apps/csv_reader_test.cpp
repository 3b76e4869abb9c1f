#include "csv_reader.h"
#include "qt_printers.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace mailpiece;

TEST(CsvReader, ReadsQuotedFieldsWithCommasQuotesAndLineBreaks) {
    const CsvTable table = readCsv("\xEF\xBB\xBF"
                                   "First,Last,Note\r\n"
                                   "Ann,\"O'Brien, Jr.\",\"say \"\"hi\"\"\"\r\n"
                                   "Bob,Smith,\"two\r\nlines\"\n"
                                   "Zoë,,\n");
    EXPECT_EQ(table.header, (QStringList{QStringLiteral("First"), QStringLiteral("Last"),
                                         QStringLiteral("Note")}));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_TRUE(table.problems.empty());
    EXPECT_EQ(table.rows[0].fields,
              (QStringList{QStringLiteral("Ann"), QStringLiteral("O'Brien, Jr."),
                           QStringLiteral("say \"hi\"")}));
    EXPECT_EQ(table.rows[1].fields.at(2), QStringLiteral("two\r\nlines"));
    EXPECT_EQ(table.rows[2].line, 5); // the quoted line break counts
    EXPECT_EQ(table.rows[2].fields, (QStringList{QStringLiteral("Zoë"), QString(), QString()}));
}

TEST(CsvReader, BadRecordsAreReportedByLineAndTheGoodOnesKept) {
    const CsvTable table = readCsv("A,B\n"
                                   "1,2\n"
                                   "1,2,3\n"
                                   "x\"y,2\n"
                                   "\"a\"b,2\n"
                                   "\xff\xfe,2\n"
                                   "\n"
                                   "5,6\n"
                                   "\"open,7\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].line, 2);
    EXPECT_EQ(table.rows[1].line, 8);
    ASSERT_EQ(table.problems.size(), 5u);
    EXPECT_EQ(table.problems[0].line, 3);
    EXPECT_TRUE(table.problems[0].message.contains(QStringLiteral("3 fields")));
    EXPECT_EQ(table.problems[1].line, 4);
    EXPECT_EQ(table.problems[2].line, 5);
    EXPECT_EQ(table.problems[3].line, 6);
    EXPECT_TRUE(table.problems[3].message.contains(QStringLiteral("UTF-8")));
    EXPECT_EQ(table.problems[4].line, 9);
    EXPECT_TRUE(table.problems[4].message.contains(QStringLiteral("not closed")));
}

TEST(CsvReader, AQuoteNeverClosedCostsOnlyItsOwnRow) {
    // Row 3 of 52 opens a quote that no later quote closes; then one that a later row's quote
    // closes by mistake.
    for (const char* broken : {"Ann,\"Smith,62701", "Ann,\"Smith\" Jr,62701"}) {
        QByteArray data = "First,Last,Zip\n";
        for (int row = 1; row <= 51; ++row)
            data += row == 2 ? QByteArray(broken) + "\n"
                             : QByteArray("Name") + QByteArray::number(row) + ",\"Last\",62701\n";
        const CsvTable table = readCsv(data);
        ASSERT_EQ(table.problems.size(), 1u) << broken;
        EXPECT_EQ(table.problems[0].line, 3);
        EXPECT_EQ(table.rows.size(), 50u) << broken;
        EXPECT_EQ(table.rows.back().line, 52);
        EXPECT_EQ(table.rows[1].line, 4);
        EXPECT_EQ(table.rows[1].fields.at(0), QStringLiteral("Name3"));
    }
}

TEST(CsvReader, EmptyAndHeaderlessInput) {
    EXPECT_TRUE(readCsv(QByteArray()).rows.empty());
    const CsvTable damaged = readCsv("\"A,B\n1,2\n");
    EXPECT_TRUE(damaged.rows.empty());
    EXPECT_FALSE(damaged.problems.empty());
}

TEST(CsvReader, TheSampleMailingIsWhole) {
    QFile file(QStringLiteral(MAILPIECE_SAMPLE_MAILING));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    CsvReader reader(file);
    EXPECT_EQ(reader.header().size(), 8);
    CsvRow row;
    int rows = 0;
    while (reader.next(row))
        ++rows;
    EXPECT_EQ(rows, 70);
    EXPECT_TRUE(reader.problems().empty());
}
