#include "delimited_source.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "zip_code.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <cstring>

using namespace tav;

namespace {

struct Table {
    QStringList header;
    std::vector<MailingRow> rows;
    std::vector<MailingProblem> problems;
    QStringList warnings;
    QChar delimiter;
    QString encoding;
};

Table read(QIODevice& input, DelimitedSource::Options options = {}) {
    DelimitedSource source(input, std::move(options));
    Table table;
    table.header = source.header();
    MailingRow row;
    while (source.next(row))
        table.rows.push_back(row);
    table.problems = source.takeProblems();
    table.warnings = source.warnings();
    table.delimiter = source.delimiter();
    table.encoding = source.encoding();
    return table;
}

Table read(const QByteArray& data, DelimitedSource::Options options = {}) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, std::move(options));
}

// A device that gives its data, then fails as a disk with a bad sector does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray data)
        : data_(std::move(data)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 most) override {
        if (at_ >= data_.size()) {
            setErrorString("Input/output error");
            return -1;
        }
        const qint64 count = std::min<qint64>(most, data_.size() - at_);
        std::memcpy(out, data_.constData() + at_, static_cast<std::size_t>(count));
        at_ += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray data_;
    qint64 at_ = 0;
};

} // namespace

TEST(DelimitedSource, AReadErrorIsNoEndOfTheMailing) {
    FailingDevice device("Name\nAnn\nBob\n");
    const auto error = test::raisedError([&] { read(device); });
    EXPECT_TRUE(error) << "a failed read was taken for the end";
    if (error) {
        EXPECT_EQ(error->number(), ErrorNumber::DeviceIO);
        EXPECT_TRUE(error->description().contains("reading stopped at line 4: Input/output error"))
            << error->description().toStdString();
    }
}

TEST(DelimitedSource, ReadsQuotedFieldsWithCommasQuotesAndLineBreaks) {
    const Table table = read("\xEF\xBB\xBF"
                             "First,Last,Note\r\n"
                             "Ann,\"O'Brien, Jr.\",\"say \"\"hi\"\"\"\r\n"
                             "Bob,Smith,\"two\r\nlines\"\n"
                             "Zoë,,\n");
    EXPECT_EQ(table.header, (QStringList{"First", "Last", "Note"}));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_TRUE(table.problems.empty());
    EXPECT_EQ(table.rows[0].fields, (QStringList{"Ann", "O'Brien, Jr.", "say \"hi\""}));
    EXPECT_EQ(table.rows[1].fields.at(2), "two\r\nlines");
    EXPECT_EQ(table.rows[2].number, 5); // the quoted line break counts
    EXPECT_EQ(table.rows[2].fields, (QStringList{"Zoë", QString(), QString()}));
}

TEST(DelimitedSource, BadRecordsAreReportedByLineAndTheGoodOnesKept) {
    const Table table = read("A,B\n"
                             "1,2\n"
                             "1,2,3\n"
                             "x\"y,2\n"
                             "\"a\"b,2\n"
                             "\n"
                             "5,6\n"
                             "\"open,7\n",
                             {QChar(), "UTF-8"});
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].number, 2);
    EXPECT_EQ(table.rows[1].number, 7);
    ASSERT_EQ(table.problems.size(), 4u);
    EXPECT_EQ(table.problems[0].number, 3);
    EXPECT_TRUE(table.problems[0].message.contains("3 fields"));
    EXPECT_EQ(table.problems[1].number, 4);
    EXPECT_EQ(table.problems[2].number, 5);
    EXPECT_EQ(table.problems[3].number, 8);
    EXPECT_TRUE(table.problems[3].message.contains("not closed"));

    // Named as UTF-8, bytes that are not are a bad row; guessed, they make the file 8-bit.
    const QByteArray latin = "A,B\n1,2\n\xe9t\xe9,2\n";
    const Table strict = read(latin, {QChar(), "UTF-8"});
    ASSERT_EQ(strict.problems.size(), 1u);
    EXPECT_TRUE(strict.problems[0].message.contains("UTF-8"));
    const Table guessed = read(latin);
    ASSERT_EQ(guessed.rows.size(), 2u);
    EXPECT_EQ(guessed.rows[1].fields.at(0), "été");
    EXPECT_EQ(guessed.encoding, "Windows-1252");
    EXPECT_EQ(guessed.warnings.size(), 1);

    // A UTF-8 file with one bad byte stays UTF-8, whether UTF-8 came before the byte or after:
    // only the bad line is left out, and "Renée" is never read as "RenÃ©e".
    for (const QByteArray& utf8 : {QByteArray("A\nRen\xc3\xa9"
                                              "e\nBad\xe9\n") +
                                       QByteArray("Ren\xc3\xa9"
                                                  "e\n")
                                           .repeated(3),
                                   QByteArray("A\nBad\xe9\n") + QByteArray("Ren\xc3\xa9"
                                                                           "e\n")
                                                                    .repeated(3)}) {
        const Table mostly = read(utf8);
        EXPECT_EQ(mostly.encoding, "UTF-8");
        ASSERT_EQ(mostly.problems.size(), 1u);
        EXPECT_TRUE(mostly.warnings.join(' ').contains("read as UTF-8"));
        EXPECT_EQ(mostly.rows.back().fields.at(0), "Renée");
    }
}

TEST(DelimitedSource, AQuoteNeverClosedCostsOnlyItsOwnRow) {
    // Row 3 of 52 opens a quote that no later quote closes; then one that a later row's quote
    // closes by mistake.
    for (const char* broken : {"Ann,\"Smith,62701", "Ann,\"Smith\" Jr,62701"}) {
        QByteArray data = "First,Last,Zip\n";
        for (int row = 1; row <= 51; ++row)
            data += row == 2 ? QByteArray(broken) + "\n"
                             : QByteArray("Name") + QByteArray::number(row) + ",\"Last\",62701\n";
        const Table table = read(data);
        ASSERT_EQ(table.problems.size(), 1u) << broken;
        EXPECT_EQ(table.problems[0].number, 3);
        EXPECT_EQ(table.rows.size(), 50u) << broken;
        EXPECT_EQ(table.rows.back().number, 52);
        EXPECT_EQ(table.rows[1].number, 4);
        EXPECT_EQ(table.rows[1].fields.at(0), "Name3");
    }
}

TEST(DelimitedSource, EmptyAndHeaderlessInput) {
    EXPECT_TRUE(read(QByteArray()).rows.empty());
    const Table damaged = read("\"A,B\n1,2\n");
    EXPECT_TRUE(damaged.rows.empty());
    EXPECT_FALSE(damaged.problems.empty());
}

// Spreadsheets and exports write the same mailing in many ways; each reads back the same.
TEST(DelimitedSource, ReadsEveryEncodingSeparatorAndLineEndFromRealFiles) {
    struct Case {
        const char* file;
        char delimiter;
        const char* encoding;
    };
    const Case cases[] = {{"utf8-bom-comma-crlf.csv", ',', "UTF-8"},
                          {"utf8-semicolon-lf.csv", ';', "UTF-8"},
                          {"utf16le-bom-tab-crlf.txt", '\t', "UTF-16LE"},
                          {"utf16be-bom-comma-cr.csv", ',', "UTF-16BE"},
                          {"windows1252-semicolon-crlf.csv", ';', "Windows-1252"},
                          {"utf8-pipe-lf.txt", '|', "UTF-8"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto source = DelimitedSource::open(QStringLiteral(MAILPIECE_MAILING_DATA "/") +
                                                  QLatin1String(c.file));
        EXPECT_EQ(source->header(), (QStringList{"First", "Last", "City", "Zip"}));
        EXPECT_EQ(source->delimiter(), QLatin1Char(c.delimiter));
        std::vector<MailingRow> rows;
        MailingRow row;
        while (source->next(row))
            rows.push_back(row);
        EXPECT_EQ(source->encoding(), QLatin1String(c.encoding));
        EXPECT_TRUE(source->takeProblems().empty());
        EXPECT_EQ(source->warnings().size(), qsizetype(c.encoding[0] == 'W' ? 1 : 0));
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].fields, (QStringList{"José", "Núñez", "Saint-Étienne", "02134"}));
        EXPECT_EQ(rows[1].fields.at(1), "O'Brien, Jr.; \"Doc\"");
        // The line break inside the quotes is the file's own.
        EXPECT_EQ(QString(rows[1].fields.at(2))
                      .replace("\r\n", "\n")
                      .replace(QLatin1Char('\r'), QLatin1Char('\n')),
                  "Köln\nAltstadt");
        EXPECT_EQ(rows[2].number, 5);
        EXPECT_EQ(rows[2].fields.at(1), "Lee – €5");
    }
}

TEST(DelimitedSource, SeparatorAndEncodingCanBeNamedAndBadNamesAreRefused) {
    // A header without separators is one column unless told otherwise.
    EXPECT_EQ(read("Name\nAnn\n").header.size(), 1);
    const Table told = read("A:B\n1:2\n", {QLatin1Char(':'), {}});
    EXPECT_EQ(told.rows.at(0).fields, (QStringList{"1", "2"}));
    // Windows-1252 and ISO-8859-15 differ at 0xA4: the euro sign or the currency sign.
    EXPECT_EQ(read("A\n\xa4\n", {QChar(), "ISO-8859-15"}).rows.at(0).fields.at(0), "€");
    // A semicolon inside quotes does not count as the header's separator.
    EXPECT_EQ(read("\"a;b;c\",d\n1,2\n").delimiter, QLatin1Char(','));
    // UTF-16 without a byte-order mark shows itself by its zero bytes.
    const QString text = "A;B\r\nx;y\r\n";
    EXPECT_EQ(read(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2))
                  .rows.at(0)
                  .fields.at(1),
              "y");
    // Named wrongly, the zero bytes make the header unusable instead of printing them.
    const Table asUtf8 =
        read(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2),
             {QChar(), "UTF-8"});
    EXPECT_TRUE(asUtf8.header.isEmpty());
    ASSERT_FALSE(asUtf8.problems.empty());
    EXPECT_TRUE(asUtf8.problems.front().message.contains("UTF-16"));
    // A separator named wrongly leaves one column that holds the real one.
    EXPECT_TRUE(read("A;B\n1;2\n", {QLatin1Char(','), {}})
                    .warnings.join(QString())
                    .contains("is the delimiter right?"));
    EXPECT_TRUE(read("Name\nAnn\n").warnings.isEmpty());

    for (const DelimitedSource::Options& bad :
         {DelimitedSource::Options{QLatin1Char('"'), {}},
          DelimitedSource::Options{QLatin1Char('\n'), {}},
          DelimitedSource::Options{QChar(0x00A7), {}},
          DelimitedSource::Options{QChar(), "no-such-encoding"}}) {
        QBuffer empty;
        empty.open(QIODevice::ReadOnly);
        EXPECT_THROW(DelimitedSource(empty, bad), TavError);
    }
    const auto error = test::raisedError([&] { DelimitedSource::open("/nonexistent/m.csv"); });
    EXPECT_TRUE(error) << "opened";
    if (error) {
        EXPECT_EQ(error->number(), ErrorNumber::PathFileAccess);
        EXPECT_TRUE(error->description().contains("/nonexistent/m.csv"));
    }
}

TEST(DelimitedSource, TheSampleMailingIsWhole) {
    const auto source = DelimitedSource::open(QStringLiteral(MAILPIECE_SAMPLE_MAILING));
    EXPECT_EQ(source->header().size(), 8);
    MailingRow row;
    int rows = 0;
    while (source->next(row))
        ++rows;
    EXPECT_EQ(rows, 70);
    EXPECT_TRUE(source->takeProblems().empty());
}

TEST(ZipCode, DoubtfulZipCodesAreNamedWithTheirLikelyCause) {
    for (const char* good : {"62701", "62701-1234", "62701 1234 01", "627011234"})
        EXPECT_TRUE(zipCodeWarning(QLatin1String(good)).isEmpty()) << good;
    EXPECT_EQ(zipCodeWarning("2134"), "\"2134\" has 4 digits: a leading zero lost?");
    EXPECT_TRUE(zipCodeWarning("2701-1234").contains("leading"));
    EXPECT_TRUE(zipCodeWarning("ABCDE").contains("no digits"));
    EXPECT_TRUE(zipCodeWarning(" ").contains("no ZIP code"));
    EXPECT_TRUE(zipCodeWarning("123456").contains("6 digits"));
}
