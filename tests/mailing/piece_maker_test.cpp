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
                               const QString& zip = "Zip", qsizetype lines = 7) {
    const PieceMaker maker(table.header, mode, zip, lines);
    std::vector<MailingPiece> pieces;
    for (const MailingRow& row : table.rows)
        pieces.push_back(maker.make(row));
    return pieces;
}

// The piece's texts as the label control's substitution list holds them.
QString substituteText(const MailingPiece& piece) {
    QString text;
    for (const auto& [name, value] : piece.texts.pairs())
        text += name + QLatin1Char('^') + value + QLatin1Char('|');
    return text;
}

} // namespace

TEST(MailingRows, EachAddressLineBecomesAnItem) {
    const CsvTable table =
        readCsv("First,Middle,Last,Address,AddressLine2,City,State,Zip\n"
                "John,Q,Public,1 Main St,,Springfield,il,62701\n"
                "Mary,,D'Angelo,300 Harbor St,\"Suite 5, Building B\",Baltimore,MD,21230-4512\n");
    const auto pieces = make(table, PieceMaker::Mode::Address);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(substituteText(pieces[0]),
              QStringLiteral("Item1^John Q. Public|Item2^1 Main St|Item3^Springfield, IL   62701|"
                             "Item4^|Item5^|Item6^|Item7^|"));
    EXPECT_EQ(pieces[0].zip, "62701");
    EXPECT_EQ(substituteText(pieces[1]),
              QStringLiteral("Item1^Mary D'Angelo|Item2^300 Harbor St|Item3^Suite 5, Building B|"
                             "Item4^Baltimore, MD   21230-4512|Item5^|Item6^|Item7^|"));
}

TEST(MailingRows, AddressLinesComeFromRealCells) {
    const struct {
        const char* what;
        QByteArray row; // First,Last,Address,AddressLine2,City,State,Zip
        qsizetype lines;
        QString texts;
    } cases[] = {
        {"a cell's line break (LF) is a line of its own",
         "Ann,Lee,\"1200 Main Street\nBuilding C\",,Boulder,CO,80301", 7,
         "Item1^Ann Lee|Item2^1200 Main Street|Item3^Building C|Item4^Boulder, CO   80301|"
         "Item5^|Item6^|Item7^|"},
        {"CR LF and CR too, the lines trimmed", "Ann,Lee,\" 1 Main St \r\n Unit 2\rRear \",,X,CO,1",
         7, "Item1^Ann Lee|Item2^1 Main St|Item3^Unit 2|Item4^Rear|Item5^X, CO   1|Item6^|Item7^|"},
        {"no name, no blank first line", ",,1 Main St,,X,CO,80301", 7,
         "Item1^1 Main St|Item2^X, CO   80301|Item3^|Item4^|Item5^|Item6^|Item7^|"},
        {"the lines past the layout's go with its last item",
         "Ann,Lee,\"1 Main\nBldg C\nFloor 2\",Suite 5,X,CO,80301", 3,
         "Item1^Ann Lee|Item2^1 Main|Item3^Bldg C\r\nFloor 2\r\nSuite 5\r\nX, CO   80301|"
         "Item4^|Item5^|Item6^|Item7^|"},
        {"separators are data", "A|B,C^D,1 Main St,,X,CO,80301", 7,
         "Item1^A|B C^D|Item2^1 Main St|Item3^X, CO   80301|Item4^|Item5^|Item6^|Item7^|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CsvTable table =
            readCsv("First,Last,Address,AddressLine2,City,State,Zip\n" + c.row + "\n");
        const auto pieces = make(table, PieceMaker::Mode::Address, "Zip", c.lines);
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_EQ(substituteText(pieces[0]), c.texts);
    }
    const CsvTable blank = readCsv("First,Last\n , \nAnn,\n");
    EXPECT_TRUE(blankRow(blank.rows.at(0)));
    EXPECT_FALSE(blankRow(blank.rows.at(1)));
}

TEST(MailingRows, ColumnsAreReachableByNumberAndByName) {
    const CsvTable table = readCsv("Name,City,ZIP\nAnn,Salem,97301\n");
    const auto pieces = make(table, PieceMaker::Mode::Columns, "zip");
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].zip, "97301");
    EXPECT_EQ(substituteText(pieces[0]),
              QStringLiteral("Item1^Ann|Item2^Salem|Item3^97301|Item4^|Item5^|Item6^|Item7^|"
                             "Name^Ann|City^Salem|ZIP^97301|"));
    EXPECT_TRUE(make(table, PieceMaker::Mode::Columns, QString())[0].zip.isEmpty());

    // A column named like an earlier one (or like Item1) does not replace it.
    const CsvTable twice = readCsv("City,Item1,City\nSalem,x,Eugene\n");
    EXPECT_EQ(substituteText(make(twice, PieceMaker::Mode::Columns)[0]),
              QStringLiteral("Item1^Salem|Item2^x|Item3^Eugene|Item4^|Item5^|Item6^|Item7^|"
                             "City^Salem|"));
}

// Contact exports name the columns their own way; their home address is read, else the work one;
// the organization goes under the name and a foreign country last.
TEST(MailingRows, ContactExportsComposeTheirAddresses) {
    const struct {
        const char* csv;
        const char* lines; // the address lines, "/" between them
        const char* zip;
    } cases[] = {
        {"First Name,Middle Name,Last Name,Company,Business Street,Business City,Business "
         "State,Business Postal Code,Home Street,Home Street 2,Home City,Home State,Home Postal "
         "Code,Home Country/Region\n"
         "Ann,,Lee,Acme Inc,1 Work Way,Denver,CO,80202,12 Elm St,Apt 4,Salem,OR,97301,United "
         "States\n",
         "Ann Lee/Acme Inc/12 Elm St/Apt 4/Salem, OR   97301", "97301"},
        {"First Name,Last Name,Company,Business Street,Business City,Business State,Business "
         "Postal Code,Home Street,Home City,Home State,Home Postal Code\n"
         "Ann,Lee,,1 Work Way,Denver,CO,80202,,,,\n",
         "Ann Lee/1 Work Way/Denver, CO   80202", "80202"},
        {"Given Name,Additional Name,Family Name,Organization 1 - Name,Address 1 - Street,Address "
         "1 - City,Address 1 - Region,Address 1 - Postal Code,Address 1 - Country\n"
         "Bo,Q,Ray,,5 Rue Bleue,Paris,,75009,France\n",
         "Bo Q. Ray/5 Rue Bleue/Paris    75009/France", "75009"},
        {"First Name,Last Name,Home Address,Home Address 2,Home City,Home State,Home ZipCode\n"
         "Cy,Orr,9 Oak Rd,,Bend,OR,97701\n",
         "Cy Orr/9 Oak Rd/Bend, OR   97701", "97701"},
        {"Organization,Address,City,State,Zip,Country,First\n"
         "Acme Inc,1 Main St,Boston,MA,02134,USA,\n",
         "Acme Inc/1 Main St/Boston, MA   02134", "02134"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        const CsvTable table = readCsv(c.csv);
        EXPECT_TRUE(AddressColumns::find(table.header).composable());
        const MailingPiece piece = make(table, PieceMaker::Mode::Address).at(0);
        QStringList lines;
        for (const auto& [name, value] : piece.texts.pairs())
            if (!value.isEmpty())
                lines << value;
        EXPECT_EQ(lines.join('/'), QString::fromUtf8(c.lines));
        EXPECT_EQ(piece.zip, QString::fromUtf8(c.zip));
    }
}
