// Addresses as the post office reads them: capitals, no punctuation, the standard abbreviations.

#include "postal_abbreviations.h"
#include "postal_style.h"
#include "qt_printers.h"
#include "tav_address_cls.h"

#include <gtest/gtest.h>

using namespace tav;

TEST(PostalStyle, DeliveryLinesTakeTheStandardAbbreviationsAndLoseTheirPunctuation) {
    const std::pair<const char*, const char*> lines[] = {
        {"951 Spring Street, Suite 137", "951 SPRING ST STE 137"}, // SPRING is a suffix too
        {"9265 Maple Avenue", "9265 MAPLE AVE"},
        {"12 Park Avenue Apartment # 4B", "12 PARK AVE APT 4B"},
        {"Suite 5, Building B", "STE 5 BLDG B"},
        {"P.O. Box 495", "PO BOX 495"},
        {"12 Avenue B", "12 AVENUE B"}, // the street's name, not its suffix
        {"12 Lot Road", "12 LOT RD"},   // a name, not a unit
        {"100 Main St. Rear", "100 MAIN ST REAR"},
        {"123-45 Queens Blvd", "123-45 QUEENS BLVD"}, // the number's hyphen stays
        {"1/2 Mill Lane", "1/2 MILL LN"},
        {"48 Rue Louis", "48 RUE LOUIS"},
        {"7 O'Hare Pkwy, Floor 2", "7 OHARE PKWY FL 2"},
    };
    for (const auto& [line, read] : lines)
        EXPECT_EQ(PostalStyle::deliveryLine(QString::fromUtf8(line)), QString::fromUtf8(read))
            << line;
    EXPECT_EQ(PostalStyle::text(QString::fromUtf8("Zoë Brontë-Smith, Jr.")),
              QString::fromUtf8("ZOË BRONTË SMITH JR"));
    EXPECT_EQ(PostalStyle::lastLine("Boulder,", "co", " 80320-1234 "), "BOULDER CO 80320-1234");
    EXPECT_EQ(PostalAbbreviations::streetSuffix("BOULV"), "BLVD");
    EXPECT_EQ(PostalAbbreviations::unitDesignator("PENTHOUSE"), "PH");
}

TEST(PostalStyle, TheComposedAddressFollowsTheRulesAndNamesWhatItCannotMend) {
    TavAddressCls address;
    address.setNameAndAddress({"Mary", "D.", "D'Angelo", "300 Harbor Street", "Suite 5, Bldg. B",
                               "Baltimore", "md", "21230-4512"});
    address.setPostalStyle(true);
    EXPECT_EQ(printedLines(address), (QStringList{"MARY D DANGELO", "300 HARBOR ST", "STE 5 BLDG B",
                                                  "BALTIMORE MD 21230-4512"}));
    address.setPostalStyle(false);
    EXPECT_EQ(printedLines(address).last(), "Baltimore, MD   21230-4512");

    EXPECT_EQ(PostalStyle::blockProblem({"A", "1 MAIN ST", "SALEM OR 97301"}), "");
    EXPECT_EQ(PostalStyle::blockProblem({"A", "B", "C", "D", "E", "F", "SALEM OR 97301"}),
              "the address has 7 lines; the post office reads 6 at most");
    EXPECT_EQ(PostalStyle::blockProblem({"A", "1 MAIN ST", "SALEM OR"}),
              "the last line of the address, \"SALEM OR\", has no ZIP code");
}
