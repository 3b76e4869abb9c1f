#include "qt_printers.h"
#include "tav_address_cls.h"

#include <QVariant>

#include <gtest/gtest.h>

using namespace tav;

namespace {

QString lines(std::initializer_list<const char*> parts) {
    QStringList list;
    for (const char* part : parts)
        list.append(QString::fromUtf8(part));
    return list.join(QStringLiteral("\r\n"));
}

void fill(TavAddressCls& a, const char* middle) {
    a.setFirst(QStringLiteral("John"));
    a.setMiddle(QString::fromUtf8(middle));
    a.setLast(QStringLiteral("Public"));
    a.setAddress(QStringLiteral("1 Main St"));
    a.setCity(QStringLiteral("Springfield"));
    a.setState(QStringLiteral("il"));
    a.setZip(QStringLiteral("62701"));
}

} // namespace

TEST(TavAddressCls, ComposesNameStreetAndCityLine) {
    TavAddressCls a;
    fill(a, "Q");
    EXPECT_EQ(a.CurrentText(), lines({"John Q. Public", "1 Main St", "Springfield, IL   62701"}));
    a.setMiddle(QStringLiteral("Quincy"));
    EXPECT_EQ(a.CurrentText().section(QStringLiteral("\r\n"), 0, 0),
              QStringLiteral("John Quincy Public"));
    a.setMiddle(QString());
    EXPECT_EQ(a.CurrentText().section(QStringLiteral("\r\n"), 0, 0), QStringLiteral("John Public"));
    EXPECT_EQ(a.property("CurrentText").toString(), a.CurrentText());
}

TEST(TavAddressCls, StateIsUpperCasedOnlyWhenTwoCharactersLong) {
    TavAddressCls a;
    fill(a, "");
    a.setState(QStringLiteral("Ill"));
    EXPECT_TRUE(a.CurrentText().endsWith(QStringLiteral("Springfield, Ill   62701")));
    a.setState(QStringLiteral("i"));
    EXPECT_TRUE(a.CurrentText().endsWith(QStringLiteral("Springfield, i   62701")));
    a.setState(QStringLiteral("né"));
    EXPECT_TRUE(a.CurrentText().endsWith(QStringLiteral("Springfield, NÉ   62701")));
}

TEST(TavAddressCls, ZipJoinsThePrecedingLineWhateverIsMissing) {
    TavAddressCls a;
    a.setFirst(QStringLiteral("Ann"));
    a.setAddress(QStringLiteral("2 Oak Rd"));
    a.setZip(QStringLiteral("12345"));
    EXPECT_EQ(a.CurrentText(), lines({"Ann ", "2 Oak Rd    12345"})); // " " + "" + "   " + zip
    a.setCity(QStringLiteral("Salem"));
    EXPECT_EQ(a.CurrentText(), lines({"Ann ", "2 Oak Rd", "Salem    12345"})); // no comma

    TavAddressCls noName;
    noName.setAddress(QStringLiteral("2 Oak Rd"));
    EXPECT_EQ(noName.CurrentText(), lines({"", "2 Oak Rd"}));

    TavAddressCls middleOnly;
    middleOnly.setMiddle(QStringLiteral("Q"));
    EXPECT_EQ(middleOnly.CurrentText(), QStringLiteral(" Q. "));
}

TEST(TavAddressCls, HeadersAndFootersWaitForTheNextRecompositionAndClearEmptiesAll) {
    TavAddressCls a;
    fill(a, "Q");
    a.setHeader1(QStringLiteral("Attn"));
    a.setFooter2(QStringLiteral("Fragile"));
    EXPECT_FALSE(a.CurrentText().contains(QStringLiteral("Attn")));
    a.setZip(QStringLiteral("62702"));
    EXPECT_EQ(a.CurrentText(),
              lines({"Attn", "John Q. Public", "1 Main St", "Springfield, IL   62702", "Fragile"}));
    a.setHeader2(QStringLiteral("Dept 4"));
    a.setFooter1(QStringLiteral("Do not bend"));
    a.setCity(QStringLiteral("Springfield"));
    EXPECT_TRUE(a.CurrentText().startsWith(lines({"Attn", "Dept 4", "John"})));
    EXPECT_TRUE(a.CurrentText().endsWith(lines({"62702", "Do not bend", "Fragile"})));

    TavAddressCls headerOnly;
    headerOnly.setHeader1(QStringLiteral("Attn"));
    headerOnly.setZip(QString());
    EXPECT_EQ(headerOnly.CurrentText(), QStringLiteral("Attn\r\n"));

    a.Clear();
    EXPECT_TRUE(a.CurrentText().isEmpty());
    EXPECT_TRUE(a.Header1().isEmpty());
    EXPECT_TRUE(a.Zip().isEmpty());
}
