// Rows printed as many times as a column says, and counts that are no number of copies named.

#include "copies_source.h"
#include "delimited_source.h"
#include "raised_error.h"
#include "tav_error.h"

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
