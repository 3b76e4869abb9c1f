// Address books as mailings: each card a row under the address columns, whatever vCard version
// wrote it, and the cards that cannot be printed left out with whose they are.

#include "qt_printers.h"
#include "vcard_source.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

using namespace tav;

namespace {

struct Read {
    std::vector<MailingRow> rows;
    std::vector<MailingProblem> problems;
};

Read readCards(const QByteArray& text, VCardSource::AddressType type = {}) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    VCardSource source(buffer, type);
    Read read;
    MailingRow row;
    while (source.next(row))
        read.rows.push_back(row);
    read.problems = source.takeProblems();
    return read;
}

const QByteArray kBook =
    "BEGIN:VCARD\r\nVERSION:3.0\r\n"
    "N:Jackson;Barbara;T;;\r\nORG:Acme\\, Inc.;Sales\r\n"
    "item1.ADR;TYPE=work:;Suite 137;951 Spring Street;Boulder;CO;80320;USA\r\n"
    "ADR;TYPE=home,pref:;;12 Elm St;Louisville;CO;80027-1234;USA\r\n"
    "END:VCARD\r\n"
    "BEGIN:VCARD\nVERSION:2.1\n"
    "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:N=C3=BA=C3=B1ez;Jos=C3=A9;;;\n"
    "ADR;HOME;ENCODING=QUOTED-PRINTABLE:;;12 Calle Real=0D=0A=\nApt 4;"
    "San Antonio;TX;78205;\n"
    "AGENT:BEGIN:VCARD\nN:Agent;Smith\nADR:;;Nowhere;;;;\nEND:VCARD\n"
    "END:VCARD\n"
    "BEGIN:VCARD\nVERSION:4.0\nFN:Only A Name\nEMAIL:x@example.com\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:4.0\nN:Lee;\n Pat;;;\n"
    "ADR;PREF=1:PO 12;;;Salem;OR;97301;\nEND:VCARD\n";

} // namespace

TEST(VCardSource, EachCardIsARowOfItsChosenAddressWhateverTheVersion) {
    const Read read = readCards(kBook);
    ASSERT_EQ(read.rows.size(), 3u);
    const QStringList expected[] = {
        {"Barbara", "T", "Jackson", "Acme, Inc.", "12 Elm St", "", "Louisville", "CO", "80027-1234",
         "USA"},
        {"José", "", "Núñez", "", "12 Calle Real\r\nApt 4", "", "San Antonio", "TX", "78205", ""},
        {"Pat", "", "Lee", "", "PO Box PO 12", "", "Salem", "OR", "97301", ""}};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(read.rows[i].fields, expected[i]) << i;
    EXPECT_EQ(read.rows[0].number, 1);
    EXPECT_EQ(read.rows[1].number, 8);
    // A card without a postal address is left out, naming whose it is.
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].number, 18);
    EXPECT_TRUE(read.problems[0].message.contains("Only A Name"));

    // The work address when asked for; the others keep their only one.
    const Read work = readCards(kBook, VCardSource::AddressType::Work);
    EXPECT_EQ(work.rows[0].fields.mid(4, 4),
              (QStringList{"951 Spring Street", "Suite 137", "Boulder", "CO"}));
    EXPECT_EQ(work.rows[2].fields.at(6), "Salem");
}

// As a real address-book program exports it (abook: no VERSION, CR LF, the second line of an
// address in the extended-address field).
TEST(VCardSource, ReadsAnAddressBookProgramsExport) {
    QFile file(QStringLiteral(MAILPIECE_MAILING_DATA "/abook.vcf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const Read read = readCards(file.readAll());
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[0].fields, (QStringList{"Zoë", "", "Müller", "", "12 Rue de l'Église",
                                                "Apt 4", "Boston", "MA", "02134", "USA"}));
    EXPECT_EQ(read.rows[1].fields.mid(6, 3), (QStringList{"Cambridge", "MA", "02139-1234"}));
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_TRUE(read.problems[0].message.contains("No Address"));
}

TEST(VCardSource, ACutOffOrOverlongCardIsToldOfAndTheRestRead) {
    const QByteArray big = "BEGIN:VCARD\nN:Big;One\nPHOTO;ENCODING=b:" + QByteArray(1 << 21, 'A') +
                           "\nADR:;;1 Main;Salem;OR;97301;\nEND:VCARD\n";
    const Read read = readCards(big + "BEGIN:VCARD\nN:Lee;Pat\nADR:;;2 Main;Salem;OR;97301;\n");
    EXPECT_TRUE(read.rows.empty());
    ASSERT_EQ(read.problems.size(), 2u);
    EXPECT_TRUE(read.problems[0].message.contains("larger than 1 MB"));
    EXPECT_TRUE(read.problems[1].message.contains("END:VCARD"));
    EXPECT_TRUE(readCards("no cards here\n").rows.empty());
    EXPECT_TRUE(readCards({}).problems.empty());
}
