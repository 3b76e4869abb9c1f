// Workbooks as mailings: what a spreadsheet program saved reads as it shows it, whichever of the
// three formats, and a damaged or hostile workbook ends in a message, never in a crash or in
// memory without bound.

#include "mailing_open.h"
#include "program_run.h"
#include "raised_error.h"
#include "spreadsheet_source.h"
#include "tav_error.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <zip.h>

using namespace tav;

namespace {

const QString kData = QStringLiteral(MAILPIECE_MAILING_DATA);

struct Read {
    QStringList header, warnings;
    std::vector<MailingRow> rows;
    std::vector<MailingProblem> problems;
};

Read readAll(MailingSource& source) {
    Read read{source.header(), {}, {}, {}};
    MailingRow row;
    while (source.next(row))
        read.rows.push_back(row);
    read.warnings = source.warnings();
    read.problems = source.takeProblems();
    return read;
}

Read readWorkbook(const QString& path, const QString& sheet = {}) {
    return readAll(*SpreadsheetSource::open(path, sheet));
}

// A zip of the named members, as an Office or OpenDocument file is one.
QString writeZip(const QTemporaryDir& dir, const QString& name,
                 const std::vector<std::pair<const char*, QByteArray>>& members) {
    const QString path = dir.filePath(name);
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    // libzip reads the members' bytes when it closes the archive.
    for (const auto& [member, bytes] : members)
        zip_file_add(archive, member,
                     zip_source_buffer(archive, bytes.constData(), bytes.size(), 0),
                     ZIP_FL_ENC_UTF_8);
    zip_close(archive);
    return path;
}

const QByteArray kRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://x/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://x/sharedStrings\" Target=\"/xl/sharedStrings.xml\"/>"
    "</Relationships>";

// An .xlsx of one sheet with `rows` (<row> elements), `formats` (<numFmt> elements, each also a
// cell style in order from 1) and `strings` (<si> elements).
QString writeXlsx(const QTemporaryDir& dir, const QByteArray& rows, const QByteArray& formats = {},
                  const QByteArray& strings = {}) {
    static int written = 0;
    QByteArray styles =
        "<styleSheet><numFmts>" + formats + "</numFmts><cellXfs><xf numFmtId=\"0\"/>";
    for (qsizetype at = formats.indexOf("numFmtId=\""); at >= 0;
         at = formats.indexOf("numFmtId=\"", at + 1))
        styles += "<xf numFmtId=\"" +
                  formats.mid(at + 10, formats.indexOf('"', at + 10) - at - 10) + "\"/>";
    styles += "</cellXfs></styleSheet>";
    return writeZip(
        dir, QStringLiteral("%1.xlsx").arg(++written),
        {{"xl/workbook.xml",
          "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" r:id=\"rId1\"/></sheets></workbook>"},
         {"xl/_rels/workbook.xml.rels", kRels},
         {"xl/styles.xml", styles},
         {"xl/sharedStrings.xml", "<sst count=\"1000000000\">" + strings + "</sst>"},
         {"xl/worksheets/sheet1.xml",
          "<worksheet><sheetData>" + rows + "</sheetData></worksheet>"}});
}

} // namespace

// The same workbook saved by LibreOffice in each format.
TEST(SpreadsheetSource, ReadsWhatASpreadsheetProgramSavedAsItShowsIt) {
    const QStringList header = {"Name", "Column B", "Address", "City", "State",
                                "Zip",  "Copies",   "Total",   "Since"};
    struct Case {
        const char* file;
        QStringList first, second; // rows 2 and 4
    };
    const Case cases[] = {
        {"workbook.xlsx",
         {"Zoë", "Müller", "12 Rue de l’Église\nApt 4", "Boston", "MA", "02134", "2", "20",
          "3/5/2024"},
         {"José", "Núñez", "1 Main St", "Cambridge", "MA", "02139-1234", "1", "10", "12/31/1999"}},
        {"workbook.ods",
         {"Zoë", "Müller", "12 Rue de l’Église\nApt 4", "Boston", "MA", "02134", "2", "20",
          "3/5/2024"},
         {"José", "Núñez", "1 Main St", "Cambridge", "MA", "02139-1234", "1", "10", "12/31/1999"}},
        {"workbook.xls",
         {"Zoë", "Müller", "12 Rue de l’Église\nApt 4", "Boston", "MA", "02134", "2", "20",
          "3/5/2024"},
         {"José", "Núñez", "1 Main St", "Cambridge", "MA", "02139-1234", "1", "10", "12/31/1999"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = kData + QLatin1Char('/') + QLatin1String(c.file);
        EXPECT_TRUE(SpreadsheetSource::isWorkbook(path));
        const Read read = readWorkbook(path);
        EXPECT_EQ(read.header, header);
        ASSERT_EQ(read.rows.size(), 4u); // the empty row 3 passed over
        EXPECT_EQ(read.rows[0].number, 2);
        EXPECT_EQ(read.rows[0].fields, c.first);
        EXPECT_EQ(read.rows[1].number, 4);
        EXPECT_EQ(read.rows[1].fields, c.second);
        // LibreOffice saves a formula's text as the number 0 in an .xls.
        EXPECT_EQ(read.rows[2].fields.at(7),
                  QLatin1String(c.file).endsWith(QLatin1String(".xls")) ? "0" : "n0");
        EXPECT_EQ(read.rows[2].fields.at(2), "5 Plaza € Café");
        EXPECT_TRUE(read.problems.empty());
        const QString warnings = read.warnings.join('\n');
        EXPECT_TRUE(warnings.contains("read sheet \"Addresses\", the first of 3 that has rows"));
        EXPECT_TRUE(warnings.contains("names no column B; it is called \"Column B\""));
        EXPECT_EQ(SpreadsheetSource::sheetNames(path),
                  QStringList({"Cover", "Addresses", "Notes"}));
        EXPECT_EQ(readWorkbook(path, "Notes").rows.at(0).fields, QStringList{"second sheet"});
        EXPECT_EQ(readWorkbook(path, "3").header, QStringList{"Note"});
    }
}

TEST(SpreadsheetSource, ShowsNumbersUnderTheirFormats) {
    struct Case {
        const char* value;
        const char* code;
        const char* shown;
    };
    const Case cases[] = {
        {"2134", "00000", "02134"},
        {"21391234", "00000\\-0000", "02139-1234"},
        {"2134", "[<=99999]00000;00000-0000", "02134"},
        {"21391234", "[<=99999]00000;00000-0000", "02139-1234"},
        {"80301", "General", "80301"},
        {"2.5", "General", "2.5"},
        {"1234567", "#,##0", "1,234,567"},
        {"1234.5", "#,##0.00", "1,234.50"},
        {"3.14159", "0.00", "3.14"},
        {"0.5", "#.##", ".5"},
        {"0.25", "0%", "25%"},
        {"-5", "0;(0)", "(5)"},
        {"-5", "0.0", "-5.0"},
        {"12", "\"No. \"0", "No. 12"},
        {"7", "[$€-407] 0", "€ 7"},
        {"45356", "m/d/yyyy", "3/5/2024"},
        {"45356", "yyyy\\-mm\\-dd", "2024-03-05"},
        {"45356.75", "d mmm yyyy h:mm AM/PM", "5 Mar 2024 6:00 PM"},
        {"45356.5", "dddd, mmmm d", "Tuesday, March 5"},
        {"0.0104166666667", "hh:mm:ss", "00:15:00"},
        {"59", "yyyy-mm-dd", "1900-02-28"},
    };
    QByteArray formats, rows;
    for (int k = 0; k < static_cast<int>(std::size(cases)); ++k) {
        const Case& c = cases[k];
        formats += "<numFmt numFmtId=\"" + QByteArray::number(164 + k) + "\" formatCode=\"" +
                   QString::fromUtf8(c.code).toHtmlEscaped().toUtf8() + "\"/>";
        rows += "<row><c s=\"" + QByteArray::number(k + 1) + "\"><v>" + c.value + "</v></c></row>";
    }
    QTemporaryDir dir;
    const Read read = readWorkbook(
        writeXlsx(dir, "<row><c t=\"inlineStr\"><is><t>H</t></is></c></row>" + rows, formats));
    ASSERT_EQ(read.rows.size(), std::size(cases));
    for (std::size_t k = 0; k < std::size(cases); ++k)
        EXPECT_EQ(read.rows[k].fields.at(0), QString::fromUtf8(cases[k].shown)) << cases[k].code;
}

TEST(SpreadsheetSource, ReadsEveryKindOfCell) {
    QTemporaryDir dir;
    const QByteArray strings =
        "<si><t>plain</t></si>"
        "<si><r><t>rich </t></r><r><rPr/><t>text</t></r><rPh><t>ふりがな</t></rPh></si>";
    const QByteArray rows =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" "
        "t=\"inlineStr\"><is><t>B</t></is></c>"
        "<c r=\"C1\" t=\"str\"><v>C</v></c><c r=\"D1\" t=\"s\"><v>1</v></c><c r=\"E1\"><v>5</v></c>"
        "<c r=\"F1\" t=\"inlineStr\"><is><t>F</t></is></c></row>"
        "<row r=\"7\"><c r=\"A7\" t=\"s\"><v>1</v></c><c r=\"B7\" t=\"b\"><v>1</v></c>"
        "<c r=\"C7\" t=\"str\"><f>A7&amp;\"!\"</f><v>rich text!</v></c><c r=\"D7\" "
        "t=\"e\"><v>#N/A</v></c>"
        "<c r=\"F7\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r></is></c></row>"
        "<row r=\"8\"><c r=\"A8\" t=\"inlineStr\"><is><t>short</t></is></c></row>"
        "<row r=\"9\"><c r=\"A9\"><v>1</v></c><c r=\"H9\" "
        "t=\"inlineStr\"><is><t>stray</t></is></c></row>"
        "<row r=\"10\"><c r=\"A10\" s=\"0\"/><c r=\"B10\" t=\"inlineStr\"><is><t/></is></c></row>";
    const Read read = readWorkbook(writeXlsx(dir, rows, {}, strings));
    EXPECT_EQ(read.header, QStringList({"plain", "B", "C", "rich text", "5", "F"}));
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[0].number, 7);
    EXPECT_EQ(read.rows[0].fields,
              QStringList({"rich text", "TRUE", "rich text!", "#N/A", "", "inline"}));
    EXPECT_EQ(read.rows[1].fields, QStringList({"short", "", "", "", "", ""}));
    // A value under no header would go unprinted: the row is left out, saying where it is.
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].number, 9);
    EXPECT_EQ(read.problems[0].message,
              "a value in column H, which the header does not name: \"stray\"");
}

TEST(SpreadsheetSource, SheetsAreChosenByNameOrNumberAndAMissingOneIsNamed) {
    const QString path = kData + "/workbook.ods";
    EXPECT_EQ(test::raisedDetail([&] { SpreadsheetSource::open(path, "Adresses"); }),
              path +
                  " has no sheet \"Adresses\"; its sheets are \"Cover\", \"Addresses\", \"Notes\"");
    EXPECT_EQ(test::raisedDetail([&] { SpreadsheetSource::open(path, "0"); }).isEmpty(), false);
    const Read cover = readWorkbook(path, "1");
    EXPECT_TRUE(cover.header.isEmpty());
    ASSERT_EQ(cover.problems.size(), 1u);
    EXPECT_EQ(cover.problems[0].message, "sheet \"Cover\" has no rows");
}

// Whatever the file is called, its content says what it is; standard input too.
TEST(SpreadsheetSource, MailingFilesAreToldApartByContent) {
    QTemporaryDir dir;
    const QString workbook = dir.filePath("list.csv");
    QFile::copy(kData + "/workbook.xlsx", workbook);
    EXPECT_EQ(readAll(*openMailing(workbook)).rows.size(), 4u);
    const QString book = test::writeFile(
        dir, "contacts.txt",
        "\xEF\xBB\xBF\r\nBEGIN:VCARD\r\nN:Lee;Ann\r\nADR:;;1 Elm;Salem;OR;97301;\r\nEND:VCARD\r\n");
    EXPECT_EQ(readAll(*openMailing(book)).header.at(0), "First");
    MailingFileOptions sheet;
    sheet.sheet = "Addresses";
    EXPECT_EQ(test::raisedDetail([&] { openMailing(book, sheet); }),
              book + " is not a workbook, so it has no sheet \"Addresses\"");
    QBuffer input;
    input.setData(test::readFile(kData + "/workbook.ods"));
    input.open(QIODevice::ReadOnly);
    EXPECT_EQ(readAll(*SpreadsheetSource::read(input, "stdin", "Notes")).rows.size(), 1u);
}

TEST(SpreadsheetSource, DamagedAndHostileWorkbooksEndInAMessage) {
    QTemporaryDir dir;
    const QByteArray whole = test::readFile(kData + "/workbook.xlsx");
    const QByteArray bomb(20 << 20, 'a'); // packs to a few kilobytes
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {test::writeFile(dir, "truncated.xlsx", whole.left(whole.size() / 2)),
         "it is not a workbook that can be opened"},
        {writeXlsx(dir, "<!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
                        "\"&a;&a;&a;&a;\">]><row><c><v>&b;</v></c></row>"),
         "declares a document type"},
        {writeZip(dir, "dtd.xlsx",
                  {{"xl/workbook.xml", "<!DOCTYPE w [<!ENTITY a \"a\">]><workbook/>"}}),
         "declares a document type, which no workbook does"},
        {writeXlsx(dir, "<row><c r=\"ZZZZZ1\"><v>1</v></c></row>"), "past the last column"},
        {writeXlsx(dir, "<row><c t=\"s\"><v>7</v></c></row>"), "refers to a text it lacks"},
        {writeXlsx(dir, "<row><c t=\"inlineStr\"><is><t>" + bomb + "</t></is></c></row>"),
         "holds a value of more than 16 MB"},
        {writeXlsx(dir, "<row><c><v>1</v></c>"), "the workbook is damaged"},
        {writeZip(dir, "w.xlsx", {{"xl/workbook.xml", "<workbook><sheets/></workbook>"}}),
         "it has no sheets"},
        {writeZip(dir, "text.odt", {{"mimetype", "application/vnd.oasis.opendocument.text"}}),
         "an OpenDocument file of another kind"},
        {test::writeFile(dir, "list.xls", "Name,Zip\n"), "it is not a workbook"},
        {test::writeFile(dir, "fake.xls",
                         QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, 1)),
         "the workbook is damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const QString message = test::raisedDetail([&] { readWorkbook(c.path); });
        EXPECT_TRUE(message.startsWith("cannot read " + c.path + ": ")) << message.toStdString();
        EXPECT_TRUE(message.contains(c.message)) << message.toStdString();
    }
}
