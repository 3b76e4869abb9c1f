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
    return list.join("\r\n");
}

void fill(TavAddressCls& a, const char* middle) {
    a.setFirst("John");
    a.setMiddle(QString::fromUtf8(middle));
    a.setLast("Public");
    a.setAddress("1 Main St");
    a.setCity("Springfield");
    a.setState("il");
    a.setZip("62701");
}

} // namespace

TEST(TavAddressCls, ComposesNameStreetAndCityLine) {
    TavAddressCls a;
    fill(a, "Q");
    EXPECT_EQ(a.CurrentText(), lines({"John Q. Public", "1 Main St", "Springfield, IL   62701"}));
    a.setMiddle("Quincy");
    EXPECT_EQ(a.CurrentText().section("\r\n", 0, 0), "John Quincy Public");
    a.setMiddle(QString());
    EXPECT_EQ(a.CurrentText().section("\r\n", 0, 0), "John Public");
    EXPECT_EQ(a.property("CurrentText").toString(), a.CurrentText());
}

TEST(TavAddressCls, StateIsUpperCasedOnlyWhenTwoCharactersLong) {
    TavAddressCls a;
    fill(a, "");
    a.setState("Ill");
    EXPECT_TRUE(a.CurrentText().endsWith("Springfield, Ill   62701"));
    a.setState("i");
    EXPECT_TRUE(a.CurrentText().endsWith("Springfield, i   62701"));
    a.setState("né");
    EXPECT_TRUE(a.CurrentText().endsWith("Springfield, NÉ   62701"));
}

TEST(TavAddressCls, ZipJoinsThePrecedingLineWhateverIsMissing) {
    TavAddressCls a;
    a.setFirst("Ann");
    a.setAddress("2 Oak Rd");
    a.setZip("12345");
    EXPECT_EQ(a.CurrentText(), lines({"Ann ", "2 Oak Rd    12345"})); // " " + "" + "   " + zip
    a.setCity("Salem");
    EXPECT_EQ(a.CurrentText(), lines({"Ann ", "2 Oak Rd", "Salem    12345"})); // no comma

    TavAddressCls noName;
    noName.setAddress("2 Oak Rd");
    EXPECT_EQ(noName.CurrentText(), lines({"", "2 Oak Rd"}));

    TavAddressCls middleOnly;
    middleOnly.setMiddle("Q");
    EXPECT_EQ(middleOnly.CurrentText(), " Q. ");
}

TEST(TavAddressCls, HeadersAndFootersWaitForTheNextRecompositionAndClearEmptiesAll) {
    TavAddressCls a;
    fill(a, "Q");
    a.setHeader1("Attn");
    a.setFooter2("Fragile");
    EXPECT_FALSE(a.CurrentText().contains("Attn"));
    a.setZip("62702");
    EXPECT_EQ(a.CurrentText(),
              lines({"Attn", "John Q. Public", "1 Main St", "Springfield, IL   62702", "Fragile"}));
    a.setHeader2("Dept 4");
    a.setFooter1("Do not bend");
    a.setCity("Springfield");
    EXPECT_TRUE(a.CurrentText().startsWith(lines({"Attn", "Dept 4", "John"})));
    EXPECT_TRUE(a.CurrentText().endsWith(lines({"62702", "Do not bend", "Fragile"})));

    TavAddressCls headerOnly;
    headerOnly.setHeader1("Attn");
    headerOnly.setZip(QString());
    EXPECT_EQ(headerOnly.CurrentText(), "Attn\r\n");

    a.Clear();
    EXPECT_TRUE(a.CurrentText().isEmpty());
    EXPECT_TRUE(a.Header1().isEmpty());
    EXPECT_TRUE(a.Zip().isEmpty());
}
