// Rows printed as many times as a column says, and a mailing in ZIP code order.

#include "copies_source.h"
#include "delimited_source.h"
#include "raised_error.h"
#include "tav_error.h"
#include "zip_order_source.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tav;

TEST(CopiesSource, GivesEachRowItsCopiesAndNamesTheRowsItCannot) {
    QBuffer buffer;
    buffer.setData("Name,Copies\nAnn,2\nBo,0\nCy,\nDi,two\nEd,-1\nFay,10001\nGus,\"3\"\n"
                   "Hal,1,extra\n");
    buffer.open(QIODevice::ReadOnly);
    CopiesSource source(std::make_unique<DelimitedSource>(buffer), "copies");
    QStringList names;
    MailingRow row;
    while (source.next(row))
        names << row.fields.at(0);
    EXPECT_EQ(names, QStringList({"Ann", "Ann", "Cy", "Gus", "Gus", "Gus"}));
    EXPECT_EQ(source.rowsWithoutCopies(), 1);
    QStringList problems;
    for (const MailingProblem& problem : source.takeProblems())
        problems << QString::number(problem.number) + QLatin1Char(' ') + problem.message;
    ASSERT_EQ(problems.size(), 4); // the other source's problem comes through
    EXPECT_EQ(problems.at(0), "5 Copies \"two\" is not a number of copies from 0 to 10000");
    EXPECT_TRUE(problems.at(1).startsWith("6 Copies \"-1\""));
    EXPECT_TRUE(problems.at(2).startsWith("7 Copies \"10001\""));
    EXPECT_TRUE(problems.at(3).startsWith("9 "));

    QBuffer fixed;
    fixed.setData("Name\nAnn\nBo\n");
    fixed.open(QIODevice::ReadOnly);
    CopiesSource three(std::make_unique<DelimitedSource>(fixed), qint64(3));
    qint64 rows = 0;
    while (three.next(row))
        ++rows;
    EXPECT_EQ(rows, 6);
    EXPECT_ANY_THROW(CopiesSource(std::make_unique<DelimitedSource>(fixed), qint64(0)));

    QBuffer other;
    other.setData("Name\nAnn\n");
    other.open(QIODevice::ReadOnly);
    const auto error = test::raisedError(
        [&] { CopiesSource(std::make_unique<DelimitedSource>(other), "Copies"); });
    ASSERT_TRUE(error) << "a missing column was taken";
    EXPECT_EQ(error->detail(), "no column named Copies for the number of copies; the columns "
                               "are Name");
}

// Mail in ZIP code order: 5 digits, then the add-on, the mailing's order kept within a code, and
// rows without a ZIP code last; the pieces counted as the post office groups them.
TEST(ZipOrderSource, SortsByZipCodeStablyAndCountsThePieces) {
    QBuffer buffer;
    QByteArray csv =
        "Name,Zip\nA,97301-1234\nB,\nC,02134\nD,97301\nE,0213\nF,97302\nG,97301-0001\n";
    for (int k = 0; k < 10; ++k)
        csv += "H" + QByteArray::number(k) + ",02134-9999\n";
    buffer.setData(csv);
    buffer.open(QIODevice::ReadOnly);
    ZipOrderSource sorted(std::make_unique<DelimitedSource>(buffer), 1);
    QStringList names;
    MailingRow row;
    while (sorted.next(row))
        names << row.fields.at(0);
    EXPECT_EQ(names.mid(0, 3), QStringList({"C", "H0", "H1"}));
    EXPECT_EQ(names.mid(11), QStringList({"D", "G", "A", "F", "B", "E"}));
    EXPECT_EQ(sorted.withoutZip(), 2);
    const auto byZip = sorted.byZip();
    ASSERT_EQ(byZip.size(), 3u);
    EXPECT_EQ(byZip[0].code, "02134");
    EXPECT_EQ(byZip[0].pieces, 11);
    EXPECT_EQ(byZip[1].pieces, 3);
    const auto byPrefix = sorted.byPrefix();
    ASSERT_EQ(byPrefix.size(), 2u);
    EXPECT_EQ(byPrefix[1].code, "973");
    EXPECT_EQ(byPrefix[1].pieces, 4);
    // The sort level each piece's optional endorsement line names, 36 characters long.
    EXPECT_EQ(sorted.endorsementLine("02134-1", true), "*****************AUTO**5-DIGIT 02134");
    EXPECT_EQ(sorted.endorsementLine("97302", false), "**************************MIXED AADC");
    EXPECT_EQ(sorted.endorsementLine("0213", false), "");
}
