#include "delimited_source.h"
#include "piece_maker.h"
#include "qt_printers.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tav;

namespace {

struct CsvTable {
    QStringList header;
    std::vector<MailingRow> rows;
};

CsvTable readCsv(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    DelimitedSource source(buffer);
    CsvTable table{source.header(), {}};
    MailingRow row;
    while (source.next(row))
        table.rows.push_back(row);
    return table;
}

std::vector<MailingPiece> make(const CsvTable& table, PieceMaker::Mode mode,
                               std::vector<MailingProblem>& problems,
                               const QString& zip = QStringLiteral("Zip")) {
    const PieceMaker maker(table.header, mode, zip);
    std::vector<MailingPiece> pieces;
    for (const MailingRow& row : table.rows)
        if (const auto piece = maker.make(row, problems))
            pieces.push_back(*piece);
    return pieces;
}

// The piece's texts as the label control's substitution list holds them.
QString substituteText(const MailingPiece& piece) {
    QString text;
    for (const auto& [name, value] : piece.texts)
        text += name + QLatin1Char('^') + value + QLatin1Char('|');
    return text;
}

} // namespace

TEST(MailingRows, EachAddressLineBecomesAnItem) {
    const CsvTable table =
        readCsv("First,Middle,Last,Address,AddressLine2,City,State,Zip\n"
                "John,Q,Public,1 Main St,,Springfield,il,62701\n"
                "Mary,,D'Angelo,300 Harbor St,\"Suite 5, Building B\",Baltimore,MD,21230-4512\n");
    std::vector<MailingProblem> problems;
    const auto pieces = make(table, PieceMaker::Mode::Address, problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(substituteText(pieces[0]),
              QStringLiteral("Item1^John Q. Public|Item2^1 Main St|Item3^Springfield, IL   62701|"
                             "Item4^|Item5^|Item6^|Item7^|"));
    EXPECT_EQ(pieces[0].zip, QStringLiteral("62701"));
    EXPECT_EQ(substituteText(pieces[1]),
              QStringLiteral("Item1^Mary D'Angelo|Item2^300 Harbor St|Item3^Suite 5, Building B|"
                             "Item4^Baltimore, MD   21230-4512|Item5^|Item6^|Item7^|"));
}

TEST(MailingRows, ValuesThatWouldSplitTheItemListAreReportedNotMangled) {
    const CsvTable table = readCsv("zip,LAST\n12345,A|B\n23456,C^D\n34567,Doe\n");
    std::vector<MailingProblem> problems;
    const auto pieces = make(table, PieceMaker::Mode::Address, problems);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(substituteText(pieces[0]),
              QStringLiteral("Item1^ Doe    34567|Item2^|Item3^|Item4^|Item5^|Item6^|Item7^|"));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].number, 2);
    EXPECT_EQ(problems[1].number, 3);
}

TEST(MailingRows, ColumnsAreReachableByNumberAndByName) {
    const CsvTable table = readCsv("Name,City,ZIP\nAnn,Salem,97301\n");
    std::vector<MailingProblem> problems;
    const auto pieces = make(table, PieceMaker::Mode::Columns, problems, QStringLiteral("zip"));
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].zip, QStringLiteral("97301"));
    EXPECT_EQ(substituteText(pieces[0]),
              QStringLiteral("Item1^Ann|Item2^Salem|Item3^97301|Item4^|Item5^|Item6^|Item7^|"
                             "Name^Ann|City^Salem|ZIP^97301|"));
    EXPECT_TRUE(make(table, PieceMaker::Mode::Columns, problems, QString())[0].zip.isEmpty());

    // A column named like an earlier one (or like Item1) does not replace it.
    const CsvTable twice = readCsv("City,Item1,City\nSalem,x,Eugene\n");
    EXPECT_EQ(substituteText(make(twice, PieceMaker::Mode::Columns, problems)[0]),
              QStringLiteral("Item1^Salem|Item2^x|Item3^Eugene|Item4^|Item5^|Item6^|Item7^|"
                             "City^Salem|"));
}
